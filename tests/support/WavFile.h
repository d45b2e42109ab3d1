#pragma once

#include <QByteArray>
#include <QList>

// 16-bit PCM WAV images for tests: built from raw samples, and read back.

QByteArray MakeWav(const QByteArray& samples16, int sampleRate, int channels);
// A sine of `hz` at `level` (0-1 of full scale) on every channel, `ms` long.
QByteArray SineWav(int sampleRate, int channels, int ms, double hz, double level = 0.5);

struct Pcm16 {
    int sampleRate = 0;
    int channels = 0;
    QList<qint16> samples; // interleaved
    qint16 at(qsizetype frame, int channel) const { return samples[frame * channels + channel]; }
    qsizetype frames() const { return channels ? samples.size() / channels : 0; }
};

// Fails the test and gives nothing when the image is not 16-bit PCM.
Pcm16 ReadPcm16(const QByteArray& wav);
