#include "DtmfRig.h"
#include "link/ChangesUpload.h"
#include "link/CommandCatalogue.h"
#include "link/DtmfTransport.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct KeyedRig : KeyedDtmfRig {
    DtmfTransport transport{tables, sound, link, player};
};

} // namespace

TEST(DtmfTransport, ChangedHangTimeGoesOutFramedWhileKeyed)
{
    KeyedRig rig;
    rig.tables.KeyUpDelayValue = "250";
    rig.tables.HangTime[1] = "50";
    rig.tables.HangTimeChanged[1] = true;

    EXPECT_EQ(ChangesUpload(rig.tables, rig.transport, rig.dialogs).run(), UploadRunner::Result::Completed);
    EXPECT_EQ(rig.heard(), "123D*100050D0D");
    EXPECT_FALSE(rig.tables.HangTimeChanged[1]);
    EXPECT_EQ(rig.dialogs.untitledTexts(), QStringList{"Update Complete"});
    EXPECT_EQ(rig.port.portNumber(), 3);
    EXPECT_EQ(rig.unkeyedMs, 0);
    EXPECT_FALSE(rig.port.keyed());
    EXPECT_FALSE(rig.port.isOpen());
    // The radio's key-up delay, then the first key's gap.
    const QList<DtmfTone> tones = FindDtmfTones(rig.sound.wav());
    ASSERT_FALSE(tones.isEmpty());
    EXPECT_NEAR(tones[0].startMs, 250 + 40, 1);
}

TEST(DtmfTransport, EachFramingPlaysItsCodes)
{
    KeyedRig rig;
    rig.tables.Terminator = "#";
    rig.tables.HangTime[3] = "120";
    rig.tables.TxEnable[2] = "1";
    rig.tables.CommandPrefix = " 1D ";
    CommandTransport& t = rig.transport;
    ASSERT_TRUE(t.begin());
    EXPECT_EQ(t.send(BuildCommand(CommandId::HangTime, rig.tables, 3), 3, Framing::Full), Outcome::Accepted);
    EXPECT_EQ(t.send(BuildCommand(CommandId::TxEnable, rig.tables, 2), 2, Framing::NoLock), Outcome::Accepted);
    EXPECT_EQ(t.send(BuildCommand(CommandId::CommandPrefix, rig.tables), 1, Framing::Bare), Outcome::Accepted);
    EXPECT_EQ(t.lock(), Outcome::Accepted);
    t.pause(500);
    EXPECT_TRUE(t.sendWithoutReply(LockChangeCommand("12")));
    EXPECT_TRUE(t.end());

    const QString beforePause = "789#*1000120#0#" "456#2111#" "*21041##" "0#";
    EXPECT_EQ(rig.heard(), beforePause + "*901012#");
    const QList<DtmfTone> tones = FindDtmfTones(rig.sound.wav());
    ASSERT_EQ(tones.size(), beforePause.size() + 8);
    const DtmfTone& last = tones[beforePause.size() - 1];
    EXPECT_NEAR(tones[beforePause.size()].startMs - (last.startMs + last.lengthMs), 500 + 40, 1);
    EXPECT_EQ(rig.unkeyedMs, 0);
    EXPECT_FALSE(rig.port.isOpen());
    EXPECT_TRUE(rig.dialogs.shown().empty());
}

// Nothing is played when the transmitter cannot be keyed or there is no
// sound; the transmitter is not left keyed either way.
TEST(DtmfTransport, AFailedBeginSendsNothing)
{
    struct Case {
        const char* openFailure;
        const char* soundFailure;
        const char* reason;
    };
    for (const Case c : {Case{"Device or resource busy", "", "COM3 is in use"},
                         Case{"", "No audio output device", "No audio output device"}}) {
        SCOPED_TRACE(c.reason);
        KeyedRig rig;
        rig.port.setOpenFailure(c.openFailure);
        rig.sound.failWith(c.soundFailure);
        const Status begun = rig.transport.begin();
        ASSERT_FALSE(begun);
        EXPECT_TRUE(begun.reason().startsWith(c.reason)) << begun.reason().toStdString();
        EXPECT_EQ(rig.transport.send(BuildCommand(CommandId::HangTime, rig.tables, 1), 1, Framing::Full),
                  Outcome::Interrupted);
        EXPECT_EQ(rig.transport.lock(), Outcome::Interrupted);
        EXPECT_TRUE(rig.transport.end()) << "the failure was the begin's, given there";
        EXPECT_TRUE(rig.sound.images().isEmpty());
        EXPECT_FALSE(rig.port.keyed());
        EXPECT_FALSE(rig.port.isOpen());
        EXPECT_FALSE(rig.sound.inRun());
    }
}

TEST(DtmfTransport, WithoutAKeyingPortTheTonesPlayUnkeyed)
{
    DtmfRig rig;
    DtmfTransport transport(rig.tables, rig.sound, rig.link, rig.player);
    ASSERT_TRUE(transport.begin());
    EXPECT_EQ(transport.lock(), Outcome::Accepted);
    EXPECT_TRUE(transport.end());
    EXPECT_EQ(rig.heard(), "0D");
    EXPECT_TRUE(rig.port.log().isEmpty());
}

TEST(DtmfTransport, EveryWayOutReleasesTheTransmitter)
{
    {
        SCOPED_TRACE("an exception");
        KeyedRig rig;
        try {
            DtmfTransport transport(rig.tables, rig.sound, rig.link, rig.player);
            ASSERT_TRUE(transport.begin());
            ASSERT_TRUE(rig.port.keyed());
            throw std::runtime_error("lost");
        } catch (const std::runtime_error&) {
        }
        EXPECT_FALSE(rig.port.keyed());
        EXPECT_FALSE(rig.port.isOpen());
        EXPECT_FALSE(rig.sound.inRun());
    }
    {
        SCOPED_TRACE("the keying port vanished");
        KeyedRig rig;
        ASSERT_TRUE(rig.transport.begin());
        rig.port.vanish();
        EXPECT_EQ(rig.transport.send(BuildCommand(CommandId::FanTime, rig.tables), 1, Framing::Full),
                  Outcome::Accepted);
        EXPECT_TRUE(rig.transport.end());
        EXPECT_FALSE(rig.port.keyed());
        EXPECT_FALSE(rig.port.isOpen());
    }
    {
        SCOPED_TRACE("an interrupt between commands");
        KeyedRig rig;
        rig.tables.HangTime[1] = "50";
        rig.tables.HangTimeChanged[1] = true;
        rig.tables.FanTime = "30";
        rig.tables.FanTimeChanged = true;
        rig.clock.onSleep([&](int) { rig.tables.UpdateInterrupted = !rig.sound.images().isEmpty(); });
        EXPECT_EQ(ChangesUpload(rig.tables, rig.transport, rig.dialogs).run(), UploadRunner::Result::Stopped);
        EXPECT_EQ(rig.heard(), "123D*100050D0D");
        EXPECT_TRUE(rig.tables.FanTimeChanged);
        EXPECT_FALSE(rig.port.keyed());
        EXPECT_FALSE(rig.port.isOpen());
    }
}
