#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The codes the controller keeps in its memory, back into the texts the
// editors and the configuration file hold. The speech words, the CW names and
// the DTMF keys come from the tables the upload encodes them with.

// Up to four bytes of packed DTMF keys, low four bits first: 1-9 the digits,
// 10 "0", 11 "*", 12 "#", 13-15 "A"-"C"; a zero adds nothing. Bytes past the
// fourth are not read.
QString DecodeDTMFDigits(QByteArrayView packed);
// The CW character of a code written as plain decimal ("7", "21"); the empty
// text gives the empty text. Any other text ("07", " 7", "255") gives nothing.
QString DecodeCWChar(QStringView code);
// The speech word of a number "0" to "255" in plain decimal; nothing for any
// other text.
QString DecodeVoiceWord(QStringView code);
