#pragma once

#include <QString>

inline const QString ProgramName = QStringLiteral("Tarvex Programmer");

// "Version 1.0.12": major, minor and revision as plain decimal digits.
QString VersionText();
