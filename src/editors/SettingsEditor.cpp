#include "editors/SettingsEditor.h"

#include "editors/ControlNames.h"
#include "link/ControllerLink.h"
#include "store/AppContext.h"
#include "store/SettingsNotices.h"

#include <QComboBox>
#include <QScopedValueRollback>

#include <stdexcept>
#include <utility>

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
    const QString before = std::exchange(b.previous, value);
    if (!m_filling)
        b.typed = true;
    changed(b.field, i);
    if (!m_filling && !m_refusing)
        warnOf(b, value, before);
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

void SettingsEditor::onWritten(const SettingElement& element)
{
    const std::optional<FieldElement> found = m_copies.find(element);
    if (!found)
        return;
    m_copies.takeOutside(found->field, found->index);
    // Shown again either way: the marking now compares with the new value.
    showElement(*found);
}

SettingsEditor::Binding* SettingsEditor::boxShowing(int field, int index)
{
    for (Binding& b : m_bindings)
        if (b.field == field && b.control->textBox() && elementOf(b) == index)
            return &b;
    return nullptr;
}

void SettingsEditor::mark(const Binding& b)
{
    const int i = elementOf(b);
    if (b.marked && i > 0)
        b.control->mark(m_copies.differs(b.field, i));
}
