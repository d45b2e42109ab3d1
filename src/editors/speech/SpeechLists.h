#pragma once

#include <QStringList>

// The rows of the lists beside the message boxes, from the encoder's own
// tables: words travel as text, so no code is ever taken from a row's place.

// The 256 words in code order; with the track row, a single blank between
// "SILENCE(PAUSE)" and "DVR1" sets the recorder tracks apart.
QStringList VocabularyRows(bool trackRow);
// The 43 CW character names.
QStringList CwRows();
