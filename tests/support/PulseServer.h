#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

// A private PulseAudio server with one null sink, for tests that play through
// the real sound output and record what came out of it. Every wait is bounded.
class PulseServer {
public:
    PulseServer() = default;
    ~PulseServer();

    PulseServer(const PulseServer&) = delete;
    PulseServer& operator=(const PulseServer&) = delete;

    // False, with the reason, where no server can run here.
    bool start(QString* why);
    // What a client process needs to reach this server and no other.
    QProcessEnvironment clientEnvironment() const;

    // Records the sink's monitor at 8000 Hz, mono, 16 bits.
    bool startRecording(QString* why);
    // Lets the recorder catch up with what was played, then gives the
    // recording as a WAV image.
    QByteArray stopRecording();

    // A client environment in which no server can be reached, and none is
    // spawned.
    static QProcessEnvironment deadEnvironment(const QString& folder);

private:
    bool waitUntil(const QStringList& pactlArguments, bool wantOutput, int timeoutMs) const;
    QString recordingPath() const { return m_dir.filePath(QStringLiteral("monitor.raw")); }

    QTemporaryDir m_dir{QStringLiteral("/tmp/tarvex-pulse-XXXXXX")};
    QProcess m_server;
    QProcess m_recorder;
};
