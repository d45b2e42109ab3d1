#include "QtPrinters.h"
#include "UploadWire.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

using Answer = ControllerSimulator::Answer;

TEST_F(UploadWire, ChangesOnlySendsTheOneChangedLineThenNothing)
{
    m_tables.HangTime[1] = "50";
    m_tables.HangTimeChanged[1] = true;
    window();
    button("Update")->click();
    EXPECT_EQ(m_sim.received(), "1*100050\r");
    EXPECT_FALSE(m_tables.HangTimeChanged[1]);
    EXPECT_EQ(messages(), QStringList{Done});
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_TRUE(m_port.isOpen()); // until the window's Close

    window();
    button("Update")->click();
    EXPECT_EQ(received().size(), 1);
    EXPECT_EQ(messages(), (QStringList{Done, Done}));
}

TEST_F(UploadWire, ChangedSettingsGoOutInTheFixedOrder)
{
    m_tables.FanTime = "30";
    m_tables.FanTimeChanged = true;
    m_tables.HangTime[2] = "60";
    m_tables.HangTimeChanged[2] = true;
    m_tables.CWTone1[1] = "800", m_tables.CWTone2[1] = "0";
    m_tables.CWTone2Changed[1] = true;
    m_tables.CWTone1[2] = "900", m_tables.CWTone2[2] = "1200";
    m_tables.CWTone2Changed[2] = true;
    m_tables.DTMFMemory[3] = "NONE STORED";
    m_tables.DTMFMemoryChanged[3] = true;
    window();
    button("Update")->click();

    EXPECT_EQ(received(), (QStringList{"2*100060", "1*100430", "1*80010800", "2*80010900", "2*800109001200",
                                       "1*210503"}));
    EXPECT_EQ(m_tables.CWTone1[1], "0800");
    EXPECT_EQ(m_tables.CWTone1[2], "0900");
    EXPECT_EQ(m_tables.DTMFMemory[3], "NONE STORED");
    EXPECT_FALSE(m_tables.CWTone2Changed[1] || m_tables.CWTone2Changed[2] || m_tables.DTMFMemoryChanged[3]);
    EXPECT_EQ(messages(), QStringList{Done});
}

TEST_F(UploadWire, ARefusalStopsAtItsLineAndNamesTheSetting)
{
    struct Row {
        const char* name;
        FlagArray SettingsTables::*flag;
        QString line;
        bool keptWhenRefused;
    };
    const Row rows[] = {
        {"hang time of port 2", &SettingsTables::HangTimeChanged, "2*1000", true},
        {"auxiliary time of port 2", &SettingsTables::AuxTimeChanged, "2*1014", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::size_t before = m_sim.lines().size();
        m_dialogs.clear();
        m_tables.HangTimeChanged[1] = true;
        (m_tables.*row.flag)[2] = true;
        m_tables.FanTimeChanged = true;
        m_sim.script({Answer::accept(), Answer::refuse()});
        window();
        button("Update")->click();

        const QStringList lines = received().mid(static_cast<int>(before));
        ASSERT_EQ(lines.size(), 2);
        EXPECT_EQ(lines[1], row.line);
        EXPECT_FALSE(m_tables.HangTimeChanged[1]);
        EXPECT_EQ((m_tables.*row.flag)[2], row.keptWhenRefused);
        EXPECT_TRUE(m_tables.FanTimeChanged);
        EXPECT_FALSE(m_tables.UpdateError);
        ASSERT_EQ(messages().size(), 2);
        EXPECT_EQ(messages()[0], RefusalMessage);
        EXPECT_TRUE(messages()[1].contains(row.name)) << messages()[1].toStdString();
        EXPECT_TRUE(m_window->isVisible());
        EXPECT_TRUE(button("Update")->isEnabled());
        m_tables.FanTimeChanged = false;
        (m_tables.*row.flag)[2] = false;
    }
}

TEST_F(UploadWire, AnUnansweredCommandStaysMarkedAndTheEndSaysSo)
{
    m_tables.HangTimeChanged[1] = true;
    m_tables.FanTimeChanged = true;
    m_sim.script({Answer::silence()});
    window();
    button("Update")->click();
    EXPECT_EQ(received().size(), 2);
    EXPECT_TRUE(m_tables.HangTimeChanged[1]);
    EXPECT_FALSE(m_tables.FanTimeChanged);
    ASSERT_EQ(messages().size(), 2);
    EXPECT_EQ(messages()[0], TimeoutMessage);
    EXPECT_FALSE(messages()[1].contains("Update Complete"));
    EXPECT_TRUE(messages()[1].contains("1 command(s) got no answer"));
}

TEST_F(UploadWire, SilenceGivesUpOnTheFourthCommandAndEveryFlagStays)
{
    for (int p = 1; p <= 3; ++p)
        m_tables.HangTimeChanged[p] = true;
    m_tables.FanTimeChanged = true;
    m_tables.XmtDelayChanged = true;
    m_sim.setDefaultAnswer(Answer::silence());
    window();
    button("Update")->click();

    EXPECT_EQ(messages(), (QStringList{TimeoutMessage, TimeoutMessage, TimeoutMessage, GiveUpMessage}));
    // The give-up writes its lock line and closes the port at once: the
    // simulator's thread may still be reading the last two lines.
    EXPECT_TRUE(m_sim.waitForLines(5));
    EXPECT_EQ(received(), (QStringList{"1*1000", "2*1000", "3*1000", "1*1004", "19"}));
    for (int p = 1; p <= 3; ++p)
        EXPECT_TRUE(m_tables.HangTimeChanged[p]);
    EXPECT_TRUE(m_tables.FanTimeChanged && m_tables.XmtDelayChanged);
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_FALSE(m_port.isOpen());

    // The next run is not cut short by what the give-up left behind.
    m_sim.setDefaultAnswer(Answer::accept());
    window();
    button("Update")->click();
    EXPECT_EQ(received().size(), 5 + 5);
    EXPECT_FALSE(m_tables.XmtDelayChanged);
    EXPECT_EQ(messages().back(), Done);
}

TEST_F(UploadWire, InterruptDuringTheRemoteMemoriesStopsAfterTheCurrentOne)
{
    m_tables.RemoteMemoryChanged = true;
    m_tables.MacroChanged[1] = true;
    constexpr int LinesPerMemory = 4;
    // The first line of memory 3 is answered late, so Interrupt comes during its wait.
    std::vector<Answer> answers(2 * LinesPerMemory, Answer::accept());
    answers.push_back(Answer::accept(50));
    m_sim.script(answers);
    bool clicked = false;
    m_onEvents = [&] {
        if (!clicked && m_sim.lines().size() > 2 * LinesPerMemory) {
            clicked = true;
            m_dialogs.answer(Dialogs::Answer::Yes);
            button("Interrupt")->click();
        }
    };
    window();
    button("Update")->click();

    EXPECT_TRUE(clicked);
    const QStringList lines = received();
    ASSERT_EQ(lines.size(), 3 * LinesPerMemory);
    EXPECT_EQ(lines.last(), "1*20863");
    EXPECT_TRUE(m_tables.RemoteMemoryChanged);
    EXPECT_TRUE(m_tables.MacroChanged[1]);
    EXPECT_EQ(messages(), (QStringList{InterruptQuestion, PleaseWait}));
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_FALSE(m_port.isOpen());
}

TEST_F(UploadWire, CompleteUploadFromTerminatorToResetWithoutAReplyWait)
{
    StoreFixture().readDefaults(m_tables);
    m_tables.ComPortValue = "3";
    m_tables.HangTimeChanged[1] = true;
    QString percentAtTheEnd;
    m_dialogs.onMessage([&](const ScriptedDialogs::Shown& shown) {
        if (shown.text.startsWith("Complete Upload"))
            percentAtTheEnd = percentText();
    });
    // The controller says nothing to the reset: a reply wait would time out.
    std::vector<Answer> answers(1024, Answer::accept());
    answers.push_back(Answer::silence());
    m_sim.script(answers);
    m_dialogs.answer(Dialogs::Answer::Yes);
    window();
    button("Complete")->click();

    // With the alarm macros of the defaults, without second CW tones; the reset
    // is not waited for, so it may still be on its way.
    EXPECT_TRUE(m_sim.waitForLines(1025));
    const QStringList lines = received();
    ASSERT_EQ(lines.size(), 1025);
    EXPECT_EQ(lines.first(), "1*9020" + m_tables.Terminator);
    EXPECT_EQ(lines.last(), "1*21999");
    EXPECT_EQ(percentAtTheEnd, "100% Complete");
    EXPECT_EQ(messages(), (QStringList{CompleteQuestion, CompleteDone}));
    EXPECT_FALSE(m_tables.HangTimeChanged[1]);
    EXPECT_EQ(m_window->findChild<QProgressBar*>("ProgressBar1")->value(), 0);
    EXPECT_TRUE(m_window->findChild<QLabel*>("PercentProgress")->isHidden());
    EXPECT_FALSE(m_window->isVisible());
}

TEST_F(UploadWire, NoAtTheConfirmationSendsAndChangesNothing)
{
    m_tables.HangTimeChanged[1] = true;
    m_dialogs.answer(Dialogs::Answer::No);
    window();
    button("Complete")->click();
    EXPECT_TRUE(m_sim.received().isEmpty());
    EXPECT_TRUE(m_tables.HangTimeChanged[1]);
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_EQ(messages().size(), 1);
}

TEST_F(UploadWire, ButtonsAreOffDuringARunAndCloseInterruptsThenCloses)
{
    m_tables.HangTimeChanged[1] = true;
    m_tables.FanTimeChanged = true;
    m_sim.script({Answer::accept(50)});
    window();
    bool clicked = false;
    m_onEvents = [&] {
        if (clicked)
            return;
        clicked = true;
        EXPECT_FALSE(button("Update")->isEnabled());
        EXPECT_FALSE(button("Complete")->isEnabled());
        button("Update")->click(); // ignored: disabled
        m_dialogs.answer(Dialogs::Answer::Yes);
        button("Close")->click();
        EXPECT_TRUE(m_port.isOpen()); // not while the wait is on
    };
    button("Update")->click();

    EXPECT_TRUE(clicked);
    // The port closed right after the line went out: the simulator's thread
    // may still be reading it.
    EXPECT_TRUE(m_sim.waitForLines(1));
    EXPECT_EQ(received().size(), 1);
    EXPECT_TRUE(m_tables.FanTimeChanged);
    EXPECT_EQ(messages(), (QStringList{InterruptQuestion, PleaseWait}));
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_FALSE(m_port.isOpen());
    EXPECT_FALSE(m_tables.UpdateInterrupted); // Close has finished
    EXPECT_TRUE(button("Update")->isEnabled());
    EXPECT_FALSE(m_profile.read("zarn.ini", "Update", "Window Width").isEmpty());
}

TEST_F(UploadWire, DtmfModeUsesTheDtmfTransport)
{
    RecordingTransport& dtmf = m_dtmf;
    m_tables.ComPortValue = "0";
    m_tables.HangTimeChanged[1] = true;
    window();
    button("Update")->click();
    EXPECT_EQ(dtmf.lines(), QStringList{"1*1000"});
    EXPECT_FALSE(m_tables.HangTimeChanged[1]);
    EXPECT_EQ(dtmf.ends(), 1);

    // Nothing answers in DTMF mode: the bar's own percent is shown, and no reset goes out.
    QString percentAtTheEnd;
    m_dialogs.onMessage([&](const ScriptedDialogs::Shown& shown) {
        if (shown.text.startsWith("Complete Upload"))
            percentAtTheEnd = percentText();
    });
    m_dialogs.answer(Dialogs::Answer::Yes);
    window();
    button("Complete")->click();
    EXPECT_EQ(percentAtTheEnd, "100% Complete");
    EXPECT_FALSE(dtmf.events().join(" ").contains("reset"));
    EXPECT_EQ(dtmf.ends(), 2);
    EXPECT_TRUE(m_sim.received().isEmpty());
}

TEST_F(UploadWire, APortThatWillNotOpenIsNamedAndNothingIsSent)
{
    m_tables.ComPortValue = "5"; // no device behind it
    m_tables.HangTimeChanged[1] = true;
    window();
    m_dialogs.clear(); // the loading's own port message
    button("Update")->click();
    EXPECT_TRUE(m_tables.HangTimeChanged[1]);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith("Tarvex Programmer: COM5 is in use by another program."));
    EXPECT_EQ(m_sim.opensSeen(), 0);
    EXPECT_TRUE(button("Update")->isEnabled());
}
