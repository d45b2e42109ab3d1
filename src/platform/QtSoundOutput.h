#pragma once

#include "platform/Clock.h"
#include "platform/SoundOutput.h"

#include <QtGlobal>

#include <memory>

class AudioStream;

// Sound on the system's default audio output through Qt Multimedia. Runs nest:
// only the outermost one opens and closes the stream. Needs a running event
// loop's application object, since the sink is fed from its timers.
class QtSoundOutput final : public SoundOutput {
public:
    explicit QtSoundOutput(Clock& clock);
    ~QtSoundOutput() override;

    Status beginRun() override;
    Status playWav(const QByteArray& wavImage) override;
    Status playSilence(int ms) override;
    Status endRun() override;
    void stop() override;

private:
    Status playInRun(const QByteArray& samples, qint64 silenceMs);
    void noteClosed() { m_closedAtMs = m_clock.elapsedMs(); }

    Clock& m_clock;
    int m_runDepth = 0;
    // The failure of the open run; its later calls return it at once.
    Status m_runStatus = Status::success();
    // Shared, so that a stop() from an event handler let through during a wait
    // cannot pull a stream from under that wait.
    std::shared_ptr<AudioStream> m_run;
    // The run whose trailing silence is playing, which a stop cuts short.
    std::shared_ptr<AudioStream> m_ending;
    qint64 m_closedAtMs = -1;
};
