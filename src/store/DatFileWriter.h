#pragma once

#include "platform/Status.h"

class Profile;
struct SettingsTables;

// Stores the sections whose flags are set, and [Unlock] always, into the
// configuration file named by CurrentDatFile, in one atomic write. On success
// the stored sections' flags are cleared and DataSaved is set; on failure
// nothing on disk changes, the flags stay set and the reason is returned.
Status WriteDatFile(SettingsTables& tables, Profile& profile);
