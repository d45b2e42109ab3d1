#include "editors/ControlKinds.h"

#include "editors/ControlNames.h"
#include "editors/ListText.h"
#include "editors/NumericOnly.h"
#include "platform/SingleLine.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

FieldControl::~FieldControl()
{
    for (const QMetaObject::Connection& c : m_connections)
        QObject::disconnect(c);
}

namespace {

// The list shows the entry whose code is `value`; for a value that is none,
// `noEntry` (or the value itself) as the text of an empty selection.
void ShowEntry(QComboBox* list, const QString& value, const std::optional<QString>& noEntry)
{
    const QSignalBlocker quiet(list);
    const int item = list->findData(value);
    if (item >= 0) {
        list->setPlaceholderText({});
        list->setCurrentIndex(item);
    } else {
        ShowListText(list, noEntry.value_or(value));
    }
}

class BoxControl final : public FieldControl {
public:
    BoxControl(const ControlKind& kind, const QString& objectName)
        : m_box(new QLineEdit), m_emptyValue(kind.emptyValue), m_emptyText(kind.emptyText),
          m_hint(kind.emptyTextIsHint), m_allowed(kind.allowed)
    {
        m_box->setObjectName(objectName);
        m_box->setMaximumWidth(90);
        if (m_hint)
            m_box->setPlaceholderText(m_emptyText);
        m_hintColour = m_box->palette().color(QPalette::PlaceholderText);
        if (kind.numericOnly)
            SetNumericOnly(m_box);
        else
            KeepSingleLine(m_box);
        // Any change of the text counts, the program's own setText included.
        keep(QObject::connect(m_box, &QLineEdit::textChanged, [this](const QString& text) {
            if (!takesAll() && filterOut(text))
                return; // the filtered text is the change
            changed(value());
        }));
    }
    QWidget* widget() const override { return m_box; }
    QLineEdit* textBox() const override { return m_box; }
    void show(const QString& value) override
    {
        const QSignalBlocker quiet(m_box);
        m_box->setText(textOf(value));
    }
    QString value() const override
    {
        const QString text = m_box->text().trimmed();
        if (standsForEmpty() && (text.isEmpty() || text.compare(m_emptyText, Qt::CaseInsensitive) == 0))
            return m_emptyValue;
        return m_box->text();
    }
    QString textOf(const QString& value) const override
    {
        if (!standsForEmpty() || value != m_emptyValue)
            return value;
        return m_hint ? QString() : m_emptyText;
    }
    void mark(bool differs) override
    {
        MarkText(m_box, differs);
        // The hint stays grey while it shows the stored value.
        QPalette palette = m_box->palette();
        palette.setColor(QPalette::PlaceholderText, differs ? QColor(Qt::red) : m_hintColour);
        m_box->setPalette(palette);
    }

private:
    bool standsForEmpty() const { return !m_emptyText.isEmpty(); }
    bool takesAll() const { return m_allowed.isEmpty(); }

    // Drops what the box does not take from a text the user changed (a value
    // the program shows stays as it is), the caret kept by what it stood
    // after. False when the text holds nothing to drop.
    bool filterOut(const QString& text)
    {
        QString kept;
        int caret = m_box->cursorPosition();
        const int oldCaret = caret;
        for (int n = 0; n < text.size(); ++n) {
            const QChar c = text[n].toUpper();
            if (m_allowed.contains(c))
                kept += c;
            else if (n < oldCaret)
                --caret;
        }
        if (kept == text)
            return false;
        m_box->setText(kept);
        m_box->setCursorPosition(caret);
        return true;
    }

    QLineEdit* m_box;
    QString m_emptyValue, m_emptyText;
    bool m_hint;
    QString m_allowed;
    QColor m_hintColour;
};

class ListControl final : public FieldControl {
public:
    ListControl(const ControlKind& kind, const QString& objectName)
        : m_list(new QComboBox), m_entries(kind.entries), m_noEntry(kind.noEntryText)
    {
        m_list->setObjectName(objectName);
        m_list->setMaxVisibleItems(15);
        m_list->setEditable(false);
        for (const ListEntry& e : m_entries)
            m_list->addItem(e.text, e.code);
        // Only the user's pick counts, never the program's setting of the index.
        keep(QObject::connect(m_list, &QComboBox::activated,
                         [this](int item) { changed(m_entries.at(static_cast<std::size_t>(item)).code); }));
    }
    QWidget* widget() const override { return m_list; }
    void show(const QString& value) override
    {
        m_value = value;
        ShowEntry(m_list, value, m_noEntry);
    }
    QString value() const override
    {
        const int item = m_list->currentIndex();
        return item < 0 ? m_value : m_entries.at(static_cast<std::size_t>(item)).code;
    }
    void mark(bool differs) override { MarkText(m_list, differs); }

private:
    QComboBox* m_list;
    std::vector<ListEntry> m_entries;
    std::optional<QString> m_noEntry;
    QString m_value; // shown while no entry is: kept until the user picks
};

class CheckedListControl final : public FieldControl {
public:
    CheckedListControl(const ControlKind& kind, const QString& caption, const QString& listName, int index)
        : m_pair(new QWidget), m_check(new QCheckBox(caption)), m_list(new QComboBox), m_entries(kind.entries),
          m_noEntry(kind.noEntryText), m_unticked(kind.unticked)
    {
        m_check->setObjectName(ControlName(kind.checkName, index));
        m_list->setObjectName(ControlName(listName, index));
        m_list->setMaxVisibleItems(15);
        for (const ListEntry& e : m_entries)
            m_list->addItem(e.text, e.code);
        KeepRoomWhenHidden(m_list);
        auto* layout = new QHBoxLayout(m_pair);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_check);
        layout->addWidget(m_list, 1);
        keep(QObject::connect(m_check, &QCheckBox::toggled, [this](bool ticked) {
            // Ticked with no entry to show, the list shows and stores its first.
            if (ticked && (m_listValue.isEmpty() || m_listValue == m_unticked) && !m_entries.empty()) {
                m_listValue = m_entries.front().code;
                showList();
            }
            m_list->setVisible(ticked);
            changed(value());
        }));
        keep(QObject::connect(m_list, &QComboBox::activated, [this](int item) {
            m_listValue = m_entries.at(static_cast<std::size_t>(item)).code;
            changed(value());
        }));
    }
    QWidget* widget() const override { return m_pair; }
    void show(const QString& value) override
    {
        const bool ticked = value != m_unticked;
        // Unticked keeps the list's last value, for a tick that brings it back.
        if (ticked)
            m_listValue = value;
        showList();
        const QSignalBlocker quiet(m_check);
        m_check->setChecked(ticked);
        m_list->setVisible(ticked);
    }
    QString value() const override { return m_check->isChecked() ? m_listValue : m_unticked; }
    void mark(bool) override {}

private:
    void showList() { ShowEntry(m_list, m_listValue, m_noEntry); }

    QWidget* m_pair;
    QCheckBox* m_check;
    QComboBox* m_list;
    std::vector<ListEntry> m_entries;
    std::optional<QString> m_noEntry;
    QString m_unticked;
    QString m_listValue;
};

class CheckControl final : public FieldControl {
public:
    CheckControl(const ControlKind& kind, const QString& caption, const QString& objectName)
        : m_check(new QCheckBox(caption)), m_ticked(kind.ticked), m_unticked(kind.unticked)
    {
        m_check->setObjectName(objectName);
        // toggled follows the program's setChecked too, when the state changes.
        keep(QObject::connect(m_check, &QCheckBox::toggled, [this](bool) { changed(value()); }));
    }
    QWidget* widget() const override { return m_check; }
    void show(const QString& value) override
    {
        const QSignalBlocker quiet(m_check);
        m_check->setChecked(value == m_ticked);
    }
    QString value() const override { return m_check->isChecked() ? m_ticked : m_unticked; }
    void mark(bool) override {}

private:
    QCheckBox* m_check;
    QString m_ticked, m_unticked;
};

class OptionControl final : public FieldControl {
public:
    OptionControl(const ControlKind& kind, const QString& caption, const QString& name, int index)
        : m_frame(new QGroupBox(caption)), m_group(new QButtonGroup(m_frame)), m_entries(kind.entries)
    {
        m_frame->setObjectName(ControlName(name, index));
        auto* layout = new QBoxLayout(
            kind.orientation == Qt::Vertical ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, m_frame);
        for (std::size_t n = 0; n < m_entries.size(); ++n) {
            auto* option = new QRadioButton(m_entries[n].text);
            if (!m_entries[n].name.isEmpty())
                option->setObjectName(ControlName(m_entries[n].name, index));
            m_group->addButton(option, static_cast<int>(n));
            layout->addWidget(option);
            if (!kind.otherwise.isEmpty() && m_entries[n].code == kind.otherwise)
                m_otherwise = option;
        }
        layout->addStretch();
        // A click (or an arrow key, which clicks) is the user's pick, also of
        // the button that already shows: it takes that button's code.
        keep(QObject::connect(m_group, &QButtonGroup::idClicked, [this](int id) {
            m_value = m_entries.at(static_cast<std::size_t>(id)).code;
            changed(m_value);
        }));
    }
    QWidget* widget() const override { return m_frame; }
    void show(const QString& value) override
    {
        // The value stands until the user picks, even where no button, or the
        // fallback button, shows it: showing is no change.
        m_value = value;
        QAbstractButton* shown = m_otherwise;
        for (QAbstractButton* b : m_group->buttons())
            if (m_entries.at(static_cast<std::size_t>(m_group->id(b))).code == value)
                shown = b;
        const QSignalBlocker quiet(m_group);
        m_group->setExclusive(false);
        for (QAbstractButton* b : m_group->buttons()) {
            const QSignalBlocker quietButton(b);
            b->setChecked(b == shown);
        }
        m_group->setExclusive(true);
    }
    QString value() const override { return m_value; }
    void mark(bool) override {}

private:
    QGroupBox* m_frame;
    QButtonGroup* m_group;
    std::vector<ListEntry> m_entries;
    QAbstractButton* m_otherwise = nullptr;
    QString m_value;
};

} // namespace

std::unique_ptr<FieldControl> MakeControl(const ControlKind& kind, const QString& caption, const QString& name,
                                          int index)
{
    const QString objectName = ControlName(name, index);
    switch (kind.type) {
    case ControlKind::Type::Box: return std::make_unique<BoxControl>(kind, objectName);
    case ControlKind::Type::List: return std::make_unique<ListControl>(kind, objectName);
    case ControlKind::Type::Check: return std::make_unique<CheckControl>(kind, caption, objectName);
    case ControlKind::Type::Options: return std::make_unique<OptionControl>(kind, caption, name, index);
    case ControlKind::Type::CheckedList: return std::make_unique<CheckedListControl>(kind, caption, name, index);
    }
    return nullptr;
}
