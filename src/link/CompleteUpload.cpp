#include "link/CompleteUpload.h"

#include "link/UploadSteps.h"
#include "platform/Dialogs.h"
#include "store/SettingsTables.h"

using namespace UploadSteps;
using S = SettingsTables;
using Id = CommandId;

namespace {

constexpr int kCourtesyPause = 50;

void AppendCourtesyPass(std::vector<UploadStep>& s, int p, int tone)
{
    for (int seg = 1; seg <= 4; ++seg) {
        UploadStep step = CourtesySegment(p, tone, seg);
        step.pauseAfter = seg < 4 ? kCourtesyPause : 0;
        s.push_back(std::move(step));
    }
    // Each pass waits twice more, placed by port.
    UploadStep& first = s[s.size() - 4];
    UploadStep& last = s.back();
    first.pauseBefore = p == 2 ? kCourtesyPause : p == 3 ? 2 * kCourtesyPause : 0;
    last.pauseAfter = p == 1 ? 2 * kCourtesyPause : p == 2 ? kCourtesyPause : 0;
    last.progress = 1;
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
    std::vector<UploadStep> s;
    auto add = [&s](const char* name, Id id, int item, std::vector<StepFlag> flags, int port = 1, int progress = 0,
                    Clear clear = Clear::OnAcceptOrRefusal) {
        s.push_back(Command(name, id, item, std::move(flags), port, clear));
        s.back().progress = progress;
    };

    {
        // The controller still expects the terminator in use; the frame stays open.
        UploadStep terminator;
        terminator.name = QStringLiteral("terminator");
        terminator.build = [](const S& t) { return TerminatorChangeCommand(t.Terminator); };
        terminator.framing = Framing::NoLock;
        s.push_back(std::move(terminator));
    }
    for (int p = 1; p <= Count::Ports; ++p) {
        AppendPortTimers(s, p);
        s[s.size() - 3].progress = 1; // the auxiliary time
        s.back().progress = 1;
    }
    add("fan time", Id::FanTime, 0, {Flag("FanTimeChanged", &S::FanTimeChanged)});
    add("fan select", Id::FanSelect, 0, {Flag("FanSelectChanged", &S::FanSelectChanged)}, 1, 1);
    add("transmit delay", Id::XmtDelay, 0, {Flag("XmtDelayChanged", &S::XmtDelayChanged)});
    add("time-out link", Id::TimeoutLink, 0, {Flag("TimeoutLinkChanged", &S::TimeoutLinkChanged)});
    for (int p = 1; p <= Count::Ports; ++p)
        for (int t = 1; t <= Count::CourtesyTones; ++t)
            AppendCourtesyPass(s, p, t);
    for (int p = 1; p <= Count::Ports; ++p) {
        add("voice ID 1 of port", Id::VoiceID1, p, {Flag("VoiceID1Changed", &S::VoiceID1Changed, p)}, p);
        add("voice ID 2 of port", Id::VoiceID2, p, {Flag("VoiceID2Changed", &S::VoiceID2Changed, p)}, p);
        add("voice ID 3 of port", Id::VoiceID3, p, {Flag("VoiceID3Changed", &S::VoiceID3Changed, p)}, p);
        add("CW ID 1 of port", Id::CWID1, p, {Flag("CWID1Changed", &S::CWID1Changed, p)}, p);
        add("CW ID 2 of port", Id::CWID2, p, {Flag("CWID2Changed", &S::CWID2Changed, p)}, p);
        add("CW speed of port", Id::CWSpeed, p, {Flag("CWSpeedChanged", &S::CWSpeedChanged, p)}, p);
        s.push_back(CWTones(p));
        s.back().progress = 1;
    }
    for (int n = 1; n <= Count::SetPoints; ++n)
        add("set point", Id::SetPoint, n, {Flag("SetPointChanged", &S::SetPointChanged, n)}, 1, 1);
    add("say year", Id::SayYear, 0, {Flag("SayYearChanged", &S::SayYearChanged)});
    add("24-hour clock", Id::TwentyFour, 0, {Flag("TwentyFourChanged", &S::TwentyFourChanged)});
    add("say hour", Id::SayHour, 0, {Flag("SayHourChanged", &S::SayHourChanged)});
    add("clock correction", Id::ClockCorrection, 0, {Flag("ClockCorrectionChanged", &S::ClockCorrectionChanged)});
    for (int n = 1; n <= Count::Meters; ++n)
        add("meter", Id::Meter, n, {Flag("MeterChanged", &S::MeterChanged, n)});
    add("reference voltage", Id::Vref, 0, {Flag("MeterChanged", &S::MeterChanged, Count::Meters + 1)});
    for (int n = 1; n <= Count::MeterAlarms; ++n)
        s.push_back(MeterAlarm(n));
    for (int n = 1; n <= Count::Meters; ++n)
        add("meter alarm enable", Id::MeterAlarmEnable, n, {Flag("MeterAlarmChanged", &S::MeterAlarmChanged, n)});
    add("radio type", Id::RadioType, 0, {Flag("RadioTypeChanged", &S::RadioTypeChanged)}, 1, 0, Clear::Later);
    add("radio model", Id::YaesuType, 0, {Flag("RadioTypeChanged", &S::RadioTypeChanged)});
    add("remote base prefix", Id::RemoteBasePrefix, 0, {Flag("RemoteBasePrefixChanged", &S::RemoteBasePrefixChanged)}, 1, 1);
    // The ten memories go out under one lock code.
    for (int m = 1; m <= Count::RemoteMemories; ++m)
        s.push_back(RemoteMemory(m, Id::FreqMemory, m < Count::RemoteMemories ? Framing::NoLock : Framing::Full));
    for (int n = 1; n <= Count::LongMacros; ++n)
        add("macro", Id::Macro, n, {Flag("MacroChanged", &S::MacroChanged, n)}, 1, 1);
    for (int n = 1; n <= Count::LongMacros; ++n)
        add("macro code", Id::MacroCode, n, {Flag("MacroCodeChanged", &S::MacroCodeChanged, n)}, 1, 1);
    for (int n = 1; n <= Count::Macros; ++n)
        add("port to allow", Id::PortToAllow, n, {Flag("PortToAllowChanged", &S::PortToAllowChanged, n)}, 1, 1);
    for (int n = 1; n <= Count::AlarmInputs; ++n)
        for (UploadStep& step : AlarmMacros(n))
            s.push_back(std::move(step));
    for (int p = 1; p <= Count::Ports; ++p) {
        add("ID 1 extras of port", Id::ID1Extras, p, {Flag("ID1ExtrasChanged", &S::ID1ExtrasChanged, p)}, p);
        add("ID 2 extras of port", Id::ID2Extras, p, {Flag("ID2ExtrasChanged", &S::ID2ExtrasChanged, p)}, p);
        add("ID 3 extras of port", Id::ID3Extras, p, {Flag("ID3ExtrasChanged", &S::ID3ExtrasChanged, p)}, p, 1);
        add("speech enable of port", Id::SpeechEnable, p, {Flag("SpeechEnableChanged", &S::SpeechEnableChanged, p)}, p, 2);
    }
    for (int n = 1; n <= Count::MessageMacros; ++n)
        add("message macro", Id::MessageMacro, n, {Flag("MessageMacroChanged", &S::MessageMacroChanged, n)}, 1, 1);
    for (int n = 1; n <= Count::ShortMacros; ++n)
        add("macro code", Id::MacroCode, n + Count::LongMacros,
            {Flag("ShortMacroCodeChanged", &S::ShortMacroCodeChanged, n)}, 1, 1);
    for (int n = 1; n <= Count::DTMFMemories; ++n)
        add("DTMF memory", Id::DTMFMemory, n, {Flag("DTMFMemoryChanged", &S::DTMFMemoryChanged, n)});
    add("DTMF duration", Id::DTMFDur, 0, {Flag("DTMFDurChanged", &S::DTMFDurChanged)});
    add("DTMF delay", Id::DTMFDelay, 0, {Flag("DTMFDelayChanged", &S::DTMFDelayChanged)}, 1, 1);
    for (int p = 1; p <= Count::Ports; ++p) {
        s.push_back(PortUnlock(p));
    }
    {
        UploadStep lock;
        lock.name = QStringLiteral("lock code");
        lock.build = [](const S& t) { return LockChangeCommand(t.CurrentLock); };
        lock.serialOnly = true;
        s.push_back(std::move(lock));
    }
    add("command prefix", Id::CommandPrefix, 0, {Flag("CommandPrefixChanged", &S::CommandPrefixChanged)}, 1, 0, Clear::Later);
    add("DTMF port", Id::DTMFPort, 0, {Flag("CommandPrefixChanged", &S::CommandPrefixChanged)}, 1, 0, Clear::Later);
    add("DTMF speech", Id::DTMFSpeech, 0, {Flag("CommandPrefixChanged", &S::CommandPrefixChanged)});
    add("autopatch prefix", Id::APPrefix, 0, {Flag("APPrefixChanged", &S::APPrefixChanged)});
    add("answer code", Id::AnswerCode, 0, {Flag("AnswerCodeChanged", &S::AnswerCodeChanged)}, 1, 1);
    for (int n = 1; n <= Count::AutoDialSlots; ++n)
        add("autodial slot", Id::AutoDial, n, {Flag("AutoDialChanged", &S::AutoDialChanged, n)}, 1, 1, Clear::OnAccept);
    for (int n = 1; n <= Count::TollEntries; ++n)
        add("toll entry", Id::TollRestrict, n, {Flag("TollRestrictChanged", &S::TollRestrictChanged, n)}, 1, 1, Clear::OnAccept);
    add("ring number", Id::RingNumber, 0, {Flag("RingNumberChanged", &S::RingNumberChanged)}, 1, 1);
    add("autopatch time-out", Id::APTimeOut, 0, {Flag("APTimeOutChanged", &S::APTimeOutChanged)});
    add("patch enable", Id::EnablePatch, 0, {Flag("EnablePatchChanged", &S::EnablePatchChanged)});
    add("patch mute", Id::PatchMute, 0, {Flag("PatchMuteChanged", &S::PatchMuteChanged)});
    add("DTMF test prefix", Id::DTMFTestPrefix, 0, {Flag("DTMFTestPrefixChanged", &S::DTMFTestPrefixChanged)});
    add("pre-access prefix", Id::PreAccessPrefix, 0, {Flag("PreAccessPrefixChanged", &S::PreAccessPrefixChanged)});
    add("pre-program prefix", Id::PreProgramPrefix, 0, {Flag("PreProgramPrefixChanged", &S::PreProgramPrefixChanged)});
    add("macro subset", Id::MacroSubset, 0, {Flag("MacroSubsetValueChanged", &S::MacroSubsetValueChanged)});
    add("macro subset enable", Id::MacroSubsetEnable, 0, {Flag("MacroSubsetEnableChanged", &S::MacroSubsetEnableChanged)});
    add("DTMF mute digit select", Id::DTMFMuteDigitSelect, 0,
        {Flag("DTMFMuteDigitSelectValueChanged", &S::DTMFMuteDigitSelectValueChanged)});
    for (int p = 1; p <= Count::Ports; ++p) {
        const std::size_t first = s.size();
        AppendPortSwitches(s, p);
        for (std::size_t i = first; i < first + 12; ++i)
            s[i].progress = 1; // the twelve switches
        s[first + 13].progress = 1; // CTCSS ID
    }
    for (int n = 1; n <= Count::AlarmInputs; ++n)
        add("alarm input", Id::Alarm, n, {Flag("AlarmChanged", &S::AlarmChanged, n)});
    add("terminator speech", Id::AllowTerminatorSpeech, 0,
        {Flag("AllowTerminatorSpeechChanged", &S::AllowTerminatorSpeechChanged)});
    for (int n = 1; n <= Count::ShortMacros; ++n)
        add("macro", Id::Macro, n + Count::LongMacros, {Flag("ShortMacroChanged", &S::ShortMacroChanged, n)}, 1, 1);
    return s;
}
