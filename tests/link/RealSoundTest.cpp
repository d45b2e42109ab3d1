#include "DtmfDecoder.h"
#include "ProgramRun.h"
#include "PulseServer.h"
#include "TempDir.h"
#include "WavFile.h"
#include "platform/QtSoundOutput.h"
#include "platform/SystemClock.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

ProgramRun RunProbe(const QProcessEnvironment& env, int dtmfDelayMs, const QString& keys)
{
    return RunProgram(QStringLiteral(SOUND_PROBE), {QString::number(dtmfDelayMs), keys}, env);
}

} // namespace

// Unlock code, a command with a repeated key, lock code, each with its
// terminator, played as one keyed run with no DTMF delay.
TEST(RealSound, FramedRunComesOutOfTheServerWholeAndInOrder)
{
    PulseServer server;
    QString why;
    if (!server.start(&why))
        GTEST_SKIP() << "No PulseAudio server can run here, so the real sound path is not tested: "
                     << why.toStdString();
    ASSERT_TRUE(server.startRecording(&why)) << why.toStdString();

    const ProgramRun probe = RunProbe(server.clientEnvironment(), 0, QStringLiteral("*5509"));
    const QByteArray recorded = server.stopRecording();
    ASSERT_TRUE(probe.finished) << probe.errors.toStdString();
    ASSERT_EQ(probe.exitCode, 0) << probe.output.toStdString() << probe.errors.toStdString();

    const QString keys = QStringLiteral("12D*5509D0D");
    EXPECT_EQ(DecodeDtmf(recorded).join(QString()), keys);
    const QList<DtmfTone> tones = FindDtmfTones(recorded);
    ASSERT_EQ(tones.size(), keys.size());
    for (qsizetype i = 0; i < tones.size(); ++i) {
        EXPECT_EQ(tones[i].key, keys[i].toLatin1()) << i;
        EXPECT_NEAR(tones[i].lengthMs, 60, 5) << i;
        if (i > 0) {
            EXPECT_NEAR(tones[i].startMs - tones[i - 1].startMs, 60 + 40, 5) << i;
        }
    }
}

TEST(RealSound, WithoutASoundServerTheRunFailsAtOnceWithItsReason)
{
    TempDir dir;
    const ProgramRun probe = RunProbe(PulseServer::deadEnvironment(dir.root()), 0, QStringLiteral("123"));
    ASSERT_TRUE(probe.finished) << "the sound output hung without a server";
    EXPECT_EQ(probe.exitCode, 1);
    // Reported once, by the beginning of the run.
    EXPECT_EQ(probe.output.trimmed().count(u'\n'), 0) << probe.output.toStdString();
    EXPECT_TRUE(probe.output.startsWith(QStringLiteral("begin: No audio output device")))
        << probe.output.toStdString();
}

// Serial mode plays the chosen file through the same sound output: what the
// server's sink heard lasts as long as the file.
TEST(RealSound, ARecordedFileComesOutOfTheServerAsLongAsItIs)
{
    PulseServer server;
    QString why;
    if (!server.start(&why))
        GTEST_SKIP() << "No PulseAudio server can run here, so the real sound path is not tested: "
                     << why.toStdString();
    TempDir dir;
    constexpr int FileMs = 600;
    const QString file = dir.write(QStringLiteral("voice.wav"), SineWav(44100, 1, FileMs, 1000));
    ASSERT_TRUE(server.startRecording(&why)) << why.toStdString();
    const ProgramRun probe = RunProgram(QStringLiteral(RECORD_PROBE), {file}, server.clientEnvironment());
    const QByteArray recorded = server.stopRecording();
    ASSERT_TRUE(probe.finished) << probe.errors.toStdString();
    ASSERT_EQ(probe.exitCode, 0) << probe.output.toStdString() << probe.errors.toStdString();
    EXPECT_EQ(probe.output.trimmed(), QStringLiteral("message: Tarvex Programmer: Wav File Upload Complete."));

    // From the first to the last sample above a tenth of the tone's level.
    const Pcm16 heard = ReadPcm16(recorded);
    qsizetype first = -1, last = -1;
    for (qsizetype f = 0; f < heard.frames(); ++f)
        if (std::abs(heard.at(f, 0)) > 1600) {
            if (first < 0)
                first = f;
            last = f;
        }
    ASSERT_GE(first, 0) << "nothing was heard";
    const double heardMs = (last - first + 1) * 1000.0 / heard.sampleRate;
    EXPECT_NEAR(heardMs, FileMs, 10) << "the start of a stream that begins with sound is lost";
    std::printf("recorded file: %d ms, heard %.1f ms\n", FileMs, heardMs);
}
