#pragma once

#include "platform/Clock.h"
#include "platform/PcmQueue.h"
#include "platform/Status.h"

#include <QAudioFormat>
#include <QString>

#include <functional>
#include <memory>

class QAudioSink;

// One open output stream on the default audio device, fed in pull mode from a
// queue. Each piece appended is waited for until the sink has taken it; every
// wait is bounded, so a device that stops taking sound never hangs the caller.
class AudioStream {
public:
    explicit AudioStream(Clock& clock);
    ~AudioStream();

    AudioStream(const AudioStream&) = delete;
    AudioStream& operator=(const AudioStream&) = delete;

    Status open(const QAudioFormat& format);
    // Whole frames in the stream's format.
    Status play(const QByteArray& samples);
    Status playSilence(qint64 ms);
    // Trailing silence of at least minimumMs, and of more than the server's
    // buffer, then the stream closes with the last sound played.
    Status finish(int minimumMs);
    // Asked while finish() waits: it closes the stream as soon as the sound
    // before the trailing silence has been played, without the rest of it.
    void cutSilence() { m_cutSilence = true; }
    // Closes at once; whatever the server has not played is dropped.
    void close();

private:
    Status waitTaken(qint64 target);
    QString deviceFailure() const;

    Clock& m_clock;
    QAudioFormat m_format;
    QString m_deviceName;
    PcmQueue m_queue;
    std::unique_ptr<QAudioSink> m_sink;
    bool m_open = false;
    bool m_cutSilence = false;
    // While finish() waits: what must be taken for its last sound to be heard.
    qint64 m_heardAt = -1;
};

// Lets events through until done() holds or timeoutMs have passed; says which.
bool WaitWithEvents(Clock& clock, qint64 timeoutMs, const std::function<bool()>& done);
