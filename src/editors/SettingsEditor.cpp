#include "editors/SettingsEditor.h"

#include "editors/ControlNames.h"
#include "editors/ListText.h"
#include "store/AppContext.h"
#include "editors/NumericOnly.h"
#include "store/ProgramName.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <stdexcept>

SettingsEditor::SettingsEditor(AppContext& context, std::vector<bool SettingsTables::*> sectionFlags,
                               QWidget* parent)
    : EditorWindow(parent), m_context(context), m_copies(context.tables, std::move(sectionFlags))
{
}

QWidget* SettingsEditor::requireControl(const QString& name, int index) const
{
    auto* found = findChild<QWidget*>(ControlName(name, index));
    if (!found)
        throw std::logic_error("no control " + ControlName(name, index).toStdString());
    return found;
}

int SettingsEditor::addBinding(Kind kind, int field, const QString& name)
{
    Binding b{kind, field, name, {}, {}, {}, {}};
    const int count = m_copies.count(field);
    const bool single = !m_copies.definition(field).setting.array;
    for (int i = 1; i <= count; ++i)
        b.controls.push_back(requireControl(name, single ? 0 : i));
    m_bindings.push_back(std::move(b));
    return static_cast<int>(m_bindings.size()) - 1;
}

void SettingsEditor::bindBox(int field, const QString& name, BoxOptions options)
{
    const int b = addBinding(Kind::Box, field, name);
    m_bindings[b].options = std::move(options);
    for (int i = 1; i <= m_copies.count(field); ++i) {
        const Target t{b, i};
        QLineEdit* edit = box(t);
        if (m_bindings[b].options.numericOnly)
            SetNumericOnly(edit); // once: the filter stays
        // textChanged, not textEdited: the program's own setText counts as an edit too.
        connect(edit, &QLineEdit::textChanged, this, [this, t](const QString& text) { boxChanged(t, text); });
        edit->installEventFilter(this);
        m_boxes.insert(edit, t);
    }
}

void SettingsEditor::bindList(int field, const QString& name, const QStringList& items)
{
    const int b = addBinding(Kind::List, field, name);
    for (int i = 1; i <= m_copies.count(field); ++i) {
        auto* list = static_cast<QComboBox*>(m_bindings[b].controls[i - 1]);
        list->setEditable(false);
        list->addItems(items);
        // Only the user's pick counts, never the program's setting of the index.
        connect(list, &QComboBox::activated, this,
                [this, field, i, list](int item) { m_copies.setCopy(field, i, list->itemText(item)); });
    }
}

void SettingsEditor::bindCheck(int field, const QString& name, const QString& ticked, const QString& unticked)
{
    const int b = addBinding(Kind::Check, field, name);
    m_bindings[b].ticked = ticked;
    m_bindings[b].unticked = unticked;
    for (int i = 1; i <= m_copies.count(field); ++i) {
        auto* check = static_cast<QCheckBox*>(m_bindings[b].controls[i - 1]);
        // toggled also follows a state set by the program, when it changes.
        connect(check, &QCheckBox::toggled, this,
                [this, field, i, ticked, unticked](bool on) { m_copies.setCopy(field, i, on ? ticked : unticked); });
    }
}

void SettingsEditor::loadControls()
{
    for (const Binding& b : m_bindings) {
        for (int i = 1; i <= m_copies.count(b.field); ++i) {
            const QString text = m_copies.loadText(b.field, i);
            QWidget* w = b.controls[i - 1];
            switch (b.kind) {
            case Kind::Box: static_cast<QLineEdit*>(w)->setText(text); break;
            case Kind::List: ShowListText(static_cast<QComboBox*>(w), text); break;
            case Kind::Check: static_cast<QCheckBox*>(w)->setChecked(text == b.ticked); break;
            }
            m_copies.load(b.field, i);
        }
    }
}

void SettingsEditor::restoreControls()
{
    for (const Binding& b : m_bindings) {
        if (!m_copies.definition(b.field).restoredByCancel)
            continue;
        for (int i = 1; i <= m_copies.count(b.field); ++i) {
            const QString& text = m_copies.stored(b.field, i);
            QWidget* w = b.controls[i - 1];
            switch (b.kind) {
            case Kind::Box: static_cast<QLineEdit*>(w)->setText(text); continue; // its change handling follows
            case Kind::List: ShowListText(static_cast<QComboBox*>(w), text); break;
            case Kind::Check: static_cast<QCheckBox*>(w)->setChecked(text == b.ticked); break;
            }
            m_copies.setCopy(b.field, i, text);
        }
    }
}

void SettingsEditor::Apply_Click()
{
    // A tab change or the keyboard shortcut leaves the focus where it is.
    if (m_pending)
        leaveCheck(*m_pending);
    for (const FieldElement& e : m_copies.unreadable()) {
        const std::optional<Target> t = bindingOfField(e.field, e.index);
        const std::optional<RangeRule>& rule = m_copies.definition(e.field).range;
        // Emptying is no repair here: the empty text is what the reader refuses.
        if (t && rule)
            refuse(*t, *rule, rule->repair == RangeRule::Repair::Zero ? RangeRule::Repair::Zero : RangeRule::Repair::Stored);
        // Without a box or a message, or when the box could not take it back, the stored value stays.
        if (m_copies.unreadable(e.field, e.index))
            m_copies.setCopy(e.field, e.index, m_copies.stored(e.field, e.index));
    }
    m_copies.apply();
    afterApply();
}

bool SettingsEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        const auto it = m_boxes.constFind(watched);
        if (it != m_boxes.constEnd()) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (event->type() == QEvent::FocusIn) {
                m_pending = *it;
            } else if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
                // A context menu or another window taking over is not leaving the box.
                m_pending.reset();
                leaveCheck(*it);
            }
        }
    }
    return EditorWindow::eventFilter(watched, event);
}

QLineEdit* SettingsEditor::box(Target t) const
{
    return static_cast<QLineEdit*>(m_bindings[t.binding].controls[t.index - 1]);
}

void SettingsEditor::boxChanged(Target t, const QString& text)
{
    const Binding& b = m_bindings[t.binding];
    const std::optional<RangeRule>& rule = m_copies.definition(b.field).range;
    if (rule && rule->when == RangeRule::When::Change && !m_checking && rule->refuses(text)) {
        refuse(t, *rule, rule->repair);
        return;
    }
    m_copies.take(b.field, t.index, text);
    if (b.options.changed)
        b.options.changed(t.index);
    mark(t);
}

void SettingsEditor::putBoxText(Target t, const QString& text)
{
    QLineEdit* edit = box(t);
    if (edit->text() == text)
        boxChanged(t, text); // the copy follows even when the text stays
    else
        edit->setText(text);
}

void SettingsEditor::leaveCheck(Target t)
{
    const std::optional<RangeRule>& rule = m_copies.definition(m_bindings[t.binding].field).range;
    if (m_checking || !rule || rule->when != RangeRule::When::Leave || !rule->refuses(box(t)->text()))
        return;
    refuse(t, *rule, rule->repair);
}

void SettingsEditor::refuse(Target t, const RangeRule& rule, RangeRule::Repair repair)
{
    // The message takes the focus away from the box; that is no second leaving.
    const QScopedValueRollback guard(m_checking, true);
    const QString title = rule.title.isEmpty() ? ProgramName : rule.title;
    m_context.dialogs.message(title, rule.message, Dialogs::Buttons::Ok, rule.icon);
    putBoxText(t, m_copies.repairText(m_bindings[t.binding].field, t.index, repair));
    // A box whose editor is being hidden is not given the focus back.
    if (rule.refocus && box(t)->isVisible())
        box(t)->setFocus();
}

void SettingsEditor::mark(Target t)
{
    QLineEdit* edit = box(t);
    QPalette palette = edit->palette();
    const bool differs = m_copies.differs(m_bindings[t.binding].field, t.index);
    palette.setColor(QPalette::Text, differs ? Qt::red : Qt::black);
    edit->setPalette(palette);
}

std::optional<SettingsEditor::Target> SettingsEditor::bindingOfField(int field, int index) const
{
    for (int b = 0; b < static_cast<int>(m_bindings.size()); ++b)
        if (m_bindings[b].field == field && m_bindings[b].kind == Kind::Box)
            return Target{b, index};
    return std::nullopt;
}
