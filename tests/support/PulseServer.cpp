#include "PulseServer.h"

#include "WavFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace {

constexpr int RecordRate = 8000;
constexpr int RecordBytesPerMs = RecordRate * 2 / 1000;

void Finish(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(2000);
    }
}

QString LogOf(const QString& path)
{
    QFile log(path);
    return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()).trimmed()
                                         : QString();
}

// A client that must never start a server of its own.
QProcessEnvironment ClientBase(const QString& folder, const QString& server)
{
    QFile config(QDir(folder).filePath(QStringLiteral("client.conf")));
    if (config.open(QIODevice::WriteOnly))
        config.write("autospawn = no\n");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PULSE_SERVER"), server);
    env.insert(QStringLiteral("PULSE_CLIENTCONFIG"), config.fileName());
    env.insert(QStringLiteral("HOME"), folder);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), QDir(folder).filePath(QStringLiteral("config")));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    return env;
}

} // namespace

PulseServer::~PulseServer()
{
    Finish(m_recorder);
    Finish(m_server);
}

bool PulseServer::start(QString* why)
{
    for (const char* tool : {"pulseaudio", "pactl", "parec"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            *why = QStringLiteral("%1 is not installed (packages pulseaudio, pulseaudio-utils)")
                       .arg(QString::fromLatin1(tool));
            return false;
        }
    }
    if (!m_dir.isValid()) {
        *why = QStringLiteral("no scratch folder: %1").arg(m_dir.errorString());
        return false;
    }
    QProcessEnvironment env = ClientBase(m_dir.path(), QString());
    env.remove(QStringLiteral("PULSE_SERVER"));
    env.insert(QStringLiteral("PULSE_RUNTIME_PATH"), m_dir.filePath(QStringLiteral("runtime")));
    m_server.setProcessEnvironment(env);
    // To a file: a pipe nobody reads could fill and stall the server.
    m_server.setProcessChannelMode(QProcess::MergedChannels);
    m_server.setStandardOutputFile(m_dir.filePath(QStringLiteral("server.log")));
    m_server.start(QStringLiteral("pulseaudio"),
                   {QStringLiteral("--daemonize=no"), QStringLiteral("--system=false"),
                    QStringLiteral("-n"), QStringLiteral("--exit-idle-time=-1"),
                    QStringLiteral("--use-pid-file=false"), QStringLiteral("--disallow-exit"),
                    QStringLiteral("--log-target=stderr"),
                    QStringLiteral("--load=module-null-sink sink_name=tarvex"),
                    QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=%1")
                        .arg(m_dir.filePath(QStringLiteral("native")))});
    if (!m_server.waitForStarted(5000)) {
        *why = QStringLiteral("pulseaudio did not start: %1").arg(m_server.errorString());
        return false;
    }
    if (!waitUntil({QStringLiteral("info")}, false, 10000)) {
        Finish(m_server);
        *why = QStringLiteral("pulseaudio did not come up: %1")
                   .arg(LogOf(m_dir.filePath(QStringLiteral("server.log"))));
        return false;
    }
    return true;
}

QProcessEnvironment PulseServer::clientEnvironment() const
{
    return ClientBase(m_dir.path(),
                      QStringLiteral("unix:%1").arg(m_dir.filePath(QStringLiteral("native"))));
}

QProcessEnvironment PulseServer::deadEnvironment(const QString& folder)
{
    return ClientBase(folder,
                      QStringLiteral("unix:%1").arg(QDir(folder).filePath(QStringLiteral("none"))));
}

bool PulseServer::startRecording(QString* why)
{
    m_recorder.setProcessEnvironment(clientEnvironment());
    m_recorder.setStandardOutputFile(recordingPath());
    m_recorder.setStandardErrorFile(m_dir.filePath(QStringLiteral("parec.log")));
    m_recorder.start(QStringLiteral("parec"),
                     {QStringLiteral("--device=tarvex.monitor"), QStringLiteral("--raw"),
                      QStringLiteral("--format=s16le"), QStringLiteral("--rate=%1").arg(RecordRate),
                      QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=20")});
    if (!m_recorder.waitForStarted(5000)) {
        *why = QStringLiteral("parec did not start: %1").arg(m_recorder.errorString());
        return false;
    }
    // Nothing may be played before the recorder listens.
    if (!waitUntil({QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("source-outputs")},
                   true, 10000)) {
        *why = QStringLiteral("parec did not connect: %1")
                   .arg(LogOf(m_dir.filePath(QStringLiteral("parec.log"))));
        return false;
    }
    return true;
}

QByteArray PulseServer::stopRecording()
{
    // The server may still hold the end of the sound; wait for 300 ms more
    // of recording than there is now.
    const qint64 wanted = QFileInfo(recordingPath()).size() + 300 * RecordBytesPerMs;
    for (int i = 0; i < 500 && QFileInfo(recordingPath()).size() < wanted; ++i)
        QThread::msleep(10);
    Finish(m_recorder);
    QFile file(recordingPath());
    if (!file.open(QIODevice::ReadOnly))
        return MakeWav({}, RecordRate, 1);
    QByteArray samples = file.readAll();
    samples.chop(samples.size() % 2);
    return MakeWav(samples, RecordRate, 1);
}

bool PulseServer::waitUntil(const QStringList& pactlArguments, bool wantOutput, int timeoutMs) const
{
    for (int waited = 0; waited < timeoutMs; waited += 100) {
        if (m_server.state() != QProcess::Running)
            return false;
        QProcess pactl;
        pactl.setProcessEnvironment(clientEnvironment());
        pactl.start(QStringLiteral("pactl"), pactlArguments);
        if (pactl.waitForFinished(5000) && pactl.exitCode() == 0
            && (!wantOutput || !pactl.readAllStandardOutput().trimmed().isEmpty()))
            return true;
        if (pactl.state() != QProcess::NotRunning) {
            pactl.kill();
            pactl.waitForFinished(1000);
        }
        QThread::msleep(100);
    }
    return false;
}
