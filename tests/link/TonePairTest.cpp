#include "DtmfKeyTable.h"
#include "WavFile.h"
#include "link/TonePair.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

// The samples the formula gives, reckoned the short way (2*pi*f/rate).
int Expected(int freq1, int freq2, int n)
{
    double sum = 0;
    for (int f : {freq1, freq2})
        sum += 0.25 * std::sin(n * 2 * std::numbers::pi * f / 8000);
    return static_cast<int>(std::floor(0.5 * sum * 32767));
}

int SampleAt(const QByteArray& image, int frame, int channel)
{
    const int at = 44 + frame * 4 + channel * 2;
    return static_cast<qint16>(quint8(image[at]) | (quint8(image[at + 1]) << 8));
}

QByteArray Header(quint32 frames)
{
    QByteArray header = MakeWav(QByteArray(frames * 4, '\0'), 8000, 2);
    header.truncate(44);
    return header;
}

} // namespace

TEST(TonePair, KeyOneImageIsTheControllersTone)
{
    const QByteArray image = TonePairImage(697, 1209, 0.06);
    ASSERT_EQ(image.size(), 1964);
    const QByteArray expectedHeader = QByteArray::fromHex(
        "52494646a407000057415645666d74201000000001000200401f0000007d0000040010006461746180070000");
    EXPECT_EQ(image.left(44).toHex(), expectedHeader.toHex());
    EXPECT_EQ(image.mid(44, 4), QByteArray(4, '\0'));
    for (int n = 0; n < 480; ++n) {
        const int left = SampleAt(image, n, 0);
        ASSERT_EQ(left, SampleAt(image, n, 1)) << "frame " << n;
        ASSERT_NEAR(left, Expected(697, 1209, n), 1) << "frame " << n;
        ASSERT_GE(left, -8192);
        ASSERT_LE(left, 8191);
    }
}

TEST(TonePair, EveryKeyStaysWithinAQuarterOfFullScale)
{
    for (const DtmfKey& key : DtmfKeys) {
        const QByteArray image = TonePairImage(key.low, key.high, 0.06);
        ASSERT_EQ(image.size(), 1964) << key.key;
        for (int n = 0; n < 480; ++n) {
            ASSERT_NEAR(SampleAt(image, n, 0), Expected(key.low, key.high, n), 1) << key.key << n;
            ASSERT_GE(SampleAt(image, n, 0), -8192) << key.key << n;
            ASSERT_LE(SampleAt(image, n, 0), 8191) << key.key << n;
        }
    }
}

// Frames where the phase step reckoned the long way and 2*pi*f/rate part.
TEST(TonePair, PhaseStepIsReckonedTheLongWay)
{
    struct Case {
        int low, high, frame, sample;
    };
    const Case cases[] = {
        {697, 1477, 200, 0}, {852, 1477, 160, -1}, {852, 1477, 224, -1},
        {941, 1209, 160, 0}, {941, 1209, 320, -1},
    };
    for (const Case& c : cases) {
        const QByteArray image = TonePairImage(c.low, c.high, 0.06);
        EXPECT_EQ(SampleAt(image, c.frame, 0), c.sample) << c.low << '+' << c.high << " frame " << c.frame;
        EXPECT_EQ(SampleAt(image, c.frame, 1), c.sample) << c.low << '+' << c.high << " frame " << c.frame;
    }
}

TEST(TonePair, DurationsGiveWholeFramesRoundedHalfToEven)
{
    struct Case {
        double seconds;
        int frames;
    };
    const Case cases[] = {
        {0, 0}, {-0.5, 0}, {0.5 / 8000, 0}, {1.5 / 8000, 2}, {2.5 / 8000, 2}, {3.5 / 8000, 4},
        {0.06, 480}, {0.0601, 481},
    };
    for (const Case& c : cases) {
        const QByteArray image = TonePairImage(697, 1209, c.seconds);
        EXPECT_EQ(image.size(), 44 + 4 * c.frames) << c.seconds;
        EXPECT_EQ(image.left(44).toHex(), Header(c.frames).toHex()) << c.seconds;
    }
}

TEST(TonePair, ZeroFrequencyPlaysAsOneHertz)
{
    EXPECT_EQ(TonePairImage(0, 1209, 0.06), TonePairImage(1, 1209, 0.06));
    EXPECT_EQ(TonePairImage(697, 0, 0.06), TonePairImage(697, 1, 0.06));
    EXPECT_NE(TonePairImage(0, 0, 0.06), TonePairImage(2, 2, 0.06));
}

TEST(TonePair, NegativeSamplesAreStoredAsTwosComplement)
{
    // The star key reaches -100 at frame 402.
    const QByteArray image = TonePairImage(941, 1209, 0.06);
    const int at = 44 + 402 * 4;
    EXPECT_EQ(quint8(image[at]), 156);
    EXPECT_EQ(quint8(image[at + 1]), 255);
    EXPECT_EQ(quint8(image[at + 2]), 156);
    EXPECT_EQ(quint8(image[at + 3]), 255);
}

// A long tone played piece by piece must be the same sound as its whole image:
// any seam (a restarted phase, a lost or repeated frame) would click.
TEST(TonePair, PiecesJoinedAreTheWholeImageToTheBit)
{
    struct Case {
        int freq1, freq2;
        double seconds;
        int pieceFrames;
    };
    const Case cases[] = {{1000, 0, 0.25, 400}, {697, 1209, 0.1, 400}, {3500, 41, 0.3, 7}, {697, 1209, 0.06, 1}};
    for (const Case& c : cases) {
        const QByteArray whole = TonePairImage(c.freq1, c.freq2, c.seconds);
        const long long frames = (whole.size() - 44) / 4;
        QByteArray joined;
        for (long long first = 0; first < frames; first += c.pieceFrames) {
            const long long count = std::min<long long>(c.pieceFrames, frames - first);
            const QByteArray piece = TonePairPiece(c.freq1, c.freq2, first, count);
            ASSERT_EQ(piece.left(44).toHex(), Header(static_cast<quint32>(count)).toHex());
            joined += piece.mid(44);
        }
        EXPECT_TRUE(joined == whole.mid(44)) << c.freq1 << '+' << c.freq2 << " in pieces of " << c.pieceFrames;
    }
    EXPECT_EQ(TonePairPiece(697, 1209, 100, 0).size(), 44);
    EXPECT_EQ(TonePairPiece(697, 1209, 100, -5).size(), 44);
}
