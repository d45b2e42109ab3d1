#include "DtmfRig.h"
#include "QtPrinters.h"
#include "link/ClockCommands.h"
#include "link/ClockSetting.h"
#include "link/CommandCatalogue.h"
#include "link/ControllerLink.h"
#include "RecordingTransport.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

using Job = ControllerLink::Job;

namespace {

constexpr Job AllJobs[] = {Job::Upload, Job::ClockSetting, Job::ManualSend, Job::AtOnce, Job::TestPad, Job::Download};

// A new lock code, taken into use once the controller has it.
AtOnce NewLock(const QString& code)
{
    AtOnce request;
    request.commands = {LockChangeCommand(code)};
    request.adopt = [code](SettingsTables& t) { t.CurrentLock = code; };
    return request;
}

// Arranges a rig whose sound output goes away once it has handed over that
// many sound images.
std::function<void(KeyedDtmfRig&)> SoundLostAt(int images)
{
    return [images](KeyedDtmfRig& r) {
        r.clock.onSleep([&r, images](int) {
            if (r.sound.images().size() == images)
                r.sound.breakRun("The sound device went away");
        });
    };
}

} // namespace

TEST(ControllerLink, TheModeFollowsComPortValue)
{
    struct Case {
        const char* comPort;
        bool dtmf;
    };
    for (const Case c : {Case{"0", true}, Case{"", true}, Case{" 0 ", true}, Case{"1", false}, Case{" 3", false},
                         Case{"8", false}}) {
        SCOPED_TRACE(c.comPort);
        FakeLinkRig rig;
        rig.tables.ComPortValue = c.comPort;
        EXPECT_EQ(rig.controller.dtmfMode(), c.dtmf);
        EXPECT_EQ(rig.controller.transport().dtmfMode(), c.dtmf);
    }
}

// Whatever holds the link, every other start is refused and touches nothing:
// no port, no sound, no flag, nothing adopted.
TEST(ControllerLinkGuard, WhileOneRunHoldsTheLinkNoOtherStarts)
{
    for (const Job holder : AllJobs) {
        SCOPED_TRACE(static_cast<int>(holder));
        FakeLinkRig rig;
        ControllerLink::Claim held = rig.controller.claim(holder);
        ASSERT_TRUE(held);
        EXPECT_TRUE(rig.controller.holds(holder));
        rig.tables.UpdateError = rig.tables.UpdateInterrupted = true;

        for (const Job other : AllJobs)
            EXPECT_FALSE(rig.controller.claim(other));
        AtOnce request = NewLock("5");
        bool adopted = false;
        request.adopt = [&](SettingsTables&) { adopted = true; };
        const Status sent = rig.controller.sendAtOnce(request);
        EXPECT_FALSE(sent);
        EXPECT_EQ(sent.reason(), rig.controller.busyText());
        EXPECT_FALSE(SetControllerClock(rig.tables, rig.controller, rig.dialogs, rig.clock));

        EXPECT_FALSE(adopted);
        EXPECT_TRUE(rig.port.log().isEmpty());
        EXPECT_TRUE(rig.sound.calls().isEmpty());
        EXPECT_TRUE(rig.tables.UpdateError && rig.tables.UpdateInterrupted);
        EXPECT_EQ(rig.dialogs.messageTexts(), QStringList(2, "Tarvex Programmer: " + rig.controller.busyText()));
        EXPECT_TRUE(rig.controller.holds(holder));

        // A claim handed on still holds the link; the link is free once it goes.
        ControllerLink::Claim handedOn = std::move(held);
        held.release();
        EXPECT_TRUE(rig.controller.busy());
        handedOn.release();
        EXPECT_FALSE(rig.controller.busy());
        EXPECT_TRUE(rig.controller.claim(Job::AtOnce));
    }
}

TEST(ControllerLinkGuard, TheBusyTextNamesWhatHoldsTheLink)
{
    FakeLinkRig rig;
    const ControllerLink::Claim held = rig.controller.claim(Job::Upload);
    EXPECT_EQ(rig.controller.busyText(),
              "The link to the Tarvex is busy with an upload. Try again once it has finished.");
}

// What the radio hears, the transmitter keyed from before the first tone
// (after the key-up delay) to after the last.
TEST(ControllerLinkAtOnce, DtmfFramesAreKeyedAndClosedAfterAdopting)
{
    struct Case {
        const char* name;
        std::function<AtOnce()> request;
        QString heard;
        std::function<bool(const SettingsTables&)> adopted;
    };
    const QDateTime at(QDate(2026, 12, 9), QTime(21, 5, 7));
    const Case cases[] = {
        {"a new lock code is closed with itself", [] { return NewLock("5"); }, "123D" "*90105D" "5D",
         [](const SettingsTables& t) { return t.CurrentLock == "5"; }},
        {"two commands in one frame of port 1",
         [at] {
             AtOnce r;
             r.commands = {ClockDateCommand(at), ClockTimeCommand(at, false)};
             return r;
         },
         "123D" "*5101120926D" "*51002105D" "0D", [](const SettingsTables&) { return true; }},
        {"a new unlock code of port 2, opened with the old one and left open",
         [] {
             AtOnce r;
             r.commands = {PortUnlockCommand(2, "777")};
             r.unlockPort = 2;
             r.lock = false;
             r.adopt = [](SettingsTables& t) { t.CurrentPortUnlock[2] = "777"; };
             return r;
         },
         "456D" "*9000777D", [](const SettingsTables& t) { return t.CurrentPortUnlock[2] == "777"; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KeyedDtmfRig rig;
        rig.tables.KeyUpDelayValue = "250";
        rig.tables.UpdateError = true; // left by an earlier command

        const Status sent = rig.controller.sendAtOnce(c.request());
        EXPECT_TRUE(sent) << sent.reason().toStdString();
        EXPECT_EQ(rig.heard(), c.heard);
        EXPECT_TRUE(c.adopted(rig.tables));
        EXPECT_FALSE(rig.tables.UpdateError);
        EXPECT_EQ(rig.unkeyedMs, 0);
        EXPECT_FALSE(rig.port.keyed());
        EXPECT_FALSE(rig.port.isOpen());
        EXPECT_EQ(rig.port.portNumber(), 3);
        EXPECT_TRUE(rig.dialogs.shown().empty());
        const QList<DtmfTone> tones = FindDtmfTones(rig.sound.wav());
        ASSERT_FALSE(tones.isEmpty());
        EXPECT_NEAR(tones[0].startMs, 250 + 40, 1);
        EXPECT_FALSE(rig.controller.busy());
    }
}

// A keying port that will not open, a sound output missing from the start or
// lost during the frame: a failure with its reason, shown once, nothing
// adopted, and the transmitter down.
TEST(ControllerLinkAtOnce, DtmfFailuresAdoptNothingAndReleaseTheTransmitter)
{
    struct Case {
        const char* name;
        std::function<void(KeyedDtmfRig&)> arrange;
        QString reason; // the start of it
        QString shown;
        QString heard;
    };
    const Case cases[] = {
        {"keying port in use", [](KeyedDtmfRig& r) { r.port.setOpenFailure("Device or resource busy"); },
         "COM3 is in use by another program", "COM3 is in use by another program", ""},
        {"no sound output", [](KeyedDtmfRig& r) { r.sound.failWith("No audio output device"); },
         "No audio output device", "No audio output device", ""},
        {"sound lost during the frame", SoundLostAt(2), "1*90105 was not sent to the end",
         "The sound device went away", "12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KeyedDtmfRig rig;
        c.arrange(rig);
        bool adopted = false;
        AtOnce request = NewLock("5");
        request.adopt = [&](SettingsTables&) { adopted = true; };

        const Status sent = rig.controller.sendAtOnce(request);
        ASSERT_FALSE(sent);
        EXPECT_TRUE(sent.reason().startsWith(c.reason)) << sent.reason().toStdString();
        ASSERT_EQ(rig.dialogs.messageTexts().size(), 1);
        EXPECT_TRUE(rig.dialogs.messageTexts()[0].startsWith("Tarvex Programmer: " + c.shown))
            << rig.dialogs.messageTexts()[0].toStdString();
        EXPECT_EQ(rig.heard(), c.heard);
        EXPECT_FALSE(adopted);
        EXPECT_EQ(rig.tables.CurrentLock, "0");
        EXPECT_FALSE(rig.port.keyed());
        EXPECT_FALSE(rig.port.isOpen());
        EXPECT_FALSE(rig.sound.inRun());
        EXPECT_FALSE(rig.controller.busy());
    }
}

// Success only when the whole frame went out: the commands, the lock code to
// its end and the run's own end. The frame is told as it went, the
// transmitter released and the link free again, whatever the outcome.
TEST(ControllerLinkAtOnce, AFrameThatDidNotGoOutToItsEndIsNoSuccess)
{
    struct Case {
        const char* name;
        std::function<void(KeyedDtmfRig&)> arrange;
        QString reason; // empty: success
        QString shown;
        QString heard;
    };
    // The keys of the frame, one sound image each.
    const QString frame = "123D" "*90105D" "5D";
    const Case cases[] = {
        {"everything played", [](KeyedDtmfRig&) {}, "", "", frame},
        {"sound lost inside the lock code", SoundLostAt(12), "The lock code was not sent to the end",
         "The sound device went away", frame.chopped(1)},
        {"sound lost after the last key, before the run ended", SoundLostAt(13), "The sound device went away",
         "The sound device went away", frame},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KeyedDtmfRig rig;
        c.arrange(rig);
        const Status sent = rig.controller.sendAtOnce(NewLock("5"));
        EXPECT_EQ(sent.ok(), c.reason.isEmpty());
        EXPECT_EQ(sent.reason(), c.reason);
        EXPECT_EQ(rig.dialogs.messageTexts(),
                  c.shown.isEmpty() ? QStringList() : QStringList{"Tarvex Programmer: " + c.shown});
        EXPECT_EQ(rig.heard(), c.heard);
        EXPECT_EQ(rig.tables.CurrentLock, "5") << "the controller took the new lock code";
        EXPECT_FALSE(rig.port.keyed());
        EXPECT_FALSE(rig.sound.inRun());
        EXPECT_FALSE(rig.controller.busy());
    }
}

// Serial mode: only a line that was written can have reached the controller
// unanswered. A line the port refused is not waited for, and nothing is adopted.
TEST(ControllerLinkAtOnce, OnlyALineThatWentOutIsUnanswered)
{
    struct Case {
        const char* name;
        std::function<void(FakeLinkRig&)> arrange;
        QString reason;
        QStringList shown;
        bool unanswered;
        bool waited;
    };
    const Case cases[] = {
        {"write refused", [](FakeLinkRig& r) { r.port.setWriteFailure("Input/output error"); },
         "1*90105 was not sent to the Tarvex", {"Tarvex Programmer: /dev/ttyFAKE0: Input/output error"}, false,
         false},
        {"silence", [](FakeLinkRig&) {}, "The Tarvex did not answer 1*90105",
         {"Tarvex Programmer: Zarn is unable to communicate with the Tarvex. Check your connections then try again"},
         true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeLinkRig rig;
        c.arrange(rig);
        AtOnce request = NewLock("5");
        bool unanswered = false;
        request.unanswered = [&unanswered] { unanswered = true; };
        const Status sent = rig.controller.sendAtOnce(request);
        EXPECT_EQ(sent.reason(), c.reason);
        EXPECT_EQ(rig.dialogs.messageTexts(), c.shown);
        EXPECT_EQ(unanswered, c.unanswered);
        EXPECT_EQ(rig.clock.elapsedMs() >= SerialLink::TicksToTimeOut * 1000, c.waited);
        EXPECT_EQ(rig.tables.CurrentLock, "9");
        EXPECT_FALSE(rig.port.isOpen()) << "closed as it was found";
    }
}

// The same through a transport standing in, in either mode: a lock code cut
// short or a run that ends with a failure fails the command.
TEST(ControllerLinkAtOnce, TheLockAndTheEndOfTheRunDecideTheOutcome)
{
    struct Case {
        const char* name;
        bool dtmf;
        std::function<void(RecordingTransport&)> arrange;
        QString reason; // empty: success
    };
    const Case cases[] = {
        {"DTMF, all went out", true, [](RecordingTransport&) {}, ""},
        {"DTMF, lock code cut short", true, [](RecordingTransport& t) { t.failLock(); },
         "The lock code was not sent to the end"},
        {"DTMF, the run ended with a failure", true, [](RecordingTransport& t) { t.failEnd("Sound lost"); },
         "Sound lost"},
        {"DTMF, both: the first is given", true,
         [](RecordingTransport& t) {
             t.failLock();
             t.failEnd("Sound lost");
         },
         "The lock code was not sent to the end"},
        {"serial, the session ended with a failure", false, [](RecordingTransport& t) { t.failEnd("Port lost"); },
         "Port lost"},
        {"a refused command is told before the end's failure", false,
         [](RecordingTransport& t) {
             t.script(Outcome::Refused);
             t.failEnd("Port lost");
         },
         "The Tarvex refused 1*90105"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeLinkRig rig;
        rig.tables.ComPortValue = c.dtmf ? "0" : "2";
        RecordingTransport transport(c.dtmf);
        c.arrange(transport);
        rig.controller.standIn(transport);
        const Status sent = rig.controller.sendAtOnce(NewLock("5"));
        EXPECT_EQ(sent.ok(), c.reason.isEmpty());
        EXPECT_EQ(sent.reason(), c.reason);
        const QStringList frame = c.dtmf ? QStringList{"begin", "send 1*90105", "lock", "end"}
                                         : QStringList{"begin", "send 1*90105", "end"};
        EXPECT_EQ(transport.events(), frame);
        EXPECT_FALSE(rig.controller.busy());
    }
}

TEST(ControllerLinkAtOnce, AnExceptionStillReleasesTheTransmitterAndTheLink)
{
    KeyedDtmfRig rig;
    AtOnce request = NewLock("5");
    request.adopt = [&](SettingsTables&) {
        EXPECT_TRUE(rig.port.keyed());
        throw std::runtime_error("lost");
    };
    EXPECT_THROW((void)rig.controller.sendAtOnce(request), std::runtime_error);
    EXPECT_FALSE(rig.port.keyed());
    EXPECT_FALSE(rig.port.isOpen());
    EXPECT_FALSE(rig.sound.inRun());
    EXPECT_FALSE(rig.controller.busy());
}

TEST(ControllerLinkAtOnce, ACommandWithoutAFormInTheModeSendsNothing)
{
    FakeLinkRig rig;
    AtOnce request;
    request.commands = {ControllerCommand{{}, {{Player::String, "*1000"}, {Player::Terminator, {}}}, {}}};
    const Status sent = rig.controller.sendAtOnce(request);
    ASSERT_FALSE(sent);
    EXPECT_EQ(sent.reason(), "the command cannot be sent in serial mode");
    EXPECT_TRUE(rig.port.log().isEmpty());
    EXPECT_EQ(rig.dialogs.messageTexts().size(), 1);
}
