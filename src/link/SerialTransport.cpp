#include "link/SerialTransport.h"

#include "link/SerialLink.h"
#include "platform/Clock.h"
#include "store/SettingsTables.h"

namespace {

Outcome OutcomeOf(SerialLink::Reply reply)
{
    switch (reply) {
    case SerialLink::Reply::Accepted: return Outcome::Accepted;
    case SerialLink::Reply::Refused: return Outcome::Refused;
    case SerialLink::Reply::TimedOut: return Outcome::TimedOut;
    case SerialLink::Reply::GaveUp: return Outcome::GaveUp;
    case SerialLink::Reply::Interrupted:
    case SerialLink::Reply::Busy: break;
    }
    return Outcome::Interrupted;
}

} // namespace

SerialTransport::SerialTransport(SerialLink& link, SettingsTables& tables, Clock& clock)
    : m_link(link), m_tables(tables), m_clock(clock)
{
}

Status SerialTransport::begin() { return m_link.openComPort(); }

Outcome SerialTransport::send(const ControllerCommand& command, int, Framing)
{
    Outcome result = Outcome::Accepted;
    for (const QString& text : command.serialLines) {
        const QString line = text + QStringLiteral("\r");
        const Status written = m_link.SendStr(line);
        m_tables.LastCommand = line;
        // Nothing of a line the port or the link refused reached the
        // controller: no answer is waited for, and none is missed.
        if (!written) {
            m_link.report(written);
            return Outcome::NotSent;
        }
        const Outcome outcome = OutcomeOf(m_link.CheckInput(line));
        if (outcome == Outcome::TimedOut)
            result = outcome;
        else if (outcome != Outcome::Accepted)
            return outcome;
    }
    return result;
}

Status SerialTransport::sendWithoutReply(const ControllerCommand& command)
{
    Status result = Status::success();
    for (const QString& text : command.serialLines) {
        const QString line = text + QStringLiteral("\r");
        if (const Status sent = m_link.SendStr(line); !sent) {
            m_link.report(sent);
            if (result)
                result = sent;
        }
        m_tables.LastCommand = line;
    }
    return result;
}

void SerialTransport::pause(int ms) { m_clock.sleep(ms); }

Status SerialTransport::end()
{
    if (m_tables.UpdateInterrupted)
        m_link.closePort();
    return Status::success();
}
