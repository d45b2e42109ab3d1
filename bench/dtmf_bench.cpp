#include "CountedDialogs.h"
#include "FakeClock.h"
#include "FakeSerialPort.h"
#include "link/DtmfPlayer.h"
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
        return Status::success();
    }
    Status playSilence(int ms) override
    {
        frames += static_cast<qint64>(ms) * RunSampleRate / 1000;
        return Status::success();
    }
    Status endRun() override { return playSilence(TrailingSilenceMs); }
    Status playFile(const QString&) override { return Status::success(); }
    void stop() override {}

    qint64 frames = 0;
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
    FakeClock clock;
    FakeSerialPort port;
    SettingsTables tables;
    CountedDialogs dialogs;
    SerialLink link(port, tables, dialogs, clock);
    FrameCounter sound;
    DtmfPlayer player(tables, sound, link);
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
