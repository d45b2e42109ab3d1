#pragma once

#include <QString>

class QLineEdit;

// The box holds one line: the control characters and line separators of a
// paste (CR, LF, TAB, NUL) are dropped as the text comes in, for whatever a
// box holds ends up in a line of the configuration file or of a command to
// the controller. A paste so filtered is one undo step, as a clean one is.
// `pattern`, when given, is what the rest must match, or the change is
// refused as a whole.
void KeepSingleLine(QLineEdit* box, const QString& pattern = {});
