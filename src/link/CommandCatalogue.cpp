#include "link/CommandCatalogue.h"

#include "link/SpeechEncoder.h"
#include "store/CourtesyArrays.h"
#include "store/SettingsTables.h"
#include "store/TailMessageMacros.h"
#include "store/TextHelpers.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace {

using S = SettingsTables;

DtmfPart Key(const QString& text) { return {Player::Key, text}; }
DtmfPart Str(const QString& text) { return {Player::String, text}; }
DtmfPart Code(const QString& text) { return {Player::Code, text}; }
DtmfPart Digits(const QString& text) { return {Player::CodeDigits, text}; }
const DtmfPart End{Player::Terminator, {}};

QString Num(int n) { return QString::number(n); }
QString Two(int n) { return Num(n).rightJustified(2, u'0'); }
QString Three(int n) { return Num(n).rightJustified(3, u'0'); }

// The code player turns a blank into "0", so codes go out without blanks.
QString Sent(Player player, const QString& value) { return player == Player::Code ? value.trimmed() : value; }

// Fields separated by "*" and ending with one.
struct StarFields {
    QString serial;
    QList<DtmfPart> dtmf;
};

StarFields Starred(const QStringList& fields)
{
    StarFields out{QStringLiteral("*"), {Key(QStringLiteral("*"))}};
    for (const QString& field : fields) {
        out.serial += field + u'*';
        out.dtmf << Str(field) << Key(QStringLiteral("*"));
    }
    return out;
}

// ---- Per-port settings of one value ----

// Where the port digit stands: only as the line's prefix (Prefixed), as the
// prefix and as the first command digit (Switch), or as the first command
// digit, which in the serial line is also the prefix (Cos).
enum class PortForm { Prefixed, Switch, Cos };

struct PortRow {
    CommandId id;
    TextArray S::*setting;
    const char* code;
    Player value;
    PortForm form = PortForm::Prefixed;
};

const std::array kPortRows{
    PortRow{CommandId::HangTime, &S::HangTime, "*1000", Player::String},
    PortRow{CommandId::TimeOut, &S::TimeOut, "*1001", Player::String},
    PortRow{CommandId::IIDTime, &S::IIDTime, "*1002", Player::String},
    PortRow{CommandId::PIDTime, &S::PIDTime, "*1003", Player::String},
    PortRow{CommandId::InActiveTime, &S::InActiveTime, "*1005", Player::String},
    PortRow{CommandId::InActivityMacro, &S::InActivityMacro, "*2114", Player::String},
    PortRow{CommandId::DTMFTime, &S::DTMFTime, "*1006", Player::String},
    PortRow{CommandId::CTCSSTime, &S::CTCSSTime, "*1007", Player::String},
    PortRow{CommandId::KerchunkTime, &S::KerchunkTime, "*1018", Player::String},
    PortRow{CommandId::IDSpeakTime, &S::IDSpeakTime, "*1019", Player::String},
    PortRow{CommandId::AnnounceTime, &S::AnnounceTime, "*1020", Player::String},
    PortRow{CommandId::CWSpeed, &S::CWSpeed, "*8000", Player::String},
    PortRow{CommandId::SpeechEnable, &S::SpeechEnable, "*8008", Player::String},
    PortRow{CommandId::TxEnable, &S::TxEnable, "11", Player::Key, PortForm::Switch},
    PortRow{CommandId::RxEnable, &S::RxEnable, "10", Player::Key, PortForm::Switch},
    PortRow{CommandId::FDup, &S::FDup, "14", Player::Key, PortForm::Switch},
    PortRow{CommandId::PLAccess, &S::PLAccess, "12", Player::Key, PortForm::Switch},
    PortRow{CommandId::DTMFEnable, &S::DTMFEnable, "16", Player::Key, PortForm::Switch},
    PortRow{CommandId::DTMFNeedPL, &S::DTMFNeedPL, "17", Player::Key, PortForm::Switch},
    PortRow{CommandId::DTMFMute, &S::DTMFMute, "21", Player::Key, PortForm::Switch},
    PortRow{CommandId::DTMFCovertone, &S::DTMFCovertone, "13", Player::Key, PortForm::Switch},
    PortRow{CommandId::MonMix, &S::MonMix, "19", Player::Key, PortForm::Switch},
    PortRow{CommandId::Kerchunk, &S::Kerchunk, "15", Player::Key, PortForm::Switch},
    PortRow{CommandId::SpeechOverride, &S::SpeechOverride, "20", Player::Key, PortForm::Switch},
    PortRow{CommandId::SpeechIDOverride, &S::SpeechIDOverride, "18", Player::Key, PortForm::Switch},
    PortRow{CommandId::CTCSSCT, &S::CTCSSCT, "*2088", Player::Key},
    PortRow{CommandId::CTCSSID, &S::CTCSSID, "*2089", Player::Key},
    PortRow{CommandId::TailMessageNum, &S::TailMessageNum, "*2111", Player::Key},
    PortRow{CommandId::TailCounter, &S::TailCounter, "*2112", Player::String},
    PortRow{CommandId::PLEncodePolarity, &S::PLEncodePolarity, "*1021", Player::Key},
    PortRow{CommandId::COSClose, &S::COSClose, "22", Player::Key, PortForm::Cos},
};

ControllerCommand Build(const PortRow& row, const S& t, int port)
{
    const QString p = Num(port);
    const QString code = QString::fromLatin1(row.code);
    const QString v = Sent(row.value, (t.*row.setting)[port]);
    if (row.form == PortForm::Prefixed)
        return {{p + code + v}, {Str(code), {row.value, v}, End}, {}};
    const QString serialPrefix = row.form == PortForm::Switch ? p + p : p;
    return {{serialPrefix + code + v}, {Key(p), Str(code), {row.value, v}, End}, {}};
}

// ---- Identifiers, through the encoders ----

struct IdRow {
    CommandId id;
    TextArray S::*setting;
    const char* code;
    EncodedText (*encode)(QStringView, bool);
};

const std::array kIdRows{
    IdRow{CommandId::VoiceID1, &S::VoiceID1, "*8004", VoiceToCodes},
    IdRow{CommandId::VoiceID2, &S::VoiceID2, "*8005", VoiceToCodes},
    IdRow{CommandId::VoiceID3, &S::VoiceID3, "*8006", VoiceToCodes},
    IdRow{CommandId::CWID1, &S::CWID1, "*8002", CWToCodes},
    IdRow{CommandId::CWID2, &S::CWID2, "*8003", CWToCodes},
};

ControllerCommand Build(const IdRow& row, const S& t, int port)
{
    const QString code = QString::fromLatin1(row.code);
    // The run-together form serves both: the players walk the digits one by one.
    const EncodedText encoded = row.encode((t.*row.setting)[port], false);
    return {{Num(port) + code + encoded.codes}, {Str(code), Digits(encoded.codes), End}, encoded.unknown};
}

// ---- Identifier extras: numbered 1-3 in serial lines, 1-9 by port in DTMF ----

struct ExtrasRow {
    CommandId id;
    TextArray S::*setting;
    int number;
};

const std::array kExtrasRows{
    ExtrasRow{CommandId::ID1Extras, &S::ID1Extras, 1},
    ExtrasRow{CommandId::ID2Extras, &S::ID2Extras, 2},
    ExtrasRow{CommandId::ID3Extras, &S::ID3Extras, 3},
};

ControllerCommand Build(const ExtrasRow& row, const S& t, int port)
{
    const QString v = (t.*row.setting)[port];
    return {{Num(port) + "*8007" + Num(row.number) + v},
            {Str("*8007"), Key(Num(port + 3 * (row.number - 1))), Str(v), End},
            {}};
}

// ---- Controller-wide settings of one value ----

struct WideRow {
    CommandId id;
    QString S::*setting;
    const char* code;
    Player value;
};

const std::array kWideRows{
    WideRow{CommandId::FanTime, &S::FanTime, "*1004", Player::String},
    WideRow{CommandId::FanSelect, &S::FanSelect, "*2119", Player::String},
    WideRow{CommandId::XmtDelay, &S::XmtDelay, "*1022", Player::String},
    WideRow{CommandId::TimeoutLink, &S::TimeoutLink, "*2051", Player::String},
    WideRow{CommandId::SayYear, &S::SayYear, "*5102", Player::String},
    WideRow{CommandId::TwentyFour, &S::TwentyFour, "*5103", Player::String},
    WideRow{CommandId::SayHour, &S::SayHour, "*5104", Player::String},
    WideRow{CommandId::ClockCorrection, &S::ClockCorrection, "*5105", Player::String},
    WideRow{CommandId::Vref, &S::Vref, "*2065", Player::String},
    WideRow{CommandId::RadioType, &S::RadioType, "*2083", Player::Key},
    WideRow{CommandId::RemoteBasePrefix, &S::RemoteBasePrefix, "*2060", Player::Code},
    WideRow{CommandId::DTMFDur, &S::DTMFDur, "*2106", Player::String},
    WideRow{CommandId::DTMFDelay, &S::DTMFDelay, "*2107", Player::String},
    WideRow{CommandId::CommandPrefix, &S::CommandPrefix, "*2104", Player::Code},
    WideRow{CommandId::DTMFPort, &S::DTMFPort, "*2117", Player::Code},
    WideRow{CommandId::DTMFSpeech, &S::DTMFSpeech, "*2118", Player::Code},
    WideRow{CommandId::APPrefix, &S::APPrefix, "*2061", Player::Code},
    WideRow{CommandId::AnswerCode, &S::AnswerCode, "*2063", Player::Code},
    WideRow{CommandId::RingNumber, &S::RingNumber, "*1025", Player::Code},
    WideRow{CommandId::APTimeOut, &S::APTimeOut, "*1024", Player::Code},
    WideRow{CommandId::EnablePatch, &S::EnablePatch, "*2116", Player::Code},
    WideRow{CommandId::PatchMute, &S::PatchMute, "270", Player::Code},
    WideRow{CommandId::DTMFTestPrefix, &S::DTMFTestPrefix, "*2093", Player::Code},
    WideRow{CommandId::PreAccessPrefix, &S::PreAccessPrefix, "*2108", Player::Code},
    WideRow{CommandId::PreProgramPrefix, &S::PreProgramPrefix, "*2109", Player::Code},
    WideRow{CommandId::MacroSubset, &S::MacroSubset, "*4009", Player::Code},
    WideRow{CommandId::MacroSubsetEnable, &S::MacroSubsetEnable, "280", Player::Code},
    WideRow{CommandId::DTMFMuteDigitSelect, &S::DTMFMuteDigitSelect, "*2090", Player::Code},
    WideRow{CommandId::AllowTerminatorSpeech, &S::AllowTerminatorSpeech, "*2091", Player::Key},
};

ControllerCommand Build(const WideRow& row, const S& t, int)
{
    const QString code = QString::fromLatin1(row.code);
    const QString v = Sent(row.value, t.*row.setting);
    return {{"1" + code + v}, {Str(code), {row.value, v}, End}, {}};
}

template <typename Rows>
const typename Rows::value_type* Find(const Rows& rows, CommandId id)
{
    const auto it = std::find_if(rows.begin(), rows.end(), [id](const auto& row) { return row.id == id; });
    return it == rows.end() ? nullptr : &*it;
}

// ---- The commands of their own shape ----

ControllerCommand AuxTime(const S& t, int port)
{
    const QString code = "*101" + Num(port + 2);
    return {{Num(port) + code + t.AuxTime[port]}, {Str(code), Str(t.AuxTime[port]), End}, {}};
}

ControllerCommand CWTones(const S& t, int port)
{
    const QString tone1 = PaddedCWTone1(t.CWTone1[port]);
    const QString tone2 = t.CWTone2[port];
    const QString line = Num(port) + "*8001" + tone1;
    if (LeadingNumber(tone2) == 0)
        return {{line}, {Str("*8001"), Str(tone1), End}, {}};
    return {{line, line + tone2}, {Str("*8001"), Str(tone1), Str(tone2), End}, {}};
}

// Element k of PpMessageNum is port p's macro for its tail message k.
ControllerCommand TailMessages(const S& t, int port)
{
    const TextArray& macros = t.*TailMessageMacros(port);
    ControllerCommand c;
    c.dtmf << Str("*2110") << Key(t.TailMessageNum[port]);
    for (int k = 1; k <= 3; ++k) {
        c.serialLines << Num(port) + "*2110" + Num(k) + macros[k];
        // A macro number is played as its digits: 10 and above have no key.
        c.dtmf << Str(macros[k]);
    }
    c.dtmf << End;
    return c;
}

ControllerCommand GeneralTimer(const char* code, const TextArray& values, int n)
{
    const QString c = QString::fromLatin1(code);
    return {{"1" + c + Num(n) + values[n]}, {Str(c), Key(Num(n)), Str(values[n]), End}, {}};
}

ControllerCommand SetPoint(const S& t, int n)
{
    const QString day = t.Monthly[n] == "1" ? t.Week[n] + t.DOW[n] : t.DOW[n];
    ControllerCommand c{{"1*4001" + Two(n) + day + t.Hours[n] + t.Minutes[n] + t.MacroToRun[n]}, {}, {}};
    // The string player plays "0A" (every hour) as the keys 0 and A.
    if (t.DOW[n] != "10")
        c.dtmf = {Str("*4001"), Str(Num(n)), Key(t.DOW[n]), Str(t.Hours[n]), Str(t.Minutes[n]),
                  Str(t.MacroToRun[n]), End};
    return c;
}

ControllerCommand StarredItem(const QString& code, int n, const QStringList& fields)
{
    const StarFields f = Starred(fields);
    return {{"1" + code + Num(n) + f.serial}, QList<DtmfPart>{Str(code), Str(Num(n))} + f.dtmf + QList{End}, {}};
}

ControllerCommand MeterAlarmEnable(const S& t, int a)
{
    const QString e = t.MeterAlarmEnabled(a) ? "1" : "0";
    return {{"11600" + Num(a) + e}, {Str("1600"), Str(Num(a)), Str(e), End}, {}};
}

ControllerCommand YaesuType(const S& t)
{
    // The DTMF form knows models up to 2.
    const QString model = t.YaesuType.compare(u"2") > 0 ? QStringLiteral("2") : t.YaesuType;
    return {{"1*2084" + t.YaesuType}, {Str("*2084"), Key(model), End}, {}};
}

ControllerCommand FreqMemory(const S& t, int m)
{
    const QString prefix = "1**" + t.RemoteBasePrefix.trimmed();
    // An empty memory goes out with no frequency: its marker would be words on
    // the line, and keys (its "D" the terminator) in DTMF mode.
    const QString frequency = WithoutNoneStored(t.FreqString[m]);
    ControllerCommand c;
    c.serialLines << prefix + "1" + frequency << prefix + "2" + t.CTCSS[m] + t.CTCSSMode[m]
                  << prefix + "3" + t.RadioMode[m] << "1*2086" + Num(m);
    c.dtmf = {Code(t.RemoteBasePrefix.trimmed() + "1"), Code(frequency.trimmed()), End,
              Str("*2086"), Str(Num(m)), End};
    return c;
}

const QString& MacroText(const TextArray& longs, const TextArray& shorts, int n)
{
    return n <= Count::LongMacros ? longs[n] : shorts[n - Count::LongMacros];
}

ControllerCommand Macro(const S& t, int n)
{
    const QString text = MacroText(t.Macro, t.ShortMacro, n);
    if (text.trimmed() == NoneStored)
        return {{"1*4003" + Two(n)}, {Str("*4003"), Str(Num(n)), End}, {}};
    const QString functions = QString(text).remove(u' ');
    return {{"1*4002" + Two(n) + functions}, {Str("*4002"), Str(Num(n)), Digits(functions), End}, {}};
}

ControllerCommand NumberedCode(const char* code, int n, const QString& value)
{
    const QString c = QString::fromLatin1(code);
    const QString v = value.trimmed();
    return {{"1" + c + Two(n) + v}, {Str(c), Str(Num(n)), Code(v), End}, {}};
}

ControllerCommand AlarmMacros(const S& t, int a)
{
    ControllerCommand c;
    if (t.AlarmLowMacroNum[a] != "0")
        c.serialLines << "1*2101" + Num(a) + t.AlarmLowMacroNum[a];
    if (t.AlarmHighMacroNum[a] != "0")
        c.serialLines << "1*2102" + Num(a) + t.AlarmHighMacroNum[a];
    return c;
}

ControllerCommand MessageMacro(const S& t, int n)
{
    // A macro with nothing stored goes out empty rather than as two unknown words.
    const EncodedText encoded = VoiceToCodes(WithoutNoneStored(t.MessageMacro[n]), false);
    return {{"1*2103" + Two(n) + encoded.codes}, {Str("*2103"), Str(Num(n)), Digits(encoded.codes), End},
            encoded.unknown};
}

ControllerCommand DTMFMemory(const S& t, int n)
{
    // An empty memory goes out with no digits: its marker text would play as zeros.
    const QString digits = WithoutNoneStored(t.DTMFMemory[n]).trimmed().remove(u' ');
    return {{"1*2105" + Two(n) + digits}, {Str("*2105"), Str(Num(n)), Code(digits), End}, {}};
}

ControllerCommand Slot(const char* code, const TextArray& numbers, int s)
{
    const QString c = QString::fromLatin1(code);
    const QString slotAndNumber = Three(s) + numbers[s];
    return {{"1" + c + slotAndNumber}, {Str(c), Str(slotAndNumber), End}, {}};
}

// The track as plain digits; the serial line carries no reply marker of its own.
ControllerCommand VoiceTrack(const char* code, int track)
{
    if (track < 1 || track > Count::VoiceTracks)
        throw std::out_of_range("voice track " + std::to_string(track) + " outside 1..20");
    const QString c = QString::fromLatin1(code);
    return {{"1" + c + Num(track)}, {Str(c), Str(Num(track)), End}, {}};
}

ControllerCommand Alarm(const S& t, int a)
{
    return {{"1" + Num(a) + "91" + t.Alarm[a]}, {Str("19"), Key(Num(a)), Key(t.Alarm[a]), End}, {}};
}

ControllerCommand AccessCode(const QString& serialPrefix, const QString& code, const QString& value)
{
    const QString v = value.trimmed();
    return {{serialPrefix + code + v}, {Str(code), {Player::UnlockCode, v}, End}, {}};
}

} // namespace

ControllerCommand BuildCommand(CommandId id, const SettingsTables& t, int item)
{
    if (const auto* row = Find(kPortRows, id))
        return Build(*row, t, item);
    if (const auto* row = Find(kIdRows, id))
        return Build(*row, t, item);
    if (const auto* row = Find(kExtrasRows, id))
        return Build(*row, t, item);
    if (const auto* row = Find(kWideRows, id))
        return Build(*row, t, item);

    switch (id) {
    case CommandId::AuxTime: return AuxTime(t, item);
    case CommandId::CWTones: return CWTones(t, item);
    case CommandId::TailMessages: return TailMessages(t, item);
    case CommandId::YaesuType: return YaesuType(t);
    case CommandId::EraseAllMacros: return {{"1*400499#"}, {Str("*400499"), End}, {}};
    case CommandId::Reset: return {{"1*21999"}, {}, {}};
    case CommandId::GeneralTimer: return GeneralTimer("*1017", t.GeneralTimer, item);
    case CommandId::GeneralTimerMacro: return GeneralTimer("*2092", t.GeneralTimerMacro, item);
    case CommandId::SetPoint: return SetPoint(t, item);
    case CommandId::Meter:
        return StarredItem("*2064", item,
                       {t.Meter[item], t.RealLow[item], t.MeterLow[item], t.RealHigh[item], t.MeterHigh[item]});
    case CommandId::MeterAlarm:
        return StarredItem("*2066", item,
                       {t.MeterNum[item], t.MeterAlarmType[item], t.MeterSetPoint[item], t.MeterMacro[item]});
    case CommandId::MeterAlarmEnable: return MeterAlarmEnable(t, item);
    case CommandId::FreqMemory: return FreqMemory(t, item);
    case CommandId::Macro: return Macro(t, item);
    case CommandId::MacroCode: return NumberedCode("*2050", item, MacroText(t.MacroCode, t.ShortMacroCode, item));
    case CommandId::PortToAllow: return NumberedCode("*4005", item, t.PortToAllow[item]);
    case CommandId::AlarmMacros: return AlarmMacros(t, item);
    case CommandId::MessageMacro: return MessageMacro(t, item);
    case CommandId::DTMFMemory: return DTMFMemory(t, item);
    case CommandId::AutoDial: return Slot("*2115", t.AutoDial, item);
    case CommandId::TollRestrict: return Slot("*2062", t.TollRestrict, item);
    case CommandId::DVRErase: return VoiceTrack("*7002", item);
    case CommandId::DVRRecord: return VoiceTrack("*7001", item);
    case CommandId::Alarm: return Alarm(t, item);
    default: break;
    }
    throw std::logic_error("no catalogue entry for command " + std::to_string(static_cast<int>(id)));
}

ControllerCommand CourtesySegmentCommand(const SettingsTables& t, int port, int tone, int segment)
{
    using enum CourtesyField;
    const auto field = [&](CourtesyField kind, int n) { return (t.*CourtesyArray(port, kind, n))[tone]; };
    const StarFields f = Starred({field(Delay, segment), field(Dur, segment), field(Tone, 2 * segment - 1),
                                  field(Tone, 2 * segment)});
    const QString code = "*3" + Num(segment) + Two(tone);
    // The fields follow the code without a leading "*".
    return {{Num(port) + code + f.serial.mid(1)}, QList<DtmfPart>{Str(code)} + f.dtmf.mid(1) + QList{End}, {}};
}

ControllerCommand PortUnlockCommand(int port, const QString& code)
{
    if (port < 1 || port > Count::Ports)
        throw std::out_of_range("port " + std::to_string(port) + " outside 1..3");
    return AccessCode(Num(port), "*9000", code);
}

ControllerCommand LockChangeCommand(const QString& code) { return AccessCode("1", "*9010", code); }

ControllerCommand TerminatorChangeCommand(const QString& terminator)
{
    return AccessCode("1", "*9020", terminator);
}

QString PaddedCWTone1(const QString& tone) { return tone.size() < 4 ? "0" + tone : tone; }
