#include "link/ChangesUpload.h"

#include "link/CommandCatalogue.h"
#include "link/DtmfPlayer.h"
#include "link/UploadOrder.h"
#include "store/SettingsTables.h"

using S = SettingsTables;

namespace {

bool AllKeys(const QString& code)
{
    for (const QChar c : code)
        if (!IsDtmfKey(c))
            return false;
    return !code.isEmpty();
}

// The lock code takes effect only once the controller has it.
UploadStep LockStep()
{
    UploadStep step;
    step.name = QStringLiteral("lock code");
    step.build = [](const S& t) { return LockChangeCommand(t.NewLock); };
    step.flags = {Flag("LockChanged", &S::LockChanged)};
    step.clear = Clear::OnAcceptOrRefusal;
    step.lockAfterAdopt = true;
    step.adopt = [](S& t) { t.CurrentLock = t.NewLock; };
    step.refuse = [](const S& t) {
        const QString code = t.NewLock.trimmed();
        const QString term = t.TerminatorChanged ? t.NewTerminator.trimmed() : t.Terminator.trimmed();
        return code.size() <= 4 && AllKeys(code) && code != term
            ? QString()
            : QStringLiteral("The new lock code is not sent: it must be one to four keys and differ from the terminator.");
    };
    return step;
}

UploadStep TerminatorStep()
{
    UploadStep step;
    step.name = QStringLiteral("terminator");
    step.build = [](const S& t) { return TerminatorChangeCommand(t.NewTerminator); };
    step.flags = {Flag("TerminatorChanged", &S::TerminatorChanged)};
    step.clear = Clear::OnAcceptOrRefusal;
    step.lockAfterAdopt = true;
    step.adopt = [](S& t) { t.Terminator = t.NewTerminator; };
    step.refuse = [](const S& t) {
        const QString code = t.NewTerminator.trimmed();
        return code.size() == 1 && AllKeys(code) && code != t.CurrentLock.trimmed()
            ? QString()
            : QStringLiteral("The new terminator is not sent: it must be one key and differ from the lock code.");
    };
    return step;
}

// The radio's type and model under one frame.
UploadStep RadioStep()
{
    UploadStep radio = Row({StepId::RadioType});
    const UploadStep model = Row({StepId::YaesuType});
    radio.build = [type = radio.build, model = model.build](const S& t) {
        ControllerCommand c = type(t);
        const ControllerCommand m = model(t);
        c.serialLines += m.serialLines;
        c.dtmf += m.dtmf;
        return c;
    };
    radio.clear = model.clear;
    return radio;
}

} // namespace

ChangesUpload::ChangesUpload(SettingsTables& tables, CommandTransport& transport, Dialogs& dialogs)
    : m_runner(tables, transport, dialogs)
{
}

UploadRunner::Result ChangesUpload::run()
{
    UploadRunner::Plan plan;
    plan.steps = steps();
    plan.endText = QStringLiteral("Update Complete");
    plan.endTextOnlyWhenAllAnswered = true;
    return m_runner.run(plan);
}

std::vector<UploadStep> ChangesUpload::steps()
{
    using enum StepId;
    StepList s;
    s.add(Sections::TimersTonesAndIdentifiers);
    s.add(LockStep()).add(TerminatorStep());
    s.add(Sections::CodesAndAutopatch);
    s.add(Sections::SchedulerAndMeters);
    s.add(RadioStep());
    s.add({{RemoteBasePrefix}, {FreqMemory}, {Macro}, {MacroCode}, {ShortMacro}, {ShortMacroCode}, {PortToAllow}});
    s.add(Sections::AlarmMacrosExtrasAndMessages);
    // Each port's unlock code goes out with its switches.
    Run portCodes{PortUnlock};
    portCodes.insert(portCodes.end(), Sections::PortSwitches.begin(), Sections::PortSwitches.end());
    s.add({{DTMFMemory}, {DTMFDur, DTMFDelay}, portCodes, {Alarm}, {AllowTerminatorSpeech}});
    return s.take();
}
