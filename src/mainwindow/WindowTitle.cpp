#include "mainwindow/WindowTitle.h"

#include "mainwindow/Version.h"
#include "store/TextHelpers.h"

namespace {
constexpr int ShortPath = 20;
}

QString MainWindowTitle(const QString& path)
{
    const QString head = ProgramName + QStringLiteral("  ") + VersionText();
    if (path.size() <= ShortPath)
        return head + QStringLiteral("    ") + path;
    // The separator the path itself uses, so a Linux path is not shown with "\".
    const QChar separator = path.contains(QLatin1Char('\\')) ? QLatin1Char('\\') : QLatin1Char('/');
    return head + QStringLiteral("   ") + path.left(ShortPath) + QStringLiteral("....") + separator
           + GetFileName(path);
}
