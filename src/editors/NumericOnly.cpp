#include "editors/NumericOnly.h"

#include "platform/SingleLine.h"

void SetNumericOnly(QLineEdit* box) { KeepSingleLine(box, QStringLiteral("[0-9]*")); }
