#include "editors/ControlKinds.h"

#include <QListWidget>

EntryList::EntryList(QListWidget* list) : m_list(list) {}

void EntryList::show(const QStringList& elements)
{
    m_list->clear();
    for (const QString& e : elements)
        if (!e.isEmpty())
            m_list->addItem(e);
}

QStringList EntryList::elements(int count) const
{
    QStringList out;
    for (int n = 0; n < count; ++n)
        out << (n < m_list->count() ? m_list->item(n)->text() : QString());
    return out;
}

int EntryList::entryCount() const { return m_list->count(); }

bool EntryList::add(const QString& entry)
{
    if (full())
        return false;
    m_list->addItem(entry);
    if (m_changed)
        m_changed();
    return true;
}

bool EntryList::removeSelected()
{
    // The current row is no choice: tabbing into the list makes the first
    // entry current with nothing selected.
    for (int row = 0; row < m_list->count(); ++row) {
        if (!m_list->item(row)->isSelected())
            continue;
        delete m_list->takeItem(row);
        if (m_changed)
            m_changed();
        return true;
    }
    return false;
}
