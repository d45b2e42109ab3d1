#pragma once

#include "platform/Dialogs.h"

#include <QString>
#include <limits>

// The range an editor accepts for one box, the message that refuses a value
// and what is put back into the box afterwards.
struct RangeRule {
    enum class When {
        Leave,  // when the box loses the focus
        Change, // as soon as the text changes
        Apply,  // only when Apply finds a value the configuration reader would refuse
    };
    enum class Repair { Stored, Zero, Empty };

    double min = 0;
    double max = std::numeric_limits<double>::max();
    QString message;
    QString title = QStringLiteral("Try Again!"); // empty: the application's title
    Dialogs::Icon icon = Dialogs::Icon::Critical;
    Repair repair = Repair::Stored;
    When when = When::Leave;
    bool refocus = false; // send the focus back to the box after the message

    // The text read as a number from its start; an empty text reads 0.
    bool refuses(const QString& text) const;
};

// The usual check: stop icon, "Try Again!", the stored value put back.
RangeRule Between(double min, double max, const QString& message);
