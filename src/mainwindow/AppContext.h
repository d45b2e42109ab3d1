#pragma once

class Clock;
class Dialogs;
class ErrorLog;
class Profile;
struct SettingsTables;

#include <QString>

// What every window is handed instead of globals: the settings and the
// platform services. The application owns them for the whole run.
struct AppContext {
    SettingsTables& tables;
    Profile& profile;
    Dialogs& dialogs;
    Clock& clock;
    ErrorLog& log;
    QString settingsFile; // zarn.ini
};
