#pragma once

#include <QString>

// How an item picked from a list goes into a text of blank-separated items,
// at the caret or over the selection. The cases every list shares: an empty
// text takes the item alone; at the end of the text the item follows a
// blank; a selection is replaced (less a blank it ends in, which keeps the
// next item apart); inside the text the item gets a blank on the side that
// has none when exactly one neighbour of the caret is a blank, else it goes
// in alone. The lists differ in two points, which the rule states.
struct InsertionRule {
    // At the end of a text that ends in a blank, the item alone: no second blank.
    bool blankAtEndOnlyWhenNeeded = false;
    enum class AfterSelection {
        AfterItem,     // the caret just after the item
        PastNextBlank, // on by the item's length once more, past the blank that follows it
    };
    AfterSelection afterSelection = AfterSelection::AfterItem;
};

struct Insertion {
    QString text;
    int caret = 0;
};

Insertion InsertItem(const QString& text, int caret, int selectionStart, int selectionLength, const QString& item,
                     const InsertionRule& rule = {});
