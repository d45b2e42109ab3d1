#include "link/ChangesUpload.h"

#include "link/CommandCatalogue.h"
#include "link/DtmfPlayer.h"
#include "link/UploadOrder.h"
#include "store/SettingsTables.h"

using S = SettingsTables;

namespace {

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
