#include "editors/ListInsertion.h"

#include <algorithm>

Insertion InsertItem(const QString& text, int caret, int selectionStart, int selectionLength, const QString& item,
                     const InsertionRule& rule)
{
    const int size = static_cast<int>(text.size());
    const int length = static_cast<int>(item.size());
    caret = std::clamp(caret, 0, size);
    if (text.isEmpty())
        return {item, length};
    if (selectionLength > 0) {
        const int start = std::clamp(selectionStart, 0, size);
        int selected = std::min(selectionLength, size - start);
        if (selected > 0 && text[start + selected - 1] == u' ')
            --selected;
        QString out = text;
        out.replace(start, selected, item);
        const int after = rule.afterSelection == InsertionRule::AfterSelection::PastNextBlank ? start + 2 * length
                                                                                               : start + length;
        return {out, std::min(after, static_cast<int>(out.size()))};
    }
    if (caret == size) {
        const bool blank = !(rule.blankAtEndOnlyWhenNeeded && text.endsWith(u' '));
        const QString out = blank ? text + u' ' + item : text + item;
        return {out, static_cast<int>(out.size())};
    }
    const bool blankBefore = caret > 0 && text[caret - 1] == u' ';
    const bool blankAfter = text[caret] == u' ';
    QString put = item;
    if (blankBefore != blankAfter)
        put = blankBefore ? item + u' ' : u' ' + item;
    QString out = text;
    out.insert(caret, put);
    return {out, caret + static_cast<int>(put.size())};
}
