#include "platform/WavImage.h"

#include <QtEndian>
#include <cstring>

namespace {

constexpr quint16 FormatPcm = 1;
constexpr quint16 FormatFloat = 3;
constexpr quint16 FormatExtensible = 0xFFFE;

quint16 Read16(const char* at) { return qFromLittleEndian<quint16>(at); }
quint32 Read32(const char* at) { return qFromLittleEndian<quint32>(at); }

Status ReadFormat(const char* fmt, qint64 size, WavSound& sound)
{
    if (size < 16)
        return Status::failure(QStringLiteral("its format chunk is too short"));
    quint16 tag = Read16(fmt);
    // The extensible header names the real format in its sub-format's first bytes.
    if (tag == FormatExtensible && size >= 26)
        tag = Read16(fmt + 24);
    sound.channels = Read16(fmt + 2);
    sound.sampleRate = static_cast<int>(qMin<quint32>(Read32(fmt + 4), 0x7FFFFFFF));
    sound.bitsPerSample = Read16(fmt + 14);
    sound.isFloat = tag == FormatFloat;

    const bool pcm = tag == FormatPcm
        && (sound.bitsPerSample == 8 || sound.bitsPerSample == 16 || sound.bitsPerSample == 32);
    const bool floating = sound.isFloat && sound.bitsPerSample == 32;
    if (!pcm && !floating)
        return Status::failure(QStringLiteral("its sample format (%1, %2 bits) is not supported")
                                   .arg(tag)
                                   .arg(sound.bitsPerSample));
    if (sound.channels < 1 || sound.channels > 8 || sound.sampleRate < 1000
        || sound.sampleRate > 384000)
        return Status::failure(QStringLiteral("it has %1 channels at %2 Hz")
                                   .arg(sound.channels)
                                   .arg(sound.sampleRate));
    return Status::success();
}

} // namespace

QByteArray WavHeader(int sampleRate, int channels, int bitsPerSample, qint64 dataSize)
{
    const int blockAlign = channels * bitsPerSample / 8;
    QByteArray header(WavHeaderSize, Qt::Uninitialized);
    char* at = header.data();
    const auto text = [&at](const char* four) {
        std::memcpy(at, four, 4);
        at += 4;
    };
    const auto number = [&at](quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            *at++ = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    text("RIFF");
    number(static_cast<quint32>(dataSize + 36), 4);
    text("WAVE");
    text("fmt ");
    number(16, 4);
    number(FormatPcm, 2);
    number(static_cast<quint32>(channels), 2);
    number(static_cast<quint32>(sampleRate), 4);
    number(static_cast<quint32>(sampleRate * blockAlign), 4);
    number(static_cast<quint32>(blockAlign), 2);
    number(static_cast<quint32>(bitsPerSample), 2);
    text("data");
    number(static_cast<quint32>(dataSize), 4);
    return header;
}

Status ParseWav(const QByteArray& image, WavSound& sound)
{
    sound = WavSound();
    if (image.size() < 12 || !image.startsWith("RIFF") || image.mid(8, 4) != "WAVE")
        return Status::failure(QStringLiteral("it is not a WAV file"));

    const char* base = image.constData();
    const qint64 end = image.size();
    bool haveFormat = false;
    const char* data = nullptr;
    qint64 dataSize = 0;
    for (qint64 at = 12; at + 8 <= end;) {
        const QByteArray id(base + at, 4);
        const qint64 size = Read32(base + at + 4);
        const qint64 body = at + 8;
        const qint64 available = qMin(size, end - body);
        if (id == "fmt ") {
            const Status format = ReadFormat(base + body, available, sound);
            if (!format)
                return format;
            haveFormat = true;
        } else if (id == "data" && !data) {
            data = base + body;
            dataSize = available;
        }
        at = body + size + (size & 1);
    }
    if (!haveFormat)
        return Status::failure(QStringLiteral("it has no format chunk"));
    if (!data)
        return Status::failure(QStringLiteral("it has no sound data"));
    sound.samples = QByteArray(data, dataSize - dataSize % sound.bytesPerFrame());
    return Status::success();
}
