#include "DtmfDecoder.h"
#include "QtPrinters.h"
#include "WindowRig.h"
#include "WireFixture.h"
#include "link/ManualSendData.h"

#include <QApplication>
#include <QClipboard>
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
    ManualSendData window(rig.context, rig.controller);
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

// Two lines pasted are one line in the box, its break dropped: the controller
// gets one command line, and no second command.
class ManualSendWire : public WireFixture {};

TEST_F(ManualSendWire, APastedTwoLineTextGoesOutAsOneCommandLine)
{
    ManualSendData window(m_context, m_controller);
    window.show();
    auto* box = window.findChild<QLineEdit*>("ManualSendData");
    QApplication::clipboard()->setText("1*100060\r\n2*100070");
    box->paste();
    EXPECT_EQ(box->text(), "1*1000602*100070");
    QTest::keyClick(box, Qt::Key_Return);
    window.Close_Click();
    ASSERT_TRUE(m_sim.waitForCloses(1));
    EXPECT_EQ(m_sim.received(), "1*1000602*100070\r");
    EXPECT_EQ(m_sim.lines().size(), 1u);
    EXPECT_TRUE(m_dialogs.shown().empty());
}

// A character the serial line cannot carry would reach the controller as
// another one: the line is refused, named, and nothing goes out.
TEST_F(ManualSendWire, ACharacterOutsideLatin1IsRefusedAndNothingIsSent)
{
    ManualSendData window(m_context, m_controller);
    window.show();
    auto* box = window.findChild<QLineEdit*>("ManualSendData");
    QApplication::clipboard()->setText(QStringLiteral("\u00C4\u20AC\u00FC"));
    box->paste();
    QTest::keyClick(box, Qt::Key_Return);
    ASSERT_EQ(m_dialogs.messages().size(), 1u);
    EXPECT_EQ(m_dialogs.messages()[0].text,
              QStringLiteral("Not sent to the Tarvex: the text holds a character outside Latin-1 (\"\u20AC\")."));
    EXPECT_EQ(box->text(), QStringLiteral("\u00C4\u20AC\u00FC")) << "kept to be mended";

    // Latin-1 alone goes out as it is.
    box->setText(QStringLiteral("\u00C4\u00FC"));
    QTest::keyClick(box, Qt::Key_Return);
    window.Close_Click();
    ASSERT_TRUE(m_sim.waitForCloses(1));
    EXPECT_EQ(m_sim.received(), QByteArray("\xC4\xFC\r"));
}

// A serial port or a keying port that will not open: its message, and nothing
// written, awaited or played.
TEST(ManualSendData, NothingIsWrittenOrAwaitedWithoutAPort)
{
    struct Case {
        const char* comPort;
        const char* keyingPort;
    };
    for (const Case c : {Case{"2", "0"}, Case{"0", "3"}}) {
        SCOPED_TRACE(c.comPort);
        WindowRig rig;
        rig.tables.ComPortValue = c.comPort;
        rig.tables.DTMFComPortValue = c.keyingPort;
        rig.port.setOpenFailure("Device or resource busy");
        ManualSendData window(rig.context, rig.controller);
        window.show();
        type(window, "1*100050");
        ASSERT_EQ(rig.dialogs.messages().size(), 1u);
        EXPECT_TRUE(rig.dialogs.messages()[0].text.startsWith(
            QStringLiteral("COM%1 is in use").arg(c.comPort == QLatin1String("0") ? c.keyingPort : c.comPort)));
        EXPECT_TRUE(rig.port.written().isEmpty());
        EXPECT_FALSE(rig.port.isOpen());
        EXPECT_TRUE(rig.sound.images().isEmpty());
        EXPECT_EQ(rig.clock.elapsedMs(), 0);
    }
}

// The user types the whole sequence: nothing is added to it.
TEST(ManualSendData, DtmfModePlaysTheTrimmedKeysWhileKeyed)
{
    WindowRig rig;
    rig.tables.ComPortValue = "0";
    rig.tables.DTMFComPortValue = "3";
    rig.tables.PTTLine = "1";
    int unkeyedMs = 0;
    rig.clock.onSleep([&](int ms) {
        if (!(rig.port.isOpen() && rig.port.dtr()))
            unkeyedMs += ms;
    });
    ManualSendData window(rig.context, rig.controller);
    window.show();
    type(window, "  *100050 ");
    EXPECT_EQ(DecodeDtmf(rig.sound.wav()).join(QString()), "*100050");
    EXPECT_GT(rig.clock.elapsedMs(), 0);
    EXPECT_EQ(unkeyedMs, 0);
    EXPECT_FALSE(rig.port.isOpen());
    EXPECT_FALSE(rig.port.dtr());
    EXPECT_TRUE(rig.port.written().isEmpty());
    EXPECT_TRUE(rig.dialogs.shown().empty());
    EXPECT_TRUE(window.findChild<QLineEdit*>("ManualSendData")->text().isEmpty());
}

TEST(ManualSendData, CloseDuringAWaitEndsItAndClosesThePort)
{
    WindowRig rig;
    ManualSendData window(rig.context, rig.controller);
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
