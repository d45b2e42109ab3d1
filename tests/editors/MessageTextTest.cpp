#include "editors/speech/MessageFields.h"
#include "editors/speech/MessageText.h"
#include "editors/speech/SpeechLists.h"
#include "link/SpeechEncoder.h"
#include "store/TextHelpers.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageText, CopiesAndCountsByTheKindOfBox)
{
    struct Case {
        const MessageBoxKind* box;
        const char* name;
        QString text, copy;
        int count; // of the copy
    } cases[] = {
        {&MessageMacroBox, "message macro", "hello ", "HELLO ", 2},
        {&VoiceIdBox, "voice ID", "hello ", "HELLO", 1},
        {&CwId1Box, "CW ID 1", "a b  ", "A B", 2},
        {&CwId2Box, "CW ID 2", "a b  ", "A B  ", 4},
        {&MessageMacroBox, "message macro", "", "", 1},
        {&MessageMacroBox, "message macro", NoneStored, NoneStored, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MessageCopy(*c.box, c.text), c.copy) << c.name << ": " << c.text.toStdString();
        EXPECT_EQ(MessageCount(MessageCopy(*c.box, c.text)), c.count) << c.name << ": " << c.text.toStdString();
    }
    EXPECT_FALSE(OverLimit(MessageMacroBox, "1 2 3 4 5 6 7 8 9"));
    EXPECT_TRUE(OverLimit(MessageMacroBox, "1 2 3 4 5 6 7 8 9 "));
    EXPECT_TRUE(OverLimit(CwId1Box, QString(15, u' ')));
    EXPECT_FALSE(OverLimit(VoiceIdBox, QString(21, u' ')));
}

// Each change of a box's text, judged against the text before it.
TEST(MessageText, AChangeIsRefusedForATypedTokenThatIsNoWordOrForAWordTooMany)
{
    const QString nine = "ONE TWO THREE FOUR FIVE SIX SEVEN EIGHT NINE";
    const QString thirty = QString("GOOD ").repeated(30);
    struct Case {
        const MessageBoxKind* box;
        QString before, after;
        MessageFault fault;
    } cases[] = {
        {&MessageMacroBox, "hello", "hello ", MessageFault::None},
        {&MessageMacroBox, "HELLO HELX", "HELLO HELX ", MessageFault::NotAToken},
        {&MessageMacroBox, "HELLO HEL", "HELLO HEL ", MessageFault::NotAToken},
        {&MessageMacroBox, "HELLO ", "HELLO  ", MessageFault::None},     // two blanks: the empty token
        {&MessageMacroBox, "GOOD 5", "GOOD 5 ", MessageFault::None},     // digits speak as words
        {&MessageMacroBox, "GOOD NONE", "GOOD NONE ", MessageFault::NotAToken},
        {&MessageMacroBox, "HELLO", "HEL LO", MessageFault::NotAToken},  // a blank typed into a word
        {&MessageMacroBox, "GOODHELLO", "GOODHELLOX", MessageFault::None}, // no blank typed: judged at Apply
        {&MessageMacroBox, nine, nine + " ", MessageFault::TooLong},
        {&MessageMacroBox, nine, nine + "X", MessageFault::None},
        {&MessageMacroBox, "", thirty, MessageFault::TooLong},          // a paste
        {&MessageMacroBox, nine + " TEN", nine + " TE", MessageFault::None}, // over, but not raised
        {&CwId1Box, "Q", "Q ", MessageFault::None},
        {&CwId1Box, "QQ", "QQ ", MessageFault::NotAToken},
        {&CwId2Box, "A B C D E F G H I J K L M N O", "A B C D E F G H I J K L M N O ", MessageFault::TooLong},
        {&CwId1Box, "A B C D E F G H I J K L M N O", "A B C D E F G H I J K L M N O ", MessageFault::None}, // dropped
        {&CwId1Box, "A B C D E F G H I J K L M N O ", "A B C D E F G H I J K L M N O P", MessageFault::TooLong},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FaultOfChange(*c.box, c.before, c.after), c.fault)
            << c.before.toStdString() << " -> " << c.after.toStdString();

    // Only the token just typed goes, with the blank, the caret at its start.
    const std::pair<QString, QString> refused[] = {{"HELLO HELX", "HELLO "}, {"HELLO HEL", "HELLO "}, {"HELLO", "LO"}};
    const QString typed[] = {"HELLO HELX ", "HELLO HEL ", "HEL LO"};
    const int carets[] = {6, 6, 0};
    for (int n = 0; n < 3; ++n) {
        const auto token = TokenEndedByBlank(refused[n].first, typed[n]);
        ASSERT_TRUE(token) << typed[n].toStdString();
        EXPECT_EQ(WithoutTypedToken(refused[n].first, *token), refused[n].second);
        EXPECT_EQ(token->start, carets[n]);
    }
}

TEST(MessageText, TheApplyCheckTakesOnlyWhatTheUploadCanSend)
{
    const std::pair<QString, bool> cases[] = {
        {"GOODHELLO", false}, {"GOOD NONE", false}, {"0x", false},   {"NONE", false},
        {"NONE STORED", true}, {"GOOD 5", true},    {"DVR20", true}, {"A.M. THANK_YOU", true},
        {"", true},
    };
    for (const auto& [stored, taken] : cases)
        EXPECT_EQ(!MessageRefusal(MessageMacroBox, stored), taken) << stored.toStdString();
    EXPECT_EQ(MessageRefusal(MessageMacroBox, "GOOD 0x"), "\"0x\" is no word of the vocabulary");
    EXPECT_EQ(MessageRefusal(CwId1Box, "A QQ"), "\"QQ\" is no CW character");
    EXPECT_TRUE(MessageRefusal(MessageMacroBox, "1 2 3 4 5 6 7 8 9 0"));

    const std::pair<QString, QString> stored[] = {
        {"  good   morning ", "GOOD MORNING"}, {"", NoneStored}, {"   ", NoneStored}, {NoneStored, NoneStored}};
    for (const auto& [text, form] : stored)
        EXPECT_EQ(StoredMessageMacro(text), form) << text.toStdString();
}

TEST(SpeechLists, TheListsComeFromTheEncodersTables)
{
    const QStringList id = VocabularyRows(true);
    const QStringList messages = VocabularyRows(false);
    ASSERT_EQ(id.size(), 257);
    ASSERT_EQ(messages.size(), 256);
    EXPECT_EQ(id[235], "SILENCE(PAUSE)");
    EXPECT_EQ(id[236], " ");
    EXPECT_EQ(id[237], "DVR1");
    EXPECT_EQ(messages[236], "DVR1");
    EXPECT_EQ(messages[22], "FOURTY");
    const QStringList cw = CwRows();
    ASSERT_EQ(cw.size(), 43);
    EXPECT_EQ(cw.front(), "0");
    EXPECT_EQ(cw[36], "WORD_SPACE");
    EXPECT_EQ(cw.back(), "SK");

    // Every row the user can pick encodes to the code the upload sends.
    for (int n = 0; n < messages.size(); ++n) {
        const EncodedText e = VoiceToCodes(messages[n], false);
        EXPECT_TRUE(e.unknown.isEmpty()) << messages[n].toStdString();
        EXPECT_EQ(e.codes, QString("%1").arg(n, 3, 10, QChar('0'))) << messages[n].toStdString();
    }
    for (const QString& name : cw) {
        const EncodedText e = CWToCodes(name, false);
        EXPECT_TRUE(e.unknown.isEmpty()) << name.toStdString();
        EXPECT_EQ(e.codes.size(), 2) << name.toStdString();
    }
}

} // namespace
