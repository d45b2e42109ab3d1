#include "editors/macros/SchedulerRules.h"


#include <QRegularExpression>

std::optional<QString> ClockCorrectionRefusal(const QString& copy)
{
    static const QRegularExpression seconds(QStringLiteral("^A?[0-9]+$"));
    if (seconds.match(copy).hasMatch()) {
        // The controller holds the correction in an unsigned 16-bit word.
        constexpr int Most = 65535;
        const QStringView digits = QStringView(copy).mid(copy.startsWith(u'A') ? 1 : 0);
        bool fits = false;
        if (digits.toUInt(&fits) <= Most && fits)
            return std::nullopt;
        return QStringLiteral("\"%1\" is more than the controller can hold. Give at most %2 seconds, either way")
            .arg(copy.startsWith(u'A') ? QStringLiteral("-") + digits.toString() : copy)
            .arg(Most);
    }
    if (copy.trimmed().isEmpty())
        return QStringLiteral("it is empty. Give the correction in seconds, such as 5 or -5 (0 for none)");
    // Told as the user types a negative correction.
    const QString typed = copy.startsWith(u'A') ? QStringLiteral("-") + copy.mid(1) : copy;
    return QStringLiteral("\"%1\" is no number of seconds. Give digits only, with a \"-\" before them for a "
                          "negative correction, such as 5 or -5")
        .arg(typed);
}
