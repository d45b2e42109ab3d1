#include "CaptureSound.h"
#include "DtmfDecoder.h"
#include "DtmfKeyTable.h"
#include "FakeClock.h"
#include "WavFile.h"
#include "link/SoundCommands.h"

#include <gtest/gtest.h>

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
