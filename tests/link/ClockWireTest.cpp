#include "link/ClockSetting.h"

#include "LinkMessages.h"
#include "QtPrinters.h"
#include "WireFixture.h"

#include <gtest/gtest.h>

using Answer = ControllerSimulator::Answer;

namespace {

class ClockWire : public WireFixture {
protected:
    void SetUp() override
    {
        WireFixture::SetUp();
        m_tables.DateFormat = "False";
        m_clock.setDateTime(QDateTime(QDate(2026, 12, 9), QTime(21, 5, 7)));
    }

    bool setClock() { return SetControllerClock(m_tables, m_controller, m_dialogs, m_clock); }
};

} // namespace

TEST_F(ClockWire, TheTimeFollowsTheAcceptedDateAndThePortIsClosed)
{
    EXPECT_TRUE(setClock());
    ASSERT_TRUE(m_sim.waitForCloses(1));
    EXPECT_EQ(m_sim.received(), QByteArray("1*5101120926\r1*51002105\r"));
    EXPECT_FALSE(m_link.isPortOpen());
    EXPECT_EQ(m_dialogs.messageTexts(), QStringList{"Done: Clock and Calendar have been successfully set"});
}

TEST_F(ClockWire, ARefusedDateSendsNoTimeAndThePortIsClosed)
{
    m_sim.script({Answer::refuse()});
    EXPECT_FALSE(setClock());
    ASSERT_TRUE(m_sim.waitForCloses(1));
    EXPECT_EQ(m_sim.received(), QByteArray("1*5101120926\r"));
    EXPECT_FALSE(m_link.isPortOpen());
    EXPECT_EQ(m_dialogs.messageTexts(), QStringList{RefusalMessage});
    EXPECT_FALSE(m_tables.UpdateError);
}
