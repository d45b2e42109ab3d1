#pragma once

#include "platform/Status.h"

#include <QByteArray>

// The sound a RIFF/WAVE image holds: its format and its whole frames.
struct WavSound {
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;
    bool isFloat = false;
    QByteArray samples;

    int bytesPerFrame() const { return channels * bitsPerSample / 8; }
};

inline constexpr int WavHeaderSize = 44;
// The header of a PCM image whose samples, `dataSize` bytes, follow it.
QByteArray WavHeader(int sampleRate, int channels, int bitsPerSample, qint64 dataSize);

// Walks the chunks of an image for its "fmt " and "data" chunks. Integer PCM
// of 8, 16 or 32 bits and 32-bit float are read; a data chunk longer than the
// image is cut to what is there. The failure says what is wrong.
Status ParseWav(const QByteArray& image, WavSound& sound);
