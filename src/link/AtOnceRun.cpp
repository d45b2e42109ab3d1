#include "link/AtOnceRun.h"

#include "link/AtOnce.h"
#include "link/CommandTransport.h"
#include "link/SerialLink.h"
#include "platform/SoundOutput.h"
#include "store/SettingsTables.h"

namespace {

Status FailureOf(Outcome outcome, const ControllerCommand& command)
{
    switch (outcome) {
    case Outcome::Accepted: break;
    case Outcome::Refused:
        return Status::failure(QStringLiteral("The Tarvex refused %1").arg(CommandName(command)));
    case Outcome::TimedOut:
        return Status::failure(QStringLiteral("The Tarvex did not answer %1").arg(CommandName(command)));
    case Outcome::GaveUp:
        return Status::failure(QStringLiteral("Too many errors: the serial port was closed"));
    case Outcome::Interrupted:
        return Status::failure(QStringLiteral("%1 was not sent to the end").arg(CommandName(command)));
    case Outcome::NotSent:
        return Status::failure(QStringLiteral("%1 was not sent to the Tarvex").arg(CommandName(command)));
    }
    return Status::success();
}

class StepRunner {
public:
    StepRunner(const AtOnce& request, CommandTransport& transport, SerialLink& link, SoundOutput& sound,
               SettingsTables& tables)
        : m_request(request), m_transport(transport), m_link(link), m_sound(sound), m_tables(tables)
    {
    }

    Status run(const std::vector<AtOnceStep>& steps)
    {
        const bool dtmf = m_transport.dtmfMode();
        const bool oneMessage = m_request.oneMessage && !dtmf;
        if (oneMessage)
            m_link.holdMessages();
        std::vector<bool> done(steps.size(), false);
        std::size_t commandIndex = 0;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const AtOnceStep& step = steps[i];
            const std::size_t command = step.kind == AtOnceStep::Kind::Command ? commandIndex++ : 0;
            if (!step.runsIn(dtmf) || m_tables.UpdateInterrupted)
                continue;
            const bool closing = step.kind == AtOnceStep::Kind::Lock || (step.undoes && done[*step.undoes]);
            if (!m_result && !closing)
                continue;
            if (step.kind == AtOnceStep::Kind::Lock)
                adopt();
            const Status outcome = this->step(step, command);
            // The lock line's failure names itself ("did not acknowledge the lock code").
            if (step.kind == AtOnceStep::Kind::Lock && !outcome && m_result && m_unanswered && !m_namedStep)
                m_namedStep = outcome.reason();
            note(outcome);
            done[i] = true;
        }
        adopt();
        const Status result = m_result ? m_unanswered : m_result;
        if (oneMessage)
            tellOnce(result);
        return result;
    }

private:
    // Only once every command went out, and before the lock code.
    void adopt()
    {
        if (m_result && m_unanswered && m_request.adopt && !m_adopted)
            m_request.adopt(m_tables);
        m_adopted = true;
    }

    void note(const Status& status)
    {
        if (m_result && !status)
            m_result = status;
    }

    // The first message the run held back, the step named when it got no answer.
    void tellOnce(const Status& result)
    {
        const std::optional<SerialLink::HeldMessage> held = m_link.releaseMessages();
        if (result)
            return;
        if (!held) {
            m_link.report(result);
            return;
        }
        QString text = held->text;
        if (m_namedStep)
            text = QStringLiteral("%1. %2").arg(*m_namedStep, text);
        m_link.tellHeld({held->title, text});
    }

    Status step(const AtOnceStep& step, std::size_t commandIndex)
    {
        switch (step.kind) {
        case AtOnceStep::Kind::Command: return send(step, commandIndex);
        case AtOnceStep::Kind::SerialText: return shown(m_link.SendStr(step.text));
        case AtOnceStep::Kind::Pause: m_transport.pause(step.ms); return Status::success();
        case AtOnceStep::Kind::Sound: return playSound(step.wavImage);
        case AtOnceStep::Kind::Lock: return lock();
        }
        return Status::success();
    }

    Status send(const AtOnceStep& step, std::size_t commandIndex)
    {
        const ControllerCommand command = m_request.fresh ? m_request.fresh(commandIndex) : step.command;
        if (!m_transport.dtmfMode() && !step.awaitsReply)
            return m_transport.sendWithoutReply(command); // it has shown its failure
        const Outcome outcome =
            m_transport.send(command, m_request.unlockPort, m_framed ? Framing::Bare : Framing::NoLock);
        m_framed = true;
        // Only a line that went out can have reached the controller.
        const bool answered = outcome == Outcome::Accepted || outcome == Outcome::Refused;
        if (!m_transport.dtmfMode() && !answered && outcome != Outcome::NotSent && m_request.unanswered)
            m_request.unanswered();
        if (outcome == Outcome::TimedOut && m_result && m_unanswered && !m_namedStep)
            m_namedStep = FailureOf(outcome, command).reason();
        if (outcome == Outcome::TimedOut && m_request.goesOnUnanswered) {
            if (m_unanswered)
                m_unanswered = FailureOf(outcome, command);
            return Status::success();
        }
        return FailureOf(outcome, command);
    }

    // In DTMF mode a sound the run cannot take breaks the run, which the
    // transport shows as it ends. In serial mode the sound has a run of its
    // own, led in by silence: a sound server drops the first milliseconds of
    // a stream that starts with sound.
    Status playSound(const QByteArray& image)
    {
        if (m_transport.dtmfMode())
            return m_sound.playWav(image);
        Status played = m_sound.beginRun();
        if (played)
            played = m_sound.playSilence(SoundOutput::ServerBufferMs);
        if (played)
            played = m_sound.playWav(image);
        const Status ended = m_sound.endRun();
        return shown(played ? ended : played);
    }

    // The reply check and the port's opening show what stops the lock line.
    Status lock()
    {
        if (!m_transport.dtmfMode())
            return m_link.SendSerialLock();
        if (m_transport.lock() == Outcome::Accepted)
            return Status::success();
        return Status::failure(QStringLiteral("The lock code was not sent to the end"));
    }

    Status shown(const Status& status)
    {
        if (!status)
            m_link.report(status);
        return status;
    }

    const AtOnce& m_request;
    CommandTransport& m_transport;
    SerialLink& m_link;
    SoundOutput& m_sound;
    SettingsTables& m_tables;
    Status m_result = Status::success();
    Status m_unanswered = Status::success(); // the first command that got no answer, the run going on
    bool m_framed = false;
    bool m_adopted = false;
    // The first failure, when it was a step left without an answer (or the
    // lock line's), told by this name before the link's message.
    std::optional<QString> m_namedStep;
};

} // namespace

QString CommandName(const ControllerCommand& command)
{
    return command.serialLines.isEmpty() ? QStringLiteral("the command") : command.serialLines.join(u' ');
}

std::vector<AtOnceStep> AtOnce::run() const
{
    if (!steps.empty() || commands.empty())
        return steps;
    std::vector<AtOnceStep> made;
    for (std::size_t i = 0; i < commands.size(); ++i) {
        if (i < serialPausesMs.size())
            made.push_back(AtOnceStep::pause(serialPausesMs[i], AtOnceStep::Mode::Serial));
        made.push_back(AtOnceStep::sending(commands[i]));
    }
    // Serial lines need no lock code.
    if (lock)
        made.push_back(AtOnceStep::lock(AtOnceStep::Mode::Dtmf));
    return made;
}

Status RunAtOnce(const AtOnce& request, CommandTransport& transport, SerialLink& link, SoundOutput& sound,
                 SettingsTables& tables)
{
    return StepRunner(request, transport, link, sound, tables).run(request.run());
}
