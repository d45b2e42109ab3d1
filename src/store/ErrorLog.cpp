#include "store/ErrorLog.h"

#include "store/AppHome.h"
#include "store/SettingsTables.h"

#include <QDir>

bool ErrorLog::create(const QString& path)
{
    m_file.close();
    m_file.setFileName(path);
    return m_file.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

void ErrorLog::write(const QString& line)
{
    if (!m_file.isOpen())
        return;
    m_file.write(line.toLatin1() + "\r\n");
    // Each line reaches the disk at once, so a crash never loses the log.
    m_file.flush();
}

void LogDatError(SettingsTables& tables, ErrorLog& log, const QString& message)
{
    log.write(message);
    tables.DatFileErrors = true;
}

bool CreateErrorLog(ErrorLog& log)
{
    return log.create(ErrorLogPath())
        || log.create(QDir(UserConfigFolder()).filePath(QStringLiteral("error.log")));
}
