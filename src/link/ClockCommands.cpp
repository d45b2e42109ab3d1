#include "link/ClockCommands.h"

namespace {

QString Two(int n) { return QString::number(n % 100).rightJustified(2, u'0'); }

ControllerCommand ClockCommand(const QString& code, const QString& digits)
{
    return {{"1" + code + digits},
            {{Player::String, code}, {Player::CodeDigits, digits}, {Player::Terminator, {}}},
            {}};
}

} // namespace

ControllerCommand ClockDateCommand(const QDateTime& at)
{
    const QDate date = at.date();
    return ClockCommand(QStringLiteral("*5101"), Two(date.month()) + Two(date.day()) + Two(date.year()));
}

ControllerCommand ClockTimeCommand(const QDateTime& at, bool international)
{
    // The US form is read from a 12-hour text and turned into 0-23 hours all
    // the same, so both forms carry the 24-hour hour; only the second differs.
    const QTime time = at.time();
    QString digits = Two(time.hour()) + Two(time.minute());
    if (international)
        digits += Two(time.second());
    return ClockCommand(QStringLiteral("*5100"), digits);
}

bool InternationalDateFormat(const QString& dateFormat) { return dateFormat.trimmed() == u"True"; }
