#include "platform/QtSoundOutput.h"

#include "platform/AudioStream.h"
#include "platform/WavImage.h"

#include <QAudioFormat>

namespace {

QAudioFormat FormatOf(int sampleRate, int channels, int bitsPerSample, bool isFloat)
{
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(channels);
    switch (bitsPerSample) {
    case 8:
        format.setSampleFormat(QAudioFormat::UInt8);
        break;
    case 16:
        format.setSampleFormat(QAudioFormat::Int16);
        break;
    default:
        format.setSampleFormat(isFloat ? QAudioFormat::Float : QAudioFormat::Int32);
        break;
    }
    return format;
}

QAudioFormat RunFormat()
{
    return FormatOf(SoundOutput::RunSampleRate, SoundOutput::RunChannels,
                    SoundOutput::RunBitsPerSample, false);
}

bool IsRunFormat(const WavSound& sound)
{
    return sound.sampleRate == SoundOutput::RunSampleRate
        && sound.channels == SoundOutput::RunChannels
        && sound.bitsPerSample == SoundOutput::RunBitsPerSample && !sound.isFloat;
}

} // namespace

QtSoundOutput::QtSoundOutput(Clock& clock) : m_clock(clock) {}

namespace {
// Time for the server's answers to a stream's closing to arrive.
constexpr qint64 CloseSettleMs = 200;
} // namespace

// Qt Multimedia's sound server connection is torn down at exit without
// holding its lock, and crashes when the server is still answering the close
// of a stream; so the last close is given time before the program ends.
QtSoundOutput::~QtSoundOutput()
{
    stop();
    if (m_closedAtMs >= 0) {
        const qint64 left = m_closedAtMs + CloseSettleMs - m_clock.elapsedMs();
        if (left > 0)
            m_clock.sleep(static_cast<int>(left));
    }
}

Status QtSoundOutput::beginRun()
{
    if (m_runDepth++ > 0)
        return m_runStatus;
    auto stream = std::make_shared<AudioStream>(m_clock);
    m_runStatus = stream->open(RunFormat());
    if (m_runStatus)
        m_run = std::move(stream);
    return m_runStatus;
}

Status QtSoundOutput::playWav(const QByteArray& wavImage)
{
    WavSound sound;
    if (const Status parsed = ParseWav(wavImage, sound); !parsed)
        return Status::failure(QStringLiteral("The sound cannot be played: %1.").arg(parsed.reason()));
    if (!IsRunFormat(sound))
        return Status::failure(QStringLiteral(
            "The sound cannot be played: it is not 8000 Hz, two-channel, 16-bit sound."));
    if (m_runDepth == 0) {
        const Status begun = beginRun();
        const Status played = begun ? playInRun(sound.samples, 0) : begun;
        const Status ended = endRun();
        return played ? ended : played;
    }
    return playInRun(sound.samples, 0);
}

Status QtSoundOutput::playSilence(int ms)
{
    if (ms <= 0)
        return Status::success();
    if (m_runDepth == 0) {
        WaitWithEvents(m_clock, ms, [] { return false; });
        return Status::success();
    }
    return playInRun({}, ms);
}

Status QtSoundOutput::playInRun(const QByteArray& samples, qint64 silenceMs)
{
    if (!m_runStatus)
        return m_runStatus;
    const std::shared_ptr<AudioStream> stream = m_run;
    const Status played = samples.isEmpty() ? stream->playSilence(silenceMs) : stream->play(samples);
    // A device that failed mid-run stays failed for the rest of it.
    if (!played && m_run == stream)
        m_runStatus = played;
    return played;
}

Status QtSoundOutput::endRun()
{
    if (m_runDepth == 0 || --m_runDepth > 0)
        return Status::success();
    const std::shared_ptr<AudioStream> stream = std::move(m_run);
    m_run.reset();
    const Status status = m_runStatus;
    m_runStatus = Status::success();
    // A stream that never opened was reported by beginRun.
    if (!stream)
        return Status::success();
    m_ending = status ? stream : nullptr;
    const Status ended = status ? stream->finish(TrailingSilenceMs) : status;
    m_ending.reset();
    noteClosed();
    return ended;
}

void QtSoundOutput::stop()
{
    // Closed now, the stream would drop the end of the run's sound that the
    // server still holds.
    if (m_ending)
        m_ending->cutSilence();
    if (m_run) {
        noteClosed();
        m_run->close();
    }
    m_run.reset();
    m_runDepth = 0;
    m_runStatus = Status::success();
}
