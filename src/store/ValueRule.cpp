#include "store/ValueRule.h"

#include "store/TextHelpers.h"

#include <QRegularExpression>

namespace {

// Blanks and tabs around a value are what the profile drops on reading, so a
// box's " 50" reads back as "50"; any other control character would stay and
// reach the controller inside a command line.
QStringView blanksTrimmed(QStringView text)
{
    while (!text.isEmpty() && (text.front() == u' ' || text.front() == u'\t'))
        text = text.sliced(1);
    while (!text.isEmpty() && (text.back() == u' ' || text.back() == u'\t'))
        text.chop(1);
    return text;
}

bool unsignedDigits(const QString& text)
{
    const QStringView t = blanksTrimmed(text);
    if (t.isEmpty())
        return false;
    for (QChar c : t)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

bool inRange(const ValueRule& rule, const QString& text)
{
    if (!unsignedDigits(text))
        return false;
    const double value = LeadingNumber(text);
    return value >= rule.min && value <= rule.max;
}

bool signedDecimal(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral(R"(^[+-]?(\d+(\.\d*)?|\.\d+)$)"));
    return pattern.match(blanksTrimmed(text)).hasMatch();
}

} // namespace

QString ValueRule::normalised(const QString& text) const
{
    switch (check) {
    case Check::Upper: return UpperLatin1(text);
    case Check::MacroCodes: return GroupMacroCodes(text);
    case Check::Digits: return SpaceOutDigits(text);
    default: return text;
    }
}

bool ValueRule::accepts(const QString& text) const
{
    switch (check) {
    case Check::AsRead: return true;
    case Check::NotEmpty:
    case Check::Upper:
    case Check::MacroCodes:
    case Check::Digits: return !text.isEmpty();
    case Check::AtMost: return !text.isEmpty() && text.size() <= maxLength;
    case Check::Number:
    case Check::Tone:
    case Check::MessageNum: return inRange(*this, text);
    case Check::Hours: return text == u"0A" || inRange(*this, text);
    case Check::Calibration: return signedDecimal(text) && LeadingNumber(text) <= max;
    }
    return false;
}

QString ValueRule::finished(const QString& text) const
{
    if (check == Check::Tone && text.size() < 4)
        return u'0' + text;
    return text;
}
