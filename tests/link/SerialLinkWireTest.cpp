#include "LinkMessages.h"
#include "QtPrinters.h"
#include "WireFixture.h"

#include <gtest/gtest.h>

using Answer = ControllerSimulator::Answer;
using Reply = SerialLink::Reply;

namespace {

class SerialLinkWire : public WireFixture {
protected:
    void SetUp() override
    {
        WireFixture::SetUp();
        m_tables.CurrentLock = "9";
    }

    void open()
    {
        ASSERT_TRUE(m_link.OpenSerialPort());
        ASSERT_TRUE(m_link.isPortOpen());
    }

    Reply command(const QString& line = "1*100050\r")
    {
        (void)m_link.SendStr(line);
        m_tables.LastCommand = line;
        return m_link.CheckInput(line);
    }
};

} // namespace

TEST_F(SerialLinkWire, TheLineGoesOutExactlyAndEachReplyIsJudged)
{
    ASSERT_NO_FATAL_FAILURE(open());
    m_sim.script({Answer::accept(), Answer::text("\r\n+"), Answer::refuse()});

    EXPECT_EQ(command(), Reply::Accepted);
    EXPECT_TRUE(m_dialogs.shown().empty());
    EXPECT_EQ(command(), Reply::Accepted);
    EXPECT_TRUE(m_dialogs.shown().empty());
    EXPECT_EQ(command(), Reply::Refused);
    EXPECT_EQ(m_dialogs.messageTexts(), QStringList{RefusalMessage});
    EXPECT_TRUE(m_tables.UpdateError);

    ASSERT_TRUE(m_sim.waitForLines(3));
    EXPECT_EQ(m_sim.received(), QByteArray("1*100050\r").repeated(3));
}

TEST_F(SerialLinkWire, ThreeTimeOutsThenTheFourthCommandGivesUp)
{
    ASSERT_NO_FATAL_FAILURE(open());
    m_sim.setDefaultAnswer(Answer::silence());
    std::int64_t toldAt = -1;
    m_dialogs.onMessage([&](const ScriptedDialogs::Shown&) { toldAt = m_clock.elapsedMs(); });
    for (int i = 0; i < SerialLink::TimeoutsToGiveUp; ++i) {
        const auto started = m_clock.elapsedMs();
        EXPECT_EQ(command(), Reply::TimedOut);
        // The time-out after three ticks, then three more listened out.
        EXPECT_GE(toldAt - started, 3000);
        EXPECT_LE(toldAt - started, 3000 + MsPerEventPass);
        EXPECT_GE(m_clock.elapsedMs() - toldAt, 3000);
        EXPECT_LE(m_clock.elapsedMs() - toldAt, 3000 + MsPerEventPass);
    }
    EXPECT_EQ(m_dialogs.messageTexts(), QStringList(3, TimeoutMessage));

    EXPECT_EQ(command(), Reply::GaveUp);
    EXPECT_EQ(m_dialogs.messageTexts().back(), GiveUpMessage);
    EXPECT_TRUE(m_tables.UpdateError);
    EXPECT_TRUE(m_tables.UpdateInterrupted);
    EXPECT_FALSE(m_link.isPortOpen());
    ASSERT_TRUE(m_sim.waitForCloses(1));
    ASSERT_EQ(m_sim.lines().size(), 5u);
    EXPECT_EQ(m_sim.lines().back().text, "19");
}

TEST_F(SerialLinkWire, ALatePlusIsNotTakenForTheNextReply)
{
    ASSERT_NO_FATAL_FAILURE(open());
    m_msPerPass = 1000; // the wait is over long before the late answer
    m_sim.script({Answer::accept(600), Answer::refuse()});
    EXPECT_EQ(command(), Reply::TimedOut);
    ASSERT_TRUE(m_port.waitForData(5000)); // the late "+" is in

    EXPECT_EQ(command(), Reply::Refused);
    EXPECT_FALSE(m_tables.SerialReplyOK);
}

TEST_F(SerialLinkWire, AMissingDeviceGivesOneMessageAndNothingIsWritten)
{
    m_tables.ComPortValue = "5";
    EXPECT_FALSE(m_link.OpenSerialPort());
    EXPECT_TRUE(m_link.PortFailed());
    ASSERT_EQ(m_dialogs.messageTexts().size(), 1);
    EXPECT_TRUE(m_dialogs.messageTexts().front().startsWith(
        "Tarvex Programmer: COM5 is in use by another program. Close the other program and try again\n"));
    EXPECT_FALSE(m_link.SendStr("1*100050\r"));
    EXPECT_EQ(m_sim.opensSeen(), 0);
    EXPECT_TRUE(m_sim.received().isEmpty());
}

TEST_F(SerialLinkWire, ALineHungUpMidRunStillEndsInTheGiveUp)
{
    ASSERT_NO_FATAL_FAILURE(open());
    EXPECT_EQ(command(), Reply::Accepted);
    m_sim.hangUp();
    for (int i = 0; i < SerialLink::TimeoutsToGiveUp; ++i)
        EXPECT_EQ(command(), Reply::TimedOut);
    EXPECT_EQ(command(), Reply::GaveUp);
    EXPECT_TRUE(m_tables.UpdateError);
    EXPECT_TRUE(m_tables.UpdateInterrupted);
    EXPECT_FALSE(m_link.isPortOpen());
}
