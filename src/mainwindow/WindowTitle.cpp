#include "mainwindow/WindowTitle.h"

#include "mainwindow/Version.h"
#include "store/TextHelpers.h"

namespace {
constexpr int ShortPath = 20;
// The caption names the product line; message titles keep ProgramName.
const QString TitleName = QStringLiteral("Velmar Zarn Programmer");
}

QString MainWindowTitle(const QString& path)
{
    const QString head = TitleName + QStringLiteral("  ") + VersionText();
    if (path.size() <= ShortPath)
        return head + QStringLiteral("    ") + path;
    // The separator the path itself uses, so a Linux path is not shown with "\".
    const QChar separator = path.contains(QLatin1Char('\\')) ? QLatin1Char('\\') : QLatin1Char('/');
    return head + QStringLiteral("   ") + path.left(ShortPath) + QStringLiteral("....") + separator
           + GetFileName(path);
}
