#include "editors/FieldForms.h"

#include "store/TextHelpers.h"

namespace Intake {

QString AsTyped(const QString& text) { return text; }
QString Trimmed(const QString& text) { return text.trimmed(); }
QString Number(const QString& text) { return LeadingNumberText(text); }
QString NumberOrEmpty(const QString& text) { return text.isEmpty() ? text : Number(text); }
QString Upper(const QString& text) { return UpperLatin1(text); }
QString Code(const QString& text) { return UpperLatin1(text.trimmed()); }

QString UpperCollapsed(const QString& text)
{
    QString out = UpperLatin1(text);
    return CollapseSpaces(out);
}

QString TwoDigits(const QString& text)
{
    const QString t = text.trimmed();
    return t.size() < 2 ? QStringLiteral("0") + t : t;
}

QString DashAsA(const QString& text)
{
    return text.startsWith(u'-') ? QStringLiteral("A") + text.mid(1) : text;
}

} // namespace Intake

