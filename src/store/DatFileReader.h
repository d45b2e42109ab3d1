#pragma once

class Dialogs;
class ErrorLog;
class Profile;
struct SettingsTables;

// Fills every setting from the configuration file named by CurrentDatFile.
// Each value is tested by its rule; a refused one is logged, replaced by its
// default and marks its section for the next save. Reading never writes the
// file. The one question it may show: the lock code equals the terminator.
void ReadDatFile(SettingsTables& tables, Profile& profile, ErrorLog& log, Dialogs& dialogs);
