#include "link/ClockCommands.h"
#include "link/ClockSetting.h"

#include "DtmfRig.h"
#include "FakeLinkRig.h"
#include "QtPrinters.h"
#include "RecordingTransport.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const QDateTime kNinePm(QDate(2026, 12, 9), QTime(21, 5, 7));
const QString kDate = "1*5101120926";
const QString kUsTime = "1*51002105";
const QString kIntlTime = "1*5100210507";
const QString kDone = "Done: Clock and Calendar have been successfully set";

QDateTime At(int year, int month, int day, int hour, int minute, int second = 0)
{
    return {QDate(year, month, day), QTime(hour, minute, second)};
}

TEST(ClockCommands, MonthFirstTwentyFourHourFieldsInBothForms)
{
    struct Case {
        const char* name;
        QDateTime at;
        bool international;
        QString date;
        QString time;
    };
    const Case cases[] = {
        {"US 9:05:07 PM", kNinePm, false, kDate, kUsTime},
        {"international 21:05:07", kNinePm, true, kDate, kIntlTime},
        {"US 12:30 AM", At(2026, 12, 9, 0, 30), false, kDate, "1*51000030"},
        {"US 12:30 PM", At(2026, 12, 9, 12, 30), false, kDate, "1*51001230"},
        {"US 1:15 AM", At(2026, 12, 9, 1, 15), false, kDate, "1*51000115"},
        {"international, every field padded", At(2031, 3, 1, 4, 2, 9), true, "1*5101030131", "1*5100040209"},
        {"US, year 2000, last minute", At(2000, 1, 1, 23, 59, 59), false, "1*5101010100", "1*51002359"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ControllerCommand date = ClockDateCommand(c.at);
        const ControllerCommand time = ClockTimeCommand(c.at, c.international);
        EXPECT_EQ(date.serialLines, QStringList{c.date});
        EXPECT_EQ(time.serialLines, QStringList{c.time});
        // The same digits in DTMF, each digit one key, then the terminator.
        for (const auto& [command, line] : {std::pair{date, c.date}, std::pair{time, c.time}}) {
            const QList<DtmfPart> keys{
                {Player::String, line.mid(1, 5)}, {Player::CodeDigits, line.mid(6)}, {Player::Terminator, {}}};
            EXPECT_EQ(command.dtmf, keys);
        }
    }
}

TEST(ClockCommands, OnlyTrueIsTheInternationalForm)
{
    EXPECT_TRUE(InternationalDateFormat("True"));
    EXPECT_TRUE(InternationalDateFormat(" True "));
    EXPECT_FALSE(InternationalDateFormat("False"));
    EXPECT_FALSE(InternationalDateFormat(""));
    EXPECT_FALSE(InternationalDateFormat("true"));
}

struct ClockRig {
    explicit ClockRig(bool dtmf, const char* dateFormat = "False") : transport(dtmf)
    {
        rig.clock.setDateTime(kNinePm);
        rig.tables.DateFormat = dateFormat;
        if (dtmf)
            rig.tables.ComPortValue = "0";
        rig.controller.standIn(transport);
    }
    bool setClock() { return SetControllerClock(rig.tables, rig.controller, rig.dialogs, rig.clock); }

    FakeLinkRig rig;
    RecordingTransport transport;
};

TEST(SetControllerClock, SerialSetsTheClockDespiteStaleFlagsAndClosesThePort)
{
    ClockRig r(false);
    ASSERT_TRUE(r.rig.link.OpenSerialPort());
    r.rig.tables.UpdateError = true;
    r.rig.tables.UpdateInterrupted = true;

    EXPECT_TRUE(r.setClock());
    EXPECT_EQ(r.transport.events(),
              (QStringList{"begin", "pause 50", "send " + kDate, "pause 500", "send " + kUsTime, "end"}));
    EXPECT_EQ(r.rig.dialogs.messageTexts(), QStringList{kDone});
    EXPECT_FALSE(r.rig.link.isPortOpen());
    EXPECT_FALSE(r.rig.tables.UpdateError);
    EXPECT_FALSE(r.rig.tables.UpdateInterrupted);
}

TEST(SetControllerClock, DtmfPlaysBothCommandsInOneFrameOfPortOneAndEndsTheRun)
{
    ClockRig r(true, "True");
    r.rig.tables.ComPortValue = "2";
    ASSERT_TRUE(r.rig.link.OpenSerialPort()); // left open by a serial upload
    r.rig.tables.ComPortValue = "0";
    EXPECT_TRUE(r.setClock());
    EXPECT_EQ(r.transport.events(), (QStringList{"begin", "send " + kDate, "send " + kIntlTime, "lock", "end"}));
    ASSERT_EQ(r.transport.sent().size(), 2u);
    EXPECT_EQ(r.transport.sent()[0].unlockPort, 1);
    EXPECT_EQ(r.transport.sent()[0].framing, Framing::NoLock);
    EXPECT_EQ(r.transport.sent()[1].framing, Framing::Bare);
    EXPECT_EQ(r.rig.dialogs.messageTexts(), QStringList{kDone});
    EXPECT_FALSE(r.rig.link.isPortOpen());
}

// The time is read as it goes out, not when the date did: the date's reply
// wait and its message may have taken a while.
TEST(SetControllerClock, TheTimeIsReadAsItIsSent)
{
    ClockRig r(false);
    r.transport.after(0, [&r] { r.rig.clock.setDateTime(At(2026, 12, 9, 21, 7, 30)); });
    EXPECT_TRUE(r.setClock());
    EXPECT_EQ(r.transport.lines(), (QStringList{kDate, "1*51002107"}));
}

TEST(SetControllerClock, FailuresShowNoSuccessAndStillEndEverything)
{
    struct Case {
        const char* name;
        bool dtmf;
        std::function<void(ClockRig&)> arrange;
        QStringList events;
        QStringList texts; // the messages this function shows; the link shows its own
        bool set;
    };
    const QStringList dateOnly{"begin", "pause 50", "send " + kDate, "end"};
    const QStringList both{"begin", "pause 50", "send " + kDate, "pause 500", "send " + kUsTime, "end"};
    const auto outcomes = [](std::vector<Outcome> script) {
        return [script](ClockRig& r) {
            for (Outcome o : script)
                r.transport.script(o);
        };
    };
    const Case cases[] = {
        {"date refused", false,
         [](ClockRig& r) {
             r.transport.script(Outcome::Refused);
             r.transport.after(0, [&r] { r.rig.tables.UpdateError = true; });
         },
         dateOnly, {}, false},
        {"gave up on the date", false, outcomes({Outcome::GaveUp}), dateOnly, {}, false},
        {"date wait abandoned", false, outcomes({Outcome::Interrupted}), dateOnly, {}, false},
        {"time refused", false,
         [](ClockRig& r) {
             r.transport.script(Outcome::Accepted);
             r.transport.script(Outcome::Refused);
             r.transport.after(1, [&r] { r.rig.tables.UpdateError = true; });
         },
         both, {}, false},
        // An unanswered line is no accepted one: the time still goes out, and
        // the link has told of each silence.
        {"no answer to either", false, outcomes({Outcome::TimedOut, Outcome::TimedOut}), both, {}, false},
        {"no answer to the date", false, outcomes({Outcome::TimedOut, Outcome::Accepted}), both, {}, false},
        {"no answer to the time", false, outcomes({Outcome::Accepted, Outcome::TimedOut}), both, {}, false},
        {"DTMF playing abandoned: the frame is closed", true, outcomes({Outcome::Interrupted}),
         {"begin", "send " + kDate, "lock", "end"}, {}, false},
        {"port will not open", false,
         [](ClockRig& r) { r.transport.failBegin("COM2 is in use by another program"); }, {"begin"},
         {"COM2 is in use by another program"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClockRig r(c.dtmf);
        if (!c.dtmf) {
            ASSERT_TRUE(r.rig.link.OpenSerialPort());
        }
        c.arrange(r);
        EXPECT_EQ(r.setClock(), c.set);
        EXPECT_EQ(r.transport.events(), c.events);
        EXPECT_EQ(r.rig.dialogs.untitledTexts(), c.texts);
        EXPECT_FALSE(r.rig.link.isPortOpen());
        EXPECT_FALSE(r.rig.tables.UpdateError);
        EXPECT_FALSE(r.rig.controller.busy());
    }
}

TEST(SetControllerClock, ASecondClickDuringTheFirstSaysTheLinkIsBusy)
{
    ClockRig r(false);
    QString busy;
    r.transport.after(0, [&] {
        busy = r.rig.controller.busyText();
        EXPECT_FALSE(r.setClock());
    });
    EXPECT_TRUE(r.setClock());
    EXPECT_EQ(r.transport.begins(), 1);
    EXPECT_TRUE(busy.contains("setting the clock")) << busy.toStdString();
    EXPECT_EQ(r.rig.dialogs.messageTexts(), (QStringList{"Tarvex Programmer: " + busy, kDone}));
}

} // namespace

// What the radio hears: port 1's unlock code, the date, the time and the lock
// code, each ended by the terminator, as a real decoder reads it.
TEST(SetControllerClock, DtmfKeysGoInsideOnePortOneFrame)
{
    DtmfRig rig;
    rig.clock.setDateTime(kNinePm);
    rig.tables.DateFormat = "False";

    EXPECT_TRUE(SetControllerClock(rig.tables, rig.controller, rig.dialogs, rig.clock));
    EXPECT_EQ(rig.heard(), "123D" "*5101120926D" "*51002105D" "0D");
    EXPECT_EQ(rig.dialogs.messageTexts(), QStringList{kDone});
}
