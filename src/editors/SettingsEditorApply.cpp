#include "editors/SettingsEditor.h"

#include "store/AppContext.h"
#include "store/ProgramName.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QScopedValueRollback>

bool SettingsEditor::apply() { return runApply(true); }

bool SettingsEditor::runApply(bool store)
{
    // An Apply that sends to the controller lets events through while it
    // waits; a second Apply asked for meanwhile (a tab change) does nothing.
    if (m_applying)
        return false;
    const QScopedValueRollback applying(m_applying, true);
    // A tab change or the keyboard shortcut leaves the focus where it is.
    if (m_pending)
        leaveCheck(m_bindings[*m_pending]);
    if (!passesGates())
        return false;
    if (const std::optional<Refusal> refusal = vetoApply()) {
        tell(refusal->text, m_style);
        return false;
    }
    if (store)
        afterApply(m_copies.apply());
    return true;
}

// Every changed copy that cannot be stored is named in one message, and
// nothing is stored: each box keeps its text for the user to mend.
bool SettingsEditor::passesGates()
{
    const std::vector<EditorCopies::Refused> refused = m_copies.refusals();
    if (refused.empty())
        return true;
    QStringList lines;
    for (const EditorCopies::Refused& r : refused)
        lines << QStringLiteral("%1: %2").arg(boxName(r.element), r.reason);
    if (lines.size() == 1) {
        const QString& line = lines.front();
        const bool ended = line.endsWith(u'.') || line.endsWith(u'!') || line.endsWith(u'?');
        tell(line + (ended ? QStringLiteral(" Nothing was applied.") : QStringLiteral(". Nothing was applied.")),
             m_style);
    } else {
        tell(QStringLiteral("Nothing was applied, because what these boxes hold cannot be stored:\n\n%1")
                 .arg(lines.join(u'\n')),
             m_style);
    }
    return false;
}

void SettingsEditor::tell(const QString& text, const MessageStyle& style)
{
    m_context.dialogs.message(style.title.isEmpty() ? ProgramName : style.title, text, Dialogs::Buttons::Ok,
                              style.icon);
}

void SettingsEditor::warnOf(const Binding& b, const QString& text, const std::optional<QString>& before)
{
    const std::optional<FieldWarning>& warning = m_copies.definition(b.field).warning;
    if (warning && warning->speaksOf(text) && !(before && warning->speaksOf(*before)))
        tell(warning->message, warning->style);
}

const QWidget* SettingsEditor::controlShowing(const FieldElement& e) const
{
    const QWidget* control = nullptr;
    for (const Binding& b : m_bindings)
        if (b.field == e.field && (!control || elementOf(b) == e.index))
            control = b.control->widget();
    for (const Entries& entries : m_entries)
        if (!control && entries.field == e.field)
            control = entries.list->widget();
    return control;
}

// The field's caption; for a box captioned only by the frame it stands in,
// that frame's title.
QString SettingsEditor::shownCaption(const FieldElement& e) const
{
    if (const QString& caption = m_copies.definition(e.field).caption; !caption.isEmpty())
        return caption;
    for (const QWidget* w = controlShowing(e); w && w != this; w = w->parentWidget())
        if (const auto* frame = qobject_cast<const QGroupBox*>(w); frame && !frame->title().isEmpty())
            return frame->title();
    return {};
}

// The caption, numbered for an element of several; else the name of a
// control showing it.
QString SettingsEditor::boxName(const FieldElement& e) const
{
    const auto numbered = [&](const QString& name) {
        const int number = e.index + m_copies.definition(e.field).firstNumber - 1;
        return m_copies.count(e.field) > 1 ? QStringLiteral("%1 (%2)").arg(name).arg(number) : name;
    };
    if (const QString caption = shownCaption(e); !caption.isEmpty())
        return numbered(caption);
    if (const QWidget* control = controlShowing(e); control && !control->objectName().isEmpty())
        return control->objectName();
    return numbered(QStringLiteral("A setting of this window"));
}

QString SettingsEditor::captionOf(const Setting& setting) const
{
    for (int field = 0; field < m_copies.fieldCount(); ++field)
        if (m_copies.definition(field).setting.setting == setting)
            return shownCaption({field, 1});
    return {};
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
