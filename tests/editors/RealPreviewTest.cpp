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

// A private sound server, or the test is skipped where none can run.
class RealPreview : public testing::Test {
protected:
    void SetUp() override
    {
        QString why;
        if (!m_server.start(&why))
            GTEST_SKIP() << "No PulseAudio server can run here, so the real sound path is not tested: "
                         << why.toStdString();
    }
    // What the server played while the probe ran in this mode.
    QByteArray playAndRecord(const QString& mode)
    {
        QString why;
        EXPECT_TRUE(m_server.startRecording(&why)) << why.toStdString();
        m_probe = RunProbe(Offscreen(m_server.clientEnvironment()), mode);
        const QByteArray recorded = m_server.stopRecording();
        EXPECT_TRUE(m_probe.finished) << m_probe.output.toStdString();
        EXPECT_EQ(m_probe.exitCode, 0) << m_probe.output.toStdString();
        return recorded;
    }

    PulseServer m_server;
    ProgramRun m_probe;
};

// 250 ms of 1000 Hz, 100 ms of silence, 100 ms of the key "1": the sound
// server gets the whole preview, in order and in time.
TEST_F(RealPreview, ThePreviewComesOutOfTheServerWhole)
{
    const QByteArray recorded = playAndRecord(QStringLiteral("play"));
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
TEST_F(RealPreview, AStoppedPreviewIsCutShort)
{
    const QList<DtmfTone> tones = FindDtmfTones(playAndRecord(QStringLiteral("stop")));
    ASSERT_EQ(tones.size(), 1) << m_probe.output.toStdString();
    EXPECT_EQ(tones[0].key, '1');
    EXPECT_GT(tones[0].lengthMs, 1000);
    EXPECT_LT(tones[0].lengthMs, 5000) << m_probe.output.toStdString();
}

TEST(RealPreviewWithoutServer, WithoutASoundServerTheOneMessageIsShownAtOnce)
{
    TempDir dir;
    const ProgramRun probe = RunProbe(Offscreen(PulseServer::deadEnvironment(dir.root())), QStringLiteral("play"));
    ASSERT_TRUE(probe.finished) << "the preview hung without a server";
    EXPECT_EQ(probe.exitCode, 1);
    EXPECT_EQ(probe.output.count(QStringLiteral("message: ")), 1) << probe.output.toStdString();
    EXPECT_TRUE(probe.output.contains(QStringLiteral("No audio output device")))
        << probe.output.toStdString();
}
