#include "CaptureSound.h"

#include "WavFile.h"
#include "platform/WavImage.h"

#include <QFile>

namespace {

constexpr int BytesPerFrame = SoundOutput::RunChannels * SoundOutput::RunBitsPerSample / 8;

} // namespace

Status CaptureSound::beginRun()
{
    m_calls << QStringLiteral("beginRun");
    if (m_runDepth++ > 0)
        return m_runStatus;
    m_runStatus = m_deviceFailure.isEmpty() ? Status::success() : Status::failure(m_deviceFailure);
    return m_runStatus;
}

Status CaptureSound::playWav(const QByteArray& wavImage)
{
    m_calls << QStringLiteral("playWav");
    m_images << wavImage;
    WavSound sound;
    if (const Status parsed = ParseWav(wavImage, sound); !parsed)
        return parsed;
    if (sound.sampleRate != RunSampleRate || sound.channels != RunChannels
        || sound.bitsPerSample != RunBitsPerSample || sound.isFloat)
        return Status::failure(QStringLiteral("not in the run format"));
    if (m_runDepth == 0) {
        if (!m_deviceFailure.isEmpty())
            return Status::failure(m_deviceFailure);
        render(sound.samples);
        renderSilence(TrailingSilenceMs);
        return Status::success();
    }
    if (!m_runStatus)
        return m_runStatus;
    return renderInRun(sound.samples);
}

// Silence outside a run is rendered too: the sound shows the time between runs.
Status CaptureSound::playSilence(int ms)
{
    m_calls << QStringLiteral("playSilence %1").arg(ms);
    if (m_runDepth == 0) {
        renderSilence(ms);
        return Status::success();
    }
    if (!m_runStatus)
        return m_runStatus;
    return renderInRun(QByteArray(qMax(0, ms) * RunSampleRate / 1000 * BytesPerFrame, '\0'));
}

// As the real output: a stop while the run's sound plays ends the call with it.
Status CaptureSound::renderInRun(const QByteArray& samples)
{
    const int stops = m_stops;
    render(samples);
    if (m_stops != stops)
        return Status::failure(QStringLiteral("The sound was stopped."));
    return Status::success();
}

Status CaptureSound::endRun()
{
    m_calls << QStringLiteral("endRun");
    if (m_runDepth == 0 || --m_runDepth > 0)
        return Status::success();
    const Status ended = m_runBroken ? m_runStatus : Status::success();
    const bool playing = m_runStatus.ok();
    m_runStatus = Status::success();
    m_runBroken = false;
    // A millisecond at a time, so that a stop while it passes cuts it there.
    m_ending = playing;
    for (int ms = 0; ms < TrailingSilenceMs && m_ending; ++ms)
        renderSilence(1);
    m_ending = false;
    return ended;
}

void CaptureSound::breakRun(const QString& reason)
{
    if (m_runDepth == 0 || !m_runStatus)
        return;
    m_runStatus = Status::failure(reason);
    m_runBroken = true;
}

void CaptureSound::stop()
{
    m_calls << QStringLiteral("stop");
    ++m_stops;
    m_ending = false;
    m_runDepth = 0;
    m_runStatus = Status::success();
    m_runBroken = false;
}

QByteArray CaptureSound::wav() const { return MakeWav(m_samples, RunSampleRate, RunChannels); }

void CaptureSound::render(const QByteArray& samples)
{
    m_samples += samples;
    letTimePass(samples.size() / BytesPerFrame, RunSampleRate);
}

void CaptureSound::renderSilence(qint64 ms)
{
    if (ms <= 0)
        return;
    render(QByteArray(ms * RunSampleRate / 1000 * BytesPerFrame, '\0'));
}

// Whole milliseconds to the clock, without losing the fractions between pieces.
void CaptureSound::letTimePass(qint64 frames, int sampleRate)
{
    m_playedMs += 1000.0 * static_cast<double>(frames) / sampleRate;
    const auto due = static_cast<qint64>(m_playedMs);
    if (m_clock && due > m_sleptMs)
        m_clock->sleep(static_cast<int>(due - m_sleptMs));
    m_sleptMs = due;
}
