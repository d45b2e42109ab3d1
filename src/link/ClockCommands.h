#pragma once

#include "link/ControllerCommand.h"

#include <QDateTime>
#include <QString>

// The commands that set the controller's calendar and clock, from the PC's
// date and time as read, never from text in the PC's own format.

// "1*5101" and the month, day and year, two digits each: the controller takes
// the month first whatever the PC's date format.
ControllerCommand ClockDateCommand(const QDateTime& at);
// "1*5100" and the hour (0-23) and minute, two digits each; the international
// form adds the second.
ControllerCommand ClockTimeCommand(const QDateTime& at, bool international);

// DateFormat "True" is the international form, anything else the US one.
bool InternationalDateFormat(const QString& dateFormat);
