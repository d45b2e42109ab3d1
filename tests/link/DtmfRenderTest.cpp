#include "CaptureSound.h"
#include "DtmfDecoder.h"
#include "DtmfRig.h"
#include "DtmfKeyTable.h"
#include "FakeClock.h"
#include "WavFile.h"
#include "link/SoundCommands.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int GapMs = 40;

QStringList AllKeys()
{
    QStringList keys;
    for (const DtmfKey& key : DtmfKeys)
        keys << QString(QChar::fromLatin1(key.key));
    return keys;
}

void PlayAllKeys(SoundOutput& sound)
{
    ASSERT_TRUE(sound.beginRun());
    for (const DtmfKey& key : DtmfKeys) {
        ASSERT_TRUE(sound.playSilence(GapMs));
        ASSERT_TRUE(PlayTonePair(sound, key.low, key.high, 0.06));
    }
    ASSERT_TRUE(sound.endRun());
}

// One run, as the callers of the players open it.
void InRun(DtmfRig& rig, const std::function<void()>& play)
{
    ASSERT_TRUE(rig.sound.beginRun());
    play();
    ASSERT_TRUE(rig.sound.endRun());
}

} // namespace

TEST(DtmfRender, RealDecoderHearsAllSixteenKeys)
{
    CaptureSound sound;
    PlayAllKeys(sound);
    EXPECT_EQ(sound.images().size(), 16);
    EXPECT_EQ(DecodeDtmf(sound.wav()), AllKeys());
}

TEST(DtmfRender, TonesLastSixtyMillisecondsWithTheGapsBetween)
{
    CaptureSound sound;
    PlayAllKeys(sound);
    const QList<DtmfTone> tones = FindDtmfTones(sound.wav());
    ASSERT_EQ(tones.size(), 16);
    double previousEnd = 0;
    for (qsizetype i = 0; i < tones.size(); ++i) {
        EXPECT_EQ(tones[i].key, DtmfKeys[i].key);
        // A tone may begin and end within a frame or two of zero.
        EXPECT_NEAR(tones[i].lengthMs, 60, 1) << i;
        EXPECT_NEAR(tones[i].startMs - previousEnd, GapMs, 1) << i;
        previousEnd = tones[i].startMs + tones[i].lengthMs;
    }
}

TEST(DtmfRender, CaptureLetsTheRunsTimePass)
{
    FakeClock clock;
    CaptureSound sound(&clock);
    PlayAllKeys(sound);
    EXPECT_EQ(clock.elapsedMs(), 16 * (GapMs + 60) + SoundOutput::TrailingSilenceMs);
    EXPECT_EQ(ReadPcm16(sound.wav()).frames(), clock.elapsedMs() * 8);
}

TEST(DtmfPlayer, KeyNamesAndAliasesPlayTheirKeysAndOtherTextsNothing)
{
    DtmfRig rig;
    QStringList names = AllKeys();
    names << "11" << "12" << "13" << "14" << "15" << "16";
    const QStringList noKeys{"a", "d", "10", "17", "E", " ", "1 ", "*#"};
    InRun(rig, [&] {
        for (const QString& name : names + noKeys)
            EXPECT_TRUE(rig.player.SendDTMFDigit(name)) << name.toStdString();
    });
    EXPECT_EQ(rig.heard(), "123A456B789C*0#D*#ABCD");
    // Every name took its silence, a key or not.
    EXPECT_EQ(rig.sound.calls().count("playSilence 40"), names.size() + noKeys.size());
}

// With no DTMF delay the keys still stand apart, so a repeated digit is heard
// twice; a longer delay is kept.
TEST(DtmfPlayer, RepeatedKeysStayApartByTheGap)
{
    struct Case {
        const char* delay;
        int gapMs;
    };
    for (const Case c : {Case{"0", 40}, Case{"", 40}, Case{"100", 100}}) {
        SCOPED_TRACE(c.delay);
        DtmfRig rig;
        rig.tables.DTMFDelayValue = c.delay;
        rig.tables.CurrentPortUnlock[1] = "1155";
        InRun(rig, [&] { EXPECT_TRUE(rig.player.SendUnlockCode(1)); });
        EXPECT_EQ(rig.heard(), "1155D");
        const QList<DtmfTone> tones = FindDtmfTones(rig.sound.wav());
        ASSERT_EQ(tones.size(), 5);
        double previousEnd = 0;
        for (const DtmfTone& tone : tones) {
            EXPECT_NEAR(tone.lengthMs, 60, 1);
            EXPECT_NEAR(tone.startMs - previousEnd, c.gapMs, 1);
            previousEnd = tone.startMs + tone.lengthMs;
        }
    }
}

TEST(DtmfPlayer, CodesLocksAndTerminatorsPlayTheirKeys)
{
    struct Case {
        const char* name;
        std::function<void(SettingsTables&)> set;
        std::function<Status(DtmfPlayer&)> play;
        const char* keys;
    };
    const Case cases[] = {
        {"code: D is the terminator, a non-key is 0", [](SettingsTables& t) { t.Terminator = "#"; },
         [](DtmfPlayer& p) { return p.SendDTMFCode("A*#D7x"); }, "A*##70"},
        {"unlock code trimmed, letters as themselves", [](SettingsTables& t) { t.CurrentPortUnlock[2] = " 1B2D "; },
         [](DtmfPlayer& p) { return p.SendUnlockCode(2); }, "1B2DD"},
        {"unlock code: a non-key is 0", [](SettingsTables& t) { t.CurrentPortUnlock[3] = "*x"; },
         [](DtmfPlayer& p) { return p.SendUnlockCode(3); }, "*0D"},
        {"one-key lock", [](SettingsTables& t) { t.CurrentLock = "9"; },
         [](DtmfPlayer& p) { return p.SendLockCode(); }, "9D"},
        {"lock of several keys, key by key", [](SettingsTables& t) { t.CurrentLock = "12C"; },
         [](DtmfPlayer& p) { return p.SendLockCode(); }, "12CD"},
        {"lock 11 is two keys", [](SettingsTables& t) { t.CurrentLock = "11"; },
         [](DtmfPlayer& p) { return p.SendLockCode(); }, "11D"},
        {"empty terminator falls back to the validated one",
         [](SettingsTables& t) { t.Terminator = "", t.CurrentTerminator = "C"; },
         [](DtmfPlayer& p) { return p.SendLockCode(); }, "0C"},
        {"no usable terminator at all gives D",
         [](SettingsTables& t) { t.Terminator = "##", t.CurrentTerminator = "x"; },
         [](DtmfPlayer& p) { return p.SendDTMFCode("5D"); }, "5D"},
        {"each part by its player", [](SettingsTables& t) { t.Terminator = "#"; },
         [](DtmfPlayer& p) {
             return p.play({{Player::Key, "11"}, {Player::String, " 12 "}, {Player::Code, "D3"},
                            {Player::CodeDigits, "012 345 "}, {Player::UnlockCode, "AD"}, {Player::Terminator, ""}});
         },
         "*12#3012345AD#"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DtmfRig rig;
        c.set(rig.tables);
        InRun(rig, [&] { EXPECT_TRUE(c.play(rig.player)); });
        EXPECT_EQ(rig.heard(), c.keys);
    }
}

TEST(DtmfPlayer, UnlockCodeOfNoPortPlaysNothing)
{
    for (int port : {0, 4, -1}) {
        DtmfRig rig;
        InRun(rig, [&] { EXPECT_FALSE(rig.player.SendUnlockCode(port)) << port; });
        EXPECT_TRUE(rig.sound.images().isEmpty()) << port;
    }
}

// Serial mode: no unlock code, and the lock goes out as the serial lock line.
TEST(DtmfPlayer, SerialModeSendsTheLockLineAndPlaysNothing)
{
    DtmfRig rig;
    rig.tables.ComPortValue = "2";
    rig.script({{"+"}});
    EXPECT_TRUE(rig.player.SendUnlockCode(1));
    EXPECT_TRUE(rig.player.SendLockCode());
    EXPECT_EQ(rig.port.written(), "10D\r");
    EXPECT_FALSE(rig.tables.SerialReplyOK);
    EXPECT_TRUE(rig.sound.calls().isEmpty());
}
