#include "store/FilePlans.h"

#include <QStringList>

using S = SettingsTables;

namespace {

PlanPart part(const QStringList& names)
{
    PlanPart p;
    for (const auto& name : names)
        p.stems.push_back(&FindStem(name));
    p.loop = p.stems.front()->isArray() ? p.stems.front()->count : 0;
    return p;
}

PlanPart lockAndTerminator()
{
    PlanPart p = part({"Lock", "Terminator"});
    p.lockAndTerminator = true;
    return p;
}

// The registry lists the courtesy arrays in the file's order.
QStringList courtesyNames()
{
    QStringList names;
    for (const KeyStem& stem : KeyRegistry())
        if (stem.section == u"Courtesy")
            names << stem.name;
    return names;
}

const QStringList portTimers = {"HangTime", "TimeOut", "IIDTime", "PIDTime", "InActiveTime",
                                "InActivityMacro", "DTMFTime", "CTCSSTime", "KerchunkTime",
                                "IDSpeakTime", "AnnounceTime", "AuxTime", "GeneralTimer",
                                "GeneralTimerMacro"};
const QStringList timerScalars = {"FanTime", "FanSelect", "XmtDelay", "TimeoutLink"};
const QStringList setPoint = {"DOW", "Monthly", "Week", "Hours", "Minutes", "MacroToRun"};
const QStringList meter = {"Meter", "RealLow", "MeterLow", "RealHigh", "MeterHigh"};
const QStringList meterAlarm = {"MeterAlarmType", "MeterNum", "MeterSetPoint", "MeterMacro"};
const QStringList remoteMemory = {"FreqString", "CTCSS", "CTCSSMode", "RadioMode"};
const QStringList identifiers = {"VoiceID1", "VoiceID2", "VoiceID3", "CWID1", "CWID2",
                                 "CWSpeed", "CWTone1", "CWTone2", "SpeechEnable"};
const QStringList idExtras = {"ID1Extras", "ID2Extras", "ID3Extras"};
const QStringList userDtmf = {"CommandPrefix", "DTMFPort", "DTMFSpeech"};
const QStringList patchTail = {"RingNumber", "APTimeOut", "EnablePatch", "PatchMute",
                               "DTMFTestPrefix", "PreAccessPrefix", "PreProgramPrefix"};
const QStringList portSwitches = {"TxEnable", "RxEnable", "FDup", "DisableTimeout", "PLAccess",
                                  "DTMFEnable", "DTMFNeedPL", "DTMFMute", "DTMFCovertone",
                                  "MonMix", "Kerchunk", "SpeechOverride", "SpeechIDOverride",
                                  "CTCSSCT", "CTCSSID", "TailMessageNum", "P1MessageNum",
                                  "P2MessageNum", "P3MessageNum", "TailCounter",
                                  "PLEncodePolarity", "COSClose"};

std::vector<PlanPart> buildReaderPlan()
{
    return {
        part(portTimers),
        part({"AlarmLowMacroNum", "AlarmHighMacroNum"}),
        part(timerScalars),
        part(setPoint),
        part({"TwentyFour", "SayHour", "SayYear", "ClockCorrection", "DateFormat"}),
        part(meter),
        part({"Vref"}),
        part(meterAlarm),
        part({"RadioType", "YaesuType", "RemoteBasePrefix"}),
        part(remoteMemory),
        part({"ControlPort"}),
        part(QStringList{"RouteAuxPort"} + identifiers + idExtras + QStringList{"CurrentPortUnlock"}),
        lockAndTerminator(),
        part(userDtmf),
        part({"APPrefix", "AnswerCode"}),
        part({"AutoDial"}),
        part({"TollRestrict"}),
        part(patchTail + QStringList{"MacroSubset", "MacroSubsetEnable", "DTMFMuteDigitSelect"}),
        part({"Macro", "MacroCode", "MessageMacro"}),
        part({"ShortMacro", "ShortMacroCode"}),
        part({"PortToAllow"}),
        part(courtesyNames()),
        part({"DTMFMemory"}),
        part({"DTMFDur", "DTMFDelay"}),
        part(portSwitches),
        part({"Alarm"}),
        part({"AllowTerminatorSpeech"}),
    };
}

std::vector<WritePlanStep> buildWriterPlan()
{
    // The writer stores DisableTimeout before FDup, unlike the reader.
    QStringList writtenSwitches = portSwitches;
    writtenSwitches.move(writtenSwitches.indexOf("DisableTimeout"), writtenSwitches.indexOf("FDup"));

    return {
        {&S::TimersChanged, {part(portTimers), part(timerScalars)}},
        {&S::SchedulerChanged,
         {part(setPoint), part({"SayYear", "TwentyFour", "SayHour", "ClockCorrection", "DateFormat"})}},
        {&S::AnalogChanged, {part(meter), part({"Vref"}), part(meterAlarm)}},
        {&S::RemoteChanged, {part({"RadioType", "YaesuType", "RemoteBasePrefix", "ControlPort"}),
                             part(remoteMemory)}},
        {&S::AlarmsChanged, {part({"RouteAuxPort"}), part({"AlarmLowMacroNum", "AlarmHighMacroNum"})}},
        {&S::IDChanged, {part(identifiers)}},
        {&S::MacrosChanged, {part({"Macro", "MacroCode"}), part({"ShortMacro", "ShortMacroCode"})}},
        {&S::MacroPortsChanged, {part({"PortToAllow"})}},
        {&S::CourtesyChanged, {part(courtesyNames())}},
        {&S::IDExtrasChanged, {part(idExtras)}},
        {&S::MessageMacrosChanged, {part({"MessageMacro"})}},
        {&S::DTMFChanged, {part({"DTMFMemory"}), part({"DTMFDur", "DTMFDelay"})}},
        {nullptr, {part({"CurrentPortUnlock"}), part(QStringList{"Lock", "Terminator"} + userDtmf)}},
        {&S::SpecialCodesChanged,
         {part({"APPrefix", "AnswerCode"}), part({"AutoDial"}), part({"TollRestrict"}), part(patchTail)}},
        {&S::MacroSubsetChanged, {part({"MacroSubset", "MacroSubsetEnable"})}},
        {&S::DTMFMuteDigitSelectChanged, {part({"DTMFMuteDigitSelect"})}},
        {&S::PortSwitchesChanged,
         {part(writtenSwitches), part({"Alarm"}), part({"AllowTerminatorSpeech"})}},
    };
}

} // namespace

const std::vector<PlanPart>& ReaderPlan()
{
    static const std::vector<PlanPart> plan = buildReaderPlan();
    return plan;
}

const std::vector<WritePlanStep>& WriterPlan()
{
    static const std::vector<WritePlanStep> plan = buildWriterPlan();
    return plan;
}
