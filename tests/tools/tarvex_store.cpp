// A command-line door to the store, for scripts and end-to-end tests.

#include "platform/IniFileProfile.h"

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

struct Command {
    const char* name;
    const char* arguments; // as the usage line shows them, one word each
    int (*run)(const QStringList& args, QTextStream& out, QTextStream& err);
};

// A new command is one more row.
const Command Commands[] = {
    {"ini-get", "FILE SECTION KEY", iniGet},
    {"ini-set", "FILE SECTION KEY VALUE", iniSet},
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
            return command.run(args, out, err);
    }
    return usage(err);
}
