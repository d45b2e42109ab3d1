#include "DtmfDecoder.h"

#include "DtmfKeyTable.h"
#include "WavFile.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

QStringList DecodeDtmf(const QByteArray& wav)
{
    QTemporaryFile file(QStringLiteral("dtmf-XXXXXX.wav"));
    if (!file.open() || file.write(wav) != wav.size() || !file.flush()) {
        ADD_FAILURE() << "cannot write the sound for the decoder";
        return {};
    }
    QProcess decoder;
    decoder.start(QStringLiteral("multimon-ng"),
                  {QStringLiteral("-q"), QStringLiteral("-c"), QStringLiteral("-a"),
                   QStringLiteral("DTMF"), QStringLiteral("-t"), QStringLiteral("wav"),
                   file.fileName()});
    if (!decoder.waitForFinished(30000) || decoder.exitCode() != 0) {
        ADD_FAILURE() << "multimon-ng did not decode (tools/setup installs it): "
                      << decoder.errorString().toStdString() << ' '
                      << decoder.readAllStandardError().toStdString();
        decoder.kill();
        decoder.waitForFinished(1000);
        return {};
    }
    QStringList keys;
    static const QRegularExpression line(QStringLiteral("^DTMF: (.)$"),
                                         QRegularExpression::MultilineOption);
    for (const auto& match : line.globalMatch(QString::fromLatin1(decoder.readAllStandardOutput())))
        keys << match.captured(1);
    return keys;
}

namespace {

// Quiet stretches shorter than this belong to the tone around them (zero
// crossings, beats of the two tones).
constexpr double BridgeMs = 5;

double GoertzelPower(const Pcm16& pcm, qsizetype from, qsizetype to, int frequency)
{
    const double coefficient = 2 * std::cos(2 * std::numbers::pi * frequency / pcm.sampleRate);
    double s1 = 0;
    double s2 = 0;
    for (qsizetype n = from; n < to; ++n) {
        const double s0 = pcm.at(n, 0) + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return s1 * s1 + s2 * s2 - coefficient * s1 * s2;
}

// The index of the strongest of four tones, or -1 when it is not clearly so.
template <typename Tones>
int Strongest(const Pcm16& pcm, qsizetype from, qsizetype to, const Tones& tones)
{
    std::array<double, 4> power{};
    for (size_t i = 0; i < tones.size(); ++i)
        power[i] = GoertzelPower(pcm, from, to, tones[i]);
    const auto best = std::max_element(power.begin(), power.end()) - power.begin();
    for (size_t i = 0; i < power.size(); ++i)
        if (static_cast<long>(i) != best && power[i] * 10 > power[best])
            return -1;
    return static_cast<int>(best);
}

char KeyOf(const Pcm16& pcm, qsizetype from, qsizetype to)
{
    const int row = Strongest(pcm, from, to, DtmfRows);
    const int column = Strongest(pcm, from, to, DtmfColumns);
    return row < 0 || column < 0 ? '?' : DtmfKeys[row * 4 + column].key;
}

} // namespace

QList<DtmfTone> FindDtmfTones(const QByteArray& wav)
{
    const Pcm16 pcm = ReadPcm16(wav);
    int peak = 0;
    for (qsizetype n = 0; n < pcm.frames(); ++n)
        peak = std::max(peak, std::abs(int(pcm.at(n, 0))));
    const int threshold = peak / 16;
    const auto bridge = static_cast<qsizetype>(BridgeMs * pcm.sampleRate / 1000);

    QList<DtmfTone> tones;
    qsizetype n = 0;
    while (peak > 0) {
        while (n < pcm.frames() && std::abs(int(pcm.at(n, 0))) <= threshold)
            ++n;
        if (n == pcm.frames())
            break;
        const qsizetype first = n;
        qsizetype last = n;
        for (; n < pcm.frames() && n - last <= bridge; ++n)
            if (std::abs(int(pcm.at(n, 0))) > threshold)
                last = n;
        const double msPerFrame = 1000.0 / pcm.sampleRate;
        tones << DtmfTone{KeyOf(pcm, first, last + 1), first * msPerFrame,
                          (last - first + 1) * msPerFrame};
        n = last + 1;
    }
    return tones;
}
