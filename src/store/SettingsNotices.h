#pragma once

#include "store/Setting.h"

#include <functional>
#include <vector>

// Tells the loaded editors that a setting element was written by someone
// else (another editor's Apply, a download, a code sent at once), so a copy
// that was not edited takes the new value instead of writing the old one back.
class SettingsNotices {
public:
    using Listener = std::function<void(const SettingElement&)>;

    // The id stops the listening; a listener must stop before it is destroyed.
    // A listener is not told of what its owner wrote itself.
    int listen(const void* owner, Listener listener);
    void stopListening(int id);

    void written(const SettingElement& element, const void* writer = nullptr) const;

private:
    struct Entry {
        int id;
        const void* owner;
        Listener listener;
    };
    std::vector<Entry> m_listeners;
    int m_nextId = 1;
};

// Writes one element and tells the listeners.
void WriteSetting(SettingsTables& tables, const SettingsNotices& notices, const SettingElement& element,
                  const QString& value);
