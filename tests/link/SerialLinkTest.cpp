#include "FakeLinkRig.h"
#include "LinkMessages.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

using Reply = SerialLink::Reply;

TEST(SerialLinkReply, FirstCharacterSinceTheLineWasWrittenDecides)
{
    struct Case {
        const char* name;
        FakeLinkRig::Chunks pending; // arrived before the line was written
        FakeLinkRig::Chunks reply;
        Reply expected;
        QStringList messages;
    };
    const Case cases[] = {
        {"plus", {}, {"+"}, Reply::Accepted, {}},
        {"plus and more", {}, {"+garbage\r\n"}, Reply::Accepted, {}},
        {"line end, then plus", {}, {"\r\n", "+"}, Reply::Accepted, {}},
        {"line end and plus", {}, {"\r\n+"}, Reply::Accepted, {}},
        {"minus", {}, {"-"}, Reply::Refused, {RefusalMessage}},
        {"split minus", {}, {"\r", "\n-"}, Reply::Refused,
         {"Tarvex Programmer: There has been an error. The Tarvex returned \r\n-    "}},
        {"stale plus before a minus", {"+", "\r\n"}, {"-"}, Reply::Refused, {RefusalMessage}},
        {"garbage first", {}, {"x+"}, Reply::TimedOut, {TimeoutMessage}},
        {"silence", {}, {}, Reply::TimedOut, {TimeoutMessage}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeLinkRig rig;
        ASSERT_TRUE(rig.link.OpenSerialPort());
        for (const QByteArray& chunk : c.pending)
            rig.port.queueReply(chunk);
        rig.script({c.reply});
        std::int64_t toldAt = -1;
        rig.dialogs.onMessage([&](const ScriptedDialogs::Shown&) { toldAt = rig.clock.elapsedMs(); });

        const auto started = rig.clock.elapsedMs();
        EXPECT_EQ(rig.command(), c.expected);
        EXPECT_EQ(rig.dialogs.messageTexts(), c.messages);
        EXPECT_EQ(rig.port.written(), "1*100050\r");
        EXPECT_EQ(rig.tables.SerialReplyOK, c.expected == Reply::Accepted);
        EXPECT_EQ(rig.tables.UpdateError, c.expected == Reply::Refused);
        EXPECT_EQ(rig.link.TimeoutCount(), c.expected == Reply::TimedOut ? 1 : 0);
        EXPECT_EQ(rig.link.ReplyTicks(), 0);
        if (c.expected == Reply::TimedOut) {
            // Three ticks of the one-second timer, polled every few milliseconds,
            // then three more listened out for a late answer.
            EXPECT_GE(toldAt - started, 3000);
            EXPECT_LE(toldAt - started, 3050);
            EXPECT_GE(rig.clock.elapsedMs() - toldAt, 3000);
            EXPECT_LE(rig.clock.elapsedMs() - toldAt, 3050);
        }
    }
}

TEST(SerialLinkReply, PlusAfterTwoTimeOutsResetsTheCount)
{
    FakeLinkRig rig;
    ASSERT_TRUE(rig.link.OpenSerialPort());
    rig.script({{}, {}, {"+"}, {}, {}, {}});
    const Reply expected[] = {Reply::TimedOut, Reply::TimedOut, Reply::Accepted,
                              Reply::TimedOut, Reply::TimedOut, Reply::TimedOut, Reply::GaveUp};
    int count = 0;
    for (Reply e : expected) {
        SCOPED_TRACE(count++);
        EXPECT_EQ(rig.command(), e);
    }
    EXPECT_EQ(rig.dialogs.messageTexts().filter(TimeoutMessage).size(), 5);
    EXPECT_EQ(rig.dialogs.messageTexts().back(), GiveUpMessage);
}

TEST(SerialLinkReply, GiveUpRunsToTheEndWhenTheLineHasVanished)
{
    for (const char* ptt : {"1", "2"}) {
        SCOPED_TRACE(ptt);
        FakeLinkRig rig;
        rig.tables.PTTLine = ptt;
        rig.link.setProgressValue(362);
        int hidden = 0;
        rig.link.onHide([&] { ++hidden; });
        SerialLink::Progress shown{-1, -1};
        rig.link.onProgress([&](const SerialLink::Progress& p) { shown = p; });
        ASSERT_TRUE(rig.link.OpenSerialPort());
        rig.script({{"+"}});
        EXPECT_EQ(rig.command(), Reply::Accepted);
        EXPECT_EQ(shown.percent, 50);

        rig.port.vanish();
        for (int i = 0; i < SerialLink::TimeoutsToGiveUp; ++i)
            EXPECT_EQ(rig.command(), Reply::TimedOut);
        const auto before = rig.clock.elapsedMs();
        EXPECT_EQ(rig.command(), Reply::GaveUp);
        EXPECT_LE(rig.clock.elapsedMs() - before, 10); // after one poll

        EXPECT_EQ(rig.dialogs.messageTexts().back(), GiveUpMessage);
        EXPECT_TRUE(rig.tables.UpdateError);
        EXPECT_TRUE(rig.tables.UpdateInterrupted);
        EXPECT_EQ(hidden, 1);
        EXPECT_EQ(shown.value, 0);
        EXPECT_EQ(shown.percent, 0);
        EXPECT_EQ(rig.link.TimeoutCount(), 0);
        EXPECT_FALSE(rig.link.isPortOpen());
        EXPECT_FALSE(rig.port.dtr());
        EXPECT_FALSE(rig.port.rts());
    }
}

TEST(SerialLinkReply, GiveUpSendsTheLockLineAndClosesAfterDroppingTheLines)
{
    FakeLinkRig rig;
    ASSERT_TRUE(rig.link.OpenSerialPort());
    for (int i = 0; i < SerialLink::TimeoutsToGiveUp; ++i)
        (void)rig.command();
    EXPECT_EQ(rig.command(), Reply::GaveUp);
    const QStringList log = rig.port.log();
    ASSERT_GE(log.size(), 4);
    EXPECT_EQ(log.mid(log.size() - 4), (QStringList{"write 19\r", "dtr 0", "rts 0", "close"}));
}

TEST(SerialLinkReply, OneCommandAtATime)
{
    FakeLinkRig rig;
    ASSERT_TRUE(rig.link.OpenSerialPort());
    bool tried = false;
    rig.clock.onSleep([&](int) {
        if (tried)
            return;
        tried = true;
        EXPECT_TRUE(rig.link.busy());
        EXPECT_FALSE(rig.link.SendStr("1*100050\r"));
        EXPECT_EQ(rig.link.CheckInput(), Reply::Busy);
        rig.port.queueReply("+");
    });
    rig.script({{}});
    EXPECT_EQ(rig.command("1*21999\r"), Reply::Accepted);
    EXPECT_EQ(rig.port.written(), "1*21999\r");
    EXPECT_FALSE(rig.link.busy());
}

// After a time-out one more reply window is listened to and what comes in it
// thrown away: a controller answering 4 s late does not have its answer
// taken for the next line's. The time-out still counts.
TEST(SerialLinkReply, AnAnswerAfterTheTimeOutIsNotTakenForTheNextLine)
{
    FakeLinkRig rig;
    ASSERT_TRUE(rig.link.OpenSerialPort());
    rig.script({{}, {}});
    bool late = false;
    rig.clock.onSleep([&](int) {
        if (!late && rig.clock.elapsedMs() >= 4000) {
            late = true;
            rig.port.queueReply("+");
        }
    });
    EXPECT_EQ(rig.command(), Reply::TimedOut);
    EXPECT_TRUE(late);
    EXPECT_EQ(rig.command(), Reply::TimedOut);
    EXPECT_EQ(rig.link.TimeoutCount(), 2);
    EXPECT_FALSE(rig.tables.SerialReplyOK);
    std::vector<std::int64_t> writes;
    for (const auto& event : rig.port.events())
        if (event.what.startsWith("write"))
            writes.push_back(event.atMs);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_GE(writes[1] - writes[0], 6000);
}

// Closing the window ends that listening at once, as it ends a reply wait.
TEST(SerialLinkReply, AnAbandonEndsTheListeningAfterATimeOut)
{
    FakeLinkRig rig;
    ASSERT_TRUE(rig.link.OpenSerialPort());
    rig.script({{}});
    std::int64_t toldAt = -1;
    rig.dialogs.onMessage([&](const ScriptedDialogs::Shown&) { toldAt = rig.clock.elapsedMs(); });
    rig.clock.onEvents([&] {
        if (toldAt >= 0)
            rig.link.abandonWait();
    });
    EXPECT_EQ(rig.command(), Reply::TimedOut);
    EXPECT_LT(rig.clock.elapsedMs() - toldAt, 100);
    EXPECT_EQ(rig.link.TimeoutCount(), 1);
    EXPECT_FALSE(rig.link.busy());
}

TEST(SerialLinkReply, AnAbandonedWaitEndsAtOnceWithoutMessage)
{
    FakeLinkRig rig;
    ASSERT_TRUE(rig.link.OpenSerialPort());
    rig.clock.onEvents([&] { rig.link.abandonWait(); });
    rig.script({{}});
    EXPECT_EQ(rig.command(), Reply::Interrupted);
    EXPECT_TRUE(rig.dialogs.shown().empty());
    EXPECT_LT(rig.clock.elapsedMs(), 100);
    EXPECT_EQ(rig.link.TimeoutCount(), 0);
}

TEST(SerialLinkPort, OpensOnTheChosenPortWithBothLinesLow)
{
    FakeLinkRig rig;
    rig.tables.DTMFComPortValue = "5";
    ASSERT_TRUE(rig.link.DoComPort(true)); // the keying port is open
    ASSERT_TRUE(rig.link.OpenSerialPort());
    EXPECT_EQ(rig.port.portNumber(), 2);
    EXPECT_FALSE(rig.port.dtr());
    EXPECT_FALSE(rig.port.rts());
    EXPECT_EQ(rig.port.log().filter("open").size(), 2);
    EXPECT_TRUE(rig.dialogs.shown().empty());
}

TEST(SerialLinkPort, NoPortChosenOpensNothing)
{
    for (const char* value : {"0", ""}) {
        FakeLinkRig rig;
        rig.tables.ComPortValue = value;
        EXPECT_TRUE(rig.link.OpenSerialPort());
        EXPECT_FALSE(rig.link.isPortOpen());
        EXPECT_FALSE(rig.link.PortFailed());
        EXPECT_TRUE(rig.port.log().isEmpty());
    }
}

TEST(SerialLinkPort, APortThatWillNotOpenGivesOneMessage)
{
    FakeLinkRig rig;
    rig.tables.ComPortValue = "3";
    rig.port.setOpenFailure("Device or resource busy");
    EXPECT_FALSE(rig.link.OpenSerialPort());
    EXPECT_TRUE(rig.link.PortFailed());
    EXPECT_EQ(rig.dialogs.messageTexts(),
              QStringList{"Tarvex Programmer: COM3 is in use by another program. Close the other program and try "
                          "again\n/dev/ttyFAKE0: Device or resource busy"});
    EXPECT_FALSE(rig.link.SendStr("1*100050\r"));
    EXPECT_TRUE(rig.port.written().isEmpty());

    rig.port.setOpenFailure("");
    EXPECT_TRUE(rig.link.OpenSerialPort());
    EXPECT_FALSE(rig.link.PortFailed());
}

TEST(SerialLinkKeying, TheLineOfPTTLineKeysAndBothAreLowAfterEveryRun)
{
    struct Case {
        const char* ptt;
        bool dtrKeys;
    };
    for (const Case c : {Case{"1", true}, Case{" 1", true}, Case{"2", false}, Case{"0", false}, Case{"", false}}) {
        SCOPED_TRACE(c.ptt);
        FakeLinkRig rig;
        rig.tables.PTTLine = c.ptt;
        rig.tables.DTMFComPortValue = "4";
        const QString key = c.dtrKeys ? "dtr" : "rts";
        const QString quiet = c.dtrKeys ? "rts" : "dtr";

        ASSERT_TRUE(rig.link.DoComPort(true));
        EXPECT_EQ(rig.port.portNumber(), 4);
        EXPECT_EQ(rig.port.dtr(), c.dtrKeys);
        EXPECT_EQ(rig.port.rts(), !c.dtrKeys);
        EXPECT_TRUE(rig.link.DoComPort(false));
        EXPECT_EQ(rig.port.log(), (QStringList{"open", quiet + " 0", key + " 1", quiet + " 0", key + " 0", "close"}));

        // A run whose adapter is pulled out in the middle.
        ASSERT_TRUE(rig.link.DoComPort(true));
        rig.port.vanish();
        EXPECT_TRUE(rig.link.DoComPort(false));
        EXPECT_FALSE(rig.port.dtr());
        EXPECT_FALSE(rig.port.rts());
        EXPECT_FALSE(rig.link.DoComPort(true)); // gone for good
        EXPECT_FALSE(rig.port.dtr());
        EXPECT_FALSE(rig.port.rts());
    }
}

TEST(SerialLinkKeying, ReleasedWhenTheLinkGoesAway)
{
    FakeClock clock;
    FakeSerialPort port(&clock);
    SettingsTables tables;
    ScriptedDialogs dialogs;
    tables.DTMFComPortValue = "1";
    tables.PTTLine = "1";
    {
        SerialLink link(port, tables, dialogs, clock);
        ASSERT_TRUE(link.DoComPort(true));
        ASSERT_TRUE(port.dtr());
    }
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.log().mid(port.log().size() - 2), (QStringList{"dtr 0", "close"}));
}

TEST(SerialLinkLock, StopsAtTheFirstRefusalGiveUpOrThirdTimeOut)
{
    struct Case {
        const char* name;
        std::initializer_list<FakeLinkRig::Chunks> replies;
        bool ok;
        int lines;
    };
    const Case cases[] = {
        {"accepted", {{"+"}}, true, 1},
        {"accepted after a time-out", {{}, {"+"}}, true, 2},
        {"refused", {{"-"}}, false, 1},
        {"never answered", {}, false, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeLinkRig rig;
        rig.tables.ComPortValue = "2";
        rig.script(c.replies);
        EXPECT_EQ(bool(rig.link.SendSerialLock()), c.ok); // opens the closed port itself
        EXPECT_EQ(rig.port.written(), QByteArray("19D\r").repeated(c.lines));
        EXPECT_EQ(rig.tables.LastCommand, "9D\r");
        EXPECT_FALSE(rig.tables.SerialReplyOK);
    }
}

TEST(SerialLinkLock, GivesUpAfterEarlierTimeOuts)
{
    FakeLinkRig rig;
    ASSERT_TRUE(rig.link.OpenSerialPort());
    for (int i = 0; i < SerialLink::TimeoutsToGiveUp; ++i)
        (void)rig.command();
    EXPECT_FALSE(rig.link.SendSerialLock());
    EXPECT_TRUE(rig.tables.UpdateInterrupted);
    EXPECT_FALSE(rig.link.isPortOpen());
}

TEST(SerialLinkSend, SleepsTheDelayHeldToItsRange)
{
    for (const auto& [delay, slept] : std::initializer_list<std::pair<int, int>>{{0, 0}, {1, 1}, {-5, 0}, {1000000, 60000}}) {
        FakeLinkRig rig;
        ASSERT_TRUE(rig.link.OpenSerialPort());
        rig.tables.SerialDelayValue = delay;
        EXPECT_TRUE(rig.link.SendStr("1*21999\r"));
        EXPECT_EQ(rig.clock.sleptMs(), slept) << delay;
    }
}

TEST(SerialLinkText, RemoveSpacesAppendsTheTextWithoutBlanks)
{
    FakeLinkRig rig;
    rig.tables.DTMFMemoryText = "7";
    for (const auto& [text, after] : std::initializer_list<std::pair<const char*, const char*>>{
             {"1 2  3 ", "7123"}, {"", "7123"}, {"   ", "7123"}, {"*4", "7123*4"}}) {
        rig.link.RemoveSpaces(text);
        EXPECT_EQ(rig.tables.DTMFMemoryText, after) << text;
    }
}
