#include "editors/ports/DtmfMemoryText.h"
#include "editors/ports/RemoteMemoryText.h"
#include "store/TextHelpers.h"

#include <gtest/gtest.h>

namespace {

TEST(DtmfMemoryText, CountsKeysNotBlanksAndKeepsTheFirstOnes)
{
    const std::pair<QString, int> cases[] = {
        {"", 0}, {"NONE STORED", 0}, {"1", 1}, {"1 2 3", 3}, {"123", 3}, {"1 2 3 ", 3},
        {"1 2 3 4 5 6 7 8 9 0", 10}, {"1234567890 1", 11}, {"  *  # ", 2},
    };
    for (const auto& [text, keys] : cases)
        EXPECT_EQ(KeyCount(text), keys) << text.toStdString();

    const std::pair<QString, QString> cuts[] = {
        {"1 2 3 4 5 6 7 8 9 0 1", "1 2 3 4 5 6 7 8 9 0"}, {"12345678901", "1234567890"},
        {"1 2 3 4 5 6 7 8 9 0 ", "1 2 3 4 5 6 7 8 9 0"},  {" 1 2 3 4 5 6 7 8 9 0  1 2", " 1 2 3 4 5 6 7 8 9 0"},
        {"1 2", "1 2"},
    };
    for (const auto& [text, kept] : cuts)
        EXPECT_EQ(FirstKeys(text, 10), kept) << text.toStdString();
}

TEST(DtmfMemoryText, RefusesTheTerminatorDAndWhatIsNoKeyOnlyWhenAChangeAddsThem)
{
    struct Case {
        QString before, after;
        QString terminator;
        KeyFault fault;
    } cases[] = {
        {"", "1 2 3 * # A B C", "D", KeyFault::None},
        {"", "a b c", "D", KeyFault::None}, // taken upper-cased
        {"1 D", "NONE STORED", "D", KeyFault::None},
        {"NONE STORED", "1 D", "D", KeyFault::Terminator},
        {"1", "1 d", "D", KeyFault::Terminator},
        {"1", "1 #", "#", KeyFault::Terminator},
        {"1", "1 D", "#", KeyFault::NotAKey}, // D plays as the terminator in DTMF mode
        {"1", "1 E", "D", KeyFault::NotAKey},
        {"1", "1.5", "D", KeyFault::NotAKey},
        {"", "E #", "#", KeyFault::NotAKey}, // the first fault speaks
        // What the memory held already stands.
        {"1 D", "1 D 5", "D", KeyFault::None},
        {"1 d", "5 1 D", "D", KeyFault::None},
        {"1 D", "1 D D", "D", KeyFault::Terminator},
        {"1 E", "1 .", "#", KeyFault::NotAKey}, // another refused key for the one held
        {"E D", "D E 5", "#", KeyFault::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AddedKeyFault(c.before, c.after, c.terminator), c.fault)
            << c.before.toStdString() << " -> " << c.after.toStdString() << " / " << c.terminator.toStdString();
}

TEST(RemoteMemoryText, SplitsJoinsAndTellsAHalfFilledMemory)
{
    struct Split {
        QString stored;
        QString frequency, offset;
    } splits[] = {
        {"1465202", "146520", "2"}, {"4470001", "447000", "1"}, {" 1470003 ", "147000", "3"},
        {"NONE STORED", "", ""},    {"", "", ""},               {"1465200", "146520", ""},
        {"2", "", "2"},
    };
    for (const Split& s : splits) {
        const FrequencyParts parts = SplitFreqString(s.stored);
        EXPECT_EQ(parts.frequency, s.frequency) << s.stored.toStdString();
        EXPECT_EQ(parts.offset, s.offset) << s.stored.toStdString();
    }

    struct Join {
        QString frequency, offset, stored;
        QString joined;
    } joins[] = {
        {"146.520", "2", "", "1465202"},
        {" 147 000 ", "3", "1465202", "1470003"},
        {"146520", "", "", "1465200"},
        {"", "1", "NONE STORED", "1"},
        {"", "", "NONE STORED", "NONE STORED"}, // an empty memory stays as stored
        {"", "", "", ""},
        {"", "", "1465202", ""},
    };
    for (const Join& j : joins)
        EXPECT_EQ(JoinFreqString(j.frequency, j.offset, j.stored), j.joined) << j.frequency.toStdString();

    const std::pair<QString, MemoryFault> faults[] = {
        {"1465202", MemoryFault::None},         {"NONE STORED", MemoryFault::None},
        {"", MemoryFault::None},                {"1465200", MemoryFault::NoOffset},
        {"1", MemoryFault::NoFrequency},        {"146522", MemoryFault::NotSixDigits},
        {"14652a2", MemoryFault::NotSixDigits}, {"14652002", MemoryFault::NotSixDigits},
        {"146520000", MemoryFault::NotSixDigits},
    };
    for (const auto& [text, fault] : faults)
        EXPECT_EQ(MemoryFaultOf(text), fault) << text.toStdString();
}

} // namespace
