#include "store/ValueRule.h"

#include "store/TextHelpers.h"

#include <QRegularExpression>

namespace {

// The text as stored, untrimmed: the profile reader has already dropped blanks
// and tabs, and any other control character kept here would reach the
// controller inside a command line.
bool unsignedDigits(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text)
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
    return pattern.match(text).hasMatch();
}

} // namespace

QString ValueRule::normalised(const QString& text) const
{
    switch (check) {
    case Check::Upper: return text.toUpper();
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
