#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <vector>

class ControllerLink;
class EditorWindow;
class QWidget;
struct AppContext;

// One tab of the tab strip and the editor window behind it.
struct EditorTab {
    QString caption;
    // The link is the one path to the controller, for the commands an editor sends at once.
    std::function<EditorWindow*(AppContext& context, ControllerLink& link, QWidget* parent)> create;
    // Its place in the order in which the start-up and a reload create the
    // editors; none for the editor created only when it is first needed.
    std::optional<int> startUpOrder;
};
using EditorTabList = std::vector<EditorTab>;

inline constexpr int EditorTabCount = 11;
inline constexpr int TimersTab = 0;       // in front after the start-up and a reload
inline constexpr int SpecialCodesTab = 9; // its Apply sends codes to the controller

// The eleven tabs in strip order.
EditorTabList EditorTabs();

// The tabs whose editors the start-up and a reload create, in that order.
std::vector<int> StartUpTabs(const EditorTabList& tabs);
