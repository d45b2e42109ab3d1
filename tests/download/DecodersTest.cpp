#include "download/EramDecoders.h"
#include "link/Vocabulary.h"

#include <gtest/gtest.h>

TEST(Decoders, DTMFDigitsUnpackLowBitsFirst)
{
    struct Case { QByteArray packed; const char* digits; };
    const Case cases[] = {
        {QByteArray("\x21\x0A", 2), "120"},
        {QByteArray("\x01\x00\x02", 3), "12"},
        {QByteArray(4, '\0'), ""},
        {QByteArray(), ""},
        {QByteArray("\xFF"), "CC"},
        {QByteArray("\xBA\xDC"), "0*#A"},
        {QByteArray("\xA7\x64"), "7046"},
        {QByteArray("\x11\x11\x11\x11\x11"), "11111111"}, // a fifth byte is never read
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeDTMFDigits(c.packed), QString::fromLatin1(c.digits)) << c.digits;
}

TEST(Decoders, KeysAreCanonicalDecimalAndUnmatchedGiveNothing)
{
    struct Case { const char* code; const char* cw; const char* voice; };
    const Case cases[] = {
        {"10", "-", "TEN"}, {"90", "Z", "COMPLETE"}, {"91", "W", "COMPUTER"}, {"11", "WORD_SPACE", "ELEVEN"},
        {"7", "7", "SEVEN"}, {"0", "0", "ZERO"}, {"22", "B", "FOURTY"}, {"73", "S", "A.M."},
        {"255", "", "DVR20"}, {"60", "SK", "ALL"},
        {"07", "", ""}, {" 7", "", ""}, {"7 ", "", ""}, {"+7", "", ""}, {"256", "", ""}, {"x", "", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeCWChar(QString::fromLatin1(c.code)), QString::fromLatin1(c.cw)) << c.code;
        EXPECT_EQ(DecodeVoiceWord(QString::fromLatin1(c.code)), QString::fromLatin1(c.voice)) << c.code;
    }
    // A key that matches nothing leaves no trace of the call before it.
    EXPECT_EQ(DecodeCWChar(u"21"), "A");
    EXPECT_EQ(DecodeCWChar(u"99"), "");
    EXPECT_EQ(DecodeVoiceWord(u"30"), "A");
    EXPECT_EQ(DecodeVoiceWord(u"999"), "");
}

// The decoders invert the upload's encoders at every code of their tables.
TEST(Decoders, InvertTheEncodersTables)
{
    const auto words = VoiceVocabulary();
    for (int n = 0; n < VoiceWordCount; ++n)
        EXPECT_EQ(DecodeVoiceWord(QString::number(n)), words[n].toString()) << n;
    for (const CWCharacter& c : CWCharacters())
        EXPECT_EQ(DecodeCWChar(QString::number(c.code.toInt())), c.name.toString()) << c.code.toString().toStdString();
}
