#pragma once

#include <QString>
#include <QStringList>

// The object name of a control: a control array's element carries its index
// in parentheses, as the configuration keys do ("HangTimer(2)"); a single
// control (index 0) keeps its plain name.
QString ControlName(const QString& name, int index = 0);

// The macro lists' items "1" to "90".
QStringList MacroNumbers();
