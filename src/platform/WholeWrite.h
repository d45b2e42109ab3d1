#pragma once

#include "platform/Status.h"

#include <QByteArray>

class QIODevice;
class QSaveFile;

// Writes all the bytes, in as many writes as the device takes. A disk that
// fills up takes part of a write and refuses the next one; only that refusal
// carries the system's reason ("No space left on device"), so the rest is
// written again to hear it instead of stopping at the short count.
Status WriteWhole(QIODevice& out, const QByteArray& bytes);
// All the bytes into an open save file, then committed: its target changes
// only once all of them are written. The failure carries the system's reason.
// Open it unbuffered, so that a full disk refuses the write itself: a
// buffered QSaveFile may commit a file its last flush never reached.
Status CommitWhole(QSaveFile& out, const QByteArray& bytes);
