#include "editors/FieldCheck.h"

#include "store/TextHelpers.h"

FieldCheck Between(double min, double max, const QString& message)
{
    return Refusing(
        [min, max](const QString& text) {
            const double value = LeadingNumber(text);
            return value < min || value > max;
        },
        message);
}

FieldCheck Refusing(std::function<bool(const QString& text)> test, const QString& message)
{
    FieldCheck check;
    check.refuses = std::move(test);
    check.message = message;
    return check;
}

FieldCheck FirstOf(std::vector<FieldCheck> checks)
{
    FieldCheck check;
    check.parts = std::move(checks);
    check.refuses = [parts = check.parts](const QString& text) {
        for (const FieldCheck& part : parts)
            if (part.refuses(text))
                return true;
        return false;
    };
    return check;
}

const FieldCheck& FieldCheck::speaking(const QString& text) const
{
    for (const FieldCheck& part : parts)
        if (part.refuses(text))
            return part;
    return *this;
}

MessageStyle PlainStyle() { return {QString(), Dialogs::Icon::None}; }

FieldCheck Plain(FieldCheck check)
{
    const MessageStyle plain = PlainStyle();
    check.title = plain.title;
    check.icon = plain.icon;
    for (FieldCheck& part : check.parts)
        part = Plain(std::move(part));
    return check;
}
