#include "editors/NumericOnly.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

void SetNumericOnly(QLineEdit* box)
{
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
}
