#pragma once

#include "LinkMessages.h"
#include "RecordingTransport.h"
#include "StoreFixture.h"
#include "WireFixture.h"
#include "link/UpdateWindow.h"
#include "store/SettingsTables.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include <memory>

// The upload window over the real serial port to the controller simulator.
class UploadWire : public WireFixture {
protected:
    void SetUp() override
    {
        WireFixture::SetUp();
        m_tables.CurrentLock = "9";
        m_tables.Terminator = "D";
        m_controller.standIn(m_dtmf);
    }

    UpdateWindow& window()
    {
        if (!m_window)
            m_window = std::make_unique<UpdateWindow>(m_context, m_controller);
        m_window->show();
        return *m_window;
    }
    QPushButton* button(const char* name) { return m_window->findChild<QPushButton*>(name); }
    QString percentText() { return m_window->findChild<QLabel*>("PercentProgress")->text(); }

    // The lines the controller got, without their CRs; every one ended in CR.
    QStringList received()
    {
        QStringList out;
        for (const auto& line : m_sim.lines())
            out << QString::fromLatin1(line.text);
        EXPECT_EQ(m_sim.received().count('\r'), out.size());
        return out;
    }
    QStringList messages() const { return m_dialogs.messageTexts(); }

    RecordingTransport m_dtmf{true};
    std::unique_ptr<UpdateWindow> m_window;
};

// The upload window's messages, each with its title.
inline const QString Done = "Tarvex Programmer: Update Complete";
inline const QString InterruptQuestion = "Interrupt Update: Are you sure you want to interrupt the update?";
inline const QString PleaseWait = "Wait: Please wait while I finish the current operation";
inline const QString CompleteQuestion = "Send Complete Configuration: Are you sure you want to update your complete "
                                        "configuration? It could take some time";
inline const QString CompleteDone = "Tarvex Programmer: Complete Upload Is Complete. The Tarvex will now reset.";
