#include "WavFile.h"

#include "platform/WavImage.h"

#include <QtEndian>
#include <cmath>
#include <gtest/gtest.h>

namespace {

void Put(QByteArray& out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

} // namespace

QByteArray MakeWav(const QByteArray& samples16, int sampleRate, int channels)
{
    const auto dataSize = static_cast<quint32>(samples16.size());
    QByteArray wav("RIFF");
    Put(wav, dataSize + 36, 4);
    wav.append("WAVEfmt ");
    Put(wav, 16, 4);
    Put(wav, 1, 2);
    Put(wav, channels, 2);
    Put(wav, sampleRate, 4);
    Put(wav, sampleRate * channels * 2, 4);
    Put(wav, channels * 2, 2);
    Put(wav, 16, 2);
    wav.append("data");
    Put(wav, dataSize, 4);
    return wav + samples16;
}

QByteArray SineWav(int sampleRate, int channels, int ms, double hz, double level)
{
    const qint64 frames = qint64{sampleRate} * ms / 1000;
    QByteArray samples;
    for (qint64 n = 0; n < frames; ++n) {
        const auto value = static_cast<qint16>(std::lround(level * 32767 * std::sin(2 * M_PI * hz * n / sampleRate)));
        for (int c = 0; c < channels; ++c)
            Put(samples, static_cast<quint16>(value), 2);
    }
    return MakeWav(samples, sampleRate, channels);
}

Pcm16 ReadPcm16(const QByteArray& wav)
{
    WavSound sound;
    const Status parsed = ParseWav(wav, sound);
    if (!parsed || sound.bitsPerSample != 16 || sound.isFloat) {
        ADD_FAILURE() << "not a 16-bit PCM WAV image: " << parsed.reason().toStdString();
        return {};
    }
    Pcm16 pcm;
    pcm.sampleRate = sound.sampleRate;
    pcm.channels = sound.channels;
    pcm.samples.resize(sound.samples.size() / 2);
    for (qsizetype i = 0; i < pcm.samples.size(); ++i)
        pcm.samples[i] = qFromLittleEndian<qint16>(sound.samples.constData() + 2 * i);
    return pcm;
}
