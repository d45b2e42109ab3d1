#include "download/EramDecoders.h"

#include "download/CanonicalDecimal.h"
#include "link/DtmfPlayer.h"
#include "link/Vocabulary.h"

QString DecodeDTMFDigits(QByteArrayView packed)
{
    QString digits;
    for (qsizetype i = 0; i < qMin<qsizetype>(packed.size(), 4); ++i) {
        const int byte = static_cast<quint8>(packed[i]);
        digits += DtmfKeyOfNumber(byte & 0x0F);
        digits += DtmfKeyOfNumber(byte >> 4);
    }
    return digits;
}

QString DecodeCWChar(QStringView code)
{
    if (code.isEmpty())
        return QString();
    const auto number = CanonicalDecimal(code, 99);
    if (!number)
        return QString();
    return CWCharOfCode(QString::number(*number).rightJustified(2, u'0')).value_or(QString());
}

QString DecodeVoiceWord(QStringView code)
{
    const auto number = CanonicalDecimal(code, VoiceWordCount - 1);
    if (!number)
        return QString();
    return VoiceWordOfCode(QString::number(*number).rightJustified(3, u'0')).value_or(QString());
}
