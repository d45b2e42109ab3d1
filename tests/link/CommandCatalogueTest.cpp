#include "link/CommandCatalogue.h"

#include "store/SettingsTables.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>

namespace {

const QString kKeys = QStringLiteral("0123456789*#ABCD");

QString KeyName(const QString& name)
{
    static const QStringList aliases{"11", "12", "13", "14", "15", "16"};
    if (name.size() == 1 && kKeys.contains(name))
        return name;
    const auto alias = aliases.indexOf(name);
    return alias < 0 ? QString() : QString(kKeys[10 + alias]);
}

// The keys the players would play, "T" standing for the terminator in use.
std::string Keys(const QList<DtmfPart>& parts)
{
    QString out;
    for (const DtmfPart& part : parts) {
        switch (part.player) {
        case Player::Key: out += KeyName(part.text); break;
        case Player::String:
        case Player::CodeDigits:
            for (QChar c : part.text.trimmed())
                out += KeyName(c);
            break;
        case Player::Code:
        case Player::UnlockCode:
            for (QChar c : part.text) {
                if (c == u'D' && part.player == Player::Code)
                    out += u'T';
                else
                    out += kKeys.contains(c) ? QString(c) : QStringLiteral("0");
            }
            break;
        case Player::Terminator: out += u'T'; break;
        }
    }
    return out.toStdString();
}

using T = SettingsTables;

// A command of the catalogue: an id with its item, or one of the builders
// that take their values from the caller.
struct Builder {
    std::optional<CommandId> id;
    std::function<ControllerCommand(const T&)> make;
};

Builder By(CommandId id, int item = 0)
{
    return {id, [=](const T& t) { return BuildCommand(id, t, item); }};
}

Builder Of(std::function<ControllerCommand(const T&)> make) { return {std::nullopt, std::move(make)}; }

struct Case {
    const char* name;
    std::function<void(T&)> set;
    Builder build;
    const char* serial; // lines joined by "|"
    const char* keys;   // "T" for the terminator in use
    const char* unknown = "";
};

// Every command of the controller with its literal lines and keys, worked out
// from the command tables rather than from the catalogue; values of several
// digits show a key player that should be a string one, and a "D" in a code
// shows the code player (the terminator in its place).
const Case kCases[] = {
    // ---- Per-port timers ----
    {"hang time of port 2", [](T& t) { t.HangTime[2] = "50"; }, By(CommandId::HangTime, 2),
     "2*100050", "*100050T"},
    {"hang time 0 of port 3", [](T& t) { t.HangTime[3] = "0"; }, By(CommandId::HangTime, 3),
     "3*10000", "*10000T"},
    {"time-out", [](T& t) { t.TimeOut[1] = "180"; }, By(CommandId::TimeOut, 1), "1*1001180", "*1001180T"},
    {"initial ID time", [](T& t) { t.IIDTime[2] = "10"; }, By(CommandId::IIDTime, 2), "2*100210", "*100210T"},
    {"pending ID time", [](T& t) { t.PIDTime[3] = "15"; }, By(CommandId::PIDTime, 3), "3*100315", "*100315T"},
    {"inactive time", [](T& t) { t.InActiveTime[1] = "20"; }, By(CommandId::InActiveTime, 1), "1*100520",
     "*100520T"},
    {"inactivity macro as digits", [](T& t) { t.InActivityMacro[1] = "15"; },
     By(CommandId::InActivityMacro, 1), "1*211415", "*211415T"},
    {"DTMF time", [](T& t) { t.DTMFTime[2] = "9999"; }, By(CommandId::DTMFTime, 2), "2*10069999",
     "*10069999T"},
    {"CTCSS time", [](T& t) { t.CTCSSTime[3] = "50"; }, By(CommandId::CTCSSTime, 3), "3*100750", "*100750T"},
    {"kerchunk time", [](T& t) { t.KerchunkTime[1] = "1000"; }, By(CommandId::KerchunkTime, 1), "1*10181000",
     "*10181000T"},
    {"ID speak time", [](T& t) { t.IDSpeakTime[2] = "60"; }, By(CommandId::IDSpeakTime, 2), "2*101960",
     "*101960T"},
    {"announce time", [](T& t) { t.AnnounceTime[3] = "30"; }, By(CommandId::AnnounceTime, 3), "3*102030",
     "*102030T"},
    {"aux timer of port 3", [](T& t) { t.AuxTime[3] = "20"; }, By(CommandId::AuxTime, 3),
     "3*101520", "*101520T"},
    {"aux timer of port 1", [](T& t) { t.AuxTime[1] = "5"; }, By(CommandId::AuxTime, 1),
     "1*10135", "*10135T"},

    // ---- Identifiers ----
    {"voice identifier through the encoder", [](T& t) { t.VoiceID1[1] = "HELLO  1 XYZZY REPEATER"; },
     By(CommandId::VoiceID1, 1), "1*8004124001190", "*8004124001190T", "[XYZZY]"},
    {"voice identifier 2", [](T& t) { t.VoiceID2[1] = "GOOD MORNING"; }, By(CommandId::VoiceID2, 1),
     "1*8005122157", "*8005122157T"},
    {"voice identifier 3", [](T& t) { t.VoiceID3[2] = "THANK_YOU 5"; }, By(CommandId::VoiceID3, 2),
     "2*8006204005", "*8006204005T"},
    {"CW identifier 1", [](T& t) { t.CWID1[3] = "C Q"; }, By(CommandId::CWID1, 3), "3*80022371", "*80022371T"},
    {"CW identifier through the encoder", [](T& t) { t.CWID2[2] = "A 1 / QQ"; },
     By(CommandId::CWID2, 2), "2*8003210112", "*8003210112T", "[QQ]"},
    {"CW speed", [](T& t) { t.CWSpeed[1] = "20"; }, By(CommandId::CWSpeed, 1), "1*800020", "*800020T"},
    {"one CW tone, padded", [](T& t) { t.CWTone1[1] = "800", t.CWTone2[1] = "0"; },
     By(CommandId::CWTones, 1), "1*80010800", "*80010800T"},
    {"two CW tones", [](T& t) { t.CWTone1[2] = "800", t.CWTone2[2] = "1200"; },
     By(CommandId::CWTones, 2), "2*80010800|2*800108001200", "*800108001200T"},
    {"four-digit CW tone unchanged", [](T& t) { t.CWTone1[3] = "1000", t.CWTone2[3] = ""; },
     By(CommandId::CWTones, 3), "3*80011000", "*80011000T"},
    {"ID 1 extras of port 2 are number 2 in DTMF", [](T& t) { t.ID1Extras[2] = "11"; },
     By(CommandId::ID1Extras, 2), "2*8007111", "*8007211T"},
    {"ID 2 extras of port 3 are number 6 in DTMF", [](T& t) { t.ID2Extras[3] = "5"; },
     By(CommandId::ID2Extras, 3), "3*800725", "*800765T"},
    {"ID 3 extras of port 3 are number 9 in DTMF", [](T& t) { t.ID3Extras[3] = "10"; },
     By(CommandId::ID3Extras, 3), "3*8007310", "*8007910T"},
    {"speech enable", [](T& t) { t.SpeechEnable[2] = "1"; }, By(CommandId::SpeechEnable, 2), "2*80081",
     "*80081T"},

    // ---- Port switches: the port digit twice on the line, once in DTMF ----
    {"port switch TxEnable of port 3", [](T& t) { t.TxEnable[3] = "1"; },
     By(CommandId::TxEnable, 3), "33111", "3111T"},
    {"receiver enable", [](T& t) { t.RxEnable[1] = "0"; }, By(CommandId::RxEnable, 1), "11100", "1100T"},
    {"full duplex", [](T& t) { t.FDup[2] = "1"; }, By(CommandId::FDup, 2), "22141", "2141T"},
    {"PL access", [](T& t) { t.PLAccess[3] = "3"; }, By(CommandId::PLAccess, 3), "33123", "3123T"},
    {"DTMF enable", [](T& t) { t.DTMFEnable[1] = "1"; }, By(CommandId::DTMFEnable, 1), "11161", "1161T"},
    {"DTMF needs PL", [](T& t) { t.DTMFNeedPL[2] = "0"; }, By(CommandId::DTMFNeedPL, 2), "22170", "2170T"},
    {"DTMF mute", [](T& t) { t.DTMFMute[3] = "1"; }, By(CommandId::DTMFMute, 3), "33211", "3211T"},
    {"DTMF covertone", [](T& t) { t.DTMFCovertone[1] = "0"; }, By(CommandId::DTMFCovertone, 1), "11130",
     "1130T"},
    {"monitor mix", [](T& t) { t.MonMix[2] = "1"; }, By(CommandId::MonMix, 2), "22191", "2191T"},
    {"kerchunk", [](T& t) { t.Kerchunk[3] = "0"; }, By(CommandId::Kerchunk, 3), "33150", "3150T"},
    {"speech override", [](T& t) { t.SpeechOverride[1] = "1"; }, By(CommandId::SpeechOverride, 1), "11201",
     "1201T"},
    {"port switch SpeechIDOverride of port 1", [](T& t) { t.SpeechIDOverride[1] = "0"; },
     By(CommandId::SpeechIDOverride, 1), "11180", "1180T"},
    {"CTCSS courtesy tone switch", [](T& t) { t.CTCSSCT[2] = "1"; }, By(CommandId::CTCSSCT, 2),
     "2*20881", "*20881T"},
    {"CTCSS ID", [](T& t) { t.CTCSSID[3] = "1"; }, By(CommandId::CTCSSID, 3), "3*20891", "*20891T"},
    {"tail message", [](T& t) { t.TailMessageNum[1] = "2"; }, By(CommandId::TailMessageNum, 1), "1*21112",
     "*21112T"},
    {"tail messages of port 2 carry P2MessageNum",
     [](T& t) {
         t.TailMessageNum[2] = "1";
         t.P2MessageNum[1] = "12", t.P2MessageNum[2] = "5", t.P2MessageNum[3] = "90";
         t.P1MessageNum[2] = "7", t.P3MessageNum[2] = "8";
     },
     By(CommandId::TailMessages, 2), "2*2110112|2*211025|2*2110390", "*2110112590T"},
    {"tail counter", [](T& t) { t.TailCounter[1] = "254"; }, By(CommandId::TailCounter, 1),
     "1*2112254", "*2112254T"},
    {"PL encode polarity", [](T& t) { t.PLEncodePolarity[2] = "1"; }, By(CommandId::PLEncodePolarity, 2),
     "2*10211", "*10211T"},
    {"COS of port 2", [](T& t) { t.COSClose[2] = "1"; }, By(CommandId::COSClose, 2), "2221",
     "2221T"},

    // ---- Courtesy tone segments ----
    {"courtesy tone 10 of port 2, segment 4",
     [](T& t) { t.P2Delay4[10] = "100", t.P2Dur4[10] = "200", t.P2Tone7[10] = "1000", t.P2Tone8[10] = "0"; },
     Of([](const T& t) { return CourtesySegmentCommand(t, 2, 10, 4); }), "2*3410100*200*1000*0*",
     "*3410100*200*1000*0*T"},
    {"courtesy tone 1 of port 1, segment 1",
     [](T& t) { t.P1Delay1[1] = "250", t.P1Dur1[1] = "250", t.P1Tone1[1] = "1000", t.P1Tone2[1] = "0"; },
     Of([](const T& t) { return CourtesySegmentCommand(t, 1, 1, 1); }), "1*3101250*250*1000*0*",
     "*3101250*250*1000*0*T"},
    {"courtesy segment 3 uses delay 3, duration 3, tones 5 and 6",
     [](T& t) { t.P1Delay3[3] = "1", t.P1Dur3[3] = "2", t.P1Tone5[3] = "3", t.P1Tone6[3] = "4"; },
     Of([](const T& t) { return CourtesySegmentCommand(t, 1, 3, 3); }), "1*33031*2*3*4*", "*33031*2*3*4*T"},
    {"courtesy segment 2 of port 3 uses delay 2, duration 2, tones 3 and 4",
     [](T& t) { t.P3Delay2[4] = "10", t.P3Dur2[4] = "20", t.P3Tone3[4] = "30", t.P3Tone4[4] = "40"; },
     Of([](const T& t) { return CourtesySegmentCommand(t, 3, 4, 2); }), "3*320410*20*30*40*",
     "*320410*20*30*40*T"},

    // ---- Access codes: the code as an unlock code plays it ----
    {"port unlock plays D as itself", [](T&) {}, Of([](const T&) { return PortUnlockCommand(2, " 12D "); }),
     "2*900012D", "*900012DT"},
    {"lock change", [](T&) {}, Of([](const T&) { return LockChangeCommand("C"); }), "1*9010C", "*9010CT"},
    {"terminator change ends with the old terminator", [](T&) {},
     Of([](const T&) { return TerminatorChangeCommand("#"); }), "1*9020#", "*9020#T"},
    {"terminator change to D plays D", [](T&) {}, Of([](const T&) { return TerminatorChangeCommand(" D "); }),
     "1*9020D", "*9020DT"},

    // ---- Controller-wide settings of one value ----
    {"fan time", [](T& t) { t.FanTime = "30"; }, By(CommandId::FanTime), "1*100430", "*100430T"},
    {"fan select", [](T& t) { t.FanSelect = "12"; }, By(CommandId::FanSelect), "1*211912", "*211912T"},
    {"transmit delay", [](T& t) { t.XmtDelay = "1000"; }, By(CommandId::XmtDelay), "1*10221000", "*10221000T"},
    {"time-out link", [](T& t) { t.TimeoutLink = "15"; }, By(CommandId::TimeoutLink), "1*205115", "*205115T"},
    {"say year", [](T& t) { t.SayYear = "1"; }, By(CommandId::SayYear), "1*51021", "*51021T"},
    {"24-hour clock", [](T& t) { t.TwentyFour = "0"; }, By(CommandId::TwentyFour), "1*51030", "*51030T"},
    {"say hour", [](T& t) { t.SayHour = "1"; }, By(CommandId::SayHour), "1*51041", "*51041T"},
    {"clock correction A", [](T& t) { t.ClockCorrection = "A"; }, By(CommandId::ClockCorrection), "1*5105A",
     "*5105AT"},
    {"reference voltage", [](T& t) { t.Vref = "500"; }, By(CommandId::Vref), "1*2065500", "*2065500T"},
    {"radio type", [](T& t) { t.RadioType = "4"; }, By(CommandId::RadioType), "1*20834", "*20834T"},
    {"Yaesu model 4", [](T& t) { t.YaesuType = "4"; }, By(CommandId::YaesuType), "1*20844", "*20842T"},
    {"Yaesu model 1", [](T& t) { t.YaesuType = "1"; }, By(CommandId::YaesuType), "1*20841", "*20841T"},
    {"remote base prefix, trimmed, D is the terminator", [](T& t) { t.RemoteBasePrefix = " 9D "; },
     By(CommandId::RemoteBasePrefix), "1*20609D", "*20609TT"},
    {"DTMF duration", [](T& t) { t.DTMFDur = "100"; }, By(CommandId::DTMFDur), "1*2106100", "*2106100T"},
    {"DTMF delay", [](T& t) { t.DTMFDelay = "80"; }, By(CommandId::DTMFDelay), "1*210780", "*210780T"},
    {"prefix trimmed, D is the terminator", [](T& t) { t.CommandPrefix = " 1D "; },
     By(CommandId::CommandPrefix), "1*21041D", "*21041TT"},
    {"DTMF port", [](T& t) { t.DTMFPort = "2D"; }, By(CommandId::DTMFPort), "1*21172D", "*21172TT"},
    {"DTMF speech", [](T& t) { t.DTMFSpeech = "0"; }, By(CommandId::DTMFSpeech), "1*21180", "*21180T"},
    {"autopatch prefix", [](T& t) { t.APPrefix = "A1D"; }, By(CommandId::APPrefix), "1*2061A1D", "*2061A1TT"},
    {"answer code", [](T& t) { t.AnswerCode = "6093"; }, By(CommandId::AnswerCode), "1*20636093", "*20636093T"},
    {"ring number", [](T& t) { t.RingNumber = "2"; }, By(CommandId::RingNumber), "1*10252", "*10252T"},
    {"autopatch time-out", [](T& t) { t.APTimeOut = "120"; }, By(CommandId::APTimeOut), "1*1024120",
     "*1024120T"},
    {"patch enable", [](T& t) { t.EnablePatch = "1"; }, By(CommandId::EnablePatch), "1*21161", "*21161T"},
    {"patch mute has no star", [](T& t) { t.PatchMute = "1"; }, By(CommandId::PatchMute), "12701", "2701T"},
    {"DTMF test prefix", [](T& t) { t.DTMFTestPrefix = "B7D"; }, By(CommandId::DTMFTestPrefix), "1*2093B7D",
     "*2093B7TT"},
    {"pre-access prefix", [](T& t) { t.PreAccessPrefix = "55"; }, By(CommandId::PreAccessPrefix), "1*210855",
     "*210855T"},
    {"pre-program prefix", [](T& t) { t.PreProgramPrefix = "C9"; }, By(CommandId::PreProgramPrefix),
     "1*2109C9", "*2109C9T"},
    {"macro subset", [](T& t) { t.MacroSubset = "12"; }, By(CommandId::MacroSubset), "1*400912", "*400912T"},
    {"macro subset enable has no star", [](T& t) { t.MacroSubsetEnable = "1"; }, By(CommandId::MacroSubsetEnable),
     "12801", "2801T"},
    {"DTMF mute digit select", [](T& t) { t.DTMFMuteDigitSelect = "3"; }, By(CommandId::DTMFMuteDigitSelect),
     "1*20903", "*20903T"},
    {"terminator speech", [](T& t) { t.AllowTerminatorSpeech = "1"; }, By(CommandId::AllowTerminatorSpeech),
     "1*20911", "*20911T"},
    {"erase all macros", [](T&) {}, By(CommandId::EraseAllMacros), "1*400499#", "*400499T"},
    {"reset has no DTMF form", [](T&) {}, By(CommandId::Reset), "1*21999", ""},

    // ---- Controller-wide, numbered ----
    {"general timer 2", [](T& t) { t.GeneralTimer[2] = "30"; },
     By(CommandId::GeneralTimer, 2), "1*1017230", "*1017230T"},
    {"general timer macro 3", [](T& t) { t.GeneralTimerMacro[3] = "45"; }, By(CommandId::GeneralTimerMacro, 3),
     "1*2092345", "*2092345T"},
    {"set point every hour",
     [](T& t) {
         t.DOW[5] = "0", t.Hours[5] = "0A", t.Minutes[5] = "30", t.MacroToRun[5] = "12", t.Monthly[5] = "0";
     },
     By(CommandId::SetPoint, 5), "1*40010500A3012", "*400150" "0A" "3012T"},
    {"monthly set point",
     [](T& t) {
         t.DOW[12] = "1", t.Week[12] = "2", t.Monthly[12] = "1";
         t.Hours[12] = "7", t.Minutes[12] = "15", t.MacroToRun[12] = "3";
     },
     By(CommandId::SetPoint, 12), "1*400112217153", "*40011217153T"},
    {"set point on day 10 has no DTMF form",
     [](T& t) { t.DOW[1] = "10", t.Hours[1] = "1", t.Minutes[1] = "0", t.MacroToRun[1] = "2"; },
     By(CommandId::SetPoint, 1), "1*4001011010" "2", ""},
    {"meter channel",
     [](T& t) {
         t.Meter[1] = "1", t.RealLow[1] = "0", t.MeterLow[1] = "0", t.RealHigh[1] = "15", t.MeterHigh[1] = "255";
     },
     By(CommandId::Meter, 1), "1*20641*1*0*0*15*255*", "*20641*1*0*0*15*255*T"},
    {"meter alarm 10",
     [](T& t) {
         t.MeterNum[10] = "2", t.MeterAlarmType[10] = "1", t.MeterSetPoint[10] = "150", t.MeterMacro[10] = "20";
     },
     By(CommandId::MeterAlarm, 10), "1*206610*2*1*150*20*", "*206610*2*1*150*20*T"},
    {"meter alarm 3 enabled", [](T& t) { t.MeterAlarmType[3] = "1"; },
     By(CommandId::MeterAlarmEnable, 3), "1160031", "160031T"},
    {"meter alarm 3 disabled", [](T& t) { t.MeterAlarmType[3] = " 0 "; }, By(CommandId::MeterAlarmEnable, 3),
     "1160030", "160030T"},
    {"remote memory",
     [](T& t) {
         t.RemoteBasePrefix = " 9 ", t.FreqString[3] = "146520", t.CTCSS[3] = "1000", t.CTCSSMode[3] = "1";
         t.RadioMode[3] = "2";
     },
     By(CommandId::FreqMemory, 3), "1**91146520|1**9210001|1**932|1*20863",
     "91146520T*20863T"},
    {"remote memory with nothing stored", [](T& t) { t.RemoteBasePrefix = "9", t.FreqString[2] = "NONE STORED"; },
     By(CommandId::FreqMemory, 2), "1**91|1**92|1**93|1*20862", "91T*20862T"},
    {"macro 7 with nothing stored", [](T& t) { t.Macro[7] = "NONE STORED"; },
     By(CommandId::Macro, 7), "1*400307", "*40037T"},
    {"long macro", [](T& t) { t.Macro[12] = "013 037 401"; }, By(CommandId::Macro, 12),
     "1*400212013037401", "*400212013037401T"},
    {"short macro 3 is macro 43", [](T& t) { t.ShortMacro[3] = "001 002"; },
     By(CommandId::Macro, 43), "1*400243001002", "*400243001002T"},
    {"macro run code with D", [](T& t) { t.MacroCode[5] = " 12D"; }, By(CommandId::MacroCode, 5),
     "1*20500512D", "*2050512TT"},
    {"short macro run code", [](T& t) { t.ShortMacroCode[1] = "99"; },
     By(CommandId::MacroCode, 41), "1*20504199", "*20504199T"},
    {"macro port limit", [](T& t) { t.PortToAllow[90] = "123"; }, By(CommandId::PortToAllow, 90),
     "1*400590123", "*400590123T"},
    {"alarm macros skip 0", [](T& t) { t.AlarmLowMacroNum[1] = "5", t.AlarmHighMacroNum[1] = "0"; },
     By(CommandId::AlarmMacros, 1), "1*210115", ""},
    {"alarm macros, both", [](T& t) { t.AlarmLowMacroNum[4] = "12", t.AlarmHighMacroNum[4] = "34"; },
     By(CommandId::AlarmMacros, 4), "1*2101412|1*2102434", ""},
    {"message macro", [](T& t) { t.MessageMacro[2] = "HELLO ZERO"; },
     By(CommandId::MessageMacro, 2), "1*2103021240" "00", "*21032124000T"},
    {"message macro with nothing stored", [](T& t) { t.MessageMacro[2] = "NONE STORED"; },
     By(CommandId::MessageMacro, 2), "1*210302", "*21032T"},
    {"message macro with nothing stored, blanks around", [](T& t) { t.MessageMacro[40] = " NONE STORED "; },
     By(CommandId::MessageMacro, 40), "1*210340", "*210340T"},
    {"DTMF memory", [](T& t) { t.DTMFMemory[4] = " 1 2 3 D "; }, By(CommandId::DTMFMemory, 4),
     "1*210504123D", "*21054123TT"},
    {"DTMF memory with nothing stored", [](T& t) { t.DTMFMemory[20] = "NONE STORED"; },
     By(CommandId::DTMFMemory, 20), "1*210520", "*210520T"},
    {"autodial slot 150", [](T& t) { t.AutoDial[150] = "5551212"; },
     By(CommandId::AutoDial, 150), "1*21151505551212", "*21151505551212T"},
    {"autodial slot 7", [](T& t) { t.AutoDial[7] = "911"; }, By(CommandId::AutoDial, 7), "1*2115007911",
     "*2115007911T"},
    {"toll entry 5", [](T& t) { t.TollRestrict[5] = "976"; }, By(CommandId::TollRestrict, 5),
     "1*2062005976", "*2062005976T"},
    {"voice track 15 erased", [](T&) {}, By(CommandId::DVRErase, 15), "1*700215", "*700215T"},
    {"voice track 7 recorded", [](T&) {}, By(CommandId::DVRRecord, 7), "1*70017", "*70017T"},
    {"alarm input 2 on", [](T& t) { t.Alarm[2] = "1"; }, By(CommandId::Alarm, 2), "12911",
     "1921T"},
};

std::string Joined(const QStringList& list, const char* open = "", const char* close = "", const char* sep = "|")
{
    QString out;
    for (const QString& item : list)
        out += (out.isEmpty() || !*sep ? "" : sep) + QString(open) + item + close;
    return out.toStdString();
}

TEST(CommandCatalogueTest, SerialLinesAndKeysOfEveryFamily)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        SettingsTables tables;
        c.set(tables);
        const ControllerCommand command = c.build.make(tables);
        EXPECT_EQ(Joined(command.serialLines), c.serial);
        EXPECT_EQ(Keys(command.dtmf), c.keys);
        EXPECT_EQ(Joined(command.unknownWords, "[", "]", ""), c.unknown);
        if (!command.dtmf.isEmpty()) {
            EXPECT_EQ(command.dtmf.last().player, Player::Terminator);
        }
    }
}

TEST(CommandCatalogueTest, EveryCommandHasARowInTheTable)
{
    std::set<int> covered;
    for (const Case& c : kCases)
        if (c.build.id)
            covered.insert(static_cast<int>(*c.build.id));
    for (int id = 0; id <= static_cast<int>(CommandId::Alarm); ++id)
        EXPECT_TRUE(covered.contains(id)) << "command " << id << " has no row";
}

TEST(CommandCatalogueTest, ValuesKeepTheirPlayer)
{
    SettingsTables t;
    t.TailMessageNum[1] = "2";
    t.P1MessageNum[1] = "10", t.P1MessageNum[2] = "16", t.P1MessageNum[3] = "3";
    // A macro number played as one key name would be silent for 10 and a D for 16.
    const QList<DtmfPart> tail{{Player::String, "*2110"}, {Player::Key, "2"}, {Player::String, "10"},
                               {Player::String, "16"}, {Player::String, "3"}, {Player::Terminator, ""}};
    EXPECT_EQ(BuildCommand(CommandId::TailMessages, t, 1).dtmf, tail);

    const QList<DtmfPart> lock{{Player::String, "*9010"}, {Player::UnlockCode, "D"}, {Player::Terminator, ""}};
    EXPECT_EQ(LockChangeCommand(" D ").dtmf, lock);
}

TEST(CommandCatalogueTest, EveryCommandHasAnEntry)
{
    SettingsTables t;
    for (int id = 0; id <= static_cast<int>(CommandId::Alarm); ++id) {
        SCOPED_TRACE(id);
        const ControllerCommand command = BuildCommand(static_cast<CommandId>(id), t, 1);
        EXPECT_FALSE(command.serialLines.isEmpty() && command.dtmf.isEmpty());
    }
}

TEST(CommandCatalogueTest, ItemsOutsideTheirRangeThrow)
{
    SettingsTables t;
    EXPECT_THROW(BuildCommand(CommandId::HangTime, t, 4), std::out_of_range);
    EXPECT_THROW(BuildCommand(CommandId::TailMessages, t, 0), std::out_of_range);
    EXPECT_THROW(BuildCommand(CommandId::Macro, t, 91), std::out_of_range);
    EXPECT_THROW(BuildCommand(CommandId::AutoDial, t, 201), std::out_of_range);
    EXPECT_THROW(CourtesySegmentCommand(t, 4, 1, 1), std::out_of_range);
    EXPECT_THROW(CourtesySegmentCommand(t, 1, 1, 5), std::out_of_range);
    EXPECT_THROW(CourtesySegmentCommand(t, 1, 11, 1), std::out_of_range);
    EXPECT_THROW(PortUnlockCommand(0, "1"), std::out_of_range);
    EXPECT_THROW(BuildCommand(CommandId::DVRErase, t, 0), std::out_of_range);
    EXPECT_THROW(BuildCommand(CommandId::DVRRecord, t, 21), std::out_of_range);
}

TEST(CommandCatalogueTest, PaddedCWTone1)
{
    EXPECT_EQ(PaddedCWTone1("800"), "0800");
    EXPECT_EQ(PaddedCWTone1("1000"), "1000");
}

} // namespace
