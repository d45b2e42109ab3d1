#include "link/ClockSetting.h"

#include "link/ClockCommands.h"
#include "link/CommandTransport.h"
#include "link/ControllerLink.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "store/ProgramName.h"
#include "store/SettingsTables.h"

namespace {

constexpr int PauseBeforeDateMs = 50;
constexpr int PauseBeforeTimeMs = 500;
constexpr int ClockPort = 1;

bool Failed(Outcome outcome, const SettingsTables& tables)
{
    return outcome == Outcome::Refused || outcome == Outcome::GaveUp || outcome == Outcome::Interrupted
        || tables.UpdateError;
}

// Ends the transport and closes the serial port however the setting ends, so
// neither the transmitter nor the port is left to a caller that never closes it.
class ClockScope {
public:
    ClockScope(CommandTransport& transport, SerialLink& link) : m_transport(transport), m_link(link) {}
    ~ClockScope()
    {
        m_transport.end();
        m_link.closePort();
    }
    ClockScope(const ClockScope&) = delete;
    ClockScope& operator=(const ClockScope&) = delete;

private:
    CommandTransport& m_transport;
    SerialLink& m_link;
};

} // namespace

bool SendClock(SettingsTables& tables, CommandTransport& transport, Clock& clock)
{
    if (tables.UpdateError)
        return false;
    const bool dtmf = transport.dtmfMode();
    const bool international = InternationalDateFormat(tables.DateFormat);

    if (!dtmf)
        transport.pause(PauseBeforeDateMs);
    const Outcome date = transport.send(ClockDateCommand(clock.now()), ClockPort, Framing::NoLock);
    if (Failed(date, tables)) {
        if (dtmf)
            transport.lock();
        return false;
    }
    if (!dtmf)
        transport.pause(PauseBeforeTimeMs);
    // Read again: the date's reply wait may have taken seconds.
    const Outcome time = transport.send(ClockTimeCommand(clock.now(), international), ClockPort, Framing::Bare);
    if (dtmf)
        transport.lock();
    return !Failed(time, tables);
}

bool SetControllerClock(SettingsTables& tables, ControllerLink& controller, Dialogs& dialogs, Clock& clock)
{
    const ControllerLink::Claim held = controller.claim(ControllerLink::Job::ClockSetting);
    if (!held)
        return false;
    CommandTransport& transport = controller.transport();
    // A flag left by an earlier command must not stop this one silently.
    tables.UpdateError = false;
    tables.UpdateInterrupted = false;

    bool set = false;
    {
        ClockScope scope(transport, controller.serialLink());
        if (const Status opened = transport.begin(); !opened) {
            dialogs.message(ProgramName, opened.reason());
            return false;
        }
        set = SendClock(tables, transport, clock);
    }
    // Told only once the transmitter is released: the box waits for the user.
    if (set)
        dialogs.message(QStringLiteral("Done"), QStringLiteral("Clock and Calendar have been successfully set"));
    tables.UpdateError = false;
    return set;
}
