#include "DtmfDecoder.h"
#include "QtPrinters.h"
#include "WindowRig.h"
#include "link/TTPad.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct PadRig : WindowRig {
    PadRig()
    {
        // A keying port is chosen, but the pad keys nothing.
        tables.ComPortValue = "0";
        tables.DTMFComPortValue = "3";
        pad.show();
    }
    void click(int index) { pad.findChild<QPushButton*>(QStringLiteral("cmdNum%1").arg(index))->click(); }
    QString number() const { return pad.findChild<QLineEdit*>("txtNum")->text(); }
    QString heard() const { return DecodeDtmf(sound.wav()).join(QString()); }

    TTPad pad{context, controller};
};

} // namespace

TEST(TTPad, EachButtonPlaysItsKeyAndShowsItsCaptionOnce)
{
    PadRig rig;
    EXPECT_EQ(rig.pad.windowTitle(), "DTMF Dialer");
    EXPECT_EQ(rig.pad.findChild<QPushButton*>("cmdNum10"), nullptr);
    for (int index : {1, 2, 3, 13, 4, 5, 6, 14, 7, 8, 9, 15, 11, 0, 12, 16})
        rig.click(index);
    EXPECT_EQ(rig.number(), "123A456B789C*0#D");
    EXPECT_EQ(rig.heard(), "123A456B789C*0#D");
    EXPECT_EQ(rig.sound.calls().count("beginRun"), 16); // a short run for each press
    EXPECT_TRUE(rig.port.log().isEmpty());
}

TEST(TTPad, TypedKeysPlayAndShowOnce)
{
    PadRig rig;
    QTest::keyClicks(rig.pad.findChild<QLineEdit*>("txtNum"), "5#a");
    QTest::keyClicks(rig.pad.findChild<QPushButton*>("cmdNum1"), "D");
    EXPECT_EQ(rig.number(), "5#aD");
    EXPECT_EQ(rig.heard(), "5#D");
    EXPECT_EQ(rig.sound.images().size(), 3);
}

TEST(TTPad, ClearEmptiesAndCloseHidesKeepingTheText)
{
    PadRig rig;
    rig.click(5);
    rig.pad.findChild<QPushButton*>("Clear")->click();
    EXPECT_EQ(rig.number(), "");
    rig.click(7);
    rig.pad.findChild<QPushButton*>("Exit")->click();
    EXPECT_FALSE(rig.pad.isVisible());
    EXPECT_EQ(rig.number(), "7");
}

// Events pass while a key plays; a press then waits for it, in order.
TEST(TTPad, APressWhileAKeyPlaysWaitsItsTurn)
{
    PadRig rig;
    bool pressed = false;
    rig.clock.onSleep([&](int) {
        if (!pressed && rig.sound.images().size() == 1) {
            pressed = true;
            rig.click(2);
        }
    });
    rig.click(1);
    EXPECT_TRUE(pressed);
    EXPECT_EQ(rig.number(), "12");
    EXPECT_EQ(rig.heard(), "12");
    EXPECT_EQ(rig.sound.calls(), (QStringList{"beginRun", "playSilence 40", "playWav", "endRun", "beginRun",
                                              "playSilence 40", "playWav", "endRun"}));
}
