#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// A helper program run to its end, as a separate process: what it printed
// and how it ended. A program that hangs is killed after a minute.
struct ProgramRun {
    bool finished = false;
    int exitCode = -1;
    QString output; // standard output
    QString errors; // standard error
};

inline ProgramRun RunProgram(const QString& program, const QStringList& arguments, const QProcessEnvironment& env)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    ProgramRun run;
    run.finished = process.waitForFinished(60000);
    if (!run.finished) {
        process.kill();
        process.waitForFinished(5000);
    }
    run.exitCode = process.exitCode();
    run.output = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}
