#pragma once

#include "platform/Clock.h"
#include "platform/SoundOutput.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

// Plays nothing: renders every image and silence it is given, the runs'
// trailing silences included, into one sound in the run format, so that a test
// can decode a whole run. Runs nest and fail like the real output's; a stop
// while a run's piece plays fails that piece, and a stop in a run's trailing
// silence cuts it, as the real one does. Given a clock, it lets time pass by
// the length of what it plays.
class CaptureSound final : public SoundOutput {
public:
    explicit CaptureSound(Clock* clock = nullptr) : m_clock(clock) {}

    Status beginRun() override;
    Status playWav(const QByteArray& wavImage) override;
    Status playSilence(int ms) override;
    Status endRun() override;
    void stop() override;

    // From now on there is no audio device, for this reason ("" restores it).
    void failWith(const QString& reason) { m_deviceFailure = reason; }
    // The device breaks during the run now playing: the rest of the run plays
    // nothing, and its end fails with this reason.
    void breakRun(const QString& reason);

    // Everything rendered so far as one WAV image: 8000 Hz, 2 channels, 16 bits.
    QByteArray wav() const;
    // The images given to playWav, in order, as they were given.
    const QList<QByteArray>& images() const { return m_images; }
    // One entry a call: "beginRun", "playWav", "playSilence 40", "endRun", "stop".
    const QStringList& calls() const { return m_calls; }
    bool inRun() const { return m_runDepth > 0; }

private:
    void render(const QByteArray& samples);
    void renderSilence(qint64 ms);
    Status renderInRun(const QByteArray& samples);
    void letTimePass(qint64 frames, int sampleRate);

    Clock* m_clock;
    QString m_deviceFailure;
    int m_runDepth = 0;
    Status m_runStatus = Status::success();
    bool m_runBroken = false;
    bool m_ending = false; // a run's trailing silence is being played
    int m_stops = 0;
    QByteArray m_samples;
    QList<QByteArray> m_images;
    QStringList m_calls;
    double m_playedMs = 0;
    qint64 m_sleptMs = 0;
};
