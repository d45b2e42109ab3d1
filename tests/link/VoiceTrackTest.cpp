#include "DtmfRig.h"
#include "LinkMessages.h"
#include "QtPrinters.h"
#include "TempDir.h"
#include "WavFile.h"
#include "link/VoiceTrackRecording.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

const QString Complete = "Tarvex Programmer: Wav File Upload Complete.";
constexpr int FileMs = 400;

// A WAV file chosen for the recorder: a steady 1 kHz tone, no DTMF key.
struct Recorder {
    TempDir dir;
    QString chosen(SettingsTables& tables)
    {
        tables.WavFileName = dir.write("voice.wav", SineWav(22050, 1, FileMs, 1000));
        return tables.WavFileName;
    }
};

bool Record(FakeLinkRig& rig, int track)
{
    return RecordVoiceTrack(rig.tables, rig.controller, rig.dialogs, track);
}

} // namespace

// Keyed first, the key-up delay, port 1's unlock code, the two commands ended
// by the terminator in use with 500 ms between them, the file's sound in the
// same run after the tones, the lock code, released last.
TEST(VoiceTrack, DtmfModeRecordsTheFileInsideOneKeyedFrame)
{
    KeyedDtmfRig rig;
    Recorder recorder;
    recorder.chosen(rig.tables);
    rig.tables.Terminator = rig.tables.CurrentTerminator = "#";
    rig.tables.KeyUpDelayValue = "300";

    EXPECT_TRUE(Record(rig, 10));
    EXPECT_EQ(rig.heard(), "123#" "*700210#" "*700110#" "0#");
    EXPECT_EQ(rig.dialogs.messageTexts(), QStringList{Complete});
    EXPECT_EQ(rig.unkeyedMs, 0) << "sound while the transmitter was down";
    EXPECT_FALSE(rig.port.isOpen());
    EXPECT_EQ(rig.sound.calls().count("beginRun"), 1) << "one stream: nothing cut between tones and file";

    const QList<DtmfTone> tones = FindDtmfTones(rig.sound.wav());
    ASSERT_EQ(tones.size(), 4 + 8 + 8 + 2);
    const auto endOf = [&tones](int i) { return tones[i].startMs + tones[i].lengthMs; };
    EXPECT_NEAR(tones[0].startMs, 300 + 40, 5) << "the key-up delay before the unlock code";
    EXPECT_NEAR(tones[12].startMs - endOf(11), 500 + 40, 5);
    // The file follows the record command's terminator with no gap, so the
    // level finder sees one long sound; then the lock code's gap.
    EXPECT_EQ(tones[19].key, '#');
    EXPECT_NEAR(tones[19].lengthMs, 60 + FileMs, 5);
    const double fileStart = tones[19].startMs + 60;
    EXPECT_NEAR(tones[20].startMs - endOf(19), 40, 5);
    const Pcm16 run = ReadPcm16(rig.sound.wav());
    const auto level = [&run](double fromMs, double toMs) {
        double sum = 0;
        const auto first = static_cast<qsizetype>(fromMs * 8), last = static_cast<qsizetype>(toMs * 8);
        for (qsizetype f = first; f < last; ++f)
            sum += std::abs(run.at(f, 0));
        return sum / static_cast<double>(last - first);
    };
    EXPECT_NEAR(level(fileStart + 5, endOf(19) - 5), 0.5 * 32767 * 2 / M_PI, 300) << "the file's tone";
}

TEST(VoiceTrack, OneDigitTracksPlayOneKey)
{
    DtmfRig rig;
    Recorder recorder;
    recorder.chosen(rig.tables);
    EXPECT_TRUE(Record(rig, 7));
    EXPECT_EQ(rig.heard(), "123D*70027D*70017D0D");
}

// Serial mode: the erase line with its reply wait, the record line, "G", the
// file, "S", the lock line until "+"; UpdateError left by an earlier command
// does not stop it. A late reply to the record line, "G" or "S" is drained
// before the lock line, never taken for its answer.
TEST(VoiceTrack, SerialModeDrainsLateRepliesBeforeTheLockLine)
{
    for (const QByteArray& late : {QByteArray("1*700115\r"), QByteArray("G"), QByteArray("S")}) {
        SCOPED_TRACE(late.toStdString());
        FakeLinkRig rig;
        Recorder recorder;
        recorder.chosen(rig.tables);
        rig.tables.UpdateError = true;
        rig.port.setResponder([&](const QByteArray& written) {
            if (written == late)
                rig.port.queueReply("-");
            else if (written == "1*700215\r" || written == "19D\r")
                rig.port.queueReply("+");
        });

        EXPECT_TRUE(Record(rig, 15));
        EXPECT_EQ(rig.port.written(), "1*700215\r1*700115\rGS19D\r");
        EXPECT_EQ(rig.dialogs.messageTexts(), QStringList{Complete});
        EXPECT_EQ(rig.sound.images().size(), 1);
        EXPECT_FALSE(rig.port.isOpen());
        EXPECT_FALSE(rig.tables.UpdateError);
    }
}

// No file, or one that is no sound: told why, and nothing goes out at all.
TEST(VoiceTrack, NoReadableWavIsRefusedBeforeAnythingIsSent)
{
    TempDir dir;
    const QString text = dir.write("notes.wav", "not a sound");
    for (const bool dtmf : {false, true}) {
        for (const QString& file : {QString(), text, dir.path("gone.wav")}) {
            SCOPED_TRACE(file.toStdString() + (dtmf ? " DTMF" : " serial"));
            KeyedDtmfRig rig;
            if (!dtmf)
                rig.tables.ComPortValue = "2";
            rig.tables.WavFileName = file;
            EXPECT_FALSE(Record(rig, 3));
            EXPECT_TRUE(rig.port.log().isEmpty()) << rig.port.log().join(", ").toStdString();
            EXPECT_TRUE(rig.sound.calls().isEmpty());
            const QStringList shown = rig.dialogs.messageTexts();
            ASSERT_EQ(shown.size(), 1);
            if (file.isEmpty())
                EXPECT_EQ(shown[0], "Tarvex Programmer: Choose the WAV file to record with \"Load Wav\" first.");
            else
                EXPECT_TRUE(shown[0].contains(file)) << shown[0].toStdString();
            EXPECT_EQ(rig.tables.WavFileName, file);
        }
    }
}

// Unanswered: the run stops at the erase line, and the lock line's retries end
// with the link's give-up (its own lock line, the port closed). No file played,
// no "G" or "S", no success, and one message naming the step unanswered.
TEST(VoiceTrack, ASilentControllerEndsInTheGiveUpWithoutSuccess)
{
    FakeLinkRig rig;
    Recorder recorder;
    recorder.chosen(rig.tables);
    EXPECT_FALSE(Record(rig, 15));
    EXPECT_EQ(rig.port.written(), "1*700215\r19D\r19D\r19D\r19\r");
    EXPECT_EQ(rig.dialogs.messageTexts(),
              QStringList{"Tarvex Programmer: The Tarvex did not answer 1*700215. " + NoAnswerText});
    EXPECT_TRUE(rig.sound.images().isEmpty());
    EXPECT_FALSE(rig.port.isOpen());
}

// Once "G" went out the recorder is stopped whatever fails after it.
TEST(VoiceTrack, ASoundThatFailsAfterGStillStopsTheRecorder)
{
    FakeLinkRig rig;
    Recorder recorder;
    recorder.chosen(rig.tables);
    rig.script({{"+"}, {"+"}, {"+"}});
    rig.sound.failWith("No audio output device is available");
    EXPECT_FALSE(Record(rig, 2));
    EXPECT_EQ(rig.port.written(), "1*70022\r1*70012\rGS19D\r");
    const QStringList shown = rig.dialogs.messageTexts();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains("No audio output device")) << shown[0].toStdString();
    EXPECT_FALSE(rig.port.isOpen());
}

TEST(VoiceTrack, APortThatWillNotOpenSendsNothing)
{
    FakeLinkRig rig;
    Recorder recorder;
    recorder.chosen(rig.tables);
    rig.port.setOpenFailure("Permission denied");
    EXPECT_FALSE(Record(rig, 4));
    EXPECT_TRUE(rig.port.written().isEmpty());
    const QStringList shown = rig.dialogs.messageTexts();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains("COM2 is in use")) << shown[0].toStdString();
    EXPECT_TRUE(rig.sound.calls().isEmpty());
}
