#include "link/CompleteUpload.h"

#include "link/CommandCatalogue.h"
#include "link/UploadOrder.h"
#include "platform/Dialogs.h"
#include "store/SettingsTables.h"

using S = SettingsTables;
using Id = CommandId;

namespace {

// Rows after which the bar moves, and by how much: 722 in a full run.
constexpr std::pair<StepId, int> kAdvances[] = {
    {StepId::AuxTime, 1}, {StepId::GeneralTimerMacro, 1}, {StepId::FanSelect, 1}, {StepId::CourtesySegment4, 1},
    {StepId::CWTones, 1}, {StepId::SetPoint, 1}, {StepId::RemoteBasePrefix, 1}, {StepId::Macro, 1},
    {StepId::MacroCode, 1}, {StepId::PortToAllow, 1}, {StepId::ID3Extras, 1}, {StepId::SpeechEnable, 2},
    {StepId::MessageMacro, 1}, {StepId::ShortMacroCode, 1}, {StepId::DTMFDelay, 1}, {StepId::AnswerCode, 1},
    {StepId::AutoDial, 1}, {StepId::TollRestrict, 1}, {StepId::RingNumber, 1}, {StepId::TxEnable, 1},
    {StepId::RxEnable, 1}, {StepId::FDup, 1}, {StepId::PLAccess, 1}, {StepId::DTMFEnable, 1},
    {StepId::DTMFNeedPL, 1}, {StepId::DTMFMute, 1}, {StepId::DTMFCovertone, 1}, {StepId::MonMix, 1},
    {StepId::Kerchunk, 1}, {StepId::SpeechOverride, 1}, {StepId::SpeechIDOverride, 1}, {StepId::CTCSSID, 1},
    {StepId::ShortMacro, 1},
};

constexpr int kCourtesyPause = 50;

// What this upload does otherwise than the changes-only upload.
void Differences(const StepKey& key, UploadStep& step)
{
    for (const auto& [id, by] : kAdvances)
        if (id == key.id)
            step.progress = by;
    // Each pass over a tone waits after its first three segments, and twice
    // more, placed by port: after the fourth on port 1, around on port 2,
    // before the first on port 3.
    if (const int segment = CourtesySegmentOf(key.id); segment > 0) {
        if (segment == 1)
            step.pauseBefore = (key.port - 1) * kCourtesyPause;
        step.pauseAfter = segment < 4 ? kCourtesyPause : (Count::Ports - key.port) * kCourtesyPause;
    }
    // The ten memories go out under one lock code.
    if (key.id == StepId::FreqMemory && key.item < Count::RemoteMemories)
        step.framing = Framing::NoLock;
    // Cleared whatever the answer; the changes-only upload sends a refused one again.
    if (key.id == StepId::PortToAllow)
        step.clear = Clear::OnAcceptOrRefusal;
}

// The controller still expects the terminator in use; the frame stays open.
UploadStep TerminatorInUse()
{
    UploadStep terminator;
    terminator.name = QStringLiteral("terminator");
    terminator.build = [](const S& t) { return TerminatorChangeCommand(t.Terminator); };
    terminator.framing = Framing::NoLock;
    return terminator;
}

UploadStep LockInUse()
{
    UploadStep lock;
    lock.name = QStringLiteral("lock code");
    lock.build = [](const S& t) { return LockChangeCommand(t.CurrentLock); };
    lock.serialOnly = true;
    return lock;
}

} // namespace

CompleteUpload::CompleteUpload(SettingsTables& tables, CommandTransport& transport, Dialogs& dialogs)
    : m_dialogs(dialogs), m_runner(tables, transport, dialogs)
{
}

UploadRunner::Result CompleteUpload::run()
{
    const Dialogs::Answer answer = m_dialogs.message(
        QStringLiteral("Send Complete Configuration"),
        QStringLiteral("Are you sure you want to update your complete configuration? It could take some time"),
        Dialogs::Buttons::YesNo, Dialogs::Icon::Question);
    if (answer != Dialogs::Answer::Yes)
        return UploadRunner::Result::NotStarted;
    UploadRunner::Plan plan;
    plan.steps = steps();
    plan.sendAll = true;
    plan.progressMaximum = ProgressMaximum;
    plan.endText = QStringLiteral("Complete Upload Is Complete. The Tarvex will now reset.");
    plan.finalCommand = [](const S& t) { return BuildCommand(Id::Reset, t); };
    return m_runner.run(plan);
}

std::vector<UploadStep> CompleteUpload::steps()
{
    using enum StepId;
    StepList s(Differences);
    s.add(TerminatorInUse());
    s.add(Sections::TimersTonesAndIdentifiers);
    s.add(Sections::SchedulerAndMeters);
    s.add({{RadioType, YaesuType}, {RemoteBasePrefix}, {FreqMemory}, {Macro}, {MacroCode}, {PortToAllow}});
    s.add(Sections::AlarmMacrosExtrasAndMessages);
    s.add({{ShortMacroCode}, {DTMFMemory}, {DTMFDur, DTMFDelay}, {PortUnlock}});
    s.add(LockInUse());
    s.add(Sections::CodesAndAutopatch);
    s.add({Sections::PortSwitches, {Alarm}, {AllowTerminatorSpeech}, {ShortMacro}});
    return s.take();
}
