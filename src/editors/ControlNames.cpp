#include "editors/ControlNames.h"

QString ControlName(const QString& name, int index)
{
    return index == 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
}
