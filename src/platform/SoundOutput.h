#pragma once

#include "platform/Status.h"

#include <QByteArray>
#include <QString>

// Sound in keyed runs. A run keeps one output stream open from the keying of
// the transmitter to its release: every tone and every silence is appended to
// it in order, so nothing is cut short and the gaps are exact to the sample.
// Opening a stream per tone loses tones on a sound server.
//
// A run's failure is shown to the user once: beginRun returns it when the
// stream cannot open (no sound server, no card), endRun when the device broke
// during the run. The calls in between then play nothing and return at once
// with the same reason.
class SoundOutput {
public:
    // The format of a run's stream and of every image appended to it.
    static constexpr int RunSampleRate = 8000;
    static constexpr int RunChannels = 2;
    static constexpr int RunBitsPerSample = 16;
    // Silence that ends every run before its stream closes, so the server has
    // played the last tone when the transmitter is released.
    static constexpr int TrailingSilenceMs = 300;
    // How much sound the server is asked to hold ahead of what is heard. A
    // piece this long fills the server's prebuffer by itself, so the first
    // piece of a run sounds without waiting for the next.
    static constexpr int ServerBufferMs = 100;

    virtual ~SoundOutput() = default;

    virtual Status beginRun() = 0;
    // Appends a WAV image in the run format and returns once it has been
    // played, letting events through meanwhile. Outside a run it is played as
    // a run of its own.
    virtual Status playWav(const QByteArray& wavImage) = 0;
    // Appends ms of silence and returns once it has been played; outside a
    // run, just waits that long.
    virtual Status playSilence(int ms) = 0;
    // Appends the trailing silence, waits until it has been played and closes
    // the stream. Ending no run does nothing.
    virtual Status endRun() = 0;
    // Silences at once whatever is playing and ends the run, without its
    // trailing silence. Asked while endRun plays that silence, it cuts the
    // silence short as soon as the run's last sound has been heard.
    virtual void stop() = 0;
};
