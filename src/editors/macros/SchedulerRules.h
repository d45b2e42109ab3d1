#pragma once

#include <QString>
#include <optional>

// Why Apply cannot store a clock correction copy, nothing when it can. The
// controller takes a number of seconds, "A" standing for minus ("-5" is held
// as "A5"): one or more digits with an optional "A" before them.
std::optional<QString> ClockCorrectionRefusal(const QString& copy);
