#include "link/ClockSetting.h"
#include "link/SerialTransport.h"

#include "ControllerSimulator.h"
#include "CoreApplication.h"
#include "FakeClock.h"
#include "QtPrinters.h"
#include "ScriptedDialogs.h"
#include "link/SerialLink.h"
#include "platform/ComPorts.h"
#include "platform/QtSerialPort.h"
#include "store/SettingsTables.h"

#include <gtest/gtest.h>

using Answer = ControllerSimulator::Answer;

namespace {

class ClockWire : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureCoreApplication();
        ASSERT_FALSE(m_sim.devicePath().isEmpty()) << m_sim.error().toStdString();
        m_tables.ComPortValue = "3";
        m_tables.DateFormat = "False";
        m_clock.setDateTime(QDateTime(QDate(2026, 12, 9), QTime(21, 5, 7)));
        // Each pass of the event loop moves the clock on, so a time-out passes quickly.
        m_clock.onEvents([this] { m_clock.sleep(100); });
    }

    bool setClock() { return SetControllerClock(m_tables, m_transport, m_link, m_dialogs, m_clock); }

    ControllerSimulator m_sim;
    FakeClock m_clock;
    SettingsTables m_tables;
    ScriptedDialogs m_dialogs;
    ComPorts m_ports{[this](const QString& key) { return key == "COM3" ? m_sim.devicePath() : QString(); },
                     [] { return QStringList(); }};
    QtSerialPort m_port{[this](int n) { return m_ports.deviceFor(n); }};
    SerialLink m_link{m_port, m_tables, m_dialogs, m_clock};
    SerialTransport m_transport{m_link, m_tables, m_clock};
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
    EXPECT_EQ(m_dialogs.messageTexts(),
              QStringList{"Tarvex Programmer: There has been an error. The Tarvex returned -    "});
    EXPECT_FALSE(m_tables.UpdateError);
}
