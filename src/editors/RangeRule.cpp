#include "editors/RangeRule.h"

#include "store/TextHelpers.h"

bool RangeRule::refuses(const QString& text) const
{
    const double value = LeadingNumber(text);
    return value < min || value > max;
}

RangeRule Between(double min, double max, const QString& message)
{
    RangeRule rule;
    rule.min = min;
    rule.max = max;
    rule.message = message;
    return rule;
}
