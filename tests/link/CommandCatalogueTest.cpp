#include "link/CommandCatalogue.h"

#include "store/SettingsTables.h"

#include <gtest/gtest.h>

#include <functional>
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

struct Case {
    const char* name;
    std::function<void(SettingsTables&)> set;
    std::function<ControllerCommand(const SettingsTables&)> build;
    const char* serial; // lines joined by "|"
    const char* keys;
    const char* unknown = "";
};

using T = SettingsTables;

std::function<ControllerCommand(const T&)> By(CommandId id, int item)
{
    return [=](const T& t) { return BuildCommand(id, t, item); };
}

const Case kCases[] = {
    {"hang time of port 2", [](T& t) { t.HangTime[2] = "50"; }, By(CommandId::HangTime, 2),
     "2*100050", "*100050T"},
    {"hang time 0 of port 3", [](T& t) { t.HangTime[3] = "0"; }, By(CommandId::HangTime, 3),
     "3*10000", "*10000T"},
    {"inactivity macro as digits", [](T& t) { t.InActivityMacro[1] = "15"; },
     By(CommandId::InActivityMacro, 1), "1*211415", "*211415T"},
    {"aux timer of port 3", [](T& t) { t.AuxTime[3] = "20"; }, By(CommandId::AuxTime, 3),
     "3*101520", "*101520T"},
    {"aux timer of port 1", [](T& t) { t.AuxTime[1] = "5"; }, By(CommandId::AuxTime, 1),
     "1*10135", "*10135T"},
    {"tail counter", [](T& t) { t.TailCounter[1] = "254"; }, By(CommandId::TailCounter, 1),
     "1*2112254", "*2112254T"},
    {"CTCSS courtesy tone switch", [](T& t) { t.CTCSSCT[2] = "1"; }, By(CommandId::CTCSSCT, 2),
     "2*20881", "*20881T"},
    {"port switch TxEnable of port 3", [](T& t) { t.TxEnable[3] = "1"; },
     By(CommandId::TxEnable, 3), "33111", "3111T"},
    {"port switch SpeechIDOverride of port 1", [](T& t) { t.SpeechIDOverride[1] = "0"; },
     By(CommandId::SpeechIDOverride, 1), "11180", "1180T"},
    {"COS of port 2", [](T& t) { t.COSClose[2] = "1"; }, By(CommandId::COSClose, 2), "2221",
     "2221T"},
    {"ID 2 extras of port 3 are number 6 in DTMF", [](T& t) { t.ID2Extras[3] = "5"; },
     By(CommandId::ID2Extras, 3), "3*800725", "*800765T"},
    {"one CW tone, padded", [](T& t) { t.CWTone1[1] = "800", t.CWTone2[1] = "0"; },
     By(CommandId::CWTones, 1), "1*80010800", "*80010800T"},
    {"two CW tones", [](T& t) { t.CWTone1[2] = "800", t.CWTone2[2] = "1200"; },
     By(CommandId::CWTones, 2), "2*80010800|2*800108001200", "*800108001200T"},
    {"four-digit CW tone unchanged", [](T& t) { t.CWTone1[3] = "1000", t.CWTone2[3] = ""; },
     By(CommandId::CWTones, 3), "3*80011000", "*80011000T"},
    {"voice identifier through the encoder", [](T& t) { t.VoiceID1[1] = "HELLO  1 XYZZY REPEATER"; },
     By(CommandId::VoiceID1, 1), "1*8004124001190", "*8004124001190T", "[XYZZY]"},
    {"CW identifier through the encoder", [](T& t) { t.CWID2[2] = "A 1 / QQ"; },
     By(CommandId::CWID2, 2), "2*8003210112", "*8003210112T", "[QQ]"},
    {"tail messages of port 2 carry P2MessageNum",
     [](T& t) {
         t.TailMessageNum[2] = "1";
         t.P2MessageNum[1] = "12", t.P2MessageNum[2] = "5", t.P2MessageNum[3] = "90";
         t.P1MessageNum[2] = "7", t.P3MessageNum[2] = "8";
     },
     By(CommandId::TailMessages, 2), "2*2110112|2*211025|2*2110390", "*2110112590T"},
    {"courtesy tone 10 of port 2, segment 4",
     [](T& t) { t.P2Delay4[10] = "100", t.P2Dur4[10] = "200", t.P2Tone7[10] = "1000", t.P2Tone8[10] = "0"; },
     [](const T& t) { return CourtesySegmentCommand(t, 2, 10, 4); }, "2*3410100*200*1000*0*",
     "*3410100*200*1000*0*T"},
    {"courtesy tone 1 of port 1, segment 1",
     [](T& t) { t.P1Delay1[1] = "250", t.P1Dur1[1] = "250", t.P1Tone1[1] = "1000", t.P1Tone2[1] = "0"; },
     [](const T& t) { return CourtesySegmentCommand(t, 1, 1, 1); }, "1*3101250*250*1000*0*",
     "*3101250*250*1000*0*T"},
    {"courtesy segment 3 uses delay 3, duration 3, tones 5 and 6",
     [](T& t) { t.P1Delay3[3] = "1", t.P1Dur3[3] = "2", t.P1Tone5[3] = "3", t.P1Tone6[3] = "4"; },
     [](const T& t) { return CourtesySegmentCommand(t, 1, 3, 3); }, "1*33031*2*3*4*", "*33031*2*3*4*T"},
    {"port unlock plays D as itself", [](T&) {}, [](const T&) { return PortUnlockCommand(2, " 12D "); },
     "2*900012D", "*900012DT"},
    {"lock change", [](T&) {}, [](const T&) { return LockChangeCommand("C"); }, "1*9010C", "*9010CT"},
    {"terminator change ends with the old terminator", [](T&) {},
     [](const T&) { return TerminatorChangeCommand("#"); }, "1*9020#", "*9020#T"},

    {"fan time", [](T& t) { t.FanTime = "30"; }, By(CommandId::FanTime, 0), "1*100430",
     "*100430T"},
    {"clock correction A", [](T& t) { t.ClockCorrection = "A"; },
     By(CommandId::ClockCorrection, 0), "1*5105A", "*5105AT"},
    {"prefix trimmed, D is the terminator", [](T& t) { t.CommandPrefix = " 1D "; },
     By(CommandId::CommandPrefix, 0), "1*21041D", "*21041TT"},
    {"patch mute has no star", [](T& t) { t.PatchMute = "1"; }, By(CommandId::PatchMute, 0),
     "12701", "2701T"},
    {"general timer 2", [](T& t) { t.GeneralTimer[2] = "30"; },
     By(CommandId::GeneralTimer, 2), "1*1017230", "*1017230T"},
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
    {"Yaesu model 4", [](T& t) { t.YaesuType = "4"; }, By(CommandId::YaesuType, 0), "1*20844",
     "*20842T"},
    {"Yaesu model 1", [](T& t) { t.YaesuType = "1"; }, By(CommandId::YaesuType, 0), "1*20841",
     "*20841T"},
    {"remote memory",
     [](T& t) {
         t.RemoteBasePrefix = " 9 ", t.FreqString[3] = "146520", t.CTCSS[3] = "1000", t.CTCSSMode[3] = "1";
         t.RadioMode[3] = "2";
     },
     By(CommandId::FreqMemory, 3), "1**91146520|1**9210001|1**932|1*20863",
     "91146520T*20863T"},
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
    {"erase all macros", [](T&) {}, By(CommandId::EraseAllMacros, 0), "1*400499#", "*400499T"},
    {"alarm macros skip 0", [](T& t) { t.AlarmLowMacroNum[1] = "5", t.AlarmHighMacroNum[1] = "0"; },
     By(CommandId::AlarmMacros, 1), "1*210115", ""},
    {"message macro", [](T& t) { t.MessageMacro[2] = "HELLO ZERO"; },
     By(CommandId::MessageMacro, 2), "1*2103021240" "00", "*21032124000T"},
    {"message macro with nothing stored", [](T& t) { t.MessageMacro[2] = "NONE STORED"; },
     By(CommandId::MessageMacro, 2), "1*210302", "*21032T"},
    {"DTMF memory", [](T& t) { t.DTMFMemory[4] = " 1 2 3 D "; }, By(CommandId::DTMFMemory, 4),
     "1*210504123D", "*21054123TT"},
    {"DTMF memory with nothing stored", [](T& t) { t.DTMFMemory[20] = "NONE STORED"; },
     By(CommandId::DTMFMemory, 20), "1*210520", "*210520T"},
    {"message macro with nothing stored, blanks around", [](T& t) { t.MessageMacro[40] = " NONE STORED "; },
     By(CommandId::MessageMacro, 40), "1*210340", "*210340T"},
    {"autodial slot 150", [](T& t) { t.AutoDial[150] = "5551212"; },
     By(CommandId::AutoDial, 150), "1*21151505551212", "*21151505551212T"},
    {"toll entry 5", [](T& t) { t.TollRestrict[5] = "976"; }, By(CommandId::TollRestrict, 5),
     "1*2062005976", "*2062005976T"},
    {"alarm input 2 on", [](T& t) { t.Alarm[2] = "1"; }, By(CommandId::Alarm, 2), "12911",
     "1921T"},
    {"reset has no DTMF form", [](T&) {}, By(CommandId::Reset, 0), "1*21999", ""},
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
        const ControllerCommand command = c.build(tables);
        EXPECT_EQ(Joined(command.serialLines), c.serial);
        EXPECT_EQ(Keys(command.dtmf), c.keys);
        EXPECT_EQ(Joined(command.unknownWords, "[", "]", ""), c.unknown);
        if (!command.dtmf.isEmpty()) {
            EXPECT_EQ(command.dtmf.last().player, Player::Terminator);
        }
    }
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
}

TEST(CommandCatalogueTest, PaddedCWTone1)
{
    EXPECT_EQ(PaddedCWTone1("800"), "0800");
    EXPECT_EQ(PaddedCWTone1("1000"), "1000");
}

} // namespace
