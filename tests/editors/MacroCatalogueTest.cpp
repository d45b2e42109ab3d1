#include "editors/macros/MacroCatalogue.h"
#include "editors/macros/MacroText.h"
#include "store/TextHelpers.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

int RowOf(const QString& text)
{
    const std::vector<FunctionRow>& rows = FunctionListRows();
    for (std::size_t r = 0; r < rows.size(); ++r)
        if (rows[r].text == text)
            return static_cast<int>(r);
    ADD_FAILURE() << "no row " << text.toStdString();
    return -1;
}

TEST(MacroCatalogue, TheListHoldsEveryFunctionOnceInItsGroups)
{
    const std::vector<FunctionRow>& rows = FunctionListRows();
    ASSERT_EQ(rows.size(), 532u);
    EXPECT_EQ(MacroFunctionCatalogue().size(), 483u);
    EXPECT_EQ(rows.front().text, "001 Port 1 CTCSS Access");
    EXPECT_EQ(rows.front().number, 1);
    EXPECT_EQ(rows.back().text, "490 Call Macro 90");
    EXPECT_EQ(rows.back().number, 490);

    QSet<int> numbers;
    int separators = 0, wide = 0;
    for (const FunctionRow& row : rows) {
        if (row.number == 0) {
            EXPECT_TRUE(row.text.trimmed().isEmpty()) << row.text.toStdString();
            ++separators;
            wide += row.text.size() == 2;
            continue;
        }
        EXPECT_FALSE(numbers.contains(row.number)) << row.number;
        numbers.insert(row.number);
        EXPECT_EQ(row.text.left(4), FunctionCode(row.number) + ' ');
        EXPECT_EQ(FindFunction(FunctionCode(row.number))->number, row.number);
    }
    EXPECT_EQ(separators, 49);
    EXPECT_EQ(wide, 11);
    const QSet<int> noFunctions{255, 350, 394, 395, 396, 399, 400};
    for (int n = 1; n <= 490; ++n)
        EXPECT_NE(numbers.contains(n), noFunctions.contains(n)) << n;

    // Neighbours the groups put side by side, or apart.
    const struct {
        const char* row;
        const char* next;
        bool separated;
    } neighbours[] = {
        {"254 Port 3 Stop ID/TimeOut", "256 Port 1 Resume ID/TimeOut", false},
        {"349 Start General Timer 3", "391 Stop General Timer 1", false},
        {"393 Stop General Timer 3", "397 Macro Subset Disable", true},
        {"398 Macro Subset Enable", "351 Suspend Scheduler Setpoint 1", true},
        {"390 Resume Scheduler Setpoint 20", "401 Call Macro 1", true},
        {"006 Port 3 Carrier Access", "007 Port 1 DTMF Covertone ON", true},
    };
    for (const auto& n : neighbours) {
        const int r = RowOf(n.row);
        EXPECT_EQ(RowOf(n.next), r + (n.separated ? 2 : 1)) << n.row;
    }
}

TEST(MacroCatalogue, WordingsAsTheListAndTheDescriptionGiveThem)
{
    const struct {
        int number;
        const char* list;
        const char* brief;
    } cases[] = {
        {13, "Port 1 Transmit Enable", "Port 1 Xmtr Enable"},
        {18, "Port 3 Transmit Disable", "Port 3 Xmtr Disable"},
        {58, "Port 1Courtesy Tone 10", "Port 1Courtesy Tone 10"},
        {60, "Port 2 Courtesy Tone 2  ", "Port 2 Courtesy Tone 2"},
        {68, "Port 2 Courtesy Tone 10", "Port 2 Courtesy Tone 10"},
        {90, "Read ADC Channel 4  ", "Read ADC Channel 4  "},
        {94, "Read ADC Channel 8", "Read ADC Channel 8"},
        {95, "UF1 ON", "UF1 ON "},
        {118, "Link Port 1 to Port 2", "Link Port1 to Port 2"},
        {122, "Unlink Port1 from Port 2", "Unlink Port1 from Port 2"},
        {226, "Play Message Macro 40", "Play Message Macro 40"},
        {305, "CTCSS Encode Programmed Value", "CTCSS Encoder to Programmed Value"},
        {307, "Say Year As Part of Date", "Say Year"},
        {346, "User DVR Record, Don't Erase", "User DVR Record, No Erase"},
        {371, "Resume Scheduler Setpoint 1", "Resume Scheduler Setpoint 1"},
        {393, "Stop General Timer 3", "Stop General Timer 3"},
    };
    for (const auto& c : cases) {
        const MacroFunction* f = FindFunction(FunctionCode(c.number));
        ASSERT_NE(f, nullptr) << c.number;
        EXPECT_EQ(f->list, c.list) << c.number;
        EXPECT_EQ(f->brief, c.brief) << c.number;
    }
    for (const char* notACode : {"13", "0013", "255", " 013", ""})
        EXPECT_EQ(FindFunction(notACode), nullptr) << notACode;
}

TEST(MacroCatalogue, DescribeMacroNamesEachPieceAndAlwaysEnds)
{
    const struct {
        const char* text;
        const char* described;
    } cases[] = {
        {"013 037 401", "Port 1 Xmtr Enable | Port 1 Repeat ON | Call Macro 1"},
        {"095 096", "UF1 ON  | UF2 ON"},
        {"305", "CTCSS Encoder to Programmed Value"},
        {"013 ", "Port 1 Xmtr Enable"},
        {" 013", "Port 1 Xmtr Enable"},
        {"   ", ""},
        {"013 255 13", "Port 1 Xmtr Enable | 255? | 13?"},
        {"013  037", "Port 1 Xmtr Enable | ? | Port 1 Repeat ON"},
        {"NONE", "NONE?"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DescribeMacro(c.text), c.described) << '"' << c.text << '"';
}

TEST(MacroText, SlotsAreCountedAtTheStartAndAtEveryBlank)
{
    const struct {
        const char* text;
        int used;
    } cases[] = {
        {"", 1}, {"NONE STORED", 2}, {"013 037 045", 3}, {"401", 2}, {"013 401", 3}, {"401 013", 3},
        {"013  037", 3}, {"013 ", 2}, {"254", 1}, {"256", 2}, {"401 402 403 404 405 406 407", 14},
        {"401 402 403 404 405 406 407 408", 16},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MacroSlots(c.text), c.used) << '"' << c.text << '"';
}

// What Apply takes: nothing but catalogue codes one blank apart, within the
// macro's slots, or "NONE STORED".
TEST(MacroText, OnlyCatalogueCodesWithinTheSlotsCanBeStored)
{
    const struct {
        const char* text;
        int limit;
        bool stored;
    } cases[] = {
        {"NONE STORED", ShortMacroSlots, true},
        {"013 037 401", LongMacroSlots, true},
        {"001 002 003 004 005 006 007 008 009 010 011 012 013 014 015", LongMacroSlots, true},
        {"001 002 003 004 005 006 007 008 009 010 011 012 013 014 015 016", LongMacroSlots, false},
        {"401 402 403 404 405 406 407", LongMacroSlots, true},
        {"401 402 403 404 405 406 407 408", LongMacroSlots, false},
        {"401 402", ShortMacroSlots, true},
        {"401 402 013", ShortMacroSlots, false},
        {"13 037", LongMacroSlots, false},
        {"013037", LongMacroSlots, false},
        {"013  037", LongMacroSlots, false},
        {"255", LongMacroSlots, false},
        {"NONE", LongMacroSlots, false},
        {"", LongMacroSlots, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(!MacroFault(c.text, c.limit).has_value(), c.stored) << '"' << c.text << '"';
    EXPECT_EQ(*MacroFault("13 037", LongMacroSlots), "\"13\" is no function code (three digits from the function list)");
}

TEST(MacroText, AnEmptiedRunCodeTakesTheMacrosNumber)
{
    EXPECT_EQ(DefaultRunCode(7), "70467");
    EXPECT_EQ(DefaultRunCode(43), "704643");
}

} // namespace
