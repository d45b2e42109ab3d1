#pragma once

#include "CountedDialogs.h"
#include "platform/IniFileProfile.h"
#include "store/DatFileReader.h"
#include "store/ErrorLog.h"
#include "store/SettingsTables.h"

#include <QTemporaryDir>

// What the reader makes of a configuration file that does not exist: every
// setting at its default.
inline void ReadDefaultConfiguration(SettingsTables& tables)
{
    QTemporaryDir dir;
    IniFileProfile profile;
    ErrorLog log;
    CountedDialogs dialogs;
    (void)log.create(dir.filePath("error.log"));
    tables.CurrentDatFile = dir.filePath("none.dat");
    ReadDatFile(tables, profile, log, dialogs);
}
