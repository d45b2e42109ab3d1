#include "editors/SettingsEditor.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <algorithm>

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
    if (const int i = elementOf(b); i > 0) {
        entered(b.field, i);
        warnOf(b, b.control->value(), std::nullopt);
    }
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
