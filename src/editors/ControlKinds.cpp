#include "editors/ControlKinds.h"

#include <QLabel>
#include <QLineEdit>

std::vector<ListEntry> NumberEntries(int first, int last)
{
    std::vector<ListEntry> entries;
    for (int n = first; n <= last; ++n)
        entries.push_back({QString::number(n), QString::number(n)});
    return entries;
}

std::vector<ListEntry> TwoDigitEntries(int first, int last)
{
    std::vector<ListEntry> entries;
    for (int n = first; n <= last; ++n) {
        const QString text = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        entries.push_back({text, text});
    }
    return entries;
}

ControlKind TextBox() { return {}; }

ControlKind TextBoxEmptyAs(const QString& value, const QString& hint)
{
    ControlKind k;
    k.emptyValue = value;
    k.emptyText = hint;
    return k;
}

ControlKind TextBoxNamingEmpty(const QString& value, const QString& name)
{
    ControlKind k = TextBoxEmptyAs(value, name);
    k.emptyTextIsHint = false;
    return k;
}

ControlKind NumberBox()
{
    ControlKind k;
    k.numericOnly = true;
    return k;
}

ControlKind TextBoxTaking(const QString& allowed)
{
    ControlKind k;
    k.allowed = allowed;
    return k;
}

ControlKind ListOf(std::vector<ListEntry> entries)
{
    ControlKind k;
    k.type = ControlKind::Type::List;
    k.entries = std::move(entries);
    k.marked = false;
    return k;
}

ControlKind MarkedListOf(std::vector<ListEntry> entries)
{
    ControlKind k = ListOf(std::move(entries));
    k.marked = true;
    return k;
}

ControlKind ListShowingNoEntryAs(std::vector<ListEntry> entries, const QString& noEntry)
{
    ControlKind k = ListOf(std::move(entries));
    k.noEntryText = noEntry;
    return k;
}

ControlKind CheckedListOf(const QString& checkName, std::vector<ListEntry> entries, const QString& noEntry,
                          const QString& unticked)
{
    ControlKind k = ListShowingNoEntryAs(std::move(entries), noEntry);
    k.type = ControlKind::Type::CheckedList;
    k.checkName = checkName;
    k.unticked = unticked;
    return k;
}

ControlKind CheckBox(const QString& ticked, const QString& unticked)
{
    ControlKind k;
    k.type = ControlKind::Type::Check;
    k.ticked = ticked;
    k.unticked = unticked;
    k.marked = false;
    return k;
}

ControlKind Options(std::vector<ListEntry> entries, Qt::Orientation orientation)
{
    ControlKind k;
    k.type = ControlKind::Type::Options;
    k.entries = std::move(entries);
    k.orientation = orientation;
    k.marked = false;
    return k;
}

ControlKind OptionsOtherwise(std::vector<ListEntry> entries, const QString& otherwise, Qt::Orientation orientation)
{
    ControlKind k = Options(std::move(entries), orientation);
    k.otherwise = otherwise;
    return k;
}

void MarkText(QWidget* w, bool red)
{
    QPalette palette = w->palette();
    const QColor colour = red ? Qt::red : Qt::black;
    // A disabled control keeps its style's greyed text.
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        for (const QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText, QPalette::PlaceholderText})
            palette.setColor(group, role, colour);
    w->setPalette(palette);
}

void KeepRoomWhenHidden(QWidget* w)
{
    QSizePolicy policy = w->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    w->setSizePolicy(policy);
}

QLabel* NamedLabel(const QString& text, const QString& objectName)
{
    auto* label = new QLabel(text);
    label->setObjectName(objectName);
    return label;
}

QLineEdit* CounterBox(const QString& objectName)
{
    auto* box = new QLineEdit;
    box->setObjectName(objectName);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setMaximumWidth(40);
    return box;
}
