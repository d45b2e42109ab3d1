#include "store/AppHome.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

bool writableFolder(const QString& folder)
{
    QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

} // namespace

QString AppHomeFolder()
{
    const QString named = qEnvironmentVariable("TARVEX_PROGRAMMER_HOME");
    if (!named.isEmpty()) {
        QDir().mkpath(named);
        return QDir(named).absolutePath();
    }
    if (QCoreApplication::instance()) {
        const QString programFolder = QCoreApplication::applicationDirPath();
        if (writableFolder(programFolder))
            return programFolder;
    }
    return UserConfigFolder();
}

QString UserConfigFolder()
{
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(user);
    return user;
}

QString SettingsFilePath() { return QDir(AppHomeFolder()).filePath(QStringLiteral("zarn.ini")); }

QString ErrorLogPath() { return QDir(AppHomeFolder()).filePath(QStringLiteral("error.log")); }
