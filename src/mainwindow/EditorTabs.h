#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <vector>

class ControllerLink;
class EditorWindow;
class QWidget;
struct AppContext;

// What the main window does with a tab's editor besides showing it.
struct TabRoles {
    // Its place in the order in which the start-up and a reload create the
    // editors; none for the editor created only when it is first needed.
    std::optional<int> startUpOrder;
    // In front after the start-up, a reload and Save As.
    bool inFront = false;
    // Holds the new lock code box the start-up leads to when the file's lock
    // code equals its terminator.
    bool holdsLockBox = false;
};

// One tab of the tab strip and the editor window behind it.
struct EditorTab {
    QString caption;
    // The link is the one path to the controller, for the commands an editor sends at once.
    std::function<EditorWindow*(AppContext& context, ControllerLink& link, QWidget* parent)> create;
    TabRoles roles;
};
using EditorTabList = std::vector<EditorTab>;

// The eleven tabs in strip order.
EditorTabList EditorTabs();

// The tabs whose editors the start-up and a reload create, in that order.
std::vector<int> StartUpTabs(const EditorTabList& tabs);
// The first tab with the role; -1 when none has it.
int TabWith(const EditorTabList& tabs, bool TabRoles::* role);
