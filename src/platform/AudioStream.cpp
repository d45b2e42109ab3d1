#include "platform/AudioStream.h"

#include "platform/SoundOutput.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QMediaDevices>

namespace {

// Small, so that "taken by the sink" is close to "heard".
constexpr qint64 ServerBufferUs = SoundOutput::ServerBufferMs * 1000;
// How much longer than its own length a piece may take to be taken.
constexpr qint64 StallMs = 2000;

QString ErrorText(QAudio::Error error)
{
    switch (error) {
    case QAudio::OpenError:
        return QStringLiteral("it could not be opened");
    case QAudio::IOError:
        return QStringLiteral("writing to it failed");
    case QAudio::FatalError:
        return QStringLiteral("the sound server is not available");
    case QAudio::UnderrunError:
    case QAudio::NoError:
        break;
    }
    return QStringLiteral("it stopped");
}

} // namespace

bool WaitWithEvents(Clock& clock, qint64 timeoutMs, const std::function<bool()>& done)
{
    const qint64 deadline = clock.elapsedMs() + timeoutMs;
    for (;;) {
        clock.processEvents();
        if (done())
            return true;
        if (clock.elapsedMs() >= deadline)
            return false;
        clock.sleep(1);
    }
}

AudioStream::AudioStream(Clock& clock) : m_clock(clock) {}

AudioStream::~AudioStream() { close(); }

Status AudioStream::open(const QAudioFormat& format)
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return Status::failure(QStringLiteral(
            "No audio output device is available (no sound server or sound card), so no sound "
            "can be played."));
    m_deviceName = device.description();
    if (!device.isFormatSupported(format))
        return Status::failure(QStringLiteral("The audio output device \"%1\" cannot play %2 Hz "
                                              "sound in %3 channels.")
                                   .arg(m_deviceName)
                                   .arg(format.sampleRate())
                                   .arg(format.channelCount()));
    m_format = format;
    m_sink = std::make_unique<QAudioSink>(device, format);
    m_sink->setBufferSize(format.bytesForDuration(ServerBufferUs));
    m_sink->start(&m_queue);
    // A refused stream changes no state, so look right away.
    if (m_sink->state() == QAudio::StoppedState || m_sink->error() != QAudio::NoError) {
        const QString reason = deviceFailure();
        m_sink.reset();
        return Status::failure(reason);
    }
    m_open = true;
    return Status::success();
}

Status AudioStream::play(const QByteArray& samples)
{
    if (!m_open)
        return Status::failure(QStringLiteral("The sound was stopped."));
    m_queue.append(samples);
    return waitTaken(m_queue.appended());
}

Status AudioStream::playSilence(qint64 ms)
{
    if (ms <= 0)
        return Status::success();
    return play(QByteArray(m_format.bytesForDuration(ms * 1000), '\0'));
}

Status AudioStream::finish(int minimumMs)
{
    qint64 ms = minimumMs;
    if (m_open) {
        // Silence that pushes the last sound through the server's buffer.
        const qint64 flushMs = m_format.durationForBytes(m_sink->bufferSize()) / 1000 + 100;
        m_heardAt = m_queue.appended() + m_format.bytesForDuration(flushMs * 1000);
        ms = qMax(ms, flushMs);
    }
    m_cutSilence = false;
    const Status played = playSilence(ms);
    m_heardAt = -1;
    close();
    return played;
}

void AudioStream::close()
{
    if (!m_open)
        return;
    m_open = false;
    m_sink->stop();
    m_sink.reset();
}

Status AudioStream::waitTaken(qint64 target)
{
    const qint64 budgetMs = m_format.durationForBytes(target - m_queue.taken()) / 1000 + StallMs;
    const bool taken = WaitWithEvents(m_clock, budgetMs, [&] {
        const qint64 enough = m_cutSilence && m_heardAt >= 0 ? qMin(target, m_heardAt) : target;
        return !m_open || m_sink->state() == QAudio::StoppedState || m_queue.taken() >= enough;
    });
    if (!m_open)
        return Status::failure(QStringLiteral("The sound was stopped."));
    if (m_sink->state() == QAudio::StoppedState || !taken) {
        const QString reason = taken ? deviceFailure()
                                     : QStringLiteral("The audio output device \"%1\" stopped "
                                                      "taking sound.")
                                           .arg(m_deviceName);
        close();
        return Status::failure(reason);
    }
    return Status::success();
}

QString AudioStream::deviceFailure() const
{
    return QStringLiteral("The audio output device \"%1\" cannot play sound: %2.")
        .arg(m_deviceName, ErrorText(m_sink->error()));
}
