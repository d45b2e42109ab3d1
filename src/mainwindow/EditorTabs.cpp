#include "mainwindow/EditorTabs.h"

#include "editors/ports/AlarmsRemote.h"
#include "editors/ports/DtmfMemories.h"
#include "editors/ports/PortSwitches.h"
#include "editors/ports/SpecialCodes.h"
#include "editors/timing/Analog.h"
#include "editors/timing/Courtesy.h"
#include "editors/timing/Timers.h"
#include "mainwindow/PlaceholderEditor.h"

#include <algorithm>
#include <type_traits>

namespace {

// Editors that send nothing at once are made without the link.
template <typename Editor> EditorTab tab(const char* caption, std::optional<int> startUpOrder)
{
    return {QString::fromLatin1(caption),
            [](AppContext& c, ControllerLink& link, QWidget* parent) -> EditorWindow* {
                if constexpr (std::is_constructible_v<Editor, AppContext&, ControllerLink&, QWidget*>)
                    return new Editor(c, link, parent);
                else
                    return new Editor(c, parent);
            },
            startUpOrder};
}

EditorTab placeholder(const char* caption, std::optional<int> startUpOrder)
{
    const QString text = QString::fromLatin1(caption);
    return {text,
            [text](AppContext&, ControllerLink&, QWidget* parent) -> EditorWindow* {
                return new PlaceholderEditor(text, parent);
            },
            startUpOrder};
}

} // namespace

EditorTabList EditorTabs()
{
    return {
        tab<Timers>("Timers", 8),
        tab<Courtesy>("Courtesy Tones", 5),
        placeholder("Macros", 3),
        placeholder("Scheduler/Clock", 4),
        tab<Analog>("Analog", 0),
        placeholder("IDs", 1),
        placeholder("Messages", 6),
        tab<DTMF>("DTMF", 7),
        tab<Alarms_Remote>("Alarms/R. Base/Aux Audio", 2),
        tab<SpecialCodes>("Special Codes/Autopatch", std::nullopt),
        tab<PortSwitches>("Port Switches", 9),
    };
}

std::vector<int> StartUpTabs(const EditorTabList& tabs)
{
    std::vector<int> order;
    for (int t = 0; t < static_cast<int>(tabs.size()); ++t)
        if (tabs[t].startUpOrder)
            order.push_back(t);
    std::ranges::sort(order, {}, [&tabs](int t) { return *tabs[t].startUpOrder; });
    return order;
}
