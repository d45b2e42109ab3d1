#include "editors/SettingsEditor.h"

#include "editors/ControlNames.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

QGroupBox* Frame(const QString& title, QLayout* layout)
{
    auto* box = new QGroupBox(title);
    box->setLayout(layout);
    return box;
}

QTabWidget* EditorPages(const QString& name)
{
    auto* pages = new QTabWidget;
    pages->setObjectName(name);
    pages->tabBar()->setFocusPolicy(Qt::StrongFocus);
    return pages;
}

int SettingsEditor::fieldOf(const SettingBinding& setting) const
{
    for (int f = 0; f < m_copies.fieldCount(); ++f) {
        const SettingBinding& s = m_copies.definition(f).setting;
        if (s.setting == setting.setting)
            return f;
    }
    return -1;
}

int SettingsEditor::fieldFor(const FormRow& row)
{
    if (const int f = fieldOf(row.field.setting); f >= 0)
        return f;
    FieldDefinition definition = row.field;
    if (definition.caption.isEmpty())
        definition.caption = row.caption;
    return m_copies.add(std::move(definition));
}

QWidget* SettingsEditor::addControl(const FormRow& row, Place place)
{
    const int field = fieldFor(row);
    std::unique_ptr<FieldControl> control = MakeControl(row.kind, row.caption, row.name, place.control);
    QWidget* w = control->widget();
    bind(field, std::move(control), place, row.kind.marked);
    return w;
}

QWidget* SettingsEditor::addRow(QGridLayout* grid, int gridRow, const FormRow& row, Place place)
{
    QWidget* w = addControl(row, place);
    if (row.kind.type == ControlKind::Type::Box || row.kind.type == ControlKind::Type::List) {
        grid->addWidget(new QLabel(row.caption), gridRow, 0);
        grid->addWidget(w, gridRow, 1);
        if (!row.unit.isEmpty())
            grid->addWidget(new QLabel(row.unit), gridRow, 2);
    } else {
        grid->addWidget(w, gridRow, 0, 1, 3); // carries its caption
    }
    return w;
}

void SettingsEditor::addRows(QGridLayout* grid, std::span<const FormRow> rows, Place place)
{
    int gridRow = grid->rowCount();
    for (const FormRow& row : rows)
        addRow(grid, gridRow++, row, place);
}

void SettingsEditor::bind(int field, std::unique_ptr<FieldControl> control, Place place, bool marked)
{
    const int b = static_cast<int>(m_bindings.size());
    control->onChange([this, b](const QString& value) { handleChange(m_bindings[b], value); });
    if (QLineEdit* box = control->textBox()) {
        box->installEventFilter(this);
        m_boxes.insert(box, b);
        // The caret moves after the text changed: while a change is handled
        // this still holds where it stood before, for an undo.
        connect(box, &QLineEdit::cursorPositionChanged, this, [this, b](int, int now) { m_bindings[b].caret = now; });
    }
    m_bindings.push_back({field, std::move(control), place, marked, {}});
}

int SettingsEditor::addSelector(const QString& name, int count, int controlIndex)
{
    const int s = static_cast<int>(m_selectors.size());
    auto* list = new QComboBox(this);
    list->setObjectName(ControlName(name, controlIndex));
    list->setMaxVisibleItems(15);
    for (int n = 1; n <= count; ++n)
        list->addItem(QString::number(n), n);
    list->setCurrentIndex(0);
    connect(list, &QComboBox::activated, this, [this, s](int item) {
        m_selectors[s].value = item + 1;
        reshow(s);
        afterSelect(s);
    });
    m_selectors.push_back({list, count, 1, {}});
    return s;
}

void SettingsEditor::markByPicks(int selector) { m_selectors.at(selector).markedByPicks = true; }

int SettingsEditor::addChooser(std::function<int()> chosen)
{
    m_selectors.push_back({nullptr, 0, 0, std::move(chosen)});
    return static_cast<int>(m_selectors.size()) - 1;
}

void SettingsEditor::bindEntries(int field, EntryList* list)
{
    // Never more entries than the setting has elements: the rest could not be stored.
    list->setCapacity(m_copies.count(field));
    m_entries.push_back({field, list});
    const Entries e = m_entries.back();
    list->onChange([this, e] { takeEntries(e); });
}

QBoxLayout* SettingsEditor::applyButtons(Qt::Orientation orientation, const QString& cancelName,
                                         const QString& cancelCaption)
{
    auto* cancel = new QPushButton(cancelCaption);
    cancel->setObjectName(cancelName);
    auto* apply = new QPushButton(QStringLiteral("&Apply"));
    apply->setObjectName(QStringLiteral("Apply"));
    connect(cancel, &QPushButton::clicked, this, &SettingsEditor::CancelChanges_Click);
    connect(apply, &QPushButton::clicked, this, &SettingsEditor::Apply_Click);
    auto* layout = new QBoxLayout(orientation == Qt::Horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    layout->addStretch();
    if (orientation == Qt::Horizontal) {
        layout->addWidget(cancel);
        layout->addWidget(apply);
    } else {
        layout->insertWidget(0, cancel);
        layout->insertWidget(0, apply);
    }
    return layout;
}
