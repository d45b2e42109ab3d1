#include "link/ChangesUpload.h"

#include "link/DtmfPlayer.h"
#include "link/UploadSteps.h"
#include "store/SettingsTables.h"

using namespace UploadSteps;
using S = SettingsTables;
using Id = CommandId;

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
    std::vector<UploadStep> s;
    auto wide = [&s](const char* name, Id id, bool S::*flag, const char* flagName, Clear clear = Clear::OnAcceptOrRefusal) {
        s.push_back(Command(name, id, 0, {Flag(flagName, flag)}, 1, clear));
    };
    auto perPort = [&s](const char* name, Id id, FlagArray S::*flag, const char* flagName, int p) {
        s.push_back(Command(name, id, p, {Flag(flagName, flag, p)}, p));
    };
    auto numbered = [&s](const char* name, Id id, FlagArray S::*flag, const char* flagName, int n, int item,
                         Clear clear = Clear::OnAcceptOrRefusal) {
        s.push_back(Command(name, id, item, {Flag(flagName, flag, n)}, 1, clear));
    };

    for (int p = 1; p <= Count::Ports; ++p)
        AppendPortTimers(s, p);
    wide("fan time", Id::FanTime, &S::FanTimeChanged, "FanTimeChanged");
    wide("fan select", Id::FanSelect, &S::FanSelectChanged, "FanSelectChanged");
    wide("transmit delay", Id::XmtDelay, &S::XmtDelayChanged, "XmtDelayChanged");
    wide("time-out link", Id::TimeoutLink, &S::TimeoutLinkChanged, "TimeoutLinkChanged");
    for (int p = 1; p <= Count::Ports; ++p)
        for (int t = 1; t <= Count::CourtesyTones; ++t)
            for (int seg = 1; seg <= 4; ++seg)
                s.push_back(CourtesySegment(p, t, seg));
    for (int p = 1; p <= Count::Ports; ++p) {
        perPort("voice ID 1 of port", Id::VoiceID1, &S::VoiceID1Changed, "VoiceID1Changed", p);
        perPort("voice ID 2 of port", Id::VoiceID2, &S::VoiceID2Changed, "VoiceID2Changed", p);
        perPort("voice ID 3 of port", Id::VoiceID3, &S::VoiceID3Changed, "VoiceID3Changed", p);
        perPort("CW ID 1 of port", Id::CWID1, &S::CWID1Changed, "CWID1Changed", p);
        perPort("CW ID 2 of port", Id::CWID2, &S::CWID2Changed, "CWID2Changed", p);
        perPort("CW speed of port", Id::CWSpeed, &S::CWSpeedChanged, "CWSpeedChanged", p);
        s.push_back(CWTones(p));
    }
    s.push_back(LockStep());
    s.push_back(TerminatorStep());
    wide("command prefix", Id::CommandPrefix, &S::CommandPrefixChanged, "CommandPrefixChanged", Clear::Later);
    wide("DTMF port", Id::DTMFPort, &S::CommandPrefixChanged, "CommandPrefixChanged", Clear::Later);
    wide("DTMF speech", Id::DTMFSpeech, &S::CommandPrefixChanged, "CommandPrefixChanged");
    wide("autopatch prefix", Id::APPrefix, &S::APPrefixChanged, "APPrefixChanged");
    wide("answer code", Id::AnswerCode, &S::AnswerCodeChanged, "AnswerCodeChanged");
    for (int n = 1; n <= Count::AutoDialSlots; ++n)
        numbered("autodial slot", Id::AutoDial, &S::AutoDialChanged, "AutoDialChanged", n, n, Clear::OnAccept);
    for (int n = 1; n <= Count::TollEntries; ++n)
        numbered("toll entry", Id::TollRestrict, &S::TollRestrictChanged, "TollRestrictChanged", n, n, Clear::OnAccept);
    wide("ring number", Id::RingNumber, &S::RingNumberChanged, "RingNumberChanged");
    wide("autopatch time-out", Id::APTimeOut, &S::APTimeOutChanged, "APTimeOutChanged");
    wide("patch enable", Id::EnablePatch, &S::EnablePatchChanged, "EnablePatchChanged");
    wide("patch mute", Id::PatchMute, &S::PatchMuteChanged, "PatchMuteChanged");
    wide("DTMF test prefix", Id::DTMFTestPrefix, &S::DTMFTestPrefixChanged, "DTMFTestPrefixChanged");
    wide("pre-access prefix", Id::PreAccessPrefix, &S::PreAccessPrefixChanged, "PreAccessPrefixChanged");
    wide("pre-program prefix", Id::PreProgramPrefix, &S::PreProgramPrefixChanged, "PreProgramPrefixChanged");
    wide("macro subset", Id::MacroSubset, &S::MacroSubsetValueChanged, "MacroSubsetValueChanged");
    wide("macro subset enable", Id::MacroSubsetEnable, &S::MacroSubsetEnableChanged, "MacroSubsetEnableChanged");
    wide("DTMF mute digit select", Id::DTMFMuteDigitSelect, &S::DTMFMuteDigitSelectValueChanged,
         "DTMFMuteDigitSelectValueChanged");
    for (int n = 1; n <= Count::SetPoints; ++n)
        numbered("set point", Id::SetPoint, &S::SetPointChanged, "SetPointChanged", n, n);
    wide("say year", Id::SayYear, &S::SayYearChanged, "SayYearChanged");
    wide("24-hour clock", Id::TwentyFour, &S::TwentyFourChanged, "TwentyFourChanged");
    wide("say hour", Id::SayHour, &S::SayHourChanged, "SayHourChanged");
    wide("clock correction", Id::ClockCorrection, &S::ClockCorrectionChanged, "ClockCorrectionChanged");
    for (int n = 1; n <= Count::Meters; ++n)
        numbered("meter", Id::Meter, &S::MeterChanged, "MeterChanged", n, n);
    numbered("reference voltage", Id::Vref, &S::MeterChanged, "MeterChanged", Count::Meters + 1, 0);
    for (int n = 1; n <= Count::MeterAlarms; ++n)
        s.push_back(MeterAlarm(n));
    for (int n = 1; n <= Count::Meters; ++n)
        numbered("meter alarm enable", Id::MeterAlarmEnable, &S::MeterAlarmChanged, "MeterAlarmChanged", n, n);
    {
        UploadStep radio = Command("radio type", Id::RadioType, 0, {Flag("RadioTypeChanged", &S::RadioTypeChanged)});
        radio.build = [](const S& t) {
            ControllerCommand c = BuildCommand(Id::RadioType, t);
            const ControllerCommand yaesu = BuildCommand(Id::YaesuType, t);
            c.serialLines += yaesu.serialLines;
            c.dtmf += yaesu.dtmf;
            return c;
        };
        s.push_back(std::move(radio));
    }
    wide("remote base prefix", Id::RemoteBasePrefix, &S::RemoteBasePrefixChanged, "RemoteBasePrefixChanged");
    for (int m = 1; m <= Count::RemoteMemories; ++m)
        s.push_back(RemoteMemory(m, CommandId::FreqMemory, Framing::Full));
    for (int n = 1; n <= Count::LongMacros; ++n)
        numbered("macro", Id::Macro, &S::MacroChanged, "MacroChanged", n, n);
    for (int n = 1; n <= Count::LongMacros; ++n)
        numbered("macro code", Id::MacroCode, &S::MacroCodeChanged, "MacroCodeChanged", n, n);
    for (int n = 1; n <= Count::ShortMacros; ++n)
        numbered("macro", Id::Macro, &S::ShortMacroChanged, "ShortMacroChanged", n, n + Count::LongMacros);
    for (int n = 1; n <= Count::ShortMacros; ++n)
        numbered("macro code", Id::MacroCode, &S::ShortMacroCodeChanged, "ShortMacroCodeChanged", n, n + Count::LongMacros);
    for (int n = 1; n <= Count::Macros; ++n)
        numbered("port to allow", Id::PortToAllow, &S::PortToAllowChanged, "PortToAllowChanged", n, n, Clear::OnAccept);
    for (int n = 1; n <= Count::AlarmInputs; ++n)
        for (UploadStep& step : AlarmMacros(n))
            s.push_back(std::move(step));
    for (int p = 1; p <= Count::Ports; ++p) {
        perPort("ID 1 extras of port", Id::ID1Extras, &S::ID1ExtrasChanged, "ID1ExtrasChanged", p);
        perPort("ID 2 extras of port", Id::ID2Extras, &S::ID2ExtrasChanged, "ID2ExtrasChanged", p);
        perPort("ID 3 extras of port", Id::ID3Extras, &S::ID3ExtrasChanged, "ID3ExtrasChanged", p);
        perPort("speech enable of port", Id::SpeechEnable, &S::SpeechEnableChanged, "SpeechEnableChanged", p);
    }
    for (int n = 1; n <= Count::MessageMacros; ++n)
        numbered("message macro", Id::MessageMacro, &S::MessageMacroChanged, "MessageMacroChanged", n, n);
    for (int n = 1; n <= Count::DTMFMemories; ++n)
        numbered("DTMF memory", Id::DTMFMemory, &S::DTMFMemoryChanged, "DTMFMemoryChanged", n, n);
    wide("DTMF duration", Id::DTMFDur, &S::DTMFDurChanged, "DTMFDurChanged");
    wide("DTMF delay", Id::DTMFDelay, &S::DTMFDelayChanged, "DTMFDelayChanged");
    for (int p = 1; p <= Count::Ports; ++p) {
        s.push_back(PortUnlock(p));
        AppendPortSwitches(s, p);
    }
    for (int n = 1; n <= Count::AlarmInputs; ++n)
        numbered("alarm input", Id::Alarm, &S::AlarmChanged, "AlarmChanged", n, n);
    wide("terminator speech", Id::AllowTerminatorSpeech, &S::AllowTerminatorSpeechChanged, "AllowTerminatorSpeechChanged");
    return s;
}
