#include "download/FieldEncodings.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct Case {
    Encoding encoding;
    std::vector<quint8> lines;
    std::optional<QString> expected;
    int count = 0;
};

std::vector<quint8> padded(std::vector<quint8> lines, std::size_t size, quint8 fill = 0)
{
    lines.resize(size, fill);
    return lines;
}

void expectCases(const std::vector<Case>& cases)
{
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(DecodeField(c.encoding, c.lines, c.count), c.expected) << "case " << i;
    }
}

using E = Encoding;
const QString None = QStringLiteral("NONE STORED");

} // namespace

TEST(FieldEncodings, SingleBytesAndWords)
{
    expectCases({
        {E::Plain, {0}, "0"}, {E::Plain, {255}, "255"},
        {E::Plain255Empty, {255}, ""}, {E::Plain255Empty, {3}, "3"},
        {E::Switch, {1}, "1"}, {E::Switch, {0}, "0"}, {E::Switch, {2}, "0"}, {E::Switch, {255}, "0"},
        {E::Number255As0, {255}, "0"}, {E::Number255As0, {1}, "1"},
        {E::TwoDigit, {7}, "07"}, {E::TwoDigit, {5}, "05"}, {E::TwoDigit, {45}, "45"}, {E::TwoDigit, {255}, "0"},
        {E::Trimmed, {12}, "12"},
        {E::Word, {232, 3}, "1000"}, {E::Word, {255, 1}, "511"}, {E::Word, {255, 255}, "65535"},
        {E::Word255As0, {255, 255}, "0"}, {E::Word255As0, {10, 255}, "10"},
        {E::Skipped, {7}, std::nullopt},
    });
}

TEST(FieldEncodings, TextsEndAtZeroAndNeverTakeControlCodes)
{
    expectCases({
        {E::Text, {49, 50, 48, 0, 55, 56}, "120"},
        {E::Text, {0, 65, 66, 67}, ""},
        {E::Text, {65, 66, 67, 68}, "ABC"}, // the last line never adds
        {E::Text, {65, 1, 31, 127, 66, 0}, "AB"},
        {E::Text, {68, 69}, "D"},
        {E::PaddedText, {65, 50, 51, 0, 0, 0}, "A23"},
        {E::PaddedText, {65, 50, 51, 255, 255, 255}, "A23"},
        {E::PaddedText, {65, 0, 51, 255, 7, 66}, "A3"},
        {E::FrequencyText, {49, 52, 54, 53, 50, 48, 49, 57}, "1465201"},
        {E::FrequencyText, {0, 52, 54, 53, 50, 48, 49, 57}, None},
        {E::FrequencyText, {49, 255, 52, 0, 53, 50, 48, 57}, "14"},
        {E::FrequencyText, padded({255}, 8, 255), None},
        {E::FrequencyText, {9, 10, 13, 0, 0, 0, 0, 0}, None},
    });
}

TEST(FieldEncodings, DTMFCodesAndMemories)
{
    expectCases({
        {E::DTMFCode, {167, 100, 0, 0, 0}, "7046"},
        {E::DTMFCode, {33, 0, 99, 99, 0}, "12"},
        {E::DTMFCode, {0, 33, 33, 33, 33}, ""},
        {E::DTMFCode, {1, 2, 3, 4, 5}, "1234"}, // control codes are packed digits here
        {E::DTMFMemoryText, padded({49, 50, 51}, 11, 255), "1 2 3"},
        {E::DTMFMemoryText, padded({49, 50, 51}, 11, 0), "1 2 3"},
        {E::DTMFMemoryText, padded({}, 11, 49), "1 1 1 1 1 1 1 1 1 1 1"},
        {E::DTMFMemoryText, padded({32, 49}, 11, 255), None},
        {E::DTMFMemoryText, padded({0, 49}, 11, 255), None},
        {E::DTMFMemoryText, padded({255, 49}, 11, 255), None},
        {E::DTMFMemoryText, padded({49, 7, 42, 13}, 11, 255), "1 *"},
        {E::DTMFMemoryText, padded({7}, 11, 255), None},
    });
}

TEST(FieldEncodings, MacroCommands)
{
    expectCases({
        {E::MacroCommands, padded({7, 123, 255, 45, 0, 9}, 16), "007 123 300"},
        {E::MacroCommands, padded({0, 7, 8}, 16), None},
        {E::MacroCommands, padded({}, 16, 1), "001 001 001 001 001 001 001 001 001 001 001 001 001 001 001"},
        {E::MacroCommands, padded({255, 0, 255, 255}, 16), "255 510"},
        // An escape's second byte on the last line adds nothing.
        {E::MacroCommands, {1, 2, 3, 255, 200}, "001 002 003"},
        // An escape on the last line adds nothing and reads no further.
        {E::MacroCommands, {1, 2, 3, 4, 255}, "001 002 003 004"},
        {E::MacroCommands, {255, 1, 255, 2, 255}, "256 257"},
    });
}

TEST(FieldEncodings, MessageWordsStopAtWordZero)
{
    expectCases({
        {E::MessageWords, padded({5, 6, 0, 7}, 10), "FIVE SIX"},
        {E::MessageWords, padded({0, 5}, 10), None},
        {E::MessageWords, padded({255, 0, 5}, 10), None},
        {E::MessageWords, padded({}, 10, 255), ""},
        {E::MessageWords, padded({5, 255, 6}, 10), "FIVE SIX"},
        {E::MessageWords, padded({}, 10, 30), "A A A A A A A A A"}, // the tenth never adds
        {E::MessageWords, {30, 31, 32, 33, 34, 35, 36, 37, 38, 0}, "A B C D E F G H I"},
    });
}

TEST(FieldEncodings, CountedNames)
{
    const std::vector<quint8> cw = padded({21, 22, 23, 31}, 15, 21);
    const std::vector<quint8> voice = padded({30, 31, 255}, 22, 30);
    expectCases({
        {E::CWText, cw, "A B C", 3},
        {E::CWText, cw, "", 0},
        {E::CWText, cw, "A B C D A A A A A A A A A A A", 255},
        {E::CWText, padded({255, 21}, 15), "", 2}, // an unknown first name
        {E::CWText, padded({21, 11, 12}, 15), "A WORD_SPACE /", 3},
        {E::VoiceText, voice, "A B DVR20", 3},
        {E::VoiceText, voice, "", 0},
        {E::VoiceText, voice, "A B DVR20" + QStringLiteral(" A").repeated(19), 30},
    });
}

TEST(FieldEncodings, TheLayoutsOwnRules)
{
    expectCases({
        {E::MeterType, {224, 0}, "1"}, {E::MeterType, {62, 0}, "2"}, {E::MeterType, {227, 0}, "3"},
        {E::MeterType, {101, 0}, "4"}, {E::MeterType, {150, 0}, "5"}, {E::MeterType, {176, 0}, "6"},
        {E::MeterType, {0, 0}, "0"}, {E::MeterType, {224, 1}, "0"}, {E::MeterType, {7, 0}, "0"},
        {E::InactivitySwitch, {0}, "1"}, {E::InactivitySwitch, {15}, "0"},
        {E::Day, {35}, "5"}, {E::WeekOfDay, {35}, "3"}, {E::MonthlyOfDay, {35}, "1"},
        {E::Day, {7}, "7"}, {E::WeekOfDay, {7}, std::nullopt}, {E::MonthlyOfDay, {7}, "0"},
        {E::Day, {10}, "0"}, {E::WeekOfDay, {10}, "1"},
        {E::Day, {123}, "123"}, {E::MonthlyOfDay, {123}, "0"},
        {E::MacroNumber, {91, 0}, "1"}, {E::MacroNumber, {90, 0}, "90"}, {E::MacroNumber, {0, 1}, "1"},
        {E::MacroNumber, {0, 0}, "0"},
    });
}
