#pragma once

#include "FakeLinkRig.h"
#include "MemoryProfile.h"
#include "store/AppContext.h"
#include "store/SettingsNotices.h"
#include "platform/ComPorts.h"
#include "store/ErrorLog.h"

// What a window of the link is handed, over the fake link.
struct WindowRig : FakeLinkRig {
    QString read(const QString& section, const QString& key) { return profile.read("zarn.ini", section, key); }

    MemoryProfile profile;
    ErrorLog log;
    SettingsNotices notices;
    ComPorts comPorts{[](const QString&) { return QString(); }, [] { return QStringList(); }};
    AppContext context{tables, profile, dialogs, clock, log, "zarn.ini", port, comPorts, sound, notices};
};
