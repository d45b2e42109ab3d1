#include "link/TonePair.h"

#include "platform/WavImage.h"

#include <algorithm>
#include <array>
#include <cmath>

// The samples must match the controller's tone tables to the last bit.
#ifdef __FAST_MATH__
#error "TonePair.cpp must not be built with -ffast-math"
#endif

namespace {

constexpr int WaveSampleRate = TonePairFramesPerMs * 1000;
constexpr int WaveChannelCount = 2;
constexpr int WaveBitsPerSample = 16;
constexpr int WaveBytesPerSample = WaveBitsPerSample / 8;
constexpr double Amplitude = 0.25;
constexpr double Gain = 0.5;
constexpr double Scale = 32767;

// Little-endian, as many bytes as asked; negative values keep their two's
// complement low bytes.
void PutNumber(char* at, long long value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        at[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Written the long way on purpose: 2*pi*f/rate differs in the last bit for
// some keys.
double PhaseStep(double frequency)
{
    const double wavePi = 4.0 * std::atan(1.0);
    return (wavePi + wavePi) / ((1.0 / frequency) / (1.0 / WaveSampleRate));
}

// Ties to even in the default rounding mode.
long long FrameCount(double seconds)
{
    const double frames = std::nearbyint(seconds / (1.0 / WaveSampleRate));
    // A negative or absurd duration plays nothing rather than failing.
    if (!(frames > 0) || frames > 1e9)
        return 0;
    return static_cast<long long>(frames);
}

} // namespace

QByteArray TonePairImage(int freq1, int freq2, double seconds)
{
    return TonePairPiece(freq1, freq2, 0, FrameCount(seconds));
}

QByteArray TonePairPiece(int freq1, int freq2, long long firstFrame, long long frames)
{
    const std::array<double, 2> steps = {PhaseStep(freq1 == 0 ? 1 : freq1),
                                         PhaseStep(freq2 == 0 ? 1 : freq2)};
    frames = std::max(0LL, frames);
    const long long dataSize = frames * WaveChannelCount * WaveBytesPerSample;

    QByteArray image = WavHeader(WaveSampleRate, WaveChannelCount, WaveBitsPerSample, dataSize);
    image.resize(WavHeaderSize + dataSize);
    char* out = image.data() + WavHeaderSize;
    for (long long n = firstFrame; n < firstFrame + frames; ++n) {
        double sum = 0;
        for (double step : steps)
            sum = sum + Amplitude * std::sin(static_cast<double>(n) * step);
        // Both channels have the same amplitudes and gain, so the same value.
        const auto value = static_cast<long long>(std::floor(Gain * sum * Scale));
        PutNumber(out, value, WaveBytesPerSample);
        PutNumber(out + WaveBytesPerSample, value, WaveBytesPerSample);
        out += WaveBytesPerSample * WaveChannelCount;
    }
    return image;
}
