#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>
#include <span>

// How the memory image holds one field, and what setting text its lines give.
enum class Encoding {
    Plain,          // the byte in decimal
    Plain255Empty,  // as Plain; 255 gives the empty text
    Switch,         // "0" or "1"; any other byte gives "0"
    Number,         // the byte in decimal
    Number255As0,   // as Number; 255 gives "0"
    Word,           // low byte, then high byte
    Word255As0,     // as Word; a byte of 255 counts as 0
    Text,           // characters up to a 0; the last line never adds
    CWText,         // fifteen CW codes, the first `count` of them kept
    VoiceText,      // twenty-two speech words, the first `count` of them kept
    TwoDigit,       // the byte in decimal, at least two digits; 255 gives "0"
    Trimmed,        // the byte in decimal
    PaddedText,     // characters, 0 and 255 adding nothing; the last line never adds
    DTMFCode,       // four bytes of packed DTMF keys up to a 0, then an unused line
    DTMFMemoryText, // eleven characters up to a 255 or a 0, in the reader's spaced form
    MacroCommands,  // three-digit command numbers up to a 0; 255 escapes to 255 + the next byte
    MessageWords,   // nine speech words up to word 0, 255 adding none, then an unused line
    Skipped,        // read and dropped
    // The layout's own rules for single fields.
    MeterType,        // a word of the meter's code: "1" to "6", "0" (none) for any other
    InactivitySwitch, // of the inactivity timer's byte: "1" when it is 0
    Day,              // a set point's day; a two-digit byte holds the week, then the day
    WeekOfDay,        // the week of a two-digit day byte; any other keeps the week
    MonthlyOfDay,     // "1" for a two-digit day byte, "0" otherwise
    MacroNumber,      // a word; above 90, which names no macro, gives "1"
    FrequencyText,    // seven characters up to a 0, 255 adding nothing, then an unused line
};

// The lines every field of the encoding takes; 0 where the layout gives them.
int EncodingLines(Encoding encoding);

// The setting a field's lines give, or nothing when the setting keeps its value
// (a skipped field, a week under a one-digit day). `count` is the number of
// names a CW or voice text keeps.
std::optional<QString> DecodeField(Encoding encoding, std::span<const quint8> lines, int count = 0);
