#include "editors/ports/DtmfMemoryText.h"

#include "link/DtmfPlayer.h"
#include "store/TextHelpers.h"

#include <algorithm>

const QStringList& DtmfMemoryKeys()
{
    static const QStringList keys{"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "*", "#", "A", "B", "C", "D"};
    return keys;
}

namespace {

// An empty memory holds no keys.
QString keysOf(const QString& memory)
{
    return memory.trimmed() == NoneStored ? QString() : memory.toUpper();
}

KeyFault faultOf(QChar c, const QString& terminator)
{
    const QString end = terminator.trimmed().toUpper();
    if (end.size() == 1 && c == end.front())
        return KeyFault::Terminator;
    if (!IsDtmfKey(c) || c == u'D')
        return KeyFault::NotAKey;
    return KeyFault::None;
}

} // namespace

int KeyCount(const QString& memory)
{
    return static_cast<int>(std::ranges::count_if(keysOf(memory), [](QChar c) { return c != u' '; }));
}

QString FirstKeys(const QString& memory, int keys)
{
    int seen = 0;
    for (qsizetype n = 0; n < memory.size(); ++n)
        if (memory[n] != u' ' && ++seen == keys)
            return memory.left(n + 1);
    return memory;
}

KeyFault AddedKeyFault(const QString& before, const QString& after, const QString& terminator)
{
    const QString was = keysOf(before);
    const QString now = keysOf(after);
    for (const QChar c : now) {
        if (c == u' ')
            continue;
        const KeyFault fault = faultOf(c, terminator);
        if (fault != KeyFault::None && now.count(c) > was.count(c))
            return fault;
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
        // On by the key's length once more: past the blank that kept the next key apart.
        return {out, std::min(start + 2 * static_cast<int>(key.size()), static_cast<int>(out.size()))};
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
