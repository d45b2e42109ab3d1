#pragma once

#include "editors/ControlKinds.h"
#include "editors/EditorCopies.h"
#include "editors/EditorWindow.h"
#include "editors/FieldCheck.h"
#include "editors/ListInsertion.h"
#include "platform/Status.h"

#include <QHash>
#include <QScopeGuard>

#include <functional>
#include <optional>
#include <span>
#include <vector>

class QBoxLayout;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QTabWidget;
class QLayout;
class ControllerLink;
struct AppContext;
struct AtOnce;

// A titled frame holding the layout, as the editors group their controls.
QGroupBox* Frame(const QString& title, QLayout* layout);
// An editor's own pages. A click on a page's tab takes the focus to the tab,
// so showing a page never puts the focus into one of its boxes: only the
// user enters a box.
QTabWidget* EditorPages(const QString& name);

// One row of an editor's table: the caption before the control, the
// control's name, the unit after it, the kind of control and the setting it
// edits. A row is written once; the editor places it for each element.
struct FormRow {
    QString caption;
    QString name;
    QString unit;
    ControlKind kind;
    FieldDefinition field; // its caption is the row's unless set
};

// Where a placed row's control goes: the index in its name, and the element
// of the setting it shows, fixed or chosen by a selector.
struct Place {
    int control = 0;   // "HangTimer(2)" for 2; 0 for a plain name
    int element = 1;   // the element shown, when no selector chooses it
    int selector = -1; // the selector whose choice is the element shown
};
inline Place At(int i) { return {i, i, -1}; }
inline Place Single() { return {0, 1, -1}; }
inline Place ChosenBy(int selector, int control = 0) { return {control, 0, selector}; }

// The shape every settings editor shares. An editor places the rows of its
// table (which builds each control and binds it to its working copy), adds
// its selectors and its Apply bar, and calls loadControls() once. The pattern
// then keeps the copies and the red marking in step with the controls, runs
// the checks, applies and cancels, and takes in settings written elsewhere.
class SettingsEditor : public EditorWindow {
    Q_OBJECT
public:
    ~SettingsEditor() override;

    bool applyEdits() final { return apply(); }
    bool checkEdits() final { return runApply(false); }
    QString captionOf(const Setting& setting) const final;
    // Runs the check of the box still being edited; refuses, naming every
    // such box and putting none back, what the file cannot hold or the reader
    // would not read back, and what the editor vetoes (nothing is stored
    // then); stores the copies that differ with their flags, then afterApply().
    void Apply_Click() { (void)apply(); }
    // The stored values back into the copies and controls of the fields that
    // cancel restores, then afterCancel().
    void CancelChanges_Click();

    // Why an Apply stores nothing, told to the user once.
    struct Refusal {
        QString text;
    };
    // How the box a list inserts into is chosen.
    enum class TargetBy { Entering, Clicking };

protected:
    SettingsEditor(AppContext& context, std::vector<bool SettingsTables::*> sectionFlags, QWidget* parent);

    // How the pattern's own messages show: a vetoed Apply, a value the
    // configuration file could not read back.
    void setMessageStyle(MessageStyle style) { m_style = std::move(style); }

    AppContext& context() { return m_context; }
    EditorCopies& copies() { return m_copies; }
    const EditorCopies& copies() const { return m_copies; }

    // Builds the row's control at `place`, puts it in the grid (caption,
    // control, unit) and binds it. Rows of one setting share one field.
    QWidget* addRow(QGridLayout* grid, int gridRow, const FormRow& row, Place place);
    // Builds and binds the row's control only; the editor places it.
    QWidget* addControl(const FormRow& row, Place place);
    void addRows(QGridLayout* grid, std::span<const FormRow> rows, Place place);
    // The field of a setting placed before.
    int fieldOf(const SettingBinding& setting) const;
    int fieldOf(TextArray SettingsTables::* array) const { return fieldOf(SettingBinding{array}); }

    // A list "1" to count choosing the element its controls show; 1 at first.
    int addSelector(const QString& name, int count, int controlIndex = 0);
    // The selector's list is drawn as the control chosen by it that the user
    // last changed (red while that copy differs from its setting, black when
    // equal); black again after Cancel.
    void markByPicks(int selector);
    // A choice made by the editor's own state (0: nothing is shown).
    int addChooser(std::function<int()> chosen);
    QComboBox* selectorList(int selector) const { return m_selectors.at(selector).list; }
    int selected(int selector) const;
    // The program chooses element n: the list follows and the controls show it.
    void select(int selector, int n);
    // The chooser's state changed: its controls show the element it now gives.
    void reshow(int selector);

    // A list with add and delete standing for every element of one field.
    void bindEntries(int field, EntryList* list);

    // The Apply button and the cancel button, named and captioned as given:
    // each editor has its own name and caption for it.
    QBoxLayout* applyButtons(Qt::Orientation orientation, const QString& cancelName, const QString& cancelCaption);

    // Every control from its copy (the copies were loaded with their fields).
    void loadControls();
    // The editor's own handling puts a value into a copy as an edit: every
    // control showing it follows, and Apply stores it.
    void edit(int field, int index, const QString& value);
    // Writes one element at once, outside Apply, with the policy's flags, and
    // tells the other editors; every control of this editor's that shows it
    // shows the new value, one holding an edit too.
    void storeNow(const SettingBinding& setting, int index, const QString& value, const StorePolicy& policy);

    // Which boxes a list inserts into: those of `fields`, the one the user
    // last entered (or, by click, last clicked; the keyboard then moves on
    // without changing it). None before, unless setInsertionTarget chose one.
    void setInsertionBoxes(std::vector<int> fields, TargetBy by = TargetBy::Entering);
    void setInsertionTarget(int field, int index);
    // The element of the target box; none before one was chosen.
    std::optional<FieldElement> insertionTarget() const;
    // Puts the item at the target's caret, or over the selection it had when
    // the focus left it, on whatever page it stands, without giving it the
    // focus; the change is checked as an edit. False with no target.
    bool insertAtTarget(const QString& item, const InsertionRule& rule);

    // Runs what sends to the controller at once with the whole window
    // disabled: the send lets events through while it waits, and nothing
    // else may start meanwhile (a file opened would close this editor under it).
    template <typename Run> auto runDisabled(Run&& run)
    {
        QWidget* top = window();
        const bool wasEnabled = top->isEnabled();
        top->setEnabled(false);
        const auto enable = qScopeGuard([top, wasEnabled] { top->setEnabled(wasEnabled); });
        return run();
    }
    // One frame of commands sent at once, the window disabled meanwhile; the
    // link tells the user of every failure.
    Status sendAtOnce(ControllerLink& link, const AtOnce& request);

    // False when Apply refused (nothing was stored then), or when another
    // Apply of this editor is still under way.
    bool apply();

    // What an editor adds to the pattern.
    virtual void changed(int /*field*/, int /*index*/) {}
    virtual std::optional<Refusal> vetoApply() { return std::nullopt; }
    // After Apply stored the copies; `written` are those that differed.
    virtual void afterApply(const std::vector<FieldElement>& /*written*/) {}
    virtual void afterCancel() {}
    virtual void afterSelect(int /*selector*/) {}
    // A bound text box got the focus, or lost it (after its check and tidy);
    // `typed`: the box's text changed while it had the focus. Leaving a box
    // the user did not type in changes nothing.
    virtual void entered(int /*field*/, int /*index*/) {}
    virtual void left(int /*field*/, int /*index*/, bool /*typed*/) {}

    template <typename T> T* control(const QString& name, int index = 0) const
    {
        return static_cast<T*>(requireControl(name, index));
    }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Binding {
        int field;
        std::unique_ptr<FieldControl> control;
        Place place;
        bool marked;
        QString previous; // the text before the latest change
        int caret = 0;    // where the caret stood before the change being handled
        bool typed = false; // changed since it got the focus
        // The whole text selected by the focus arriving (the Tab key), which
        // no key or click of the user's has replaced yet.
        bool arrivalSelection = false;
    };
    // A box's caret and selection.
    struct Caret {
        int position = 0;
        int selectionStart = 0;
        int selectionLength = 0;
    };
    struct Selector {
        QComboBox* list = nullptr;
        int count = 0;
        int value = 1;
        std::function<int()> chosen;
        bool markedByPicks = false;
    };
    struct Entries {
        int field;
        EntryList* list;
    };

    QWidget* requireControl(const QString& name, int index) const;
    int fieldFor(const FormRow& row);
    void bind(int field, std::unique_ptr<FieldControl> control, Place place, bool marked);
    // The element a binding shows; 0 when its selector chooses none.
    int elementOf(const Binding& b) const;
    void handleChange(Binding& b, const QString& value);
    // The program puts the copy into the control: no check, no commit.
    void fill(Binding& b);
    void showField(int field);
    // Every control showing the element, from its copy.
    void showElement(const FieldElement& element);
    void showEntries(const Entries& e);
    void takeEntries(const Entries& e);
    void leaveCheck(Binding& b);
    void leaveTidy(Binding& b);
    void focusIn(int binding, Qt::FocusReason reason);
    void focusOut(int binding);
    // The caret and selection a list inserts at: a selection the focus made
    // on arriving is none, the caret then at the end of the text.
    Caret caretOf(const Binding& b) const;
    // Apply's checks, then, with `store`, the store: false when they
    // refused, or when another Apply of this editor is still under way.
    bool runApply(bool store);
    bool passesGates();
    // `before`: the text the refused change started from, for the tests that
    // look at it; empty for the checks that judge the whole text.
    void refuse(Binding& b, const FieldCheck& check, FieldCheck::Repair repair, const QString& refused,
                const QString& before = {});
    // The program puts a value into the control as an edit would.
    void putText(Binding& b, const QString& value);
    void mark(const Binding& b);
    // How a message names the box of an element: never empty.
    QString boxName(const FieldElement& e) const;
    // What the user reads beside or around the element's box; empty when nothing.
    QString shownCaption(const FieldElement& e) const;
    const QWidget* controlShowing(const FieldElement& e) const;
    Binding* boxShowing(int field, int index);
    void onWritten(const SettingElement& element);
    void tell(const QString& text, const MessageStyle& style);
    // `before`: the text a change started from; none as the box is entered.
    void warnOf(const Binding& b, const QString& text, const std::optional<QString>& before);

    AppContext& m_context;
    EditorCopies m_copies;
    MessageStyle m_style;
    std::vector<Binding> m_bindings;
    std::vector<Selector> m_selectors;
    std::vector<Entries> m_entries;
    QHash<const QObject*, int> m_boxes; // every bound text box, for its focus events
    std::optional<int> m_pending;        // the box with the focus, whose check is still due
    std::vector<int> m_insertionFields;
    TargetBy m_targetBy = TargetBy::Entering;
    std::optional<int> m_target;         // the binding of the insertion target
    std::optional<Caret> m_targetCaret;  // its caret and selection when the focus left it
    bool m_refusing = false;             // a refusal's message is up
    bool m_filling = false;              // the editor fills its own controls
    bool m_applying = false;             // an Apply is under way
    int m_listening = 0;
};
