// Records a WAV file into voice track 15 in serial mode, the controller
// answering every line with "+", through the real sound output. In a process
// of its own so that the test chooses the sound server it sees. Usage:
//   record_probe <WAV file>
// Prints the messages shown; exits 0 when the recording completed.
#include "FakeSerialPort.h"
#include "ScriptedDialogs.h"
#include "link/ControllerLink.h"
#include "link/VoiceTrackRecording.h"
#include "platform/QtSoundOutput.h"
#include "platform/SystemClock.h"
#include "store/SettingsTables.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2)
        return 2;

    SettingsTables tables;
    tables.ComPortValue = "2";
    tables.CurrentLock = "0";
    tables.Terminator = "D";
    tables.WavFileName = args[1];
    SystemClock clock;
    QtSoundOutput sound(clock);
    FakeSerialPort port;
    port.setResponder([&port](const QByteArray& written) {
        if (written.endsWith('\r'))
            port.queueReply("+");
    });
    ScriptedDialogs dialogs;
    ControllerLink controller(tables, port, sound, dialogs, clock);

    const bool recorded = RecordVoiceTrack(tables, controller, dialogs, 15);
    QTextStream out(stdout);
    for (const QString& message : dialogs.messageTexts())
        out << "message: " << message << Qt::endl;
    return recorded ? 0 : 1;
}
