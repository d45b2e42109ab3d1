#pragma once

#include <QString>

// How the configuration file reader tests one value.
enum class Check {
    AsRead,      // taken as read, never refused
    NotEmpty,
    Number,      // not empty, unsigned decimal digits, min <= value <= max
    Hours,       // "0A" (every hour), or a Number
    Calibration, // not empty, a decimal number that may have a sign and a fraction, value <= max
    AtMost,      // not empty, at most maxLength characters
    Upper,       // upper-cased within Latin-1, then not empty
    MacroCodes,  // regrouped in threes, then not empty
    Digits,      // spaced out one character at a time, then not empty
    Tone,        // a Number, then padded to four characters with one "0"
    MessageNum,  // a Number; "0" quietly becomes "1" (an old form of the file)
};

struct ValueRule {
    Check check = Check::AsRead;
    double min = 0;
    double max = 0;
    int maxLength = 0;

    // The text as it is stored before the test: upper-cased or regrouped.
    QString normalised(const QString& text) const;
    bool accepts(const QString& text) const;
    // A value replaced by the default without a log line.
    bool quietlyReplaced(const QString& text) const { return check == Check::MessageNum && text == u"0"; }
    // The text as it is finally kept, read or defaulted: tones padded.
    QString finished(const QString& text) const;
};
