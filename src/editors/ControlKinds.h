#pragma once

#include <QMetaObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QWidget;

// One item of a list or option group: what the user sees, and what is
// stored. An option button carries the entry's name, with the index of its
// group for a control array ("PLLow(2)"); a button without one is unnamed.
struct ListEntry {
    QString text;
    QString code;
    QString name = {};
};

// The numbers first..last, each stored as its own text.
std::vector<ListEntry> NumberEntries(int first, int last);
// The same written with two digits ("01" to "90"), as the controller takes a macro.
std::vector<ListEntry> TwoDigitEntries(int first, int last);

// The control of one row of an editor's table and how it holds its value.
struct ControlKind {
    enum class Type {
        Box,     // a text box
        List,    // a drop-down list of entries; only a pick is taken
        Check,   // a check box storing one of two values
        Options, // option buttons, one per entry
        // A check box and a list holding one value: unticked stores
        // `unticked` with the list hidden; ticked shows the list and stores its pick.
        CheckedList,
    };
    Type type = Type::Box;
    bool numericOnly = false;       // Box: typed digits only
    std::vector<ListEntry> entries; // List, Options
    Qt::Orientation orientation = Qt::Horizontal; // Options: side by side, or one under the other
    // Options: the code whose button shows a value that is no entry's code;
    // empty: no button shows then. Showing it changes no value either way.
    QString otherwise;
    QString ticked = QStringLiteral("1"), unticked = QStringLiteral("0"); // Check
    bool marked = true;             // red while the copy differs from the stored value
    // Box: a value that stands for nothing ("0", "NONE STORED") and the text
    // that shows it: a grey hint in an empty box, or the text itself. An
    // emptied box, or one holding that text in any case, stores the value.
    QString emptyValue, emptyText;
    bool emptyTextIsHint = true;
    // Box: the only characters it takes, typed or pasted, upper-cased first;
    // empty: any.
    QString allowed;
    // List, CheckedList: the text shown for a stored value that is no entry's
    // code (empty: nothing); unset: the value itself.
    std::optional<QString> noEntryText;
    QString checkName; // CheckedList: the check box's name, its caption the row's
};

ControlKind TextBox();
// A text box whose empty text stands for `value`: it shows that value as an
// empty box with `hint` in grey, and an emptied box (blanks only), or one
// holding the hint, stores the value.
ControlKind TextBoxEmptyAs(const QString& value, const QString& hint);
// The same, the value shown by its name ("NONE" for "0") in the box itself.
ControlKind TextBoxNamingEmpty(const QString& value, const QString& name);
ControlKind NumberBox();
// A text box that takes only the characters of `allowed`, pastes included.
ControlKind TextBoxTaking(const QString& allowed);
ControlKind ListOf(std::vector<ListEntry> entries);
// Lists are not marked unless the editor says so.
ControlKind MarkedListOf(std::vector<ListEntry> entries);
// A list that shows `noEntry` (or nothing, when empty) for a stored value
// that is no entry's code; the value stays until the user picks.
ControlKind ListShowingNoEntryAs(std::vector<ListEntry> entries, const QString& noEntry);
// The check box `checkName` paired with a list of entries: see CheckedList.
ControlKind CheckedListOf(const QString& checkName, std::vector<ListEntry> entries, const QString& noEntry,
                          const QString& unticked = QStringLiteral("0"));
ControlKind CheckBox(const QString& ticked = QStringLiteral("1"), const QString& unticked = QStringLiteral("0"));
ControlKind Options(std::vector<ListEntry> entries, Qt::Orientation orientation = Qt::Horizontal);
// Option buttons where the button of `otherwise` shows any value that is no
// entry's ("Lo" for a stored "7"); the value is kept until the user picks.
ControlKind OptionsOtherwise(std::vector<ListEntry> entries, const QString& otherwise,
                             Qt::Orientation orientation = Qt::Horizontal);

// Draws a control's text red (the copy differs from its setting) or black.
void MarkText(QWidget* control, bool red);
// A control that comes and goes keeps its room while hidden, so nothing
// around it moves under the user's mouse.
void KeepRoomWhenHidden(QWidget* control);
// A label a test or the editor finds by its name.
QLabel* NamedLabel(const QString& text, const QString& objectName);
// A small box that only the editor writes (a count), never the user.
QLineEdit* CounterBox(const QString& objectName);

// A control showing one working copy. The program's own show() is not a
// change; the user's changes, and for a text box any change of its text, are
// reported through onChange.
class FieldControl {
public:
    virtual ~FieldControl();

    virtual QWidget* widget() const = 0;
    virtual void show(const QString& value) = 0;
    // The value in the control, in stored form.
    virtual QString value() const = 0;
    // The text that shows a value, where the control shows text.
    virtual QString textOf(const QString& value) const { return value; }
    // Red while the copy differs from its setting, black when equal.
    virtual void mark(bool differs) = 0;

    void onChange(std::function<void(const QString&)> changed) { m_changed = std::move(changed); }
    // The text box the control is, for the focus checks; null for the others.
    virtual QLineEdit* textBox() const { return nullptr; }

protected:
    void changed(const QString& value) const
    {
        if (m_changed)
            m_changed(value);
    }
    // Cut when the control goes: the widget may outlive it by a moment.
    void keep(QMetaObject::Connection connection) { m_connections.push_back(connection); }

private:
    std::function<void(const QString&)> m_changed;
    std::vector<QMetaObject::Connection> m_connections;
};

// Makes the control of a kind, named ControlName(name, index); a check box or
// option group carries the caption itself.
std::unique_ptr<FieldControl> MakeControl(const ControlKind& kind, const QString& caption, const QString& name,
                                          int index = 0);

// A list of entries with add and delete, showing every element of one array
// setting: entry n is element n, the elements after the last entry are empty.
class EntryList {
public:
    explicit EntryList(QListWidget* list);

    QListWidget* widget() const { return m_list; }
    void show(const QStringList& elements);
    // One value per element of the array, empty past the last entry.
    QStringList elements(int count) const;
    int entryCount() const;

    // As many entries as the array has elements; 0 for no limit.
    void setCapacity(int capacity) { m_capacity = capacity; }
    bool full() const { return m_capacity > 0 && entryCount() >= m_capacity; }
    // Adds the entry at the end; false, and nothing added, when the list is full.
    bool add(const QString& entry);
    // Removes the first selected entry; false when none is selected.
    bool removeSelected();
    void onChange(std::function<void()> changed) { m_changed = std::move(changed); }

private:
    QListWidget* m_list;
    int m_capacity = 0;
    std::function<void()> m_changed;
};
