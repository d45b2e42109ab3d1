#include "link/ControllerLink.h"

#include "link/AtOnceRun.h"
#include "store/SettingsTables.h"
#include "store/TextHelpers.h"

#include <QScopeGuard>
#include <utility>

ControllerLink::Claim::Claim(Claim&& other) noexcept : m_link(std::exchange(other.m_link, nullptr)) {}

void ControllerLink::Claim::release()
{
    if (m_link)
        std::exchange(m_link, nullptr)->m_job.reset();
}

ControllerLink::ControllerLink(SettingsTables& tables, SerialPort& port, SoundOutput& sound, Dialogs& dialogs,
                               Clock& clock)
    : m_tables(tables),
      m_port(port),
      m_sound(sound),
      m_link(port, tables, dialogs, clock),
      m_player(tables, sound, m_link),
      m_serial(m_link, tables, clock),
      m_dtmf(tables, sound, m_link, m_player)
{
}

bool ControllerLink::dtmfMode() const { return LeadingNumber(m_tables.ComPortValue) == 0; }

CommandTransport& ControllerLink::transportOf(bool dtmf)
{
    if (dtmf)
        return m_dtmf;
    return m_serial;
}

ControllerLink::Claim ControllerLink::claim(Job job)
{
    if (m_job)
        return {};
    m_job = job;
    return Claim(this);
}

ControllerLink::Claim ControllerLink::claimOrTell(Job job)
{
    Claim held = claim(job);
    if (!held)
        tellBusy();
    return held;
}

QString ControllerLink::busyText() const
{
    QString what;
    switch (m_job.value_or(Job::AtOnce)) {
    case Job::Upload: what = QStringLiteral("an upload"); break;
    case Job::ClockSetting: what = QStringLiteral("setting the clock"); break;
    case Job::ManualSend: what = QStringLiteral("a command sent by hand"); break;
    case Job::AtOnce: what = QStringLiteral("a command sent at once"); break;
    case Job::TestPad: what = QStringLiteral("the test pad"); break;
    case Job::Download: what = QStringLiteral("a download"); break;
    }
    return QStringLiteral("The link to the Tarvex is busy with %1. Try again once it has finished.").arg(what);
}

void ControllerLink::tellBusy() { m_link.report(Status::failure(busyText())); }

Status ControllerLink::sendAtOnce(const AtOnce& request, Job job)
{
    const auto shown = [this](const Status& failure) {
        m_link.report(failure);
        return failure;
    };
    const Claim held = claimOrTell(job);
    if (!held)
        return Status::failure(busyText());
    CommandTransport& transport = this->transport();
    const std::vector<AtOnceStep> steps = request.run();
    for (const AtOnceStep& step : steps)
        if (step.kind == AtOnceStep::Kind::Command && step.runsIn(transport.dtmfMode())
            && !step.command.hasForm(transport.dtmfMode()))
            return shown(Status::failure(QStringLiteral("%1 cannot be sent in %2 mode")
                                             .arg(CommandName(step.command), transport.dtmfMode()
                                                                                 ? QStringLiteral("DTMF")
                                                                                 : QStringLiteral("serial"))));
    if (steps.empty())
        return Status::success();

    // A flag left by an earlier command must not make this one fail.
    m_tables.UpdateError = false;
    m_tables.UpdateInterrupted = false;
    const bool closeAfter = request.closePortAfter || (!transport.dtmfMode() && !m_link.isPortOpen());
    const auto restorePort = qScopeGuard([&] {
        m_tables.UpdateError = false;
        if (closeAfter)
            m_link.closePort();
    });
    if (const Status begun = transport.begin(); !begun)
        return shown(begun);
    TransportEnding ending(transport);
    const Status framed = RunAtOnce(request, transport, m_link, m_sound, m_tables);
    const Status ended = ending.end();
    return framed ? ended : framed;
}
