#pragma once

#include "platform/Profile.h"

#include <vector>

struct AppContext;

// Writes keys of [Main] of the settings file; a failed write is shown to the
// user with its reason. True when written.
// Shows a failed write of the settings file; true when it succeeded.
bool ReportSettingsWrite(AppContext& context, const Status& written);
bool WriteMainKeys(AppContext& context, const std::vector<ProfileEntry>& entries);
bool WriteMainKey(AppContext& context, const QString& key, const QString& value);
QString ReadMainKey(AppContext& context, const QString& key);

// A number as the port menus store it: a leading blank for 0 and above.
QString WithLeadingBlank(int number);
