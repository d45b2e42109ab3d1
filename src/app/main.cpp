#include "store/AppContext.h"
#include "mainwindow/Splash.h"
#include "mainwindow/Version.h"
#include "mainwindow/ZarnMain.h"
#include "platform/ComPorts.h"
#include "platform/IniFileProfile.h"
#include "platform/QtDialogs.h"
#include "platform/QtSerialPort.h"
#include "platform/QtSoundOutput.h"
#include "platform/SystemClock.h"
#include "store/AppHome.h"
#include "store/ErrorLog.h"
#include "store/SettingsNotices.h"
#include "store/SettingsTables.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(ProgramName);
    // The program ends only through File Exit or a cancelled start-up.
    QApplication::setQuitOnLastWindowClosed(false);

    SystemClock clock;
    IniFileProfile profile(clock);
    QtDialogs dialogs;
    ErrorLog log;
    SettingsTables tables;
    const QString settingsFile = SettingsFilePath();
    const ComPorts comPorts(ComPorts::portsSection(profile, settingsFile));
    QtSerialPort serial([&comPorts](int comNumber) { return comPorts.deviceFor(comNumber); });
    QtSoundOutput sound(clock);
    SettingsNotices notices;
    AppContext context{tables, profile, dialogs, clock, log, settingsFile, serial, comPorts, sound, notices};

    ZarnMain main(context);
    dialogs.setParent(&main);
    QObject::connect(&main, &ZarnMain::programEnded, &app, [] { QCoreApplication::exit(0); },
                     Qt::QueuedConnection);
    Splash splash(main);
    QObject::connect(&splash, &Splash::cancelled, &app, [] { QCoreApplication::exit(0); },
                     Qt::QueuedConnection);
    splash.show();
    splash.raise();
    return app.exec();
}
