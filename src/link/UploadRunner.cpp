#include "link/UploadRunner.h"

#include "platform/Dialogs.h"
#include "store/ProgramName.h"
#include "store/SettingsTables.h"

#include <cmath>

namespace {

bool AnySet(const UploadStep& step, SettingsTables& t)
{
    for (const StepFlag& flag : step.flags)
        if (flag.ref(t))
            return true;
    return false;
}

} // namespace

UploadRunner::UploadRunner(SettingsTables& tables, CommandTransport& transport, Dialogs& dialogs)
    : m_tables(tables), m_transport(transport), m_dialogs(dialogs)
{
}

void UploadRunner::tell(const QString& text) { m_dialogs.message(ProgramName, text); }

void UploadRunner::advance(int by)
{
    m_progress.value += by;
    const int percent = m_progress.maximum > 0
        ? static_cast<int>(std::lround(100.0 * m_progress.value / m_progress.maximum)) : 0;
    m_progress.text = QString::number(percent) + "% Complete";
    if (m_onProgress)
        m_onProgress(m_progress);
}

UploadRunner::Result UploadRunner::run(const Plan& plan)
{
    // Flags left by an earlier run must not cut this one short.
    m_tables.UpdateError = false;
    m_tables.UpdateInterrupted = false;
    m_unanswered.clear();
    m_unansweredCommands = 0;
    m_serialOnlySkipped = false;
    m_frameOpen = false;
    m_progress = {0, plan.progressMaximum, {}};

    if (const Status opened = m_transport.begin(); !opened) {
        tell(opened.reason());
        return Result::NotStarted;
    }
    TransportEnding ending(m_transport);
    if (m_onProgress)
        m_onProgress(m_progress);

    for (const UploadStep& step : plan.steps) {
        if (runStep(step, plan.sendAll) == Next::Stop) {
            if (m_frameOpen)
                m_transport.lock();
            return Result::Stopped;
        }
    }
    // A frame or a keyed run that did not end whole is no complete upload
    // (serial lines were each answered already); the transport said why.
    if (m_frameOpen && m_transport.lock() != Outcome::Accepted)
        return Result::Stopped;
    if (m_transport.dtmfMode() && !ending.end())
        return Result::Stopped;

    QStringList text;
    if (m_unansweredCommands == 0 || !plan.endTextOnlyWhenAllAnswered)
        text << plan.endText;
    if (m_unansweredCommands > 0)
        text << QStringLiteral("%1 command(s) got no answer from the Tarvex; their settings stay marked "
                               "for the next upload.").arg(m_unansweredCommands);
    if (m_serialOnlySkipped)
        text << QStringLiteral("The alarm macros are sent in serial mode only.");
    tell(text.join(u'\n'));
    if (plan.finalCommand && !m_transport.dtmfMode())
        (void)m_transport.sendWithoutReply(plan.finalCommand(m_tables)); // it has shown its failure
    return Result::Completed;
}

UploadRunner::Next UploadRunner::runStep(const UploadStep& step, bool sendAll)
{
    if (!sendAll && !AnySet(step, m_tables))
        return Next::Go;
    const bool dtmf = m_transport.dtmfMode();
    if (dtmf && step.serialOnly) {
        m_serialOnlySkipped = m_serialOnlySkipped || AnySet(step, m_tables);
        return Next::Go;
    }
    if (dtmf && step.dtmfNotNeeded) {
        for (const StepFlag& flag : step.flags)
            flag.ref(m_tables) = false;
        return Next::Go;
    }
    const ControllerCommand command = step.build(m_tables);
    if (!command.hasForm(dtmf))
        return Next::Go;

    if (step.pauseBefore > 0)
        m_transport.pause(step.pauseBefore);
    const Outcome outcome = m_transport.send(command, step.unlockPort, step.framing);
    m_frameOpen = step.framing == Framing::NoLock;
    finishFlags(step, outcome);

    if (outcome == Outcome::Accepted && step.adopt)
        step.adopt(m_tables);
    if (outcome == Outcome::Refused || outcome == Outcome::GaveUp || m_tables.UpdateError) {
        m_tables.UpdateError = false;
        if (outcome == Outcome::Refused)
            tell(QStringLiteral("The Tarvex refused the command for %1. The upload stops here.").arg(step.name));
        return Next::Stop;
    }
    // A port that refused a line would refuse the rest: the transport has said why.
    if (outcome == Outcome::NotSent) {
        tell(QStringLiteral("The command for %1 was not sent to the Tarvex. The upload stops here.").arg(step.name));
        return Next::Stop;
    }
    if (outcome == Outcome::Interrupted || m_tables.UpdateInterrupted)
        return Next::Stop;
    if (step.pauseAfter > 0)
        m_transport.pause(step.pauseAfter);
    if (step.progress > 0)
        advance(step.progress);
    return Next::Go;
}

void UploadRunner::finishFlags(const UploadStep& step, Outcome outcome)
{
    const bool answered = outcome == Outcome::Accepted || outcome == Outcome::Refused;
    if (!answered) {
        ++m_unansweredCommands;
        for (const StepFlag& flag : step.flags)
            if (!m_unanswered.contains(flag.key))
                m_unanswered << flag.key;
        return;
    }
    const bool clear = step.clear == Clear::OnAcceptOrRefusal || (step.clear == Clear::OnAccept && outcome == Outcome::Accepted);
    if (!clear)
        return;
    for (const StepFlag& flag : step.flags)
        if (!m_unanswered.contains(flag.key)) // an earlier command for it got no answer
            flag.ref(m_tables) = false;
}
