// Plays one framed DTMF command (unlock code "12" of port 1, the keys, the
// terminator "D", lock code "0") through the real sound output, as the DTMF
// transport of the uploads does, with no keying port. In a process of its own
// so that each test chooses the sound server it sees. Usage:
//   sound_probe <DTMF delay ms> <command keys>
// Prints one line per failure and exits 1 when there was any.
#include "FakeSerialPort.h"
#include "ScriptedDialogs.h"
#include "link/DtmfPlayer.h"
#include "link/DtmfTransport.h"
#include "link/SerialLink.h"
#include "platform/QtSoundOutput.h"
#include "platform/SystemClock.h"
#include "store/SettingsTables.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;

    SettingsTables tables;
    tables.ComPortValue = "0";
    tables.DTMFDelayValue = args[1];
    tables.CurrentPortUnlock[1] = "12";
    tables.CurrentLock = "0";
    tables.Terminator = "D";
    SystemClock clock;
    QtSoundOutput sound(clock);
    FakeSerialPort port;
    ScriptedDialogs dialogs;
    SerialLink link(port, tables, dialogs, clock);
    DtmfPlayer player(tables, sound, link);
    DtmfTransport transport(tables, sound, link, player);

    QTextStream out(stdout);
    if (const Status begun = transport.begin(); !begun) {
        out << "begin: " << begun.reason() << Qt::endl;
        return 1;
    }
    const ControllerCommand command{{}, {{Player::String, args[2]}, {Player::Terminator, {}}}, {}};
    const bool played = transport.send(command, 1, Framing::Full) == Outcome::Accepted;
    const bool ended = transport.end().ok();
    if (!played)
        out << "send: not played" << Qt::endl;
    for (const QString& message : dialogs.messageTexts())
        out << "message: " << message << Qt::endl;
    return played && ended && dialogs.shown().empty() ? 0 : 1;
}
