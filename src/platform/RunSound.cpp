#include "platform/RunSound.h"

#include "platform/SoundOutput.h"
#include "platform/WavImage.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// One sample as a value of -1 .. 1.
double SampleAt(const char* at, const WavSound& sound)
{
    switch (sound.bitsPerSample) {
    case 8: return (static_cast<unsigned char>(*at) - 128) / 128.0;
    case 16: return qFromLittleEndian<qint16>(at) / 32768.0;
    default: break;
    }
    if (sound.isFloat) {
        const quint32 bits = qFromLittleEndian<quint32>(at);
        float value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return std::isfinite(value) ? std::clamp(static_cast<double>(value), -1.0, 1.0) : 0.0;
    }
    return qFromLittleEndian<qint32>(at) / 2147483648.0;
}

std::vector<double> Mixed(const WavSound& sound)
{
    const int frameBytes = sound.bytesPerFrame();
    const qsizetype frames = sound.samples.size() / frameBytes;
    const int sampleBytes = sound.bitsPerSample / 8;
    std::vector<double> mixed(static_cast<std::size_t>(frames));
    const char* at = sound.samples.constData();
    for (qsizetype f = 0; f < frames; ++f) {
        double sum = 0;
        for (int c = 0; c < sound.channels; ++c)
            sum += SampleAt(at + f * frameBytes + c * sampleBytes, sound);
        mixed[static_cast<std::size_t>(f)] = sum / sound.channels;
    }
    return mixed;
}

// Source frames [from, to) averaged, or the value between two frames.
double Resampled(const std::vector<double>& source, double from, double to)
{
    const auto last = static_cast<double>(source.size() - 1);
    if (to - from <= 1.0) {
        const double at = std::min(from, last);
        const auto i = static_cast<std::size_t>(at);
        const double next = i + 1 < source.size() ? source[i + 1] : source[i];
        return source[i] + (next - source[i]) * (at - static_cast<double>(i));
    }
    const auto first = static_cast<std::size_t>(std::min(std::ceil(from), last));
    const auto end = std::max(first + 1, std::min(source.size(), static_cast<std::size_t>(std::ceil(to))));
    double sum = 0;
    for (std::size_t i = first; i < end; ++i)
        sum += source[i];
    return sum / static_cast<double>(end - first);
}

} // namespace

QByteArray RunImageOf(const WavSound& sound)
{
    const std::vector<double> source = sound.bytesPerFrame() > 0 ? Mixed(sound) : std::vector<double>{};
    const double step = static_cast<double>(sound.sampleRate) / SoundOutput::RunSampleRate;
    const auto frames = source.empty() ? 0 : static_cast<qint64>(std::llround(source.size() / step));
    const qint64 dataSize = frames * SoundOutput::RunChannels * 2;
    QByteArray image =
        WavHeader(SoundOutput::RunSampleRate, SoundOutput::RunChannels, SoundOutput::RunBitsPerSample, dataSize);
    image.resize(WavHeaderSize + dataSize);
    char* out = image.data() + WavHeaderSize;
    for (qint64 n = 0; n < frames; ++n) {
        const double value = Resampled(source, n * step, (n + 1) * step);
        const auto sample = static_cast<qint16>(std::clamp(std::lround(value * 32767.0), -32768L, 32767L));
        for (int c = 0; c < SoundOutput::RunChannels; ++c, out += 2)
            qToLittleEndian(sample, out);
    }
    return image;
}

Status ReadRunSound(const QString& path, QByteArray& runImage)
{
    const auto refused = [&path](const QString& why) {
        return Status::failure(QStringLiteral("\"%1\" cannot be recorded: %2.").arg(path, why));
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(file.errorString());
    WavSound sound;
    if (const Status parsed = ParseWav(file.readAll(), sound); !parsed)
        return refused(parsed.reason());
    if (sound.samples.isEmpty())
        return refused(QStringLiteral("it holds no sound"));
    runImage = RunImageOf(sound);
    return Status::success();
}
