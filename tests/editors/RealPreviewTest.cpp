#include "DtmfDecoder.h"
#include "ProgramRun.h"
#include "PulseServer.h"
#include "TempDir.h"

#include <QRegularExpression>

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

// Pressed again once the sound has ended, in the run's trailing silence: the
// silence is cut, no failure is shown, and the next preview comes out whole.
TEST_F(RealPreview, APressInTheTrailingSilenceStartsTheNextPreviewWhole)
{
    const QByteArray recorded = playAndRecord(QStringLiteral("again"));
    EXPECT_TRUE(m_probe.output.contains(QStringLiteral("pressed again in the trailing silence")))
        << m_probe.output.toStdString();
    EXPECT_EQ(DecodeDtmf(recorded), (QStringList{"1", "1"}));
    const QList<DtmfTone> tones = FindDtmfTones(recorded);
    ASSERT_EQ(tones.size(), 4);
    for (const int first : {0, 2}) {
        EXPECT_NEAR(tones[first].lengthMs, 250, 5) << first;
        EXPECT_EQ(tones[first + 1].key, '1');
        EXPECT_NEAR(tones[first + 1].lengthMs, 100, 5) << first;
    }
}

// A preview of 30 s stopped once 3 s of it have gone to the sound output is
// cut short: nothing more is handed over, and the server plays no more than
// it was given. (How much of that it plays depends on the server: a null sink
// that was idle holds back the start of its first stream and drops what it
// holds at the stop.)
TEST_F(RealPreview, AStoppedPreviewIsCutShort)
{
    const QList<DtmfTone> tones = FindDtmfTones(playAndRecord(QStringLiteral("stop")));
    const QRegularExpressionMatch report =
        QRegularExpression(QStringLiteral("before the stop: ([0-9.]+) ms, after it: ([0-9.]+) ms; "
                                          "the run ended ([0-9]+) ms after the stop"))
            .match(m_probe.output);
    ASSERT_TRUE(report.hasMatch()) << m_probe.output.toStdString();
    const double handedOverMs = report.captured(1).toDouble();
    EXPECT_GE(handedOverMs, 3000);
    EXPECT_LT(handedOverMs, 3500);
    EXPECT_EQ(report.captured(2).toDouble(), 0) << "tone handed over after the stop";
    // Generous: the 27 s left of the tone would be far beyond it.
    EXPECT_LT(report.captured(3).toInt(), 10000) << "the run went on after the stop";

    // A stalled sound server may leave gaps in the recording, which split the
    // tone; together its pieces are no more than what was handed over.
    ASSERT_FALSE(tones.isEmpty()) << m_probe.output.toStdString();
    double heardMs = 0;
    for (const DtmfTone& tone : tones) {
        EXPECT_EQ(tone.key, '1');
        heardMs += tone.lengthMs;
    }
    EXPECT_LE(heardMs, handedOverMs + 10) << m_probe.output.toStdString();
    EXPECT_LE(tones.back().startMs + tones.back().lengthMs - tones.front().startMs, handedOverMs + 200)
        << "sound long after the stop";
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
