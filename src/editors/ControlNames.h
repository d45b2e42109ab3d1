#pragma once

#include <QString>

// The object name of a control: a control array's element carries its index
// in parentheses, as the configuration keys do ("HangTimer(2)"); a single
// control (index 0) keeps its plain name.
QString ControlName(const QString& name, int index = 0);
