#include "editors/SettingsEditor.h"

#include "editors/ControlNames.h"
#include "link/ControllerLink.h"
#include "store/AppContext.h"
#include "store/ProgramName.h"
#include "store/SettingsNotices.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>
#include <stdexcept>

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

SettingsEditor::SettingsEditor(AppContext& context, std::vector<bool SettingsTables::*> sectionFlags, QWidget* parent)
    : EditorWindow(parent), m_context(context), m_copies(context.tables, &context.notices, std::move(sectionFlags))
{
    m_listening = context.notices.listen(&m_copies, [this](const SettingElement& e) { onWritten(e); });
}

SettingsEditor::~SettingsEditor() { m_context.notices.stopListening(m_listening); }

QWidget* SettingsEditor::requireControl(const QString& name, int index) const
{
    auto* found = findChild<QWidget*>(ControlName(name, index));
    if (!found)
        throw std::logic_error("no control " + ControlName(name, index).toStdString());
    return found;
}

int SettingsEditor::fieldOf(const SettingBinding& setting) const
{
    for (int f = 0; f < m_copies.fieldCount(); ++f) {
        const SettingBinding& s = m_copies.definition(f).setting;
        if (s.array == setting.array && s.scalar == setting.scalar)
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

int SettingsEditor::selected(int selector) const
{
    const Selector& s = m_selectors.at(selector);
    return s.chosen ? s.chosen() : s.value;
}

void SettingsEditor::select(int selector, int n)
{
    Selector& s = m_selectors.at(selector);
    s.value = n;
    if (s.list)
        s.list->setCurrentIndex(n - 1);
    reshow(selector);
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

int SettingsEditor::elementOf(const Binding& b) const
{
    if (b.place.selector < 0)
        return b.place.element;
    const int n = selected(b.place.selector);
    return n >= 1 && n <= m_copies.count(b.field) ? n : 0;
}

void SettingsEditor::handleChange(Binding& b, const QString& value)
{
    const int i = elementOf(b);
    if (i == 0)
        return; // nothing chosen: there is no copy to change
    const FieldDefinition& definition = m_copies.definition(b.field);
    const std::optional<FieldCheck>& check = definition.check;
    if (check && check->when == FieldCheck::When::Change && !m_filling && !m_refusing
        && check->refuses(value, b.previous)) {
        refuse(b, *check, check->repair, value, b.previous);
        return;
    }
    m_copies.take(b.field, i, value);
    b.previous = value;
    if (!m_filling)
        b.typed = true;
    changed(b.field, i);
    mark(b);
    if (!m_filling && b.place.selector >= 0)
        if (const Selector& s = m_selectors[b.place.selector]; s.markedByPicks && s.list)
            MarkText(s.list, m_copies.differs(b.field, i));
}

void SettingsEditor::fill(Binding& b)
{
    const QScopedValueRollback filling(m_filling, true);
    const int i = elementOf(b);
    if (i == 0) {
        b.control->show({});
        return;
    }
    const QString value = m_copies.copy(b.field, i);
    b.control->show(m_copies.shownText(b.field, i));
    // The change handling marks the control as an edit of this text would.
    handleChange(b, b.control->value());
    m_copies.setCopy(b.field, i, value);
}

void SettingsEditor::loadControls()
{
    for (Binding& b : m_bindings)
        fill(b);
    for (const Entries& e : m_entries)
        showEntries(e);
}

void SettingsEditor::showField(int field)
{
    for (Binding& b : m_bindings)
        if (b.field == field)
            fill(b);
    for (const Entries& e : m_entries)
        if (e.field == field)
            showEntries(e);
}

void SettingsEditor::reshow(int selector)
{
    for (Binding& b : m_bindings)
        if (b.place.selector == selector)
            fill(b);
}

void SettingsEditor::showEntries(const Entries& e)
{
    QStringList elements;
    for (int i = 1; i <= m_copies.count(e.field); ++i)
        elements << m_copies.copy(e.field, i);
    e.list->show(elements);
}

void SettingsEditor::takeEntries(const Entries& e)
{
    const QStringList elements = e.list->elements(m_copies.count(e.field));
    for (int i = 1; i <= m_copies.count(e.field); ++i)
        m_copies.take(e.field, i, elements[i - 1]);
}

void SettingsEditor::CancelChanges_Click()
{
    for (int f = 0; f < m_copies.fieldCount(); ++f) {
        if (!m_copies.definition(f).restoredByCancel)
            continue;
        for (int i = 1; i <= m_copies.count(f); ++i)
            m_copies.restore(f, i);
        showField(f);
    }
    for (const Selector& s : m_selectors)
        if (s.markedByPicks && s.list)
            MarkText(s.list, false);
    afterCancel();
}

void SettingsEditor::edit(int field, int index, const QString& value)
{
    m_copies.setCopy(field, index, value);
    showElement({field, index});
}

void SettingsEditor::storeNow(const SettingBinding& setting, int index, const QString& value,
                              const StorePolicy& policy)
{
    if (const std::optional<FieldElement> own = m_copies.storeNow(setting, index, value, policy))
        showElement(*own);
}

void SettingsEditor::showElement(const FieldElement& element)
{
    for (Binding& b : m_bindings)
        if (b.field == element.field && elementOf(b) == element.index)
            fill(b);
    for (const Entries& e : m_entries)
        if (e.field == element.field)
            showEntries(e);
}

Status SettingsEditor::sendAtOnce(ControllerLink& link, const AtOnce& request)
{
    return runDisabled([&] { return link.sendAtOnce(request); });
}

void SettingsEditor::setInsertionBoxes(std::vector<int> fields, TargetBy by)
{
    m_insertionFields = std::move(fields);
    m_targetBy = by;
}

void SettingsEditor::setInsertionTarget(int field, int index)
{
    if (Binding* b = boxShowing(field, index)) {
        m_target = static_cast<int>(b - m_bindings.data());
        m_targetCaret.reset();
    }
}

std::optional<FieldElement> SettingsEditor::insertionTarget() const
{
    if (!m_target)
        return std::nullopt;
    const Binding& b = m_bindings[*m_target];
    return FieldElement{b.field, elementOf(b)};
}

bool SettingsEditor::insertAtTarget(const QString& item, const InsertionRule& rule)
{
    if (!m_target || elementOf(m_bindings[*m_target]) == 0)
        return false;
    QLineEdit* box = m_bindings[*m_target].control->textBox();
    const Caret at = !box->hasFocus() && m_targetCaret ? *m_targetCaret : caretOf(m_bindings[*m_target]);
    m_targetCaret.reset(); // the caret set below holds from now on
    const Insertion put = InsertItem(box->text(), at.position, at.selectionStart, at.selectionLength, item, rule);
    // An undo puts the caret back where the insertion found it, also when no
    // caret move was seen since the program last set the box's text.
    m_bindings[*m_target].caret = at.position;
    box->setText(put.text); // checked as an edit, which may refuse it
    if (box->text() == put.text)
        box->setCursorPosition(put.caret);
    return true;
}

void SettingsEditor::onWritten(const SettingElement& element)
{
    const std::optional<FieldElement> found = m_copies.find(element);
    if (!found)
        return;
    m_copies.takeOutside(found->field, found->index);
    // Shown again either way: the marking now compares with the new value.
    showElement(*found);
}

bool SettingsEditor::apply()
{
    // An Apply that sends to the controller lets events through while it
    // waits; a second Apply asked for meanwhile (a tab change) does nothing.
    if (m_applying)
        return false;
    const QScopedValueRollback applying(m_applying, true);
    // A tab change or the keyboard shortcut leaves the focus where it is.
    if (m_pending)
        leaveCheck(m_bindings[*m_pending]);
    if (!repairUnreadable() || !passesGates())
        return false;
    if (const std::optional<Refusal> refusal = vetoApply()) {
        tell(refusal->text, m_style);
        return false;
    }
    afterApply(m_copies.apply());
    return true;
}

SettingsEditor::Binding* SettingsEditor::boxShowing(int field, int index)
{
    for (Binding& b : m_bindings)
        if (b.field == field && b.control->textBox() && elementOf(b) == index)
            return &b;
    return nullptr;
}

// A shown box whose check speaks for the text gets the check's message and
// repair: a check made for Apply speaks for whatever the reader refuses, any
// other only for what it refuses itself ("12ab" passes a range check, and its
// message would tell of a range it is in). Any other copy the reader would
// refuse stops the Apply with a message naming the control.
bool SettingsEditor::repairUnreadable()
{
    for (const FieldElement& e : m_copies.unreadable()) {
        const std::optional<FieldCheck>& check = m_copies.definition(e.field).check;
        const QString text = m_copies.copy(e.field, e.index);
        const bool checkSpeaks = check && (check->when == FieldCheck::When::Apply || check->refuses(text));
        if (Binding* b = boxShowing(e.field, e.index); b && checkSpeaks) {
            // Emptying is no repair here: the empty text is what the reader refuses.
            const auto repair = check->repair == FieldCheck::Repair::Zero ? FieldCheck::Repair::Zero
                                                                           : FieldCheck::Repair::Stored;
            refuse(*b, *check, repair, text);
        }
        if (!m_copies.unreadable(e.field, e.index)) // repaired
            continue;
        tell(QStringLiteral("%1: \"%2\" cannot be stored, because the configuration file could not read it back. "
                            "Nothing was applied.")
                 .arg(boxName(e), text),
             m_style);
        return false;
    }
    return true;
}

// Every changed copy a field's gate refuses is named in one message, and
// nothing is stored.
bool SettingsEditor::passesGates()
{
    const std::vector<EditorCopies::Gated> gated = m_copies.gated();
    if (gated.empty())
        return true;
    QStringList lines;
    for (const EditorCopies::Gated& g : gated)
        lines << QStringLiteral("%1: %2").arg(boxName(g.element), g.reason);
    tell(QStringLiteral("Nothing was applied, because what these boxes hold cannot be stored:\n\n%1")
             .arg(lines.join(u'\n')),
         m_style);
    return false;
}

void SettingsEditor::tell(const QString& text, const MessageStyle& style)
{
    m_context.dialogs.message(style.title.isEmpty() ? ProgramName : style.title, text, Dialogs::Buttons::Ok,
                              style.icon);
}

// The field's caption; for a box captioned only by the frame it stands in,
// that frame's title; else the name of a control showing it.
QString SettingsEditor::boxName(const FieldElement& e) const
{
    const auto numbered = [&](const QString& name) {
        const int number = e.index + m_copies.definition(e.field).firstNumber - 1;
        return m_copies.count(e.field) > 1 ? QStringLiteral("%1 (%2)").arg(name).arg(number) : name;
    };
    if (const QString& caption = m_copies.definition(e.field).caption; !caption.isEmpty())
        return numbered(caption);
    const QWidget* control = nullptr;
    for (const Binding& b : m_bindings)
        if (b.field == e.field && (!control || elementOf(b) == e.index))
            control = b.control->widget();
    for (const Entries& entries : m_entries)
        if (!control && entries.field == e.field)
            control = entries.list->widget();
    for (const QWidget* w = control; w && w != this; w = w->parentWidget())
        if (const auto* frame = qobject_cast<const QGroupBox*>(w); frame && !frame->title().isEmpty())
            return numbered(frame->title());
    if (control && !control->objectName().isEmpty())
        return control->objectName();
    return numbered(QStringLiteral("A setting of this window"));
}

bool SettingsEditor::eventFilter(QObject* watched, QEvent* event)
{
    const auto it = m_boxes.constFind(watched);
    if (it != m_boxes.constEnd()) {
        switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut: {
            // A context menu or another window (a message) taking the focus
            // and giving it back is neither leaving the box nor entering it.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) {
                // A click into another box while the window was inactive
                // arrives as the window's activation: that is leaving the
                // box being edited and entering this one.
                if (event->type() == QEvent::FocusIn && m_pending != *it) {
                    if (m_pending)
                        focusOut(*m_pending);
                    focusIn(*it, reason);
                }
                break;
            }
            if (event->type() == QEvent::FocusIn)
                focusIn(*it, reason);
            else
                focusOut(*it);
            break;
        }
        case QEvent::KeyPress:
            m_bindings[*it].arrivalSelection = false;
            break;
        case QEvent::MouseButtonPress:
            m_bindings[*it].arrivalSelection = false;
            if (m_targetBy == TargetBy::Clicking && std::ranges::count(m_insertionFields, m_bindings[*it].field)) {
                m_target = *it;
                m_targetCaret.reset();
            }
            break;
        default: break;
        }
    }
    return EditorWindow::eventFilter(watched, event);
}

void SettingsEditor::focusIn(int binding, Qt::FocusReason reason)
{
    m_pending = binding;
    Binding& b = m_bindings[binding];
    b.typed = false;
    // The box selects its whole text as the focus arrives by these.
    b.arrivalSelection =
        reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
    if (m_targetBy == TargetBy::Entering && std::ranges::count(m_insertionFields, b.field))
        m_target = binding;
    if (m_target == binding)
        m_targetCaret.reset(); // its own caret and selection hold again
    if (const int i = elementOf(b); i > 0)
        entered(b.field, i);
}

void SettingsEditor::focusOut(int binding)
{
    m_pending.reset();
    Binding& b = m_bindings[binding];
    if (m_target == binding)
        m_targetCaret = caretOf(b); // the box drops its selection as it loses the focus: kept for the list
    leaveCheck(b);
    leaveTidy(b);
    if (const int i = elementOf(b); i > 0)
        left(b.field, i, b.typed);
}

SettingsEditor::Caret SettingsEditor::caretOf(const Binding& b) const
{
    const QLineEdit* box = b.control->textBox();
    const int size = static_cast<int>(box->text().size());
    if (b.arrivalSelection && box->hasSelectedText() && box->selectedText().size() == size)
        return Caret{size, size, 0};
    return Caret{box->cursorPosition(), box->selectionStart(), static_cast<int>(box->selectedText().size())};
}

void SettingsEditor::leaveCheck(Binding& b)
{
    const std::optional<FieldCheck>& check = m_copies.definition(b.field).check;
    const QString value = b.control->value();
    if (m_refusing || !check || check->when != FieldCheck::When::Leave || elementOf(b) == 0
        || !check->refuses(value))
        return;
    refuse(b, *check, check->repair, value);
}

// Leaving a box the user did not type in changes nothing, unless its tidy
// takes the stored value along quietly: then nothing differs afterwards.
void SettingsEditor::leaveTidy(Binding& b)
{
    const int i = elementOf(b);
    const FieldDefinition& definition = m_copies.definition(b.field);
    if (i == 0 || !definition.tidy || (!b.typed && !definition.tidiesStored))
        return;
    m_copies.tidy(b.field, i);
    fill(b); // the tidied copy, marked against the stored value as it now stands
}

void SettingsEditor::refuse(Binding& b, const FieldCheck& check, FieldCheck::Repair repair, const QString& refused,
                            const QString& before)
{
    // The message takes the focus away from the box; that is no second leaving.
    const QScopedValueRollback refusing(m_refusing, true);
    const int caretBefore = b.caret;
    const FieldCheck& says = check.speaking(refused, before);
    tell(says.message, {says.title, says.icon});
    const FieldCheck::Mend mend = m_copies.repairText(b.field, elementOf(b), repair, b.previous, refused);
    putText(b, mend.text);
    if (QLineEdit* box = b.control->textBox(); box && box->text() == b.control->textOf(mend.text)) {
        if (repair == FieldCheck::Repair::Undo || mend.caret == FieldCheck::Mend::CaretBefore)
            box->setCursorPosition(caretBefore);
        else if (mend.caret >= 0)
            box->setCursorPosition(mend.caret);
    }
    QWidget* w = b.control->widget();
    // A box whose editor is being hidden is not given the focus back.
    if (check.refocus && w->isVisible())
        w->setFocus();
}

void SettingsEditor::putText(Binding& b, const QString& value)
{
    QLineEdit* box = b.control->textBox();
    const QString text = b.control->textOf(value);
    if (!box || box->text() == text)
        handleChange(b, value); // the copy follows even when the text stays
    else
        box->setText(text);
}

void SettingsEditor::mark(const Binding& b)
{
    const int i = elementOf(b);
    if (b.marked && i > 0)
        b.control->mark(m_copies.differs(b.field, i));
}
