#pragma once

#include "mainwindow/EditorTabs.h"

#include <vector>

class EditorWindow;
class QStackedWidget;

// Creates, shows and destroys the editor windows of the tabs. Loaded means
// created: the window then holds working copies of the settings.
class EditorManager {
public:
    EditorManager(AppContext& context, EditorTabList tabs, QStackedWidget* area);
    ~EditorManager();
    EditorManager(const EditorManager&) = delete;
    EditorManager& operator=(const EditorManager&) = delete;

    int count() const { return static_cast<int>(m_tabs.size()); }
    const QString& caption(int tab) const { return m_tabs.at(tab).caption; }

    bool isLoaded(int tab) const;
    // Null when not loaded.
    EditorWindow* editor(int tab) const;
    EditorWindow* load(int tab); // loads when needed
    void close(int tab);
    // Loads when needed, then makes it the window in front.
    void bringToFront(int tab);
    int frontTab() const;
    // Nothing for an editor that is not loaded.
    void doApply(int tab);
    // A loaded editor takes its working copies afresh from the settings.
    void reload(int tab);

private:
    AppContext& m_context;
    EditorTabList m_tabs;
    QStackedWidget* m_area;
    std::vector<EditorWindow*> m_editors;
};
