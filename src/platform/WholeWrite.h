#pragma once

#include "platform/Status.h"

#include <QByteArray>

class QIODevice;

// Writes all the bytes, in as many writes as the device takes. A disk that
// fills up takes part of a write and refuses the next one; only that refusal
// carries the system's reason ("No space left on device"), so the rest is
// written again to hear it instead of stopping at the short count.
Status WriteWhole(QIODevice& out, const QByteArray& bytes);
