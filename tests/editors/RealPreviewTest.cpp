#include "DtmfDecoder.h"
#include "ProgramRun.h"
#include "PulseServer.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

ProgramRun RunProbe(const QProcessEnvironment& env, const QString& mode)
{
    return RunProgram(QStringLiteral(PREVIEW_PROBE), {mode}, env);
}

// The probe's window needs no display.
QProcessEnvironment Offscreen(QProcessEnvironment env)
{
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

} // namespace

// 250 ms of 1000 Hz, 100 ms of silence, 100 ms of the key "1": the sound
// server gets the whole preview, in order and in time.
TEST(RealPreview, ThePreviewComesOutOfTheServerWhole)
{
    PulseServer server;
    QString why;
    if (!server.start(&why))
        GTEST_SKIP() << "No PulseAudio server can run here, so the real sound path is not tested: "
                     << why.toStdString();
    ASSERT_TRUE(server.startRecording(&why)) << why.toStdString();
    const ProgramRun probe = RunProbe(Offscreen(server.clientEnvironment()), QStringLiteral("play"));
    const QByteArray recorded = server.stopRecording();
    ASSERT_TRUE(probe.finished) << probe.output.toStdString();
    ASSERT_EQ(probe.exitCode, 0) << probe.output.toStdString();

    EXPECT_EQ(DecodeDtmf(recorded), QStringList{"1"});
    const QList<DtmfTone> tones = FindDtmfTones(recorded);
    ASSERT_EQ(tones.size(), 2);
    EXPECT_NEAR(tones[0].lengthMs, 250, 5);
    EXPECT_EQ(tones[1].key, '1');
    EXPECT_NEAR(tones[1].lengthMs, 100, 5);
    EXPECT_NEAR(tones[1].startMs - (tones[0].startMs + tones[0].lengthMs), 100, 5);
}

// A preview of 30 s stopped after 3 s is cut short. (A null sink that was idle
// may take up to a second to start its first stream, so the tone heard is
// shorter than the time to the stop.)
TEST(RealPreview, AStoppedPreviewIsCutShort)
{
    PulseServer server;
    QString why;
    if (!server.start(&why))
        GTEST_SKIP() << "No PulseAudio server can run here, so the real sound path is not tested: "
                     << why.toStdString();
    ASSERT_TRUE(server.startRecording(&why)) << why.toStdString();
    const ProgramRun probe = RunProbe(Offscreen(server.clientEnvironment()), QStringLiteral("stop"));
    const QByteArray recorded = server.stopRecording();
    ASSERT_TRUE(probe.finished) << probe.output.toStdString();
    ASSERT_EQ(probe.exitCode, 0) << probe.output.toStdString();

    const QList<DtmfTone> tones = FindDtmfTones(recorded);
    ASSERT_EQ(tones.size(), 1) << probe.output.toStdString();
    EXPECT_EQ(tones[0].key, '1');
    EXPECT_GT(tones[0].lengthMs, 1000);
    EXPECT_LT(tones[0].lengthMs, 5000) << probe.output.toStdString();
}

TEST(RealPreview, WithoutASoundServerTheOneMessageIsShownAtOnce)
{
    TempDir dir;
    const ProgramRun probe = RunProbe(Offscreen(PulseServer::deadEnvironment(dir.root())), QStringLiteral("play"));
    ASSERT_TRUE(probe.finished) << "the preview hung without a server";
    EXPECT_EQ(probe.exitCode, 1);
    EXPECT_EQ(probe.output.count(QStringLiteral("message: ")), 1) << probe.output.toStdString();
    EXPECT_TRUE(probe.output.contains(QStringLiteral("No audio output device")))
        << probe.output.toStdString();
}
