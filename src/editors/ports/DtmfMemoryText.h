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

enum class KeyFault {
    None,
    Terminator, // the terminator in use: it would end the command early
    NotAKey,    // no DTMF key, or "D", which DTMF mode plays as the terminator
};
// The first character of the memory (upper-cased) that cannot be stored.
KeyFault RefusedKey(const QString& memory, const QString& terminator);

// A memory text after a key was put into it, and where the caret stands.
struct KeyInsertion {
    QString text;
    int caret = 0;
};
// Puts `key` into `text` as a double-click on the key list does: into an empty
// text alone; after the end with a blank before it; over a selection (less a
// blank it ends in); inside the text with a blank on the side that has none
// when exactly one neighbour of the caret is a blank, else alone. The caret
// ends just after what was put in.
KeyInsertion InsertKey(const QString& text, int caret, int selectionStart, int selectionLength, const QString& key);
