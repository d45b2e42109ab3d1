#pragma once

#include <QByteArray>

// A pair of sine tones as a complete RIFF/WAVE PCM image: 8000 frames per
// second, two channels carrying the same sound, 16 bits. A frequency of 0 is
// played as 1 Hz; a duration of 0 gives the bare 44-byte header.
QByteArray TonePairImage(int freq1, int freq2, double seconds);
