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
    return WithoutNoneStored(memory).toUpper();
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
