#include "RecordingTransport.h"

Status RecordingTransport::begin()
{
    ++m_begins;
    m_events << QStringLiteral("begin");
    return m_beginFailure.isEmpty() ? Status::success() : Status::failure(m_beginFailure);
}

Outcome RecordingTransport::send(const ControllerCommand& command, int unlockPort, Framing framing)
{
    const int index = static_cast<int>(m_sent.size());
    m_sent.push_back({command, unlockPort, framing});
    m_events << "send " + command.serialLines.value(0);
    Outcome outcome = Outcome::Accepted;
    if (!m_outcomes.empty()) {
        outcome = m_outcomes.front();
        m_outcomes.pop_front();
    }
    for (const auto& [at, action] : m_actions)
        if (at == index)
            action();
    return outcome;
}

Status RecordingTransport::sendWithoutReply(const ControllerCommand& command)
{
    m_events << "reset " + command.serialLines.value(0);
    return Status::success();
}

Outcome RecordingTransport::lock()
{
    m_events << QStringLiteral("lock");
    return m_lockFails ? Outcome::Interrupted : Outcome::Accepted;
}

Status RecordingTransport::end()
{
    ++m_ends;
    m_events << QStringLiteral("end");
    return m_endFailure.isEmpty() ? Status::success() : Status::failure(m_endFailure);
}

QStringList RecordingTransport::lines() const
{
    QStringList out;
    for (const Sent& s : m_sent)
        out += s.command.serialLines;
    return out;
}
