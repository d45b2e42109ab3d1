#include "editors/ports/DtmfMemoryText.h"

#include "link/DtmfPlayer.h"
#include "store/TextHelpers.h"

#include <algorithm>

const QStringList& DtmfMemoryKeys()
{
    static const QStringList keys{"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "*", "#", "A", "B", "C", "D"};
    return keys;
}

int KeyCount(const QString& memory)
{
    if (memory.trimmed() == NoneStored)
        return 0;
    return static_cast<int>(std::ranges::count_if(memory, [](QChar c) { return c != u' '; }));
}

KeyFault RefusedKey(const QString& memory, const QString& terminator)
{
    if (memory.trimmed() == NoneStored)
        return KeyFault::None;
    const QString end = terminator.trimmed().toUpper();
    for (const QChar c : memory.toUpper()) {
        if (c == u' ')
            continue;
        if (end.size() == 1 && c == end.front())
            return KeyFault::Terminator;
        if (!IsDtmfKey(c) || c == u'D')
            return KeyFault::NotAKey;
    }
    return KeyFault::None;
}

KeyInsertion InsertKey(const QString& text, int caret, int selectionStart, int selectionLength, const QString& key)
{
    const int size = static_cast<int>(text.size());
    caret = std::clamp(caret, 0, size);
    if (text.isEmpty())
        return {key, static_cast<int>(key.size())};
    if (selectionLength > 0) {
        const int start = std::clamp(selectionStart, 0, size);
        int length = std::min(selectionLength, size - start);
        // The blank that separates the selection from the next key stays.
        if (length > 0 && text[start + length - 1] == u' ')
            --length;
        QString out = text;
        out.replace(start, length, key);
        return {out, start + static_cast<int>(key.size())};
    }
    if (caret == size)
        return {text + u' ' + key, size + 1 + static_cast<int>(key.size())};
    const bool blankBefore = caret > 0 && text[caret - 1] == u' ';
    const bool blankAfter = text[caret] == u' ';
    QString put = key;
    if (blankBefore != blankAfter)
        put = blankBefore ? key + u' ' : u' ' + key;
    QString out = text;
    out.insert(caret, put);
    return {out, caret + static_cast<int>(put.size())};
}
