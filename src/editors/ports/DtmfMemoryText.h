#pragma once

#include <QString>
#include <QStringList>

// The rules of a DTMF memory's text: keys separated by blanks, at most ten,
// "NONE STORED" for an empty memory.

inline constexpr int MaxMemoryKeys = 10;

// The keys of the key list, in its order.
const QStringList& DtmfMemoryKeys();

// The keys a memory holds: its characters other than blanks; none for "NONE STORED".
int KeyCount(const QString& memory);
// The memory cut just after its first `keys` keys (trailing blanks dropped).
QString FirstKeys(const QString& memory, int keys);

enum class KeyFault {
    None,
    Terminator, // the terminator in use: it would end the command early
    NotAKey,    // no DTMF key, or "D", which DTMF mode plays as the terminator
};
// The first character (upper-cased) that `after` holds more often than
// `before` and that a memory cannot hold: what a change added, so that a
// memory already holding such a character can still be edited.
KeyFault AddedKeyFault(const QString& before, const QString& after, const QString& terminator);
