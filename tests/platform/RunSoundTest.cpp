#include "TempDir.h"
#include "WavFile.h"
#include "platform/RunSound.h"
#include "platform/SoundOutput.h"
#include "platform/WavImage.h"

#include <QtEndian>
#include <cstring>
#include <gtest/gtest.h>

namespace {

// A steady level on every channel, in the sample format asked for.
WavSound Steady(int rate, int channels, int bits, bool isFloat, int frames, double level)
{
    WavSound s{rate, channels, bits, isFloat, {}};
    for (int i = 0; i < frames * channels; ++i) {
        char bytes[4];
        if (isFloat) {
            const float f = static_cast<float>(level);
            std::memcpy(bytes, &f, 4);
        } else if (bits == 8) {
            bytes[0] = static_cast<char>(128 + static_cast<int>(level * 128));
        } else if (bits == 16) {
            qToLittleEndian<qint16>(static_cast<qint16>(level * 32768), bytes);
        } else {
            qToLittleEndian<qint32>(static_cast<qint32>(level * 2147483648.0), bytes);
        }
        s.samples.append(bytes, bits / 8);
    }
    return s;
}

} // namespace

// Every readable format becomes the run's: as long as the source to the run
// frame, both channels the same, at the source's level.
TEST(RunSound, EveryFormatBecomesTheRunFormatKeepingLengthAndLevel)
{
    struct Case {
        int rate, channels, bits;
        bool isFloat;
    };
    const Case cases[] = {{8000, 2, 16, false}, {44100, 1, 16, false}, {48000, 2, 32, true},
                          {11025, 1, 8, false}, {22050, 2, 32, false}, {4000, 1, 16, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << " Hz " << c.channels << " ch " << c.bits << " bits");
        const int frames = c.rate * 3 / 10; // 300 ms
        const Pcm16 out = ReadPcm16(RunImageOf(Steady(c.rate, c.channels, c.bits, c.isFloat, frames, 0.5)));
        EXPECT_EQ(out.sampleRate, SoundOutput::RunSampleRate);
        ASSERT_EQ(out.channels, SoundOutput::RunChannels);
        EXPECT_EQ(out.frames(), 2400);
        for (qsizetype f = 0; f < out.frames(); ++f) {
            ASSERT_NEAR(out.at(f, 0), 16384, 200) << f;
            ASSERT_EQ(out.at(f, 1), out.at(f, 0)) << f;
        }
    }
}

// Opposite channels cancel in the mix rather than clip; a 1 kHz tone keeps
// its pitch through the rate change.
TEST(RunSound, ChannelsAreMixedAndPitchIsKept)
{
    WavSound opposite = Steady(8000, 2, 16, false, 80, 0.5);
    for (qsizetype i = 2; i < opposite.samples.size(); i += 4)
        qToLittleEndian<qint16>(-16384, opposite.samples.data() + i);
    for (qint16 v : ReadPcm16(RunImageOf(opposite)).samples)
        ASSERT_EQ(v, 0);

    WavSound tone;
    ASSERT_TRUE(ParseWav(SineWav(44100, 1, 500, 1000), tone));
    const Pcm16 out = ReadPcm16(RunImageOf(tone));
    int crossings = 0;
    for (qsizetype f = 1; f < out.frames(); ++f)
        crossings += (out.at(f - 1, 0) < 0) != (out.at(f, 0) < 0);
    EXPECT_NEAR(crossings, 1000, 4); // two a cycle for half a second
}

TEST(RunSound, AFileThatIsNoSoundIsRefusedNamingIt)
{
    TempDir dir;
    struct Case {
        QString file;
        const char* why;
    };
    const Case cases[] = {
        {dir.path("missing.wav"), "No such file"},
        {dir.write("notes.wav", "just some notes"), "it is not a WAV file"},
        {dir.write("empty.wav", MakeWav({}, 8000, 1)), "it holds no sound"},
        {dir.write("adpcm.wav", [] {
             QByteArray w = MakeWav(QByteArray(64, '\1'), 8000, 1);
             w[20] = 2; // a compressed format
             return w;
         }()),
         "is not supported"},
    };
    for (const Case& c : cases) {
        QByteArray image("untouched");
        const Status read = ReadRunSound(c.file, image);
        ASSERT_FALSE(read) << c.file.toStdString();
        EXPECT_TRUE(read.reason().contains(c.file)) << read.reason().toStdString();
        EXPECT_TRUE(read.reason().contains(QString::fromLatin1(c.why))) << read.reason().toStdString();
        EXPECT_EQ(image, "untouched");
    }
    QByteArray image;
    ASSERT_TRUE(ReadRunSound(dir.write("ok.wav", SineWav(16000, 1, 100, 500)), image));
    EXPECT_EQ(ReadPcm16(image).frames(), 800);
}
