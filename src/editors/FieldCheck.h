#pragma once

#include "platform/Dialogs.h"

#include <QString>
#include <functional>
#include <vector>

// The check an editor makes of one control's text: when it runs, the test,
// the message that refuses a text and what is put back afterwards.
struct FieldCheck {
    enum class When {
        Leave,  // when the box loses the focus
        Change, // as soon as the text changes
        Apply,  // only when Apply finds a value the configuration reader would refuse
    };
    enum class Repair {
        Stored,   // the stored value
        Zero,     // "0"
        Empty,    // nothing
        Previous, // the text from before this change, the caret at its end
        Undo,     // the change undone: the text and the caret as they were before it
        Own,      // what `mend` makes of the refused text and the text before the change
    };
    // What a repair of the editor's own puts back, and where the caret goes
    // (-1: the end of the text).
    struct Mend {
        // The caret where it stood before the change refused.
        static constexpr int CaretBefore = -2;
        Mend(QString text, int caret = -1) : text(std::move(text)), caret(caret) {}
        QString text;
        int caret;
    };

    // The test. `before` is the text from before the change being checked,
    // for a test that refuses only what a change adds; the checks on leaving
    // the box and at Apply judge the whole text and give it empty.
    std::function<bool(const QString& text, const QString& before)> test;
    bool refuses(const QString& text, const QString& before = {}) const { return test(text, before); }
    std::function<Mend(const QString& refused, const QString& before)> mend; // Repair::Own
    QString message;
    QString title = QStringLiteral("Try Again!"); // empty: the program's name
    Dialogs::Icon icon = Dialogs::Icon::Critical;
    Repair repair = Repair::Stored;
    When when = When::Leave;
    bool refocus = false; // the focus goes back to the box after the message

    // A check made of several (FirstOf): each refuses with its own message,
    // title and icon; when, repair and refocus are the whole check's.
    std::vector<FieldCheck> parts;
    // The check whose message refuses `text`: the first part that refuses it,
    // or this check itself.
    const FieldCheck& speaking(const QString& text, const QString& before = {}) const;
};

// How a message shows: its title (empty: the program's name) and its icon.
struct MessageStyle {
    QString title = QStringLiteral("Try Again!");
    Dialogs::Icon icon = Dialogs::Icon::Critical;
};
// The program's name as the title, and no icon.
MessageStyle PlainStyle();

// A message about a text that refuses nothing: the text stays as it is. Told
// as the box is entered holding a text it speaks of, and as a change makes the
// text one from one it did not speak of: once, not at every key.
struct FieldWarning {
    std::function<bool(const QString& text)> speaksOf;
    QString message;
    MessageStyle style;
};
// The check, and each of its parts, speaking in the plain style.
FieldCheck Plain(FieldCheck check);

// The usual range check: the text read as a number from its start (an empty
// text reads 0) must lie in min..max; stop icon, "Try Again!", the stored
// value put back.
FieldCheck Between(double min, double max, const QString& message);
// Any other test of the text, with the same defaults.
FieldCheck Refusing(std::function<bool(const QString& text)> test, const QString& message);
// A test of what a change made of the text before it.
FieldCheck RefusingChange(std::function<bool(const QString& text, const QString& before)> test,
                          const QString& message);
// Refuses what any of the checks refuses; the first of them that does speaks.
FieldCheck FirstOf(std::vector<FieldCheck> checks);
