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
    return RefusingChange([test = std::move(test)](const QString& text, const QString&) { return test(text); },
                          message);
}

FieldCheck RefusingChange(std::function<bool(const QString& text, const QString& before)> test,
                          const QString& message)
{
    FieldCheck check;
    check.test = std::move(test);
    check.message = message;
    return check;
}

FieldCheck FirstOf(std::vector<FieldCheck> checks)
{
    FieldCheck check;
    check.parts = std::move(checks);
    check.test = [parts = check.parts](const QString& text, const QString& before) {
        for (const FieldCheck& part : parts)
            if (part.refuses(text, before))
                return true;
        return false;
    };
    return check;
}

const FieldCheck& FieldCheck::speaking(const QString& text, const QString& before) const
{
    for (const FieldCheck& part : parts)
        if (part.refuses(text, before))
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
