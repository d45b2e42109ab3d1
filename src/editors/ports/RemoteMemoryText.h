#pragma once

#include <QString>

// The rules of a remote base memory's stored frequency text: the frequency's
// six digits followed by one offset digit, "1" minus, "2" simplex, "3" plus.
// An empty memory holds "NONE STORED" or nothing.

// The frequency and the offset that a memory text shows.
struct FrequencyParts {
    QString frequency; // without the offset digit and without blanks
    QString offset;    // "1", "2", "3", or empty for none
};

bool IsEmptyMemory(const QString& freqString);
// The frequency as typed without its blanks and decimal points.
QString FrequencyDigits(const QString& typed);
FrequencyParts SplitFreqString(const QString& freqString);
// The text a memory stores for the frequency as typed (its blanks and decimal
// points dropped) and the offset chosen ("0" stands for none). A memory with
// neither is empty: it keeps `stored` when that is empty, else "", as the
// configuration file holds an empty memory.
QString JoinFreqString(const QString& frequency, const QString& offset, const QString& stored);
// What keeps a memory text from being stored: an empty memory, or a frequency
// of six digits with an offset, is whole.
enum class MemoryFault {
    None,
    NotSixDigits, // a frequency, but not of six digits
    NoOffset,     // a frequency of six digits without an offset
    NoFrequency,  // an offset without a frequency
};
MemoryFault MemoryFaultOf(const QString& freqString);
