#include "QtPrinters.h"
#include "WindowRig.h"
#include "link/UpdateWindow.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

QPushButton* button(QWidget& w, const char* name) { return w.findChild<QPushButton*>(name); }

} // namespace

TEST(UpdateWindow, LoadingOpensThePortAndCloseClosesItAndKeepsThePlace)
{
    WindowRig rig;
    rig.profile.setBytes("zarn.ini", "[Update]\nWindow Width=6000\nWindow Height=3000\n");
    UpdateWindow window(rig.context, rig.controller);
    EXPECT_EQ(window.windowTitle(), "Send To Tarvex");
    for (const char* name : {"Interrupt", "Close", "Complete", "Update"})
        EXPECT_NE(button(window, name), nullptr) << name;
    EXPECT_TRUE(window.findChild<QProgressBar*>("ProgressBar1")->isHidden());
    EXPECT_TRUE(window.findChild<QLabel*>("PercentProgress")->isHidden());
    EXPECT_TRUE(window.findChild<QLabel*>("ProgressLabel")->isHidden());
    EXPECT_EQ(window.width(), 400);
    EXPECT_TRUE(rig.port.isOpen());

    window.show();
    rig.tables.UpdateInterrupted = true;
    button(window, "Close")->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(rig.tables.UpdateInterrupted);
    EXPECT_FALSE(rig.port.isOpen());
    EXPECT_EQ(rig.read("Update", "Window Width"), "6000");
}

TEST(UpdateWindow, AFailedPortIsNotTriedAgainAndWritesNoPlace)
{
    WindowRig rig;
    rig.port.setOpenFailure("Device or resource busy");
    UpdateWindow window(rig.context, rig.controller);
    EXPECT_TRUE(rig.link.PortFailed());
    window.show();
    window.close(); // from the frame: unloaded
    window.show();  // loaded again
    EXPECT_EQ(rig.dialogs.messages().size(), 1u);
    EXPECT_EQ(rig.profile.writeCount(), 0);
    EXPECT_TRUE(rig.port.log().isEmpty());
}

TEST(UpdateWindow, CloseDuringAWaitInterruptsThenCloses)
{
    WindowRig rig;
    UpdateWindow window(rig.context, rig.controller);
    window.show();
    rig.clock.onSleep([&](int) { button(window, "Close")->click(); });
    rig.script({{}});
    EXPECT_EQ(rig.command(), SerialLink::Reply::Interrupted);
    EXPECT_TRUE(rig.tables.UpdateInterrupted); // the upload stops on it
    EXPECT_TRUE(rig.dialogs.shown().empty());
    EXPECT_FALSE(window.isVisible());

    QCoreApplication::processEvents();
    EXPECT_FALSE(rig.port.isOpen());
    EXPECT_FALSE(rig.tables.UpdateInterrupted);
    EXPECT_FALSE(rig.read("Update", "Window Width").isEmpty());
}

TEST(UpdateWindow, InterruptAsksThenStopsAndResetsTheProgress)
{
    WindowRig rig;
    UpdateWindow window(rig.context, rig.controller);
    window.show();
    rig.script({{}});
    (void)rig.command();
    rig.link.setProgressValue(362);

    rig.dialogs.answer(Dialogs::Answer::No);
    button(window, "Interrupt")->click();
    EXPECT_FALSE(rig.tables.UpdateInterrupted);

    rig.dialogs.answer(Dialogs::Answer::Yes);
    button(window, "Interrupt")->click();
    EXPECT_TRUE(rig.tables.UpdateInterrupted);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(rig.link.TimeoutCount(), 0);
    EXPECT_EQ(window.findChild<QProgressBar*>("ProgressBar1")->value(), 0);
    EXPECT_EQ(window.findChild<QLabel*>("PercentProgress")->text(), "0% Complete");
    EXPECT_EQ(rig.dialogs.messageTexts().mid(1).last(), "Wait: Please wait while I finish the current operation");
}

TEST(UpdateWindow, TheReplyCheckShowsThePercentAndTheGiveUpHidesTheWindow)
{
    WindowRig rig;
    UpdateWindow window(rig.context, rig.controller);
    window.show();
    rig.link.setProgressValue(362);
    rig.script({{"+"}});
    EXPECT_EQ(rig.command(), SerialLink::Reply::Accepted);
    EXPECT_EQ(window.findChild<QLabel*>("PercentProgress")->text(), "50% Complete");
    EXPECT_EQ(window.findChild<QProgressBar*>("ProgressBar1")->value(), 362);

    for (int i = 0; i <= SerialLink::TimeoutsToGiveUp; ++i)
        (void)rig.command();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.findChild<QLabel*>("PercentProgress")->text(), "0% Complete");
}
