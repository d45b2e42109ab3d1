#pragma once

#include <QString>

// How a control's text becomes the working copy.
using IntakeRule = QString (*)(const QString& text);

namespace Intake {
QString AsTyped(const QString& text);
QString Trimmed(const QString& text); // leading and trailing blanks removed
QString Number(const QString& text);  // the leading number as decimal digits: "007" gives "7", "" gives "0"
// The same, but an emptied box stays empty: it stores what it shows.
QString NumberOrEmpty(const QString& text);
QString Upper(const QString& text);   // upper-cased; the box keeps what was typed
QString Code(const QString& text);    // a DTMF code: trimmed and upper-cased, "a1 " gives "A1"
// Upper-cased, blanks at the ends dropped and every run of blanks one blank.
QString UpperCollapsed(const QString& text);
// Trimmed, and a single character led by "0": "5" gives "05".
QString TwoDigits(const QString& text);
// A leading "-" stored as "A", which the controller reads as minus.
QString DashAsA(const QString& text);
} // namespace Intake

// How the stored text becomes the copy when the editor loads.
struct LoadRule {
    // The copy made of the stored text; null: the field's intake makes it.
    QString (*form)(const QString& stored) = nullptr;
    enum class Shown {
        Copy,              // the control shows the copy
        StoredUntilEdited, // the stored text ("05") while the copy ("5") is not edited
        StoredTrimmed,     // the stored text trimmed, whose blanks at the ends are no change
    };
    Shown shown = Shown::Copy;
    // The stored value itself becomes the copy's form, with no flag and the
    // saved state kept: a tidier form of the same value.
    bool tidiesStore = false;
    // Cancel puts back the stored text as it stands, not its load form.
    bool cancelTakesStored = false;
};

namespace LoadForm {
inline QString AsIs(const QString& stored) { return stored; }
inline QString TrimmedText(const QString& stored) { return stored.trimmed(); }

inline constexpr LoadRule AsStored{&AsIs, LoadRule::Shown::Copy, false, true};
inline constexpr LoadRule Trimmed{&TrimmedText, LoadRule::Shown::Copy, false, true};
// As the control's change rule takes it: the control shows the stored text
// ("05") while the copy holds its intake form ("5").
inline constexpr LoadRule ThroughIntake{nullptr, LoadRule::Shown::StoredUntilEdited, false, false};
// The control shows the stored text trimmed, and its blanks at the ends are
// no change: the copy is the stored text while the control shows it so
// ("4 5 6 " shown as "4 5 6").
inline constexpr LoadRule ShownTrimmed{&AsIs, LoadRule::Shown::StoredTrimmed, false, true};
// The stored value is put into `form` in the tables themselves as the editor loads.
constexpr LoadRule Tidied(QString (*form)(const QString&)) { return {form, LoadRule::Shown::Copy, true, false}; }
} // namespace LoadForm
