#pragma once

class Clock;
class ComPorts;
class Dialogs;
class ErrorLog;
class Profile;
class SerialPort;
class SettingsNotices;
class SoundOutput;
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
    SerialPort& serial;     // the one port of the program, closed at exit
    const ComPorts& comPorts; // which device each COM item stands for
    SoundOutput& sound;       // the tones of every keyed run
    SettingsNotices& notices; // who wrote which setting, for the loaded editors
};
