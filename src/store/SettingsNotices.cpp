#include "store/SettingsNotices.h"

#include <algorithm>

int SettingsNotices::listen(const void* owner, Listener listener)
{
    m_listeners.push_back({m_nextId, owner, std::move(listener)});
    return m_nextId++;
}

void SettingsNotices::stopListening(int id)
{
    std::erase_if(m_listeners, [id](const Entry& e) { return e.id == id; });
}

void SettingsNotices::written(const SettingElement& element, const void* writer) const
{
    // A copy: a listener may stop listening while it is told.
    const std::vector<Entry> listeners = m_listeners;
    for (const Entry& e : listeners)
        if (!writer || e.owner != writer)
            e.listener(element);
}

void WriteSetting(SettingsTables& tables, const SettingsNotices& notices, const SettingElement& element,
                  const QString& value)
{
    element.value(tables) = value;
    notices.written(element);
}
