#pragma once

#include <QFile>
#include <QString>

struct SettingsTables;

// The log of the values the configuration file reader refused: created afresh
// at each start and kept open, so every file opened in a run adds its lines.
// A log that cannot be created leaves the program running without one.
class ErrorLog {
public:
    // Creates the log empty, overwriting an earlier one; false when it cannot.
    bool create(const QString& path);
    bool isOpen() const { return m_file.isOpen(); }
    QString path() const { return m_file.fileName(); }

    void write(const QString& line);

private:
    QFile m_file;
};

// Creates the log beside the settings file, or in the per-user folder when
// that fails; false when neither can be written.
bool CreateErrorLog(ErrorLog& log);

// One refused value: its line in the log, and the flag that makes start-up
// and File Open warn the user.
void LogDatError(SettingsTables& tables, ErrorLog& log, const QString& message);
