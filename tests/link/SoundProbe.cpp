// Plays DTMF keys through the real sound output, in a process of its own so
// that each test chooses the sound server it sees. Usage:
//   sound_probe <silence ms before each key> <keys>
// Prints one line per call that failed and exits 1 when any did.
#include "DtmfKeyTable.h"
#include "link/SoundCommands.h"
#include "platform/QtSoundOutput.h"
#include "platform/SystemClock.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QThread>

#include <algorithm>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    const int silenceMs = args[1].toInt();

    SystemClock clock;
    QtSoundOutput sound(clock);
    QTextStream out(stdout);
    bool failed = false;
    const auto report = [&](const char* call, const Status& status) {
        if (!status) {
            out << call << ": " << status.reason() << Qt::endl;
            failed = true;
        }
    };

    report("beginRun", sound.beginRun());
    for (const QChar c : args[2]) {
        const auto key = std::find_if(DtmfKeys.begin(), DtmfKeys.end(),
                                      [&](const DtmfKey& k) { return k.key == c.toLatin1(); });
        if (key == DtmfKeys.end())
            return 2;
        if (qEnvironmentVariableIsSet("PAUSE")) QThread::msleep(qEnvironmentVariableIntValue("PAUSE"));
        report("playSilence", sound.playSilence(silenceMs));
        report("PlayTonePair", PlayTonePair(sound, key->low, key->high, 0.06));
    }
    report("endRun", sound.endRun());
    return failed ? 1 : 0;
}
