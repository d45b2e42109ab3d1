#include "QtPrinters.h"
#include "WindowRig.h"
#include "link/ClockSetting.h"
#include "link/CommandCatalogue.h"
#include "link/ControllerLink.h"
#include "link/ManualSendData.h"
#include "link/TTPad.h"
#include "link/UpdateWindow.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using Job = ControllerLink::Job;

namespace {

constexpr Job Runs[] = {Job::Upload, Job::ClockSetting, Job::ManualSend, Job::AtOnce, Job::TestPad};

const char* Name(Job job)
{
    switch (job) {
    case Job::Upload: return "upload";
    case Job::ClockSetting: return "clock setting";
    case Job::ManualSend: return "manual send";
    case Job::AtOnce: return "command sent at once";
    case Job::TestPad: return "test pad";
    case Job::Download: return "download";
    }
    return "";
}

// The windows of the link over one controller link, serial mode, and each
// way a run starts.
struct GuardRig : WindowRig {
    GuardRig()
    {
        tables.HangTime[1] = "50";
        tables.HangTimeChanged[1] = true;
        upload.show();
        manual.show();
        pad.show();
    }

    void start(Job job)
    {
        switch (job) {
        case Job::Upload: upload.findChild<QPushButton*>("Update")->click(); break;
        case Job::ClockSetting: (void)SetControllerClock(tables, controller, dialogs, clock); break;
        case Job::ManualSend: {
            auto* box = manual.findChild<QLineEdit*>("ManualSendData");
            box->setText("1*21999");
            QTest::keyClick(box, Qt::Key_Return);
            break;
        }
        case Job::AtOnce: {
            AtOnce request;
            request.commands = {LockChangeCommand("5")};
            (void)controller.sendAtOnce(request);
            break;
        }
        case Job::TestPad: pad.findChild<QPushButton*>("cmdNum5")->click(); break;
        case Job::Download: break;
        }
    }

    UpdateWindow upload{context, controller};
    ManualSendData manual{context, controller};
    TTPad pad{context, controller};
};

// The starts that tell the user the link is busy while `first` runs. The
// upload window's buttons are off during its own upload, the manual window
// ignores Enter during its own command.
int BusyMessages(Job first)
{
    int told = 0;
    for (Job second : Runs)
        if (second != first || second == Job::AtOnce || second == Job::ClockSetting)
            ++told;
    return told;
}

} // namespace

// Each run, started from its own window or call, holds the link until it
// ends; every start meanwhile is refused and writes, plays and changes
// nothing. The test pad's own presses wait their turn instead.
TEST(RunGuard, WhileOneRunHoldsTheLinkEveryOtherStartIsRefused)
{
    for (const Job first : Runs) {
        SCOPED_TRACE(Name(first));
        GuardRig rig;
        bool tried = false;
        QString busyText;
        rig.clock.onSleep([&](int) {
            const bool inRun = rig.link.busy() || rig.controller.holds(Job::TestPad);
            if (tried || !inRun)
                return;
            tried = true;
            busyText = rig.controller.busyText();
            const QStringList portLog = rig.port.log();
            const QStringList sounds = rig.sound.calls();
            const bool errorFlag = rig.tables.UpdateError;
            rig.dialogs.clear();
            for (const Job second : Runs)
                if (second != Job::TestPad || first != Job::TestPad)
                    rig.start(second);
            EXPECT_EQ(rig.port.log(), portLog);
            EXPECT_EQ(rig.sound.calls(), sounds);
            EXPECT_EQ(rig.tables.UpdateError, errorFlag);
            EXPECT_TRUE(rig.tables.HangTimeChanged[1]);
            EXPECT_TRUE(rig.controller.holds(first));
            EXPECT_EQ(rig.dialogs.messageTexts(),
                      QStringList(BusyMessages(first), "Tarvex Programmer: " + busyText));
            rig.port.queueReply("+"); // the run's own reply, late
        });
        rig.script({{}, {"+"}});
        rig.start(first);
        EXPECT_TRUE(tried);
        EXPECT_FALSE(rig.controller.busy());
        EXPECT_FALSE(busyText.isEmpty());
    }
}
