#include "link/UploadSteps.h"

#include "store/CourtesyArrays.h"
#include "store/SettingsTables.h"

#include <array>

namespace UploadSteps {

using S = SettingsTables;

StepFlag Flag(const char* name, bool S::*flag)
{
    return {QString::fromLatin1(name), [flag](S& t) -> bool& { return t.*flag; }};
}

StepFlag Flag(const char* name, FlagArray S::*flags, int n)
{
    return {QStringLiteral("%1(%2)").arg(QString::fromLatin1(name)).arg(n),
            [flags, n](S& t) -> bool& { return (t.*flags)[n]; }};
}

UploadStep Command(const char* name, CommandId id, int item, std::vector<StepFlag> flags, int unlockPort, Clear clear)
{
    UploadStep step;
    step.name = item > 0 ? QStringLiteral("%1 %2").arg(QString::fromLatin1(name)).arg(item) : QString::fromLatin1(name);
    step.build = [id, item](const S& t) { return BuildCommand(id, t, item); };
    step.flags = std::move(flags);
    step.unlockPort = unlockPort;
    step.clear = clear;
    return step;
}

UploadStep CourtesySegment(int port, int tone, int segment)
{
    const QString flagName = QStringLiteral("P%1Seg%2Changed").arg(port).arg(segment);
    FlagArray S::*flags = CourtesySegmentFlag(port, segment);
    UploadStep step;
    step.name = QStringLiteral("courtesy tone %1 of port %2, segment %3").arg(tone).arg(port).arg(segment);
    step.build = [port, tone, segment](const S& t) { return CourtesySegmentCommand(t, port, tone, segment); };
    step.flags = {{QStringLiteral("%1(%2)").arg(flagName).arg(tone), [flags, tone](S& t) -> bool& { return (t.*flags)[tone]; }}};
    step.unlockPort = port;
    return step;
}

UploadStep PortUnlock(int port)
{
    UploadStep unlock;
    unlock.name = QStringLiteral("unlock code of port %1").arg(port);
    unlock.build = [port](const S& t) { return PortUnlockCommand(port, t.CurrentPortUnlock[port]); };
    unlock.flags = {Flag("CurrentPortUnlockChanged", &S::CurrentPortUnlockChanged, port)};
    unlock.unlockPort = port;
    unlock.clear = Clear::OnAcceptOrRefusal;
    unlock.dtmfNotNeeded = true;
    return unlock;
}

UploadStep CWTones(int port)
{
    UploadStep step = Command("CW tones of port", CommandId::CWTones, port,
                              {Flag("CWTone1Changed", &S::CWTone1Changed, port),
                               Flag("CWTone2Changed", &S::CWTone2Changed, port)},
                              port);
    step.adopt = [port](S& t) { t.CWTone1[port] = PaddedCWTone1(t.CWTone1[port]); };
    return step;
}

UploadStep MeterAlarm(int n)
{
    return Command("meter alarm", CommandId::MeterAlarm, n, {Flag("MeterAlarmChanged", &S::MeterAlarmChanged, n)}, 1,
                   n <= Count::Meters ? Clear::Later : Clear::OnAcceptOrRefusal);
}

std::vector<UploadStep> AlarmMacros(int n)
{
    struct Side {
        const char* name;
        const char* code;
        TextArray S::*macro;
        FlagArray S::*flag;
        const char* flagName;
    };
    static constexpr std::array kSides{
        Side{"low alarm macro", "1*2101", &S::AlarmLowMacroNum, &S::AlarmLowMacroNumChanged, "AlarmLowMacroNumChanged"},
        Side{"high alarm macro", "1*2102", &S::AlarmHighMacroNum, &S::AlarmHighMacroNumChanged, "AlarmHighMacroNumChanged"},
    };
    std::vector<UploadStep> steps;
    for (const Side& side : kSides) {
        UploadStep step;
        step.name = QStringLiteral("%1 %2").arg(QString::fromLatin1(side.name)).arg(n);
        // The catalogue gives a line for each macro that is not "0"; pick this side's.
        step.build = [n, code = QString::fromLatin1(side.code)](const S& t) {
            ControllerCommand c = BuildCommand(CommandId::AlarmMacros, t, n);
            c.serialLines = c.serialLines.filter(code);
            return c;
        };
        step.flags = {Flag(side.flagName, side.flag, n)};
        step.serialOnly = true;
        steps.push_back(std::move(step));
    }
    return steps;
}

void AppendPortTimers(std::vector<UploadStep>& out, int p)
{
    struct Row { const char* name; CommandId id; FlagArray S::*flag; const char* flagName; Clear clear; };
    const Row rows[] = {
        {"hang time of port", CommandId::HangTime, &S::HangTimeChanged, "HangTimeChanged", Clear::OnAccept},
        {"time-out of port", CommandId::TimeOut, &S::TimeOutChanged, "TimeOutChanged", Clear::OnAccept},
        {"initial ID time of port", CommandId::IIDTime, &S::IIDTimeChanged, "IIDTimeChanged", Clear::OnAccept},
        {"pending ID time of port", CommandId::PIDTime, &S::PIDTimeChanged, "PIDTimeChanged", Clear::OnAccept},
        {"inactive time of port", CommandId::InActiveTime, &S::InActiveTimeChanged, "InActiveTimeChanged", Clear::OnAccept},
        {"inactivity macro of port", CommandId::InActivityMacro, &S::InActivityMacroChanged, "InActivityMacroChanged", Clear::OnAccept},
        {"DTMF time of port", CommandId::DTMFTime, &S::DTMFTimeChanged, "DTMFTimeChanged", Clear::OnAccept},
        {"CTCSS time of port", CommandId::CTCSSTime, &S::CTCSSTimeChanged, "CTCSSTimeChanged", Clear::OnAccept},
        {"kerchunk time of port", CommandId::KerchunkTime, &S::KerchunkTimeChanged, "KerchunkTimeChanged", Clear::OnAccept},
        {"ID speak time of port", CommandId::IDSpeakTime, &S::IDSpeakTimeChanged, "IDSpeakTimeChanged", Clear::OnAccept},
        {"announce time of port", CommandId::AnnounceTime, &S::AnnounceTimeChanged, "AnnounceTimeChanged", Clear::OnAccept},
        {"auxiliary time of port", CommandId::AuxTime, &S::AuxTimeChanged, "AuxTimeChanged", Clear::OnAcceptOrRefusal},
    };
    for (const Row& r : rows)
        out.push_back(Command(r.name, r.id, p, {Flag(r.flagName, r.flag, p)}, p, r.clear));
    const StepFlag timer = Flag("GeneralTimerChanged", &S::GeneralTimerChanged, p);
    out.push_back(Command("general timer", CommandId::GeneralTimer, p, {timer}, p, Clear::Later));
    out.push_back(Command("general timer macro", CommandId::GeneralTimerMacro, p, {timer}, p));
}

UploadStep RemoteMemory(int m, CommandId id, Framing framing)
{
    UploadStep step = Command("remote base memory", id, m, {Flag("RemoteMemoryChanged", &S::RemoteMemoryChanged)}, 1,
                              m == Count::RemoteMemories ? Clear::OnAccept : Clear::Later);
    step.framing = framing;
    return step;
}

void AppendPortSwitches(std::vector<UploadStep>& out, int p)
{
    struct Row { const char* name; CommandId id; FlagArray S::*flag; const char* flagName; };
    const Row rows[] = {
        {"transmitter enable of port", CommandId::TxEnable, &S::TxEnableChanged, "TxEnableChanged"},
        {"receiver enable of port", CommandId::RxEnable, &S::RxEnableChanged, "RxEnableChanged"},
        {"full duplex of port", CommandId::FDup, &S::FDupChanged, "FDupChanged"},
        {"PL access of port", CommandId::PLAccess, &S::PLAccessChanged, "PLAccessChanged"},
        {"DTMF enable of port", CommandId::DTMFEnable, &S::DTMFEnableChanged, "DTMFEnableChanged"},
        {"DTMF needs PL of port", CommandId::DTMFNeedPL, &S::DTMFNeedPLChanged, "DTMFNeedPLChanged"},
        {"DTMF mute of port", CommandId::DTMFMute, &S::DTMFMuteChanged, "DTMFMuteChanged"},
        {"DTMF covertone of port", CommandId::DTMFCovertone, &S::DTMFCovertoneChanged, "DTMFCovertoneChanged"},
        {"monitor mix of port", CommandId::MonMix, &S::MonMixChanged, "MonMixChanged"},
        {"kerchunk of port", CommandId::Kerchunk, &S::KerchunkChanged, "KerchunkChanged"},
        {"speech override of port", CommandId::SpeechOverride, &S::SpeechOverrideChanged, "SpeechOverrideChanged"},
        {"speech ID override of port", CommandId::SpeechIDOverride, &S::SpeechIDOverrideChanged, "SpeechIDOverrideChanged"},
        {"CTCSS courtesy tone of port", CommandId::CTCSSCT, &S::CTCSSCTChanged, "CTCSSCTChanged"},
        {"CTCSS ID of port", CommandId::CTCSSID, &S::CTCSSIDChanged, "CTCSSIDChanged"},
        {"tail message of port", CommandId::TailMessageNum, &S::TailMessageNumChanged, "TailMessageNumChanged"},
        {"tail message macros of port", CommandId::TailMessages, &S::MessageNumChanged, "MessageNumChanged"},
        {"tail counter of port", CommandId::TailCounter, &S::TailCounterChanged, "TailCounterChanged"},
        {"PL encode polarity of port", CommandId::PLEncodePolarity, &S::PLEncodePolarityChanged, "PLEncodePolarityChanged"},
        {"COS close of port", CommandId::COSClose, &S::COSCloseChanged, "COSCloseChanged"},
    };
    for (const Row& r : rows)
        out.push_back(Command(r.name, r.id, p, {Flag(r.flagName, r.flag, p)}, p));
}

} // namespace UploadSteps
