#pragma once

#include "store/ProgramName.h"

#include <QString>

// "Version 1.0.12": major, minor and revision as plain decimal digits.
QString VersionText();
