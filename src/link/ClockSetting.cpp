#include "link/ClockSetting.h"

#include "link/ClockCommands.h"
#include "link/ControllerLink.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "store/SettingsTables.h"

namespace {

constexpr int PauseBeforeDateMs = 50;
constexpr int PauseBeforeTimeMs = 500;

AtOnce ClockRequest(const SettingsTables& tables, Clock& clock)
{
    const bool international = InternationalDateFormat(tables.DateFormat);
    const auto command = [&clock, international](std::size_t i) {
        const QDateTime now = clock.now();
        return i == 0 ? ClockDateCommand(now) : ClockTimeCommand(now, international);
    };
    AtOnce request;
    request.commands = {command(0), command(1)};
    // Read again as each goes out: the date's reply wait may have taken seconds.
    request.fresh = command;
    request.serialPausesMs = {PauseBeforeDateMs, PauseBeforeTimeMs};
    request.goesOnUnanswered = true;
    request.closePortAfter = true;
    return request;
}

} // namespace

bool SetControllerClock(SettingsTables& tables, ControllerLink& controller, Dialogs& dialogs, Clock& clock)
{
    const bool set = controller.sendAtOnce(ClockRequest(tables, clock), ControllerLink::Job::ClockSetting).ok();
    // Told only once the transmitter is released: the box waits for the user.
    if (set)
        dialogs.message(QStringLiteral("Done"), QStringLiteral("Clock and Calendar have been successfully set"));
    return set;
}
