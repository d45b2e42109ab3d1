#include "LinkMessages.h"
#include "QtPrinters.h"
#include "TempDir.h"
#include "WavFile.h"
#include "WireFixture.h"
#include "link/VoiceTrackRecording.h"

#include <gtest/gtest.h>

using Answer = ControllerSimulator::Answer;

namespace {

class VoiceTrackWire : public WireFixture {
protected:
    void SetUp() override
    {
        WireFixture::SetUp();
        m_tables.CurrentLock = "0";
        m_tables.Terminator = "D";
        m_tables.WavFileName = m_dir.write("voice.wav", SineWav(44100, 2, 250, 800));
    }

    bool record(int track) { return RecordVoiceTrack(m_tables, m_controller, m_dialogs, track); }
    QStringList lines() const
    {
        QStringList out;
        for (const ControllerSimulator::Line& line : m_sim.lines())
            out << QString::fromLatin1(line.text);
        return out;
    }

    TempDir m_dir;
};

} // namespace

TEST_F(VoiceTrackWire, Track15IsRecordedAndThePortClosed)
{
    EXPECT_TRUE(record(15));
    ASSERT_TRUE(m_sim.waitForCloses(1));
    EXPECT_EQ(lines(), (QStringList{"1*700215", "1*700115", "G", "S", "10D"}));
    EXPECT_EQ(m_sim.received(), QByteArray("1*700215\r1*700115\rGS10D\r"));
    ASSERT_EQ(m_sound.images().size(), 1);
    EXPECT_EQ(ReadPcm16(m_sound.images()[0]).frames(), 2000) << "250 ms at 8000 Hz";
    EXPECT_EQ(m_dialogs.messageTexts(), QStringList{"Tarvex Programmer: Wav File Upload Complete."});
    EXPECT_FALSE(m_link.isPortOpen());
}

// The refusal stops the run before "G": no file, no "S", the lock line, the
// port closed, and no success.
TEST_F(VoiceTrackWire, ARefusedEraseLineStopsTheRunWithTheLockSent)
{
    m_sim.script({Answer::refuse()});
    EXPECT_FALSE(record(15));
    ASSERT_TRUE(m_sim.waitForCloses(1));
    EXPECT_EQ(m_sim.received(), QByteArray("1*700215\r10D\r"));
    EXPECT_TRUE(m_sound.images().isEmpty());
    EXPECT_EQ(m_dialogs.messageTexts(), QStringList{RefusalMessage});
    EXPECT_FALSE(m_link.isPortOpen());
}

TEST_F(VoiceTrackWire, NoWavChosenSendsNothing)
{
    m_tables.WavFileName.clear();
    EXPECT_FALSE(record(15));
    EXPECT_EQ(m_sim.opensSeen(), 0);
    EXPECT_TRUE(m_sim.received().isEmpty());
    EXPECT_EQ(m_dialogs.messageTexts(),
              QStringList{"Tarvex Programmer: Choose the WAV file to record with \"Load Wav\" first."});
}

// A silent controller: one message naming the step that got no answer; the
// rest of the run (the lock line, "S" once "G" went out, the port closed)
// goes on without another box.
TEST_F(VoiceTrackWire, ASilentControllerGivesOneMessageNamingTheStep)
{
    struct Case {
        const char* what;
        std::vector<Answer> answers; // then silence
        QString told;
        bool soundPlayed;
    } cases[] = {
        {"the erase", {}, "Tarvex Programmer: The Tarvex did not answer 1*700215. " + NoAnswerText, false},
        {"the lock line", {Answer::accept()}, "Tarvex Programmer: The Tarvex did not acknowledge the lock code. " + NoAnswerText,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_dialogs.clear();
        const qsizetype images = m_sound.images().size();
        const qsizetype linesBefore = lines().size();
        const int closes = m_sim.closesSeen();
        m_sim.setDefaultAnswer(Answer::silence());
        m_sim.script(c.answers);
        EXPECT_FALSE(record(15));
        ASSERT_TRUE(m_sim.waitForCloses(closes + 1));
        EXPECT_EQ(m_dialogs.messageTexts(), QStringList{c.told});
        EXPECT_EQ(m_sound.images().size() > images, c.soundPlayed);
        const QStringList sent = lines().mid(linesBefore);
        EXPECT_TRUE(sent.contains("10D")) << sent.join(" | ").toStdString();
        EXPECT_EQ(sent.contains("S"), c.soundPlayed) << "S follows a G that went out";
        EXPECT_FALSE(m_link.isPortOpen());
    }
}
