#pragma once

#include <QString>

// The title of the program's own messages and windows.
inline const QString ProgramName = QStringLiteral("Tarvex Programmer");
