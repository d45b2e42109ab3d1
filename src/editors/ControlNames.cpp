#include "editors/ControlNames.h"

#include "store/SettingsTables.h"

QString ControlName(const QString& name, int index)
{
    return index == 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
}

QStringList MacroNumbers()
{
    QStringList items;
    for (int n = 1; n <= Count::Macros; ++n)
        items << QString::number(n);
    return items;
}
