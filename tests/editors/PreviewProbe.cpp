// Presses Preview in a courtesy tone editor that plays through the real sound
// output, on port 1's tone 1 set for the mode. In a process of its own so
// that each test chooses the sound server it sees. Usage:
//   preview_probe play   250 ms of 1000 Hz, 100 ms of silence, 100 ms of the key "1"
//   preview_probe stop   the key "1" for 30 s, Preview pressed again after 3 s
// Prints each message shown and exits 1 when there was any.
#include "FakeSerialPort.h"
#include "MemoryProfile.h"
#include "ScriptedDialogs.h"
#include "editors/timing/Courtesy.h"
#include "platform/ComPorts.h"
#include "platform/QtSoundOutput.h"
#include "platform/SystemClock.h"
#include "store/AppContext.h"
#include "store/CourtesyArrays.h"
#include "store/ErrorLog.h"
#include "store/SettingsNotices.h"
#include "store/SettingsTables.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 || (args[1] != "play" && args[1] != "stop"))
        return 2;
    const bool stop = args[1] == "stop";

    SettingsTables tables;
    for (const CourtesyField field : CourtesyFields)
        for (int n = 1; n <= CourtesyArrayCount(field); ++n)
            (tables.*CourtesyArray(1, field, n)).fill(QStringLiteral("0"));
    if (stop) {
        tables.P1Dur1[1] = "30000";
        tables.P1Tone1[1] = "697";
        tables.P1Tone2[1] = "1209";
    } else {
        tables.P1Delay1[1] = "250";
        tables.P1Dur1[1] = "250";
        tables.P1Tone1[1] = "1000";
        tables.P1Delay2[1] = "100";
        tables.P1Dur2[1] = "100";
        tables.P1Tone3[1] = "697";
        tables.P1Tone4[1] = "1209";
    }

    MemoryProfile profile;
    ScriptedDialogs dialogs;
    SystemClock clock;
    ErrorLog log;
    FakeSerialPort serial;
    const ComPorts comPorts([](const QString&) { return QString(); }, [] { return QStringList(); });
    QtSoundOutput sound(clock);
    SettingsNotices notices;
    AppContext context{tables, profile, dialogs, clock, log, QStringLiteral("zarn.ini"), serial, comPorts, sound,
                       notices};

    QTextStream out(stdout);
    {
        Courtesy editor(context);
        editor.show();
        auto* preview = editor.findChild<QPushButton*>(QStringLiteral("Preview"));
        QElapsedTimer sinceStop;
        if (stop)
            QTimer::singleShot(3000, &editor, [&] {
                sinceStop.start();
                preview->click();
            });
        preview->click();
        if (stop)
            out << "the run ended " << sinceStop.elapsed() << " ms after the stop" << Qt::endl;
    }
    for (const QString& message : dialogs.messageTexts())
        out << "message: " << message << Qt::endl;
    return dialogs.shown().empty() ? 0 : 1;
}
