#include "link/Vocabulary.h"
#include "store/FactoryCodes.h"

#include <gtest/gtest.h>

#include <QSet>

#include <algorithm>
#include <string>

namespace {

std::string text(const std::optional<QString>& value)
{
    return value ? value->toStdString() : std::string("<none>");
}

QString wordCode(int number)
{
    return QString::asprintf("%03d", number);
}

} // namespace

TEST(Vocabulary, WordsAreUniqueSingleTokensInCapitals)
{
    const auto words = VoiceVocabulary();
    ASSERT_EQ(words.size(), 256u);
    QSet<QString> seen;
    for (QStringView word : words) {
        EXPECT_FALSE(word.isEmpty());
        EXPECT_FALSE(word.contains(u' ')) << word.toString().toStdString();
        EXPECT_EQ(word.toString(), word.toString().toUpper());
        seen.insert(word.toString());
    }
    EXPECT_EQ(seen.size(), 256);
}

TEST(Vocabulary, Blocks)
{
    const auto words = VoiceVocabulary();
    const QStringView ends[][2] = {
        {words[0], u"ZERO"}, {words[19], u"NINETEEN"}, {words[20], u"TWENTY"},
        {words[27], u"NINETY"}, {words[28], u"HUNDRED"}, {words[29], u"THOUSAND"},
        {words[234], u"-S(MAKES_PLURAL)"}, {words[235], u"SILENCE(PAUSE)"},
    };
    for (const auto& end : ends) {
        EXPECT_EQ(end[0], end[1]) << end[1].toString().toStdString();
    }
    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(words[30 + i], QString(QChar(u'A' + i)));
    }
    for (int track = 1; track <= 20; ++track) {
        EXPECT_EQ(words[235 + track], QStringLiteral("DVR%1").arg(track));
    }

    // The other words ascend by character code, but the times of day follow
    // the last word of their initial letter.
    EXPECT_EQ(words[73], u"A.M.");
    EXPECT_EQ(words[184], u"P.M.");
    for (int at : {73, 184}) {
        EXPECT_EQ(words[at - 1].front(), words[at].front());
        EXPECT_NE(words[at + 1].front(), words[at].front());
    }
    std::vector<QStringView> others(words.begin() + 56, words.begin() + 234);
    EXPECT_EQ(others.size(), 178u);
    std::erase_if(others, [](QStringView w) { return w == u"A.M." || w == u"P.M."; });
    EXPECT_TRUE(std::adjacent_find(others.begin(), others.end(), [](QStringView a, QStringView b) {
        return a.compare(b) >= 0;
    }) == others.end());
}

TEST(Vocabulary, WordCodesBothWays)
{
    const auto words = VoiceVocabulary();
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(text(VoiceWordCode(words[i])), wordCode(i).toStdString());
        EXPECT_EQ(text(VoiceWordOfCode(wordCode(i))), words[i].toString().toStdString());
    }
    for (int digit = 0; digit <= 9; ++digit) {
        EXPECT_EQ(text(VoiceWordCode(QString::number(digit))), wordCode(digit).toStdString());
    }
    for (const char* word :
         {"", "zero", "FORTY", "NONE", "STORED", "NONE STORED", " ZERO", "10", "00"}) {
        EXPECT_FALSE(VoiceWordCode(QString::fromLatin1(word))) << word;
    }
    for (const char* code : {"", "1", "01", "0001", "256", "999", "+12", " 12", "-01", "1a2"}) {
        EXPECT_FALSE(VoiceWordOfCode(QString::fromLatin1(code))) << code;
    }
}

TEST(CWCharacters, OrderAndUniqueness)
{
    const auto table = CWCharacters();
    ASSERT_EQ(table.size(), 43u);
    QString expected[43];
    for (int i = 0; i < 10; ++i) {
        expected[i] = QString::number(i);
    }
    for (int i = 0; i < 26; ++i) {
        expected[10 + i] = QChar(u'A' + i);
    }
    const char* tail[] = {"WORD_SPACE", "-", "/", "AR", ",", "?", "SK"};
    std::copy(std::begin(tail), std::end(tail), expected + 36);

    QSet<QString> names;
    QSet<QString> codes;
    for (int i = 0; i < 43; ++i) {
        EXPECT_EQ(table[i].name, expected[i]);
        EXPECT_EQ(table[i].code.size(), 2);
        names.insert(table[i].name.toString());
        codes.insert(table[i].code.toString());
    }
    EXPECT_EQ(names.size(), 43);
    EXPECT_EQ(codes.size(), 43);
}

TEST(CWCharacters, Codes)
{
    // Letters: the keypad key, then the place on it counted from 1, but P and
    // Z sit at place 0 of their keys.
    const QString keypad = QStringLiteral("ABC DEF GHI JKL MNO PQRS TUV WXYZ");
    int key = 2;
    int place = 1;
    for (QChar c : keypad) {
        if (c == u' ') {
            ++key;
            place = 1;
            continue;
        }
        const bool atZero = c == u'P' || c == u'Z';
        const QString code = QString::number(key) + QString::number(atZero ? 0 : place++);
        EXPECT_EQ(text(CWCharCode(QString(c))), code.toStdString()) << char(c.unicode());
    }
    for (int digit = 0; digit <= 9; ++digit) {
        EXPECT_EQ(text(CWCharCode(QString::number(digit))), "0" + std::to_string(digit));
    }
    const char* signs[][2] = {
        {"WORD_SPACE", "11"}, {"-", "10"}, {"/", "12"}, {"AR", "13"},
        {",", "14"}, {"?", "20"}, {"SK", "60"},
    };
    for (const auto& sign : signs) {
        EXPECT_EQ(text(CWCharCode(QString::fromLatin1(sign[0]))), sign[1]);
    }

    for (const CWCharacter& c : CWCharacters()) {
        EXPECT_EQ(text(CWCharOfCode(c.code)), c.name.toString().toStdString());
    }
    for (const char* name : {"", "a", ".", "BT", "ZERO", " A"}) {
        EXPECT_FALSE(CWCharCode(QString::fromLatin1(name))) << name;
    }
    for (const char* code : {"", "1", "001", "99", "24"}) {
        EXPECT_FALSE(CWCharOfCode(QString::fromLatin1(code))) << code;
    }
}

TEST(Vocabulary, Checks)
{
    struct Case { const char* token; bool voice; bool cw; };
    const Case cases[] = {
        {"", true, true},
        {"ZERO", true, false}, {"FOURTY", true, false}, {"OCLOCK", true, false},
        {"THANK_YOU", true, false}, {"THE_TIME_IS", true, false}, {"A.M.", true, false},
        {"-S(MAKES_PLURAL)", true, false}, {"DVR20", true, false},
        {"NONE", true, false}, {"STORED", true, false}, {"NONE STORED", true, false},
        {"X", true, true}, {"-", false, true}, {"AR", false, true}, {"SK", false, true},
        {"WORD_SPACE", false, true}, {"0", false, true}, {"9", false, true},
        {"FORTY", false, false}, {"THANK", false, false}, {"DVR21", false, false},
        {" ", false, false}, {"zero", false, false}, {"Zero", false, false},
        {"x", false, false}, {"BT", false, false}, {".", false, false},
        {" ZERO", false, false}, {"ZERO ", false, false}, {"NONE  STORED", false, false},
        {"NONESTORED", false, false},
    };
    for (const auto& c : cases) {
        const QString token = QString::fromLatin1(c.token);
        EXPECT_EQ(IsVoiceWord(token), c.voice) << '"' << c.token << '"';
        EXPECT_EQ(CheckCWChar(token), c.cw) << '"' << c.token << '"';
    }

    for (QStringView word : VoiceVocabulary()) {
        EXPECT_TRUE(IsVoiceWord(word));
        const QString lower = word.toString().toLower();
        if (lower != word) {
            EXPECT_FALSE(IsVoiceWord(lower)) << lower.toStdString();
        }
    }
    for (const CWCharacter& c : CWCharacters()) {
        EXPECT_TRUE(CheckCWChar(c.name));
        const QString lower = c.name.toString().toLower();
        if (lower != c.name) {
            EXPECT_FALSE(CheckCWChar(lower)) << lower.toStdString();
        }
    }
}

TEST(Vocabulary, FactoryIdentifiersAreMadeOfKnownWordsAndCharacters)
{
    for (const QString& word : QString(FactoryCodes::VoiceID).split(' '))
        EXPECT_TRUE(IsVoiceWord(word)) << word.toStdString();
    for (const QString& name : QString(FactoryCodes::CWID).split(' '))
        EXPECT_TRUE(CheckCWChar(name)) << name.toStdString();
}
