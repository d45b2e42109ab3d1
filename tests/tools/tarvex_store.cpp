// A command-line door to the store, for scripts and end-to-end tests.

#include "platform/Dialogs.h"
#include "platform/IniFileProfile.h"
#include "store/DatFileReader.h"
#include "store/DatFileWriter.h"
#include "store/ErrorLog.h"
#include "store/FilePlans.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>
#include <cstdio>

namespace {

constexpr int Failed = 1;
constexpr int Usage = 2;

int iniGet(const QStringList& args, QTextStream& out, QTextStream&)
{
    out << IniFileProfile().read(args[0], args[1], args[2]) << '\n';
    return 0;
}

int iniSet(const QStringList& args, QTextStream&, QTextStream& err)
{
    const Status status = IniFileProfile().write(args[0], args[1], args[2], args[3]);
    if (status.ok())
        return 0;
    err << status.reason() << '\n';
    return Failed;
}

// Prints each message as it is shown and answers it with OK.
class PrintedDialogs final : public Dialogs {
public:
    explicit PrintedDialogs(QStringList& shown) : m_shown(shown) {}
    Answer message(const QString& title, const QString& text, Buttons, Icon) override
    {
        m_shown << QStringLiteral("MESSAGE: %1: %2").arg(title, text);
        return Answer::Ok;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> openFile(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> saveFile(const QString&, const QString&, const QString&) override { return {}; }

private:
    QStringList& m_shown;
};

struct ReadResult {
    SettingsTables tables;
    QStringList messages;
    bool logged = true;
};

void readFile(ReadResult& r, IniFileProfile& profile, const QString& file, const QString& logFile)
{
    ErrorLog log;
    r.logged = logFile.isEmpty() || log.create(logFile);
    PrintedDialogs dialogs(r.messages);
    r.tables.CurrentDatFile = file;
    ReadDatFile(r.tables, profile, log, dialogs);
}

void printSetting(QTextStream& out, const QString& name, const QString& value)
{
    out << name << '=' << value << '\n';
}

// Every setting in the reader's order, then the flags that are set, then the messages.
int read(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args[1] != QLatin1String("--log"))
        return Usage;
    IniFileProfile profile;
    ReadResult r;
    readFile(r, profile, args[0], args[2]);
    if (!r.logged) {
        err << "Cannot create the log " << args[2] << '\n';
        return Failed;
    }
    SettingsTables& t = r.tables;
    for (const auto& part : ReaderPlan()) {
        if (part.lockAndTerminator) {
            printSetting(out, "CurrentLock", t.CurrentLock);
            printSetting(out, "Lock", t.Lock);
            printSetting(out, "CurrentTerminator", t.CurrentTerminator);
            printSetting(out, "Terminator", t.Terminator);
            continue;
        }
        for (int i = part.loop ? 1 : 0; i <= part.loop; ++i)
            for (const KeyStem* stem : part.stems)
                printSetting(out, stem->isArray() ? QStringLiteral("%1(%2)").arg(stem->name).arg(i) : stem->name,
                             stem->value(t, i));
    }
    const std::pair<const char*, bool> flags[] = {
        {"TimersChanged", t.TimersChanged}, {"SchedulerChanged", t.SchedulerChanged},
        {"AnalogChanged", t.AnalogChanged}, {"RemoteChanged", t.RemoteChanged},
        {"AlarmsChanged", t.AlarmsChanged}, {"IDChanged", t.IDChanged},
        {"MacrosChanged", t.MacrosChanged}, {"MacroPortsChanged", t.MacroPortsChanged},
        {"CourtesyChanged", t.CourtesyChanged}, {"IDExtrasChanged", t.IDExtrasChanged},
        {"MessageMacrosChanged", t.MessageMacrosChanged}, {"DTMFChanged", t.DTMFChanged},
        {"SpecialCodesChanged", t.SpecialCodesChanged}, {"MacroSubsetChanged", t.MacroSubsetChanged},
        {"DTMFMuteDigitSelectChanged", t.DTMFMuteDigitSelectChanged},
        {"PortSwitchesChanged", t.PortSwitchesChanged}, {"CommandPrefixChanged", t.CommandPrefixChanged},
        {"DatFileErrors", t.DatFileErrors}, {"SelectSpecialCodes", t.SelectSpecialCodes},
    };
    for (const auto& [name, set] : flags)
        if (set)
            out << "FLAG: " << name << '\n';
    for (const QString& m : r.messages)
        out << m << '\n';
    return 0;
}

// Reads IN, sets every save flag as File Save does, and writes OUT.
int resave(const QStringList& args, QTextStream&, QTextStream& err)
{
    IniFileProfile profile;
    ReadResult r;
    readFile(r, profile, args[0], QString());
    r.tables.CurrentDatFile = args[1];
    r.tables.setAllSectionFlags(true);
    r.tables.CommandPrefixChanged = true;
    const Status written = WriteDatFile(r.tables, profile);
    if (written.ok())
        return 0;
    err << written.reason() << '\n';
    return Failed;
}

struct Command {
    const char* name;
    const char* arguments; // as the usage line shows them, one word each
    int (*run)(const QStringList& args, QTextStream& out, QTextStream& err);
};

// A new command is one more row.
const Command Commands[] = {
    {"ini-get", "FILE SECTION KEY", iniGet},
    {"ini-set", "FILE SECTION KEY VALUE", iniSet},
    {"read", "FILE --log LOG", read},
    {"resave", "IN OUT", resave},
};

int usage(QTextStream& err)
{
    for (const Command& command : Commands)
        err << "usage: tarvex-store " << command.name << ' ' << command.arguments << '\n';
    return Usage;
}

} // namespace

int main(int argc, char* argv[])
{
    const QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = QCoreApplication::arguments().mid(1);
    const QString name = args.isEmpty() ? QString() : args.takeFirst();
    for (const Command& command : Commands) {
        if (name == QLatin1String(command.name)
            && args.size() == QString::fromLatin1(command.arguments).split(' ').size())
        {
            const int status = command.run(args, out, err);
            return status == Usage ? usage(err) : status;
        }
    }
    return usage(err);
}
