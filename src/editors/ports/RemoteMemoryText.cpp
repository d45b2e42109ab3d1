#include "editors/ports/RemoteMemoryText.h"

#include "store/TextHelpers.h"

#include <QRegularExpression>

namespace {

bool isOffset(QChar c) { return c == u'1' || c == u'2' || c == u'3'; }

} // namespace

bool IsEmptyMemory(const QString& freqString)
{
    return WithoutNoneStored(freqString).trimmed().isEmpty();
}

QString FrequencyDigits(const QString& typed) { return QString(typed).remove(u' ').remove(u'.'); }

FrequencyParts SplitFreqString(const QString& freqString)
{
    if (IsEmptyMemory(freqString))
        return {};
    const QString t = freqString.trimmed();
    return {t.chopped(1).remove(u' '), isOffset(t.back()) ? QString(t.back()) : QString()};
}

QString JoinFreqString(const QString& frequency, const QString& offset, const QString& stored)
{
    const QString digits = FrequencyDigits(frequency);
    if (digits.isEmpty() && offset.isEmpty())
        return IsEmptyMemory(stored) ? stored : QString();
    return digits + (offset.isEmpty() ? QStringLiteral("0") : offset);
}

MemoryFault MemoryFaultOf(const QString& freqString)
{
    if (IsEmptyMemory(freqString))
        return MemoryFault::None;
    static const QRegularExpression sixDigits(QStringLiteral("^[0-9]{6}$"));
    const FrequencyParts parts = SplitFreqString(freqString);
    if (parts.frequency.isEmpty())
        return MemoryFault::NoFrequency;
    if (!sixDigits.match(parts.frequency).hasMatch())
        return MemoryFault::NotSixDigits;
    return parts.offset.isEmpty() ? MemoryFault::NoOffset : MemoryFault::None;
}
