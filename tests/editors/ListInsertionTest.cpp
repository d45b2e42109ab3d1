#include "editors/ListInsertion.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    QString text;
    int caret, selectionStart, selectionLength;
    QString item;
    QString expected;
    int caretAfter;
};

void Check(const Case& c, const InsertionRule& rule)
{
    const Insertion put = InsertItem(c.text, c.caret, c.selectionStart, c.selectionLength, c.item, rule);
    EXPECT_EQ(put.text, c.expected) << c.text.toStdString() << " at " << c.caret << " + " << c.item.toStdString();
    EXPECT_EQ(put.caret, c.caretAfter) << c.text.toStdString() << " at " << c.caret << " + " << c.item.toStdString();
}

// The key list of the DTMF memories: after a selection the caret goes on
// past the blank that keeps the next key apart.
TEST(ListInsertion, KeysGoInByTheCaretAndTheSelection)
{
    const InsertionRule keys{false, InsertionRule::AfterSelection::PastNextBlank};
    struct KeyCase {
        QString text;
        int caret, selectionStart, selectionLength;
        QString expected;
        int caretAfter;
    } cases[] = {
        {"", 0, 0, 0, "#", 1},
        {"1 2", 3, 0, 0, "1 2 #", 5},     // at the end: a blank, then the key
        {"1 2", 1, 0, 0, "1 # 2", 3},     // blank after the caret: blank, key
        {"1 2", 2, 0, 0, "1 # 2", 4},     // blank before the caret: key, blank
        {"12", 1, 0, 0, "1#2", 2},        // no blank either side: the key alone
        {"1  2", 2, 0, 0, "1 # 2", 3},    // blanks both sides: the key alone
        {"1 2", 0, 0, 0, "#1 2", 1},      // the start is no blank
        {" 1", 0, 0, 0, " # 1", 2},
        {"1 2", 9, 0, 0, "1 2 #", 5},     // a caret past the end stands at the end
        {"1 2 3", 3, 2, 1, "1 # 3", 4},   // the selection replaced, the caret past the blank
        {"1 2 3", 4, 2, 2, "1 # 3", 4},   // less the blank it ends in
        {"1 2 3", 5, 4, 1, "1 2 #", 5},   // at the end: the caret stays there
        {"1 2 3", 5, 0, 5, "#", 1},
    };
    for (const KeyCase& c : cases) {
        const Insertion put = InsertItem(c.text, c.caret, c.selectionStart, c.selectionLength, "#", keys);
        EXPECT_EQ(put.text, c.expected) << c.text.toStdString() << " at " << c.caret;
        EXPECT_EQ(put.caret, c.caretAfter) << c.text.toStdString() << " at " << c.caret;
    }
}

// The function list of the macros: the caret just after what went in, and a
// blank at the end even after one.
TEST(ListInsertion, FunctionCodesGoInAsTheMacroListPutsThem)
{
    const Case cases[] = {
        {"", 0, 0, 0, "401", "401", 3},
        {"013", 3, 0, 0, "401", "013 401", 7},
        {"013 037", 4, 0, 0, "401", "013 401 037", 8},  // just after the blank
        {"013 037", 3, 0, 0, "401", "013 401 037", 7},  // just before it
        {"013  037", 4, 0, 0, "401", "013 401 037", 7}, // between two blanks: the code alone
        {"013 037", 2, 0, 0, "401", "014013 037", 5},   // inside a code: no blank
        {"013 037", 0, 0, 0, "401", "401013 037", 3},
        {"013 037 045", 4, 4, 4, "401", "013 401 045", 7}, // less the blank the selection ends in
        {"013 037", 3, 3, 1, "401", "013401 037", 6},      // only the blank selected
        {"013 ", 4, 0, 0, "401", "013  401", 8},
    };
    for (const Case& c : cases)
        Check(c, {});
}

// The vocabulary lists: a blank at the end only where the text has none.
TEST(ListInsertion, WordsGoInWithOneBlankWhereOneIsNeeded)
{
    const InsertionRule words{true, InsertionRule::AfterSelection::AfterItem};
    const Case cases[] = {
        {"", 0, 0, 0, "GOOD", "GOOD", 4},
        {"GOOD", 4, 0, 0, "MORNING", "GOOD MORNING", 12},
        {"HELLO REPEATER", 6, 0, 0, "GOOD", "HELLO GOOD REPEATER", 11},
        {"HELLO REPEATER", 5, 0, 0, "GOOD", "HELLO GOOD REPEATER", 10},
        {"HELLO", 0, 0, 0, "GOOD", "GOODHELLO", 4},
        {"GOOD MORNING REPEATER", 13, 5, 8, "EVENING", "GOOD EVENING REPEATER", 12},
        {"HELLO ", 6, 0, 0, "GOOD", "HELLO GOOD", 10},
    };
    for (const Case& c : cases)
        Check(c, words);
}

} // namespace
