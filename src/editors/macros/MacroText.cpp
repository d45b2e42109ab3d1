#include "editors/macros/MacroText.h"

#include "editors/macros/MacroCatalogue.h"
#include "store/TextHelpers.h"

#include <QStringList>

int MacroSlots(const QString& text)
{
    const auto slotsAt = [&text](qsizetype start) { return LeadingNumber(QStringView(text).mid(start, 3)) >= 255 ? 2 : 1; };
    int total = slotsAt(0);
    for (qsizetype blank = text.indexOf(u' '); blank >= 0; blank = text.indexOf(u' ', blank + 1))
        total += slotsAt(blank + 1);
    return total;
}

std::optional<QString> MacroFault(const QString& text, int limit)
{
    if (text == NoneStored)
        return std::nullopt;
    for (const QString& code : text.split(u' ')) {
        if (code.isEmpty())
            return QStringLiteral("functions are separated by one blank");
        if (!FindFunction(code))
            return QStringLiteral("\"%1\" is no function code (three digits from the function list)").arg(code);
    }
    if (const int used = MacroSlots(text); used > limit)
        return QStringLiteral("%1 function slots used, of %2 (functions greater than 255 count as 2)")
            .arg(used)
            .arg(limit);
    return std::nullopt;
}

QString TooManyFunctionsText(int limit)
{
    return QStringLiteral("You can only use %1 functions in this macro! (remember that functions greater than 255 "
                          "count as 2)")
        .arg(limit);
}

QString DefaultRunCode(int macro) { return QStringLiteral("7046") + QString::number(macro); }
