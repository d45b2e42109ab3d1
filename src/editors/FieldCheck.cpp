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
