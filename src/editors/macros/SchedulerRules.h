#pragma once

#include <QString>
#include <optional>

// The set point macro as the scheduler editor loads it: trimmed, a macro "0"
// or "00" (none) taken as macro 1, and two digits: " 7" gives "07".
QString SetPointMacroForm(const QString& stored);

// Why Apply cannot store a clock correction copy, nothing when it can. The
// controller takes a number of seconds, "A" standing for minus ("-5" is held
// as "A5"): one or more digits with an optional "A" before them.
std::optional<QString> ClockCorrectionRefusal(const QString& copy);
