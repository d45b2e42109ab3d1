#include "CountedDialogs.h"
#include "DefaultConfiguration.h"
#include "FakeClock.h"
#include "FakeSerialPort.h"
#include "link/CompleteUpload.h"
#include "link/DtmfPlayer.h"
#include "link/DtmfTransport.h"
#include "link/SerialLink.h"
#include "link/TonePair.h"
#include "platform/SoundOutput.h"
#include "platform/WavImage.h"
#include "store/SettingsTables.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int Rows[] = {697, 770, 852, 941};
constexpr int Columns[] = {1209, 1336, 1477, 1633};

// Plays nothing; counts the frames a run would last.
class FrameCounter final : public SoundOutput {
public:
    Status beginRun() override { return Status::success(); }
    Status playWav(const QByteArray& wavImage) override
    {
        WavSound sound;
        if (const Status parsed = ParseWav(wavImage, sound); !parsed)
            return parsed;
        frames += sound.samples.size() / sound.bytesPerFrame();
        ++images;
        return Status::success();
    }
    Status playSilence(int ms) override
    {
        frames += static_cast<qint64>(ms) * RunSampleRate / 1000;
        return Status::success();
    }
    Status endRun() override { return playSilence(TrailingSilenceMs); }
    void stop() override {}

    qint64 frames = 0;
    qint64 images = 0; // one a key
};

// Passes every call on, counting the commands and the pauses asked for.
class ScheduleCounter final : public CommandTransport {
public:
    explicit ScheduleCounter(CommandTransport& inner) : m_inner(inner) {}

    bool dtmfMode() const override { return m_inner.dtmfMode(); }
    Status begin() override { return m_inner.begin(); }
    Outcome send(const ControllerCommand& command, int unlockPort, Framing framing) override
    {
        ++commands;
        return m_inner.send(command, unlockPort, framing);
    }
    Outcome lock() override { return m_inner.lock(); }
    Status sendWithoutReply(const ControllerCommand& command) override
    {
        ++commands;
        return m_inner.sendWithoutReply(command);
    }
    void pause(int ms) override
    {
        pauseMs += ms;
        m_inner.pause(ms);
    }
    Status end() override { return m_inner.end(); }

    qint64 commands = 0;
    qint64 pauseMs = 0;

private:
    CommandTransport& m_inner;
};

// The players over a frame counter, with no serial port of their own.
struct PlayerRig {
    explicit PlayerRig(SettingsTables& tables) : link(port, tables, dialogs, clock), player(tables, sound, link) {}

    FakeClock clock;
    FakeSerialPort port;
    CountedDialogs dialogs;
    SerialLink link;
    FrameCounter sound;
    DtmfPlayer player;
};

} // namespace

// The images of all sixteen keys, as the players build one before each tone.
static void SynthesizeSixteenKeys(benchmark::State& state)
{
    for (auto _ : state) {
        for (int low : Rows)
            for (int high : Columns)
                benchmark::DoNotOptimize(TonePairImage(low, high, DtmfPlayer::ToneSeconds));
    }
}
BENCHMARK(SynthesizeSixteenKeys)->Unit(benchmark::kMicrosecond);

// A command of twenty keys rendered as one run: the counter is the sound
// beyond its schedule (a gap and a tone per key, then the trailing silence).
static void RenderTwentyKeyCommand(benchmark::State& state)
{
    const QString keys = QStringLiteral("*10001234567890ABCD#");
    SettingsTables tables;
    PlayerRig rig(tables);
    FrameCounter& sound = rig.sound;
    DtmfPlayer& player = rig.player;
    const double scheduleMs = keys.size() * (player.gapMs() + 1000 * DtmfPlayer::ToneSeconds)
        + SoundOutput::TrailingSilenceMs;
    double extraMs = 0;
    for (auto _ : state) {
        sound.frames = 0;
        (void)sound.beginRun();
        if (!player.play({{Player::String, keys}})) {
            state.SkipWithError("not played");
            break;
        }
        (void)sound.endRun();
        extraMs = 1000.0 * sound.frames / SoundOutput::RunSampleRate - scheduleMs;
    }
    state.counters["extra_silence_ms"] = extraMs;
}
BENCHMARK(RenderTwentyKeyCommand)->Unit(benchmark::kMicrosecond);

// A complete upload of the default configuration in DTMF mode, rendered: the
// counter is the sound beyond its schedule (the key-up delay, a gap and a tone
// per key, the upload's pauses, the trailing silence) per command.
static void RenderCompleteUpload(benchmark::State& state)
{
    SettingsTables tables;
    ReadDefaultConfiguration(tables);
    tables.ComPortValue = "0";
    tables.KeyUpDelayValue = "250";
    PlayerRig rig(tables);
    FrameCounter& sound = rig.sound;
    DtmfTransport dtmf(tables, sound, rig.link, rig.player);
    double extraMsPerCommand = 0;
    double commands = 0;
    double minutes = 0;
    for (auto _ : state) {
        sound.frames = sound.images = 0;
        ScheduleCounter transport(dtmf);
        if (CompleteUpload(tables, transport, rig.dialogs).run() != UploadRunner::Result::Completed) {
            state.SkipWithError("the upload did not complete");
            break;
        }
        const double renderedMs = 1000.0 * sound.frames / SoundOutput::RunSampleRate;
        const double scheduleMs = 250 + sound.images * (rig.player.gapMs() + 1000 * DtmfPlayer::ToneSeconds)
            + transport.pauseMs + SoundOutput::TrailingSilenceMs;
        commands = static_cast<double>(transport.commands);
        extraMsPerCommand = (renderedMs - scheduleMs) / commands;
        minutes = renderedMs / 60000;
    }
    state.counters["commands"] = commands;
    state.counters["sound_minutes"] = minutes;
    state.counters["extra_ms_per_command"] = extraMsPerCommand;
}
BENCHMARK(RenderCompleteUpload)->Iterations(3)->Unit(benchmark::kMillisecond);
