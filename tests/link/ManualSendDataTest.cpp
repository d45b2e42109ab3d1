#include "QtPrinters.h"
#include "WindowRig.h"
#include "link/ManualSendData.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void type(ManualSendData& window, const QString& text)
{
    auto* box = window.findChild<QLineEdit*>("ManualSendData");
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

} // namespace

TEST(ManualSendData, EnterSendsTheLineWithItsReplyCheck)
{
    WindowRig rig;
    ManualSendData window(rig.context, rig.link);
    window.show();
    EXPECT_EQ(window.windowTitle(), "Manual Send Data To Tarvex");
    rig.script({{"+"}});
    rig.tables.UpdateError = rig.tables.UpdateInterrupted = true; // left by an earlier give-up
    type(window, "1*100050");
    EXPECT_FALSE(rig.tables.UpdateError || rig.tables.UpdateInterrupted);
    EXPECT_EQ(rig.port.written(), "1*100050\r");
    EXPECT_EQ(rig.tables.LastCommand, "1*100050\r");
    EXPECT_TRUE(rig.tables.SerialReplyOK);
    EXPECT_TRUE(rig.dialogs.shown().empty());
    EXPECT_TRUE(window.findChild<QLineEdit*>("ManualSendData")->text().isEmpty());
    EXPECT_TRUE(rig.port.isOpen()); // until Close

    type(window, ""); // nothing to send
    EXPECT_EQ(rig.port.written(), "1*100050\r");
}

TEST(ManualSendData, NothingIsWrittenOrAwaitedWithoutAPort)
{
    struct Case {
        const char* comPort;
        const char* openFailure;
    };
    for (const Case c : {Case{"2", "Device or resource busy"}, Case{"0", ""}}) {
        SCOPED_TRACE(c.comPort);
        WindowRig rig;
        rig.tables.ComPortValue = c.comPort;
        rig.port.setOpenFailure(c.openFailure);
        ManualSendData window(rig.context, rig.link);
        window.show();
        type(window, "1*100050");
        EXPECT_EQ(rig.dialogs.messages().size(), 1u);
        EXPECT_TRUE(rig.port.written().isEmpty());
        EXPECT_FALSE(rig.port.isOpen());
        EXPECT_EQ(rig.clock.elapsedMs(), 0);
    }
}

TEST(ManualSendData, CloseDuringAWaitEndsItAndClosesThePort)
{
    WindowRig rig;
    ManualSendData window(rig.context, rig.link);
    window.show();
    bool clicked = false;
    rig.clock.onSleep([&](int) {
        if (clicked || !rig.link.busy())
            return;
        clicked = true;
        type(window, "1*21999"); // a second command cannot start
        window.findChild<QPushButton*>("Close")->click();
    });
    rig.script({{}});
    type(window, "1*100050");
    EXPECT_TRUE(clicked);
    EXPECT_EQ(rig.port.written(), "1*100050\r");
    EXPECT_TRUE(rig.dialogs.shown().empty());
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(rig.port.isOpen());
    EXPECT_FALSE(rig.read("Manualsend", "Window Width").isEmpty());
}
