#pragma once

#include <QString>
#include <functional>
#include <vector>

class EditorWindow;
class QWidget;
struct AppContext;

// One tab of the tab strip and the editor window behind it.
struct EditorTab {
    QString caption;
    std::function<EditorWindow*(AppContext& context, QWidget* parent)> create;
};
using EditorTabList = std::vector<EditorTab>;

inline constexpr int EditorTabCount = 11;
inline constexpr int TimersTab = 0;
inline constexpr int SpecialCodesTab = 9;

// The eleven tabs in strip order. A real editor plugs in by replacing its
// factory in EditorTabs.cpp.
EditorTabList EditorTabs();

// The ten editors that the file commands close and load again (all but the
// access code editor), in the order they are closed.
inline constexpr int ReloadableTabs[] = {4, 5, 8, 0, 2, 3, 1, 6, 10, 7};
