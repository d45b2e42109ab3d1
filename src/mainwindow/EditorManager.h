#pragma once

#include "mainwindow/EditorTabs.h"

#include <QStringList>
#include <optional>
#include <vector>

class ControllerLink;
class EditorWindow;
class QStackedWidget;
struct Setting;

// Creates, shows and destroys the editor windows of the tabs. Loaded means
// created: the window then holds working copies of the settings.
class EditorManager {
public:
    EditorManager(AppContext& context, ControllerLink& link, EditorTabList tabs, QStackedWidget* area);
    ~EditorManager();
    EditorManager(const EditorManager&) = delete;
    EditorManager& operator=(const EditorManager&) = delete;

    int count() const { return static_cast<int>(m_tabs.size()); }
    const QString& caption(int tab) const { return m_tabs.at(tab).caption; }
    const TabRoles& roles(int tab) const { return m_tabs.at(tab).roles; }
    // The first tab with the role; -1 when none has it.
    int tabWith(bool TabRoles::* role) const { return TabWith(m_tabs, role); }
    // The editors the start-up and a reload create, in their order.
    const std::vector<int>& startUpTabs() const { return m_startUp; }

    bool isLoaded(int tab) const;
    // Null when not loaded.
    EditorWindow* editor(int tab) const;
    EditorWindow* load(int tab); // loads when needed
    void close(int tab);
    // Loads when needed, then makes it the window in front.
    void bringToFront(int tab);
    int frontTab() const;
    // Nothing for an editor that is not loaded: it holds no edit. False when
    // the editor refused its edits.
    bool doApply(int tab);
    // Apply's checks alone (EditorWindow::checkEdits); true for an editor
    // that is not loaded.
    bool checkEdits(int tab);
    // The same for a command (EditorWindow::applyForCommand): nothing is sent.
    bool applyForCommand(int tab);
    // Every loaded editor applied for a command (EditorWindow::applyForCommand),
    // `first` first: the one in front is not the only one that may hold edits
    // (the download puts the option board's values into an editor made for
    // them). The tab of the editor that refused; none when all applied.
    std::optional<int> applyAllForCommand(int first);
    // Each setting as the user finds it, "Receiver Enable (Port Switches)":
    // its box's caption and its tab's, once, in the order given; one that no
    // tab shows is left out. An editor not loaded is made for the look-up
    // only, and dropped.
    QStringList shownNames(const std::vector<Setting>& settings) const;
    // Closes every editor, then creates those of the start-up afresh from the
    // settings, in their order, with `front` in front.
    void reloadAll(int front);

private:
    AppContext& m_context;
    ControllerLink& m_link;
    EditorTabList m_tabs;
    std::vector<int> m_startUp;
    QStackedWidget* m_area;
    std::vector<EditorWindow*> m_editors;
};
