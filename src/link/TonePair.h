#pragma once

#include <QByteArray>

// A pair of sine tones as a complete RIFF/WAVE PCM image: 8000 frames per
// second, two channels carrying the same sound, 16 bits. A frequency of 0 is
// played as 1 Hz; a duration of 0 gives the bare 44-byte header.
QByteArray TonePairImage(int freq1, int freq2, double seconds);

// Frames firstFrame .. firstFrame + frames - 1 of the same tone pair, as an
// image of their own: the pieces of a long tone, joined, are its whole image's
// samples to the bit, so a long tone can be played a piece at a time.
QByteArray TonePairPiece(int freq1, int freq2, long long firstFrame, long long frames);

// Frames of a tone pair image per millisecond.
inline constexpr int TonePairFramesPerMs = 8;
