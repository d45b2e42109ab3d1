#include "QtPrinters.h"
#include "UploadWire.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <vector>

using Answer = ControllerSimulator::Answer;

namespace {

constexpr std::size_t CompleteLines = 1025; // of the defaults, the reset included

} // namespace

// A controller that answers every line 4 s after it came, in the program's
// time, the time-out messages dismissed at once: no late answer is taken for
// the next line's, so nothing is counted as accepted, and the run ends by
// the three-time-outs rule.
TEST_F(UploadWire, AnswersFourSecondsLateAreNeverTakenForTheNextLine)
{
    for (int p = 1; p <= 3; ++p)
        m_tables.HangTimeChanged[p] = true;
    m_tables.FanTimeChanged = true;
    m_tables.XmtDelayChanged = true;
    m_sim.setDefaultAnswer(Answer::heldBack("+"));
    std::vector<std::int64_t> cameAt; // when each line reached the controller
    std::size_t answered = 0;
    m_onEvents = [&] {
        const std::size_t seen = m_sim.lines().size();
        while (cameAt.size() < seen)
            cameAt.push_back(m_clock.elapsedMs());
        while (answered < cameAt.size() && m_clock.elapsedMs() >= cameAt[answered] + 4000) {
            EXPECT_TRUE(m_sim.release());
            ++answered;
        }
    };
    window();
    button("Update")->click();

    EXPECT_EQ(messages(), (QStringList{TimeoutMessage, TimeoutMessage, TimeoutMessage, GiveUpMessage}));
    EXPECT_TRUE(m_sim.waitForLines(5));
    EXPECT_EQ(received(), (QStringList{"1*1000", "2*1000", "3*1000", "1*1004", "19"}));
    EXPECT_GE(answered, 3u); // the late answers did come
    for (int p = 1; p <= 3; ++p)
        EXPECT_TRUE(m_tables.HangTimeChanged[p]) << p;
    EXPECT_TRUE(m_tables.FanTimeChanged && m_tables.XmtDelayChanged);
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_FALSE(m_port.isOpen());
}

// Close, Esc and the frame's close during a complete upload ask the interrupt
// question: No lets the upload run to its end, Yes stops it after the current
// command with the interrupt's messages, and the window then closes.
TEST_F(UploadWire, ClosingDuringACompleteUploadAsksTheInterruptQuestion)
{
    enum class Way { CloseButton, Escape, Frame };
    struct Case {
        const char* name;
        Way way;
        Dialogs::Answer answer;
    };
    const Case cases[] = {
        {"Close, No", Way::CloseButton, Dialogs::Answer::No},
        {"Close, Yes", Way::CloseButton, Dialogs::Answer::Yes},
        {"Esc, No", Way::Escape, Dialogs::Answer::No},
        {"Esc, Yes", Way::Escape, Dialogs::Answer::Yes},
        {"frame, No", Way::Frame, Dialogs::Answer::No},
        {"frame, Yes", Way::Frame, Dialogs::Answer::Yes},
    };
    StoreFixture().readDefaults(m_tables);
    m_tables.ComPortValue = "3";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t before = m_sim.lines().size();
        m_dialogs.clear();
        m_profile.setBytes("zarn.ini", QByteArray());
        bool closed = false;
        m_onEvents = [&] {
            if (closed || m_sim.lines().size() < before + 100)
                return;
            closed = true;
            m_dialogs.answer(c.answer);
            switch (c.way) {
            case Way::CloseButton: button("Close")->click(); break;
            case Way::Escape: QTest::keyClick(m_window.get(), Qt::Key_Escape); break;
            case Way::Frame: m_window->close(); break;
            }
            EXPECT_EQ(m_window->isVisible(), c.answer == Dialogs::Answer::No);
        };
        m_dialogs.answer(Dialogs::Answer::Yes); // to the confirmation
        window();
        button("Complete")->click();
        m_onEvents = nullptr;

        ASSERT_TRUE(closed);
        // The reset is not waited for, so it may still be on its way.
        if (c.answer == Dialogs::Answer::No) {
            EXPECT_TRUE(m_sim.waitForLines(before + CompleteLines));
            EXPECT_EQ(m_sim.lines().size(), before + CompleteLines);
            EXPECT_EQ(messages(), (QStringList{CompleteQuestion, InterruptQuestion, CompleteDone}));
            continue;
        }
        EXPECT_LT(m_sim.lines().size(), before + CompleteLines);
        EXPECT_EQ(messages(), (QStringList{CompleteQuestion, InterruptQuestion, PleaseWait}));
        EXPECT_FALSE(m_window->isVisible());
        EXPECT_FALSE(m_port.isOpen());
        EXPECT_FALSE(m_tables.UpdateInterrupted); // the close has finished
        EXPECT_FALSE(m_profile.read("zarn.ini", "Update", "Window Width").isEmpty());
    }
}

// The window is shown again at once while the interrupted upload is still
// ending, and stays, modal, until it is closed.
TEST_F(UploadWire, TheWindowOpensAgainRightAfterAnInterrupt)
{
    for (int p = 1; p <= 3; ++p)
        m_tables.HangTimeChanged[p] = true;
    m_sim.script({Answer::accept(50)}); // Interrupt comes during the first line's wait
    window();
    bool reopened = false;
    m_onEvents = [&] {
        if (reopened || m_sim.lines().empty())
            return;
        reopened = true;
        m_dialogs.answer(Dialogs::Answer::Yes);
        button("Interrupt")->click();
        ASSERT_FALSE(m_window->isVisible());
        m_window->showModal(); // as the toolbar button does
        EXPECT_TRUE(m_window->isVisible());
        EXPECT_TRUE(m_window->isModal());
        EXPECT_TRUE(m_controller.busy()); // the upload is still ending
    };
    bool stillShown = false;
    QTimer::singleShot(0, m_window.get(), [&] {
        button("Update")->click();
        m_onEvents = nullptr;
        stillShown = m_window->isVisible();
        EXPECT_TRUE(button("Update")->isEnabled());
        button("Close")->click();
    });
    m_window->showModal();

    EXPECT_TRUE(reopened);
    EXPECT_TRUE(stillShown);
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_TRUE(m_sim.waitForLines(1));
    EXPECT_EQ(received(), QStringList{"1*1000"});
    EXPECT_TRUE(m_tables.HangTimeChanged[2] && m_tables.HangTimeChanged[3]);
    EXPECT_EQ(messages(), (QStringList{InterruptQuestion, PleaseWait}));
}
