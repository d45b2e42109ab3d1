#pragma once

#include "CaptureSound.h"
#include "ControllerSimulator.h"
#include "CoreApplication.h"
#include "FakeClock.h"
#include "MemoryProfile.h"
#include "ScriptedDialogs.h"
#include "StandInLink.h"
#include "link/SerialLink.h"
#include "platform/ComPorts.h"
#include "platform/QtSerialPort.h"
#include "store/AppContext.h"
#include "store/ErrorLog.h"
#include "store/SettingsNotices.h"
#include "store/SettingsTables.h"

#include <functional>
#include <gtest/gtest.h>

// The controller link over the real port, COM 3 being the controller
// simulator's line. Every pass of the event loop moves the clock on, so a three-second
// reply wait takes a few hundred real milliseconds while a reply still comes
// in at once.
class WireFixture : public ::testing::Test {
protected:
    static constexpr int MsPerEventPass = 100;

    void SetUp() override
    {
        EnsureCoreApplication();
        ASSERT_FALSE(m_sim.devicePath().isEmpty()) << m_sim.error().toStdString();
        m_tables.ComPortValue = "3";
        m_clock.onEvents([this] {
            m_clock.sleep(m_msPerPass);
            if (m_onEvents)
                m_onEvents();
        });
    }

    int m_msPerPass = MsPerEventPass;
    std::function<void()> m_onEvents; // runs at every pass of the event loop
    ControllerSimulator m_sim;
    FakeClock m_clock;
    SettingsTables m_tables;
    ScriptedDialogs m_dialogs;
    ComPorts m_ports{[this](const QString& key) { return key == "COM3" ? m_sim.devicePath() : QString(); },
                     [] { return QStringList(); }};
    QtSerialPort m_port{[this](int n) { return m_ports.deviceFor(n); }};
    CaptureSound m_sound{&m_clock};
    StandInLink m_controller{m_tables, m_port, m_sound, m_dialogs, m_clock};
    SerialLink& m_link = m_controller.serialLink();
    // The program's context over the same parts, for a window or an editor.
    MemoryProfile m_profile;
    ErrorLog m_log;
    SettingsNotices m_notices;
    AppContext m_context{m_tables, m_profile, m_dialogs, m_clock, m_log, "zarn.ini", m_port, m_ports, m_sound,
                         m_notices};
};
