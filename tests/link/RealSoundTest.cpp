#include "DtmfDecoder.h"
#include "PulseServer.h"
#include "TempDir.h"
#include "platform/QtSoundOutput.h"
#include "platform/SystemClock.h"

#include <QProcess>
#include <QFile>
#include <gtest/gtest.h>

namespace {

struct ProbeResult {
    bool finished = false;
    int exitCode = -1;
    QString output;
    QString errors;
};

ProbeResult RunProbe(const QProcessEnvironment& env, int silenceMs, const QString& keys)
{
    QProcess probe;
    probe.setProcessEnvironment(env);
    probe.start(QStringLiteral(SOUND_PROBE), {QString::number(silenceMs), keys});
    ProbeResult result;
    result.finished = probe.waitForFinished(60000);
    if (!result.finished) {
        probe.kill();
        probe.waitForFinished(5000);
    }
    result.exitCode = probe.exitCode();
    result.output = QString::fromLocal8Bit(probe.readAllStandardOutput());
    result.errors = QString::fromLocal8Bit(probe.readAllStandardError());
    return result;
}

} // namespace

// Unlock code, a command with a repeated key, lock code, each with its
// terminator, played as one keyed run.
TEST(RealSound, FramedRunComesOutOfTheServerWholeAndInOrder)
{
    PulseServer server;
    QString why;
    if (!server.start(&why))
        GTEST_SKIP() << "No PulseAudio server can run here, so the real sound path is not tested: "
                     << why.toStdString();
    ASSERT_TRUE(server.startRecording(&why)) << why.toStdString();

    const QString keys = QStringLiteral("12D*5509D0D");
    auto env = server.clientEnvironment(); if (qEnvironmentVariableIsSet("PAUSE")) env.insert("PAUSE", qgetenv("PAUSE")); const ProbeResult probe = RunProbe(env, 40, keys);
    const QByteArray recorded = server.stopRecording();
    { QFile f("/tmp/tone_x/rec.wav"); f.open(QIODevice::WriteOnly); f.write(recorded); }
    ASSERT_TRUE(probe.finished) << probe.errors.toStdString();
    ASSERT_EQ(probe.exitCode, 0) << probe.output.toStdString() << probe.errors.toStdString();

    EXPECT_EQ(DecodeDtmf(recorded).join(QString()), keys);
    const QList<DtmfTone> tones = FindDtmfTones(recorded);
    ASSERT_EQ(tones.size(), keys.size());
    for (qsizetype i = 0; i < tones.size(); ++i) {
        EXPECT_EQ(tones[i].key, keys[i].toLatin1()) << i;
        EXPECT_NEAR(tones[i].lengthMs, 60, 5) << i;
        printf("DBG %c start %.3f len %.3f\n", tones[i].key, tones[i].startMs, tones[i].lengthMs);
    }
}

TEST(RealSound, WithoutASoundServerTheRunFailsAtOnceWithItsReason)
{
    TempDir dir;
    const ProbeResult probe = RunProbe(PulseServer::deadEnvironment(dir.root()), 40, QStringLiteral("123"));
    ASSERT_TRUE(probe.finished) << "the sound output hung without a server";
    EXPECT_EQ(probe.exitCode, 1);
    EXPECT_TRUE(probe.output.startsWith(QStringLiteral("beginRun: No audio output device")))
        << probe.output.toStdString();
    // Reported by beginRun; ending the run adds nothing.
    EXPECT_FALSE(probe.output.contains(QStringLiteral("endRun"))) << probe.output.toStdString();
}

// Files are read before any device is touched.
TEST(RealSound, UnplayableFilesAreNamedInTheFailure)
{
    TempDir dir;
    SystemClock clock;
    QtSoundOutput sound(clock);
    const QString missing = dir.path(QStringLiteral("missing.wav"));
    const QString text = dir.write(QStringLiteral("notes.wav"), "not a sound");
    for (const QString& file : {missing, text}) {
        const Status played = sound.playFile(file);
        EXPECT_FALSE(played) << file.toStdString();
        EXPECT_TRUE(played.reason().contains(file)) << played.reason().toStdString();
    }
}
