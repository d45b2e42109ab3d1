#pragma once

#include <QString>

// The folder of the settings file and the error log: the folder named by
// TARVEX_PROGRAMMER_HOME when set, else the program's folder when it can be
// written, else the per-user configuration folder.
QString AppHomeFolder();
QString SettingsFilePath(); // zarn.ini in that folder
QString ErrorLogPath();     // error.log in that folder
// The per-user configuration folder, where files go when the others cannot.
QString UserConfigFolder();
