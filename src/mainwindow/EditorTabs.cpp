#include "mainwindow/EditorTabs.h"

#include "editors/macros/Macros.h"
#include "editors/macros/Scheduler.h"
#include "editors/ports/AlarmsRemote.h"
#include "editors/ports/DtmfMemories.h"
#include "editors/ports/PortSwitches.h"
#include "editors/ports/SpecialCodes.h"
#include "editors/speech/IdMessages.h"
#include "editors/speech/MessageMacros.h"
#include "editors/timing/Analog.h"
#include "editors/timing/Courtesy.h"
#include "editors/timing/Timers.h"

#include <algorithm>
#include <type_traits>

namespace {

// Editors that send nothing at once are made without the link.
template <typename Editor> EditorTab tab(const char* caption, TabRoles roles)
{
    return {QString::fromLatin1(caption),
            [](AppContext& c, ControllerLink& link, QWidget* parent) -> EditorWindow* {
                if constexpr (std::is_constructible_v<Editor, AppContext&, ControllerLink&, QWidget*>)
                    return new Editor(c, link, parent);
                else
                    return new Editor(c, parent);
            },
            roles};
}

} // namespace

EditorTabList EditorTabs()
{
    return {
        tab<Timers>("Timers", {.startUpOrder = 8, .inFront = true}),
        tab<Courtesy>("Courtesy Tones", {.startUpOrder = 5}),
        tab<Macros>("Macros", {.startUpOrder = 3}),
        tab<Scheduler>("Scheduler/Clock", {.startUpOrder = 4}),
        tab<Analog>("Analog", {.startUpOrder = 0}),
        tab<ID>("IDs", {.startUpOrder = 1}),
        tab<MessageMacros>("Messages", {.startUpOrder = 6}),
        tab<DTMF>("DTMF", {.startUpOrder = 7}),
        tab<Alarms_Remote>("Alarms/R. Base/Aux Audio", {.startUpOrder = 2}),
        tab<SpecialCodes>("Special Codes/Autopatch",
                          {.startUpOrder = std::nullopt, .holdsLockBox = true}),
        tab<PortSwitches>("Port Switches", {.startUpOrder = 9}),
    };
}

std::vector<int> StartUpTabs(const EditorTabList& tabs)
{
    std::vector<int> order;
    for (int t = 0; t < static_cast<int>(tabs.size()); ++t)
        if (tabs[t].roles.startUpOrder)
            order.push_back(t);
    std::ranges::sort(order, {}, [&tabs](int t) { return *tabs[t].roles.startUpOrder; });
    return order;
}

int TabWith(const EditorTabList& tabs, bool TabRoles::* role)
{
    const auto found = std::ranges::find_if(tabs, [role](const EditorTab& tab) { return tab.roles.*role; });
    return found == tabs.end() ? -1 : static_cast<int>(found - tabs.begin());
}
