#include "store/KeyRegistry.h"

#include "store/CourtesyArrays.h"
#include "store/FactoryCodes.h"

#include <QHash>
#include <limits>
#include <stdexcept>

using S = SettingsTables;

namespace {

// Where the editors let the user store any number, the reader takes any too:
// a file this program saved must load back unchanged.
constexpr double Unbounded = std::numeric_limits<double>::max();

ValueRule asRead() { return {Check::AsRead}; }
ValueRule notEmpty() { return {Check::NotEmpty}; }
ValueRule number(double max) { return {Check::Number, 0, max}; }
ValueRule number(double min, double max) { return {Check::Number, min, max}; }
ValueRule atMost(int length) { return {Check::AtMost, 0, 0, length}; }
ValueRule upper() { return {Check::Upper}; }
ValueRule rule(Check check, double min = 0, double max = 0) { return {check, min, max}; }

// Builds the rows of one section.
class Rows {
public:
    Rows(std::vector<KeyStem>& out, const char* section, bool S::* saveFlag)
        : m_out(out), m_section(section), m_flag(saveFlag) {}

    Rows& flag(bool S::* saveFlag)
    {
        m_flag = saveFlag;
        return *this;
    }

    // The last row's keys are spelled otherwise than its setting.
    Rows& keyedAs(const char* key)
    {
        m_out.back().key = QString::fromLatin1(key);
        return *this;
    }

    Rows& array(const char* name, TextArray S::* member, ValueRule r, const char* label = "",
                const char* fallback = "", int offset = 0)
    {
        KeyStem k = common(name, r, label, fallback);
        k.setting = member;
        k.count = (S().*member).count();
        k.indexOffset = offset;
        m_out.push_back(std::move(k));
        return *this;
    }

    Rows& scalar(const char* name, QString S::* member, ValueRule r, const char* label = "",
                 const char* fallback = "")
    {
        KeyStem k = common(name, r, label, fallback);
        k.setting = member;
        m_out.push_back(std::move(k));
        return *this;
    }

private:
    KeyStem common(const char* name, ValueRule r, const char* label, const char* fallback) const
    {
        KeyStem k;
        k.name = QString::fromLatin1(name);
        k.section = QString::fromLatin1(m_section);
        k.key = k.name;
        k.rule = r;
        k.label = QString::fromLatin1(label);
        k.fallback = QString::fromLatin1(fallback);
        k.saveFlag = r.check == Check::AsRead ? nullptr : m_flag;
        return k;
    }

    std::vector<KeyStem>& m_out;
    const char* m_section;
    bool S::* m_flag;
};

std::vector<KeyStem> buildRegistry()
{
    std::vector<KeyStem> k;
    k.reserve(180);

    Rows(k, "Timers", &S::TimersChanged)
        .array("HangTime", &S::HangTime, number(255), "Ram_HangTime {i}", "50")
        .array("TimeOut", &S::TimeOut, number(32767), "Ram_TimeOut {i}", "180")
        .array("IIDTime", &S::IIDTime, number(255), "Ram_IIDTime {i}", "10")
        .array("PIDTime", &S::PIDTime, number(255), "Ram_PIDTime {i}", "10")
        .array("InActiveTime", &S::InActiveTime, number(255), "Ram_InActiveTime {i}", "20")
        .array("InActivityMacro", &S::InActivityMacro, number(1, 255), "Ram_InActivityMacro {i}", "01")
        .array("DTMFTime", &S::DTMFTime, number(9999), "Ram_DTMFTime {i}", "7")
        .array("CTCSSTime", &S::CTCSSTime, number(255), "Ram_CTCSSTime {i}", "50")
        .array("KerchunkTime", &S::KerchunkTime, number(32767), "Ram_KerchunkTime {i}", "1000")
        .array("IDSpeakTime", &S::IDSpeakTime, number(32767), "Ram_IDSpeakTime {i}", "60")
        .array("AnnounceTime", &S::AnnounceTime, number(32767), "Ram_AnnounceTime {i}", "0")
        .array("AuxTime", &S::AuxTime, number(32767), "Ram_AuxTime {i}", "50")
        .scalar("FanTime", &S::FanTime, number(32767), "Ram_FanTime", "1")
        .scalar("FanSelect", &S::FanSelect, number(255), "Ram_FanSelect", "0")
        .scalar("XmtDelay", &S::XmtDelay, number(32767), "Ram_XmtDelay", "1000")
        .scalar("TimeoutLink", &S::TimeoutLink, notEmpty(), "Ram_TimeoutLink", "0");

    Rows(k, "Alarms", &S::TimersChanged)
        .array("GeneralTimer", &S::GeneralTimer, number(32767), "Ram_GeneralTimer {i}", "0")
        .array("GeneralTimerMacro", &S::GeneralTimerMacro, number(1, 90), "Ram_GeneralTimerMacro {i}", "1")
        .flag(&S::AlarmsChanged)
        .array("AlarmLowMacroNum", &S::AlarmLowMacroNum, number(90), "Ram_AlarmLowMacroNum {i}", "1")
        .array("AlarmHighMacroNum", &S::AlarmHighMacroNum, number(90), "Ram_AlarmHighMacroNum {i}", "1")
        .array("RouteAuxPort", &S::RouteAuxPort, notEmpty(), "Ram_RouteAuxPort {i}", "1");

    Rows(k, "Scheduler", &S::SchedulerChanged)
        .array("DOW", &S::DOW, notEmpty(), "Ram_DOW{i}", "0")
        .array("Monthly", &S::Monthly, number(2), "Ram_Monthly{i}", "0")
        .array("Week", &S::Week, notEmpty(), "Ram_Week {i}", "1")
        .array("Hours", &S::Hours, rule(Check::Hours, 0, 25), "Ram_Hours {i}", "25")
        .array("Minutes", &S::Minutes, number(59), "Ram_Minutes {i}", "00")
        .array("MacroToRun", &S::MacroToRun, number(1, 90), "Ram_MacroToRun {i}", "01")
        .scalar("TwentyFour", &S::TwentyFour, number(1), "Ram_TwentyFour", "0")
        .scalar("SayHour", &S::SayHour, number(1), "Ram_SayHour", "1")
        .scalar("SayYear", &S::SayYear, number(1), "Ram_SayYear", "1")
        .scalar("ClockCorrection", &S::ClockCorrection, notEmpty(), "Ram_ClockCorrection", "0")
        .scalar("DateFormat", &S::DateFormat, notEmpty(), "Ram_DateFormat", "False");

    Rows(k, "Analog", &S::AnalogChanged)
        .array("Meter", &S::Meter, number(6), "Ram_Meter {i}", "0")
        .array("RealLow", &S::RealLow, rule(Check::Calibration, 0, Unbounded), "Ram_RealLow {i}", "0")
        .array("MeterLow", &S::MeterLow, rule(Check::Calibration, 0, Unbounded), "Ram_MeterLow {i}", "0")
        .array("RealHigh", &S::RealHigh, rule(Check::Calibration, 0, Unbounded), "Ram_RealHigh {i}", "0")
        .array("MeterHigh", &S::MeterHigh, rule(Check::Calibration, 0, Unbounded), "Ram_MeterHigh {i}", "0")
        .scalar("Vref", &S::Vref, number(Unbounded), "Ram_Vref", "500")
        .array("MeterAlarmType", &S::MeterAlarmType, number(2), "Ram_MeterAlarmType {i}", "0")
        .array("MeterNum", &S::MeterNum, number(0, 8), "Ram_MeterNum {i}", "0")
        .array("MeterSetPoint", &S::MeterSetPoint, notEmpty(), "Ram_MeterSetPoint {i}", "0")
        .array("MeterMacro", &S::MeterMacro, number(1, 90), "Ram_MeterMacro {i}", "01");

    Rows(k, "Remote", &S::RemoteChanged)
        .scalar("RadioType", &S::RadioType, number(8), "Ram_Radio", "4")
        .scalar("YaesuType", &S::YaesuType, number(5), "Ram_Yaesu", "1")
        .scalar("RemoteBasePrefix", &S::RemoteBasePrefix, notEmpty(), "Ram_RemoteBasePrefix",
                FactoryCodes::RemoteBasePrefix)
        .array("FreqString", &S::FreqString, asRead())
        .array("CTCSS", &S::CTCSS, asRead())
        .array("CTCSSMode", &S::CTCSSMode, asRead())
        .array("RadioMode", &S::RadioMode, number(5), "RadioMode({i}) ", "4")
        .scalar("ControlPort", &S::ControlPort, notEmpty(), "ControlPort", "0");

    Rows(k, "ID", &S::IDChanged)
        .array("VoiceID1", &S::VoiceID1, upper(), "Ram_VoiceID1 {i}", FactoryCodes::VoiceID)
        .array("VoiceID2", &S::VoiceID2, upper(), "Ram_VoiceID2 {i}", FactoryCodes::VoiceID)
        .array("VoiceID3", &S::VoiceID3, upper(), "Ram_VoiceID3 {i}", FactoryCodes::VoiceID)
        .array("CWID1", &S::CWID1, notEmpty(), "Ram_CWID1 {i}", FactoryCodes::CWID)
        .array("CWID2", &S::CWID2, notEmpty(), "Ram_CWID2 {i}", FactoryCodes::CWID)
        .array("CWSpeed", &S::CWSpeed, number(0, 55), "Ram_CwSpeed {i}", "20")
        .array("CWTone1", &S::CWTone1, rule(Check::Tone, 0, 3500), "Ram_CwTone1 {i}", "0500")
        .array("CWTone2", &S::CWTone2, rule(Check::Tone, 0, 3500), "CWTone2 {i}", "0000")
        .array("SpeechEnable", &S::SpeechEnable, number(1), "Ram_SpeechEnable {i}", "1");

    Rows(k, "IDExtras", &S::IDExtrasChanged)
        .array("ID1Extras", &S::ID1Extras, number(11), "Ram_ID1Extras {i}", "0")
        .array("ID2Extras", &S::ID2Extras, number(11), "Ram_ID2Extras {i}", "0")
        .array("ID3Extras", &S::ID3Extras, number(11), "Ram_ID3Extras {i}", "0");

    // The access codes have no section flag: [Unlock] is written at every save.
    Rows(k, "Unlock", nullptr)
        .array("CurrentPortUnlock", &S::CurrentPortUnlock, atMost(8), "Ram_CurrentPortUnlock {i}", "{i}7264")
        .scalar("Lock", &S::CurrentLock, atMost(4), "Ram_CurrentLock", FactoryCodes::LockCode)
        .scalar("Terminator", &S::Terminator, atMost(1), "Ram_CurrentTerminator", FactoryCodes::Terminator)
        .flag(&S::CommandPrefixChanged)
        .scalar("CommandPrefix", &S::CommandPrefix, notEmpty(), "Ram_CommandPrefix", "48315")
        .scalar("DTMFPort", &S::DTMFPort, notEmpty(), "Ram_DTMFPort", "1")
        .scalar("DTMFSpeech", &S::DTMFSpeech, notEmpty(), "Ram_DTMFSpeech", "0");

    Rows(k, "Autopatch", &S::SpecialCodesChanged)
        .scalar("APPrefix", &S::APPrefix, notEmpty(), "Ram_APPrefix", FactoryCodes::AutopatchPrefix)
        .scalar("AnswerCode", &S::AnswerCode, notEmpty(), "Ram_AnswerCode", "6093")
        .array("AutoDial", &S::AutoDial, asRead())
        .array("TollRestrict", &S::TollRestrict, asRead())
        .scalar("RingNumber", &S::RingNumber, notEmpty(), "Ram_RingNumber", "2")
        .scalar("APTimeOut", &S::APTimeOut, notEmpty(), "Ram_APTimeOut ", "120")
        .scalar("EnablePatch", &S::EnablePatch, notEmpty(), "Ram_EnablePatch ", "1")
        .scalar("PatchMute", &S::PatchMute, number(1), "Ram_PatchMute ", "1");
    Rows(k, "PadTest", &S::SpecialCodesChanged)
        .scalar("DTMFTestPrefix", &S::DTMFTestPrefix, notEmpty(), "Ram_DTMFTestPrefix ", FactoryCodes::PadTestPrefix);
    Rows(k, "PreAccess", &S::SpecialCodesChanged)
        .scalar("PreAccessPrefix", &S::PreAccessPrefix, notEmpty(), "Ram_PreAccessPrefix ", "0");
    Rows(k, "PreProgram", &S::SpecialCodesChanged)
        .scalar("PreProgramPrefix", &S::PreProgramPrefix, notEmpty(), "Ram_PreProgramPrefix ", "0");
    Rows(k, "MacroSubset", &S::MacroSubsetChanged)
        .scalar("MacroSubset", &S::MacroSubset, notEmpty(), "Ram_MacroSubset", "0")
        .scalar("MacroSubsetEnable", &S::MacroSubsetEnable, notEmpty(), "Ram_MacroSubsetEnable", "0");
    Rows(k, "DTMFMuteDigitSelect", &S::DTMFMuteDigitSelectChanged)
        .scalar("DTMFMuteDigitSelect", &S::DTMFMuteDigitSelect, notEmpty(), "Ram_DTMFMuteDigitSelect", "1");

    Rows(k, "Macros", &S::MacrosChanged)
        .array("Macro", &S::Macro, rule(Check::MacroCodes), "Ram_Macro {i}", "NONE STORED")
        .array("MacroCode", &S::MacroCode, atMost(8), "Ram_MacroCode {i}", "7046{i}")
        .array("ShortMacro", &S::ShortMacro, rule(Check::MacroCodes), "Ram_ShortMacro {i}", "NONE STORED")
        // Short macro i is macro 40 + i, in its code and its log line alike.
        .array("ShortMacroCode", &S::ShortMacroCode, atMost(8), "Ram_ShortMacroCode {i}", "7046{i}", 40)
        .array("PortToAllow", &S::PortToAllow, notEmpty(), "Ram_PortToAllow {i}", "123");

    Rows(k, "MessageMacros", &S::MessageMacrosChanged)
        .array("MessageMacro", &S::MessageMacro, upper(), "Ram_MessageMacro {i}", "NONE STORED");

    // Port 1's sixteen, then port 2's, then port 3's.
    Rows courtesy(k, "Courtesy", &S::CourtesyChanged);
    for (int port = 1; port <= Count::Ports; ++port) {
        for (const CourtesyField field : CourtesyFields) {
            const bool tone = field == CourtesyField::Tone;
            for (int n = 1; n <= CourtesyArrayCount(field); ++n) {
                const QByteArray name = CourtesyArrayName(port, field, n).toLatin1();
                const QByteArray label = "Ram_" + name + " {i}";
                courtesy.array(name.constData(), CourtesyArray(port, field, n), number(tone ? 10000 : 32767),
                               label.constData(), tone ? "0" : "250");
            }
        }
    }

    Rows(k, "DTMF", &S::DTMFChanged)
        .array("DTMFMemory", &S::DTMFMemory, rule(Check::Digits), "Ram_DTMF {i}", "NONE STORED")
        .keyedAs("DTMF")
        .scalar("DTMFDur", &S::DTMFDur, number(255), "Ram_DTMFDur", "100")
        .scalar("DTMFDelay", &S::DTMFDelay, number(255), "Ram_DTMFDelay", "100");

    Rows(k, "PortSwitches", &S::PortSwitchesChanged)
        .array("TxEnable", &S::TxEnable, number(1), "Ram_TxEnable {i}", "1")
        .array("RxEnable", &S::RxEnable, number(1), "Ram_RxEnable {i}", "1")
        .array("FDup", &S::FDup, number(1), "Ram_FDup{i}", "1")
        .array("DisableTimeout", &S::DisableTimeout, number(1), "Ram_DisableTimeout {i}", "0")
        .array("PLAccess", &S::PLAccess, number(3), "Ram_PLAccess {i}", "0")
        .array("DTMFEnable", &S::DTMFEnable, number(1), "Ram_DTMFEnable {i}", "1")
        .array("DTMFNeedPL", &S::DTMFNeedPL, number(1), "Ram_DTMFNeedPL {i}", "0")
        .array("DTMFMute", &S::DTMFMute, number(1), "Ram_DTMFMute {i}", "1")
        .array("DTMFCovertone", &S::DTMFCovertone, number(1), "Ram_DTMFCovertone {i}", "1")
        .array("MonMix", &S::MonMix, number(1), "Ram_MonMix {i}", "1")
        .array("Kerchunk", &S::Kerchunk, number(1), "Ram_Kerchunk {i}", "0")
        .array("SpeechOverride", &S::SpeechOverride, number(1), "Ram_SpeechOverride {i}", "1")
        .array("SpeechIDOverride", &S::SpeechIDOverride, number(1), "Ram_SpeechIDOverride {i}", "1")
        .array("CTCSSCT", &S::CTCSSCT, notEmpty(), "Ram_PLCT {i}", "1")
        .array("CTCSSID", &S::CTCSSID, notEmpty(), "Ram_PLID {i}", "0")
        .array("TailMessageNum", &S::TailMessageNum, number(3), "Ram_TailMessageNum {i}", "0")
        .array("P1MessageNum", &S::P1MessageNum, rule(Check::MessageNum, 0, 90), "Ram_P1MessageNum {i}", "1")
        .array("P2MessageNum", &S::P2MessageNum, rule(Check::MessageNum, 0, 90), "Ram_P2MessageNum {i}", "1")
        .array("P3MessageNum", &S::P3MessageNum, rule(Check::MessageNum, 0, 90), "Ram_P3MessageNum {i}", "1")
        .array("TailCounter", &S::TailCounter, number(255), "Ram_TailCounter {i}", "0")
        .array("PLEncodePolarity", &S::PLEncodePolarity, notEmpty(), "Ram_PLEncodePolarity {i}", "0")
        .array("COSClose", &S::COSClose, notEmpty(), "Ram_COSClose {i}", "0")
        .array("Alarm", &S::Alarm, number(5), "Ram_Alarm{i}", "1")
        .scalar("AllowTerminatorSpeech", &S::AllowTerminatorSpeech, number(1), "Ram_AllowTerminatorSpeech", "0");

    return k;
}

QString withIndex(QString text, int i)
{
    return text.replace(QStringLiteral("{i}"), QString::number(i));
}

} // namespace

QString KeyStem::keyName(int i) const
{
    if (!isArray())
        return key;
    return key + u'(' + QString::number(i) + u')';
}

QString KeyStem::logLabel(int i) const { return withIndex(label, i + indexOffset); }

QString KeyStem::defaultValue(int i) const { return withIndex(fallback, i + indexOffset); }

KeyStem::Kept KeyStem::kept(const QString& read, int i) const
{
    Kept k{rule.normalised(read)};
    if (rule.check == Check::AsRead)
        return k;
    if (rule.quietlyReplaced(k.text))
        k.replaced = Kept::Replaced::Quietly;
    else if (!rule.accepts(k.text))
        k.replaced = Kept::Replaced::Refused;
    if (k.replaced != Kept::Replaced::No)
        k.text = defaultValue(i);
    k.text = rule.finished(k.text);
    return k;
}

const std::vector<KeyStem>& KeyRegistry()
{
    static const std::vector<KeyStem> registry = buildRegistry();
    return registry;
}

const KeyStem& FindStem(const QString& name)
{
    static const QHash<QString, const KeyStem*> index = [] {
        QHash<QString, const KeyStem*> h;
        for (const auto& k : KeyRegistry())
            h.insert(k.name, &k);
        return h;
    }();
    const KeyStem* stem = index.value(name);
    if (!stem)
        throw std::invalid_argument("no configuration key " + name.toStdString());
    return *stem;
}

const KeyStem* StemOf(const Setting& setting)
{
    // Member pointers do not hash; the member's place in one set of tables does.
    static const SettingsTables probe;
    const auto placeOf = [](const Setting& s) -> const void* {
        return s.isArray() ? static_cast<const void*>(&(probe.*s.array)) : &(probe.*s.scalar);
    };
    static const QHash<const void*, const KeyStem*> index = [&] {
        QHash<const void*, const KeyStem*> h;
        for (const auto& k : KeyRegistry())
            h.insert(placeOf(k.setting), &k);
        return h;
    }();
    return setting.isSet() ? index.value(placeOf(setting)) : nullptr;
}

const KeyStem& FindStem(const Setting& setting)
{
    const KeyStem* stem = StemOf(setting);
    if (!stem)
        throw std::invalid_argument("the configuration file holds no such setting");
    return *stem;
}
