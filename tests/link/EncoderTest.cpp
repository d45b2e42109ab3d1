#include "link/SpeechEncoder.h"

#include "link/Vocabulary.h"

#include <gtest/gtest.h>

#include <string>

namespace {

enum class Kind { Voice, CW };

struct Case {
    Kind kind;
    const char* text;
    bool dtmf;
    const char* codes;
    const char* unknown; // each in brackets
};

std::string bracketed(const QStringList& tokens)
{
    std::string out;
    for (const QString& token : tokens) {
        out += '[' + token.toStdString() + ']';
    }
    return out;
}

EncodedText run(Kind kind, const QString& text, bool dtmf)
{
    return kind == Kind::Voice ? VoiceToCodes(text, dtmf) : CWToCodes(text, dtmf);
}

} // namespace

TEST(Encoder, Texts)
{
    const Case cases[] = {
        {Kind::Voice, "HELLO THE(SHORT) REPEATER", true, "124 206 190 ", ""},
        {Kind::Voice, "HELLO THE(SHORT) REPEATER", false, "124206190", ""},
        {Kind::Voice, "HELLO THE(SHORT) REPEATER ", true, "124 206 190 ", ""},
        {Kind::Voice, "0", true, "000 ", ""},
        {Kind::Voice, "ZERO", true, "000 ", ""},
        {Kind::Voice, "HELLO", false, "124", ""},
        {Kind::Voice, "A.M. P.M. -S(MAKES_PLURAL) DVR20", false, "073184234255", ""},
        {Kind::Voice, "A.M. P.M. -S(MAKES_PLURAL) DVR20", true, "073 184 234 255 ", ""},
        {Kind::CW, "C Q", false, "2371", ""},
        {Kind::CW, "C Q ", false, "2371", ""},
        {Kind::CW, "A B WORD_SPACE C", true, "21 22 11 23 ", ""},
        {Kind::CW, "A B WORD_SPACE C", false, "21221123", ""},
        {Kind::CW, "- /", true, "10 12 ", ""},
        {Kind::CW, "0 9", false, "0009", ""},
        // Blanks a stored text never has: nothing hangs, nothing is added.
        {Kind::Voice, "", true, "", ""},
        {Kind::Voice, "   ", true, "", ""},
        {Kind::Voice, " HELLO", true, "124 ", ""},
        {Kind::Voice, "  HELLO   REPEATER  ", false, "124190", ""},
        {Kind::CW, " C  Q", true, "23 71 ", ""},
        // Tokens without a code add nothing and are named once each.
        {Kind::Voice, "HELLO zero FORTY HELLO zero", true, "124 124 ", "[zero][FORTY]"},
        {Kind::Voice, "NONE STORED", false, "", "[NONE][STORED]"},
        {Kind::Voice, "HELLO\tREPEATER", false, "", "[HELLO\tREPEATER]"},
        {Kind::CW, "c Q . ZERO", true, "71 ", "[c][.][ZERO]"},
    };
    for (const auto& c : cases) {
        const EncodedText result = run(c.kind, QString::fromLatin1(c.text), c.dtmf);
        EXPECT_EQ(result.codes.toStdString(), c.codes) << '"' << c.text << '"';
        EXPECT_EQ(bracketed(result.unknown), c.unknown) << '"' << c.text << '"';
    }
}

TEST(Encoder, EveryWordAndNameEncodesAndDecodes)
{
    QStringList words;
    QString expected;
    for (int i = 0; i < VoiceWordCount; ++i) {
        words << VoiceVocabulary()[i].toString();
        expected += QString::asprintf("%03d ", i);
    }
    const EncodedText voice = VoiceToCodes(words.join(u' '), true);
    EXPECT_EQ(voice.codes, expected);
    EXPECT_TRUE(voice.unknown.isEmpty());
    QStringList decoded;
    for (const QString& code : voice.codes.split(u' ', Qt::SkipEmptyParts)) {
        decoded << VoiceWordOfCode(code).value_or(QStringLiteral("?"));
    }
    EXPECT_EQ(decoded, words);

    QStringList names;
    QString serial;
    for (const CWCharacter& c : CWCharacters()) {
        names << c.name.toString();
        serial += c.code;
    }
    const EncodedText cw = CWToCodes(names.join(u' '), false);
    EXPECT_EQ(cw.codes, serial);
    EXPECT_TRUE(cw.unknown.isEmpty());
    decoded.clear();
    for (qsizetype at = 0; at < cw.codes.size(); at += 2) {
        decoded << CWCharOfCode(cw.codes.mid(at, 2)).value_or(QStringLiteral("?"));
    }
    EXPECT_EQ(decoded, names);
}
