#include "link/UploadSteps.h"

#include "link/CommandCatalogue.h"
#include "store/CourtesyArrays.h"
#include "store/SettingsTables.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>

namespace {

using S = SettingsTables;
using Id = CommandId;

enum class Loop { Ports, PortTones, Once, Items };

// A row's changed flag: one flag, or the element of an array that is the
// step's port or item (or a fixed element).
struct RowFlag {
    const char* name = nullptr;
    FlagArray S::* array = nullptr;
    bool S::* single = nullptr;
    int element = 0;
};

RowFlag By(const char* name, FlagArray S::* array) { return {name, array, nullptr, 0}; }
RowFlag One(const char* name, bool S::* single) { return {name, nullptr, single, 0}; }

struct TableRow {
    StepId id;
    Loop loop;
    const char* name; // for the user; a port or item number follows
    std::optional<CommandId> command;
    RowFlag flag;
    Clear clear = Clear::OnAcceptOrRefusal;
    int count = 0;        // the items of a numbered row
    int macroOffset = 0;  // short macros go out as macros 41 to 90
};

constexpr Clear Accepted = Clear::OnAccept;
constexpr Clear Later = Clear::Later;

TableRow Port(StepId id, const char* name, std::optional<CommandId> command, RowFlag flag,
              Clear clear = Clear::OnAcceptOrRefusal)
{
    return {id, Loop::Ports, name, command, flag, clear};
}

TableRow Once(StepId id, const char* name, CommandId command, RowFlag flag, Clear clear = Clear::OnAcceptOrRefusal)
{
    return {id, Loop::Once, name, command, flag, clear};
}

TableRow Items(StepId id, int count, const char* name, CommandId command, RowFlag flag,
               Clear clear = Clear::OnAcceptOrRefusal, int macroOffset = 0)
{
    return {id, Loop::Items, name, command, flag, clear, count, macroOffset};
}

// Named and flagged by port, tone and segment; see CourtesySegment().
TableRow Courtesy(StepId id) { return {id, Loop::PortTones, "courtesy tone", std::nullopt, {}, Clear::OnAccept}; }

const TableRow kRows[] = {
    Port(StepId::HangTime, "hang time of port", Id::HangTime, By("HangTimeChanged", &S::HangTimeChanged), Accepted),
    Port(StepId::TimeOut, "time-out of port", Id::TimeOut, By("TimeOutChanged", &S::TimeOutChanged), Accepted),
    Port(StepId::IIDTime, "initial ID time of port", Id::IIDTime, By("IIDTimeChanged", &S::IIDTimeChanged), Accepted),
    Port(StepId::PIDTime, "pending ID time of port", Id::PIDTime, By("PIDTimeChanged", &S::PIDTimeChanged), Accepted),
    Port(StepId::InActiveTime, "inactive time of port", Id::InActiveTime,
         By("InActiveTimeChanged", &S::InActiveTimeChanged), Accepted),
    Port(StepId::InActivityMacro, "inactivity macro of port", Id::InActivityMacro,
         By("InActivityMacroChanged", &S::InActivityMacroChanged), Accepted),
    Port(StepId::DTMFTime, "DTMF time of port", Id::DTMFTime, By("DTMFTimeChanged", &S::DTMFTimeChanged), Accepted),
    Port(StepId::CTCSSTime, "CTCSS time of port", Id::CTCSSTime, By("CTCSSTimeChanged", &S::CTCSSTimeChanged),
         Accepted),
    Port(StepId::KerchunkTime, "kerchunk time of port", Id::KerchunkTime,
         By("KerchunkTimeChanged", &S::KerchunkTimeChanged), Accepted),
    Port(StepId::IDSpeakTime, "ID speak time of port", Id::IDSpeakTime,
         By("IDSpeakTimeChanged", &S::IDSpeakTimeChanged), Accepted),
    Port(StepId::AnnounceTime, "announce time of port", Id::AnnounceTime,
         By("AnnounceTimeChanged", &S::AnnounceTimeChanged), Accepted),
    Port(StepId::AuxTime, "auxiliary time of port", Id::AuxTime, By("AuxTimeChanged", &S::AuxTimeChanged)),
    // One flag covers the timer and its macro; the macro's step clears it.
    Port(StepId::GeneralTimer, "general timer", Id::GeneralTimer, By("GeneralTimerChanged", &S::GeneralTimerChanged),
         Later),
    Port(StepId::GeneralTimerMacro, "general timer macro", Id::GeneralTimerMacro,
         By("GeneralTimerChanged", &S::GeneralTimerChanged)),
    Port(StepId::VoiceID1, "voice ID 1 of port", Id::VoiceID1, By("VoiceID1Changed", &S::VoiceID1Changed)),
    Port(StepId::VoiceID2, "voice ID 2 of port", Id::VoiceID2, By("VoiceID2Changed", &S::VoiceID2Changed)),
    Port(StepId::VoiceID3, "voice ID 3 of port", Id::VoiceID3, By("VoiceID3Changed", &S::VoiceID3Changed)),
    Port(StepId::CWID1, "CW ID 1 of port", Id::CWID1, By("CWID1Changed", &S::CWID1Changed)),
    Port(StepId::CWID2, "CW ID 2 of port", Id::CWID2, By("CWID2Changed", &S::CWID2Changed)),
    Port(StepId::CWSpeed, "CW speed of port", Id::CWSpeed, By("CWSpeedChanged", &S::CWSpeedChanged)),
    // With CWTone2Changed too; see Finish().
    Port(StepId::CWTones, "CW tones of port", Id::CWTones, By("CWTone1Changed", &S::CWTone1Changed)),
    Port(StepId::ID1Extras, "ID 1 extras of port", Id::ID1Extras, By("ID1ExtrasChanged", &S::ID1ExtrasChanged)),
    Port(StepId::ID2Extras, "ID 2 extras of port", Id::ID2Extras, By("ID2ExtrasChanged", &S::ID2ExtrasChanged)),
    Port(StepId::ID3Extras, "ID 3 extras of port", Id::ID3Extras, By("ID3ExtrasChanged", &S::ID3ExtrasChanged)),
    Port(StepId::SpeechEnable, "speech enable of port", Id::SpeechEnable,
         By("SpeechEnableChanged", &S::SpeechEnableChanged)),
    Port(StepId::PortUnlock, "unlock code of port", std::nullopt,
         By("CurrentPortUnlockChanged", &S::CurrentPortUnlockChanged)),
    Port(StepId::TxEnable, "transmitter enable of port", Id::TxEnable, By("TxEnableChanged", &S::TxEnableChanged)),
    Port(StepId::RxEnable, "receiver enable of port", Id::RxEnable, By("RxEnableChanged", &S::RxEnableChanged)),
    Port(StepId::FDup, "full duplex of port", Id::FDup, By("FDupChanged", &S::FDupChanged)),
    Port(StepId::PLAccess, "PL access of port", Id::PLAccess, By("PLAccessChanged", &S::PLAccessChanged)),
    Port(StepId::DTMFEnable, "DTMF enable of port", Id::DTMFEnable, By("DTMFEnableChanged", &S::DTMFEnableChanged)),
    Port(StepId::DTMFNeedPL, "DTMF needs PL of port", Id::DTMFNeedPL, By("DTMFNeedPLChanged", &S::DTMFNeedPLChanged)),
    Port(StepId::DTMFMute, "DTMF mute of port", Id::DTMFMute, By("DTMFMuteChanged", &S::DTMFMuteChanged)),
    Port(StepId::DTMFCovertone, "DTMF covertone of port", Id::DTMFCovertone,
         By("DTMFCovertoneChanged", &S::DTMFCovertoneChanged)),
    Port(StepId::MonMix, "monitor mix of port", Id::MonMix, By("MonMixChanged", &S::MonMixChanged)),
    Port(StepId::Kerchunk, "kerchunk of port", Id::Kerchunk, By("KerchunkChanged", &S::KerchunkChanged)),
    Port(StepId::SpeechOverride, "speech override of port", Id::SpeechOverride,
         By("SpeechOverrideChanged", &S::SpeechOverrideChanged)),
    Port(StepId::SpeechIDOverride, "speech ID override of port", Id::SpeechIDOverride,
         By("SpeechIDOverrideChanged", &S::SpeechIDOverrideChanged)),
    Port(StepId::CTCSSCT, "CTCSS courtesy tone of port", Id::CTCSSCT, By("CTCSSCTChanged", &S::CTCSSCTChanged)),
    Port(StepId::CTCSSID, "CTCSS ID of port", Id::CTCSSID, By("CTCSSIDChanged", &S::CTCSSIDChanged)),
    Port(StepId::TailMessageNum, "tail message of port", Id::TailMessageNum,
         By("TailMessageNumChanged", &S::TailMessageNumChanged)),
    Port(StepId::TailMessages, "tail message macros of port", Id::TailMessages,
         By("MessageNumChanged", &S::MessageNumChanged)),
    Port(StepId::TailCounter, "tail counter of port", Id::TailCounter,
         By("TailCounterChanged", &S::TailCounterChanged)),
    Port(StepId::PLEncodePolarity, "PL encode polarity of port", Id::PLEncodePolarity,
         By("PLEncodePolarityChanged", &S::PLEncodePolarityChanged)),
    Port(StepId::COSClose, "COS close of port", Id::COSClose, By("COSCloseChanged", &S::COSCloseChanged)),

    Courtesy(StepId::CourtesySegment1),
    Courtesy(StepId::CourtesySegment2),
    Courtesy(StepId::CourtesySegment3),
    Courtesy(StepId::CourtesySegment4),

    Once(StepId::FanTime, "fan time", Id::FanTime, One("FanTimeChanged", &S::FanTimeChanged)),
    Once(StepId::FanSelect, "fan select", Id::FanSelect, One("FanSelectChanged", &S::FanSelectChanged)),
    Once(StepId::XmtDelay, "transmit delay", Id::XmtDelay, One("XmtDelayChanged", &S::XmtDelayChanged)),
    Once(StepId::TimeoutLink, "time-out link", Id::TimeoutLink, One("TimeoutLinkChanged", &S::TimeoutLinkChanged)),
    Once(StepId::SayYear, "say year", Id::SayYear, One("SayYearChanged", &S::SayYearChanged)),
    Once(StepId::TwentyFour, "24-hour clock", Id::TwentyFour, One("TwentyFourChanged", &S::TwentyFourChanged)),
    Once(StepId::SayHour, "say hour", Id::SayHour, One("SayHourChanged", &S::SayHourChanged)),
    Once(StepId::ClockCorrection, "clock correction", Id::ClockCorrection,
         One("ClockCorrectionChanged", &S::ClockCorrectionChanged)),
    // Element 9 of the meter flags is the reference voltage's.
    Once(StepId::Vref, "reference voltage", Id::Vref, {"MeterChanged", &S::MeterChanged, nullptr, Count::Meters + 1}),
    // One flag covers the radio type and model; the model's step clears it.
    Once(StepId::RadioType, "radio type", Id::RadioType, One("RadioTypeChanged", &S::RadioTypeChanged), Later),
    Once(StepId::YaesuType, "radio model", Id::YaesuType, One("RadioTypeChanged", &S::RadioTypeChanged)),
    Once(StepId::RemoteBasePrefix, "remote base prefix", Id::RemoteBasePrefix,
         One("RemoteBasePrefixChanged", &S::RemoteBasePrefixChanged)),
    // One flag covers the three user prefixes; the last step clears it.
    Once(StepId::CommandPrefix, "command prefix", Id::CommandPrefix,
         One("CommandPrefixChanged", &S::CommandPrefixChanged), Later),
    Once(StepId::DTMFPort, "DTMF port", Id::DTMFPort, One("CommandPrefixChanged", &S::CommandPrefixChanged), Later),
    Once(StepId::DTMFSpeech, "DTMF speech", Id::DTMFSpeech, One("CommandPrefixChanged", &S::CommandPrefixChanged)),
    Once(StepId::APPrefix, "autopatch prefix", Id::APPrefix, One("APPrefixChanged", &S::APPrefixChanged)),
    Once(StepId::AnswerCode, "answer code", Id::AnswerCode, One("AnswerCodeChanged", &S::AnswerCodeChanged)),
    Once(StepId::RingNumber, "ring number", Id::RingNumber, One("RingNumberChanged", &S::RingNumberChanged)),
    Once(StepId::APTimeOut, "autopatch time-out", Id::APTimeOut, One("APTimeOutChanged", &S::APTimeOutChanged)),
    Once(StepId::EnablePatch, "patch enable", Id::EnablePatch, One("EnablePatchChanged", &S::EnablePatchChanged)),
    Once(StepId::PatchMute, "patch mute", Id::PatchMute, One("PatchMuteChanged", &S::PatchMuteChanged)),
    Once(StepId::DTMFTestPrefix, "DTMF test prefix", Id::DTMFTestPrefix,
         One("DTMFTestPrefixChanged", &S::DTMFTestPrefixChanged)),
    Once(StepId::PreAccessPrefix, "pre-access prefix", Id::PreAccessPrefix,
         One("PreAccessPrefixChanged", &S::PreAccessPrefixChanged)),
    Once(StepId::PreProgramPrefix, "pre-program prefix", Id::PreProgramPrefix,
         One("PreProgramPrefixChanged", &S::PreProgramPrefixChanged)),
    Once(StepId::MacroSubset, "macro subset", Id::MacroSubset,
         One("MacroSubsetValueChanged", &S::MacroSubsetValueChanged)),
    Once(StepId::MacroSubsetEnable, "macro subset enable", Id::MacroSubsetEnable,
         One("MacroSubsetEnableChanged", &S::MacroSubsetEnableChanged)),
    Once(StepId::DTMFMuteDigitSelect, "DTMF mute digit select", Id::DTMFMuteDigitSelect,
         One("DTMFMuteDigitSelectValueChanged", &S::DTMFMuteDigitSelectValueChanged)),
    Once(StepId::DTMFDur, "DTMF duration", Id::DTMFDur, One("DTMFDurChanged", &S::DTMFDurChanged)),
    Once(StepId::DTMFDelay, "DTMF delay", Id::DTMFDelay, One("DTMFDelayChanged", &S::DTMFDelayChanged)),
    Once(StepId::AllowTerminatorSpeech, "terminator speech", Id::AllowTerminatorSpeech,
         One("AllowTerminatorSpeechChanged", &S::AllowTerminatorSpeechChanged)),

    Items(StepId::SetPoint, Count::SetPoints, "set point", Id::SetPoint, By("SetPointChanged", &S::SetPointChanged)),
    Items(StepId::Meter, Count::Meters, "meter", Id::Meter, By("MeterChanged", &S::MeterChanged)),
    // The enable step clears the flag of alarms 1 to 8; see Finish().
    Items(StepId::MeterAlarm, Count::MeterAlarms, "meter alarm", Id::MeterAlarm,
          By("MeterAlarmChanged", &S::MeterAlarmChanged)),
    Items(StepId::MeterAlarmEnable, Count::Meters, "meter alarm enable", Id::MeterAlarmEnable,
          By("MeterAlarmChanged", &S::MeterAlarmChanged)),
    // One flag covers the ten memories; the tenth clears it; see Finish().
    Items(StepId::FreqMemory, Count::RemoteMemories, "remote base memory", Id::FreqMemory,
          One("RemoteMemoryChanged", &S::RemoteMemoryChanged), Accepted),
    Items(StepId::Macro, Count::LongMacros, "macro", Id::Macro, By("MacroChanged", &S::MacroChanged)),
    Items(StepId::MacroCode, Count::LongMacros, "macro code", Id::MacroCode,
          By("MacroCodeChanged", &S::MacroCodeChanged)),
    Items(StepId::ShortMacro, Count::ShortMacros, "macro", Id::Macro, By("ShortMacroChanged", &S::ShortMacroChanged),
          Clear::OnAcceptOrRefusal, Count::LongMacros),
    Items(StepId::ShortMacroCode, Count::ShortMacros, "macro code", Id::MacroCode,
          By("ShortMacroCodeChanged", &S::ShortMacroCodeChanged), Clear::OnAcceptOrRefusal, Count::LongMacros),
    Items(StepId::PortToAllow, Count::Macros, "port to allow", Id::PortToAllow,
          By("PortToAllowChanged", &S::PortToAllowChanged), Accepted),
    // Serial only, each flag cleared only when its macro went out; see Finish().
    Items(StepId::AlarmLowMacro, Count::AlarmInputs, "low alarm macro", Id::AlarmMacros,
          By("AlarmLowMacroNumChanged", &S::AlarmLowMacroNumChanged), Accepted),
    Items(StepId::AlarmHighMacro, Count::AlarmInputs, "high alarm macro", Id::AlarmMacros,
          By("AlarmHighMacroNumChanged", &S::AlarmHighMacroNumChanged), Accepted),
    Items(StepId::MessageMacro, Count::MessageMacros, "message macro", Id::MessageMacro,
          By("MessageMacroChanged", &S::MessageMacroChanged)),
    Items(StepId::DTMFMemory, Count::DTMFMemories, "DTMF memory", Id::DTMFMemory,
          By("DTMFMemoryChanged", &S::DTMFMemoryChanged)),
    Items(StepId::AutoDial, Count::AutoDialSlots, "autodial slot", Id::AutoDial,
          By("AutoDialChanged", &S::AutoDialChanged), Accepted),
    Items(StepId::TollRestrict, Count::TollEntries, "toll entry", Id::TollRestrict,
          By("TollRestrictChanged", &S::TollRestrictChanged), Accepted),
    Items(StepId::Alarm, Count::AlarmInputs, "alarm input", Id::Alarm, By("AlarmChanged", &S::AlarmChanged)),
};

const TableRow& RowOf(StepId id)
{
    const auto it = std::ranges::find(kRows, id, &TableRow::id);
    if (it == std::end(kRows))
        throw std::logic_error("no upload row " + std::to_string(static_cast<int>(id)));
    return *it;
}

StepFlag MakeFlag(const RowFlag& f, int index)
{
    const QString name = QString::fromLatin1(f.name);
    if (f.single)
        return {name, [single = f.single](S& t) -> bool& { return t.*single; }};
    const int n = f.element > 0 ? f.element : index;
    return {QStringLiteral("%1(%2)").arg(name).arg(n), [array = f.array, n](S& t) -> bool& { return (t.*array)[n]; }};
}

UploadStep CourtesySegment(const StepKey& key)
{
    const int segment = CourtesySegmentOf(key.id);
    const int port = key.port;
    const int tone = key.item;
    FlagArray S::* flags = CourtesySegmentFlag(port, segment);
    UploadStep step;
    step.name = QStringLiteral("courtesy tone %1 of port %2, segment %3").arg(tone).arg(port).arg(segment);
    step.build = [port, tone, segment](const S& t) { return CourtesySegmentCommand(t, port, tone, segment); };
    step.flags = {{QStringLiteral("P%1Seg%2Changed(%3)").arg(port).arg(segment).arg(tone),
                   [flags, tone](S& t) -> bool& { return (t.*flags)[tone]; }}};
    step.unlockPort = port;
    step.clear = RowOf(key.id).clear;
    return step;
}

// What sets a few rows apart from the rest.
void Finish(const StepKey& key, UploadStep& step)
{
    switch (key.id) {
    case StepId::CWTones:
        // Both CW tones, tone 1 padded to four digits in the settings too.
        step.flags.push_back(MakeFlag(By("CWTone2Changed", &S::CWTone2Changed), key.port));
        step.adopt = [port = key.port](S& t) { t.CWTone1[port] = PaddedCWTone1(t.CWTone1[port]); };
        break;
    case StepId::PortUnlock:
        // In DTMF mode the access code editor played it already.
        step.build = [port = key.port](const S& t) { return PortUnlockCommand(port, t.CurrentPortUnlock[port]); };
        step.dtmfNotNeeded = true;
        break;
    case StepId::MeterAlarm:
        if (key.item <= Count::Meters)
            step.clear = Clear::Later;
        break;
    case StepId::FreqMemory:
        if (key.item < Count::RemoteMemories)
            step.clear = Clear::Later;
        break;
    case StepId::AlarmLowMacro:
    case StepId::AlarmHighMacro: {
        // The catalogue gives a line for each macro that is not "0"; pick this row's.
        const QString code = key.id == StepId::AlarmLowMacro ? QStringLiteral("1*2101") : QStringLiteral("1*2102");
        step.build = [item = key.item, code](const S& t) {
            ControllerCommand c = BuildCommand(CommandId::AlarmMacros, t, item);
            c.serialLines = c.serialLines.filter(code);
            return c;
        };
        step.serialOnly = true;
        break;
    }
    default:
        break;
    }
}

} // namespace

int CourtesySegmentOf(StepId id)
{
    const int segment = static_cast<int>(id) - static_cast<int>(StepId::CourtesySegment1) + 1;
    return segment >= 1 && segment <= 4 ? segment : 0;
}

std::vector<StepKey> KeysOf(StepId id)
{
    const TableRow& row = RowOf(id);
    std::vector<StepKey> keys;
    switch (row.loop) {
    case Loop::Once: keys.push_back({id}); break;
    case Loop::Ports:
        for (int p = 1; p <= Count::Ports; ++p)
            keys.push_back({id, p});
        break;
    case Loop::PortTones:
        for (int p = 1; p <= Count::Ports; ++p)
            for (int tone = 1; tone <= Count::CourtesyTones; ++tone)
                keys.push_back({id, p, tone});
        break;
    case Loop::Items:
        for (int n = 1; n <= row.count; ++n)
            keys.push_back({id, 0, n});
        break;
    }
    return keys;
}

UploadStep Row(const StepKey& key)
{
    if (CourtesySegmentOf(key.id) > 0)
        return CourtesySegment(key);
    const TableRow& row = RowOf(key.id);
    const int index = row.loop == Loop::Ports ? key.port : key.item; // the flag's element
    const int item = index > 0 ? index + row.macroOffset : 0;        // as the catalogue and the user number it
    UploadStep step;
    step.name = item > 0 ? QStringLiteral("%1 %2").arg(QString::fromLatin1(row.name)).arg(item)
                         : QString::fromLatin1(row.name);
    if (row.command)
        step.build = [id = *row.command, item](const S& t) { return BuildCommand(id, t, item); };
    step.flags = {MakeFlag(row.flag, index)};
    step.unlockPort = key.port > 0 ? key.port : 1;
    step.clear = row.clear;
    Finish(key, step);
    return step;
}
