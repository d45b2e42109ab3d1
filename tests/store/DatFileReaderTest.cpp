#include "StoreFixture.h"

#include <QFile>

namespace {

const QByteArray crlf = "\r\n";

// A file of one section holding the given key lines.
QByteArray section(const char* name, const QByteArray& lines)
{
    return QByteArray("[") + name + "]\r\n" + lines;
}

} // namespace

TEST(DatFileReader, MissingFileGivesEveryDefaultWithOneLogLineEachAndWritesNothing)
{
    StoreFixture f;
    const QString file = f.dir.path("missing.dat");
    f.read(file);

    EXPECT_FALSE(QFile::exists(file)) << "reading must never create or change the file";

    int tested = 0;
    ForEachKey([&](const KeyStem& stem, int i) {
        if (stem.rule.check == Check::AsRead) {
            EXPECT_EQ(stem.value(f.tables, i), "") << stem.name.toStdString();
            return;
        }
        ++tested;
        EXPECT_EQ(stem.value(f.tables, i), stem.rule.finished(stem.defaultValue(i)))
            << stem.keyName(i).toStdString();
    });

    const QStringList lines = f.logLines();
    EXPECT_EQ(lines.size(), tested);
    ASSERT_GE(lines.size(), 20);
    EXPECT_EQ(lines[0], "Ram_HangTime 1");
    EXPECT_EQ(lines[13], "Ram_GeneralTimerMacro 1");
    EXPECT_EQ(lines[14], "Ram_HangTime 2");
    EXPECT_EQ(lines.last(), "Ram_AllowTerminatorSpeech");
    EXPECT_TRUE(lines.contains("Ram_CurrentTerminator"));
    EXPECT_TRUE(lines.contains("Ram_ShortMacroCode 41"));
    EXPECT_TRUE(lines.contains("Ram_P2MessageNum 3"));

    EXPECT_EQ(f.tables.CurrentLock, "C");
    EXPECT_EQ(f.tables.Lock, "C");
    EXPECT_EQ(f.tables.CurrentTerminator, "D");
    EXPECT_EQ(f.tables.Terminator, "D");
    EXPECT_EQ(f.tables.ShortMacroCode[1], "704641");
    EXPECT_EQ(f.tables.MacroCode[7], "70467");
    EXPECT_EQ(f.tables.CurrentPortUnlock[3], "37264");
    EXPECT_EQ(f.tables.CWTone1[1], "0500");
    EXPECT_EQ(f.tables.CWTone2[1], "0000");
    EXPECT_TRUE(f.tables.DatFileErrors);
    EXPECT_TRUE(f.tables.CommandPrefixChanged);
    EXPECT_FALSE(f.tables.SelectSpecialCodes);
    EXPECT_FALSE(f.tables.DataSaved);

    EXPECT_TRUE(f.tables.TimersChanged && f.tables.SchedulerChanged && f.tables.AnalogChanged
                && f.tables.RemoteChanged && f.tables.AlarmsChanged && f.tables.IDChanged
                && f.tables.MacrosChanged && f.tables.CourtesyChanged && f.tables.IDExtrasChanged
                && f.tables.MessageMacrosChanged && f.tables.DTMFChanged && f.tables.SpecialCodesChanged
                && f.tables.MacroSubsetChanged && f.tables.DTMFMuteDigitSelectChanged
                && f.tables.PortSwitchesChanged);
    EXPECT_FALSE(f.tables.HangTimeChanged.any(true)) << "the reader sets no item flag";
    EXPECT_TRUE(f.dialogs.shown().empty());
}

// One row per kind of rule and per odd label: the value read, what is kept,
// and the log line it gives ("" for none).
struct RefusalCase {
    const char* section;
    const char* key;
    const char* value;
    const char* kept;
    const char* logLine;
};

class DatFileReaderRefusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(DatFileReaderRefusal, KeepsOrReplacesAndLogs)
{
    const RefusalCase& c = GetParam();
    StoreFixture f;
    // A full valid file, then the one key under test changed.
    const QString file = StoreFixture().saveDefaultsAs(f.dir.path("site.dat"));
    ASSERT_TRUE(f.profile.write(file, c.section, c.key, c.value).ok());
    f.read(file);

    const QStringList lines = f.logLines();
    if (*c.logLine) {
        EXPECT_EQ(lines, QStringList{c.logLine});
        EXPECT_TRUE(f.tables.DatFileErrors);
    } else {
        EXPECT_TRUE(lines.isEmpty()) << lines.join('|').toStdString();
        EXPECT_FALSE(f.tables.DatFileErrors);
    }
    QString key = c.key;
    const int open = key.indexOf('(');
    const QString stemKey = open < 0 ? key : key.left(open);
    const int index = open < 0 ? 0 : key.mid(open + 1).chopped(1).toInt();
    for (const auto& stem : KeyRegistry())
        if (stem.key == stemKey && stem.section == c.section) {
            EXPECT_EQ(stem.value(f.tables, index), c.kept);
            return;
        }
    ADD_FAILURE() << "no such key";
}

INSTANTIATE_TEST_SUITE_P(Rules, DatFileReaderRefusal, testing::Values(
    RefusalCase{"Timers", "HangTime(2)", "255", "255", ""},
    RefusalCase{"Timers", "HangTime(2)", "256", "50", "Ram_HangTime 2"},
    RefusalCase{"Timers", "HangTime(1)", "abc", "50", "Ram_HangTime 1"},
    RefusalCase{"Timers", "HangTime(1)", "-5", "50", "Ram_HangTime 1"},
    RefusalCase{"Timers", "HangTime(1)", "1.5", "50", "Ram_HangTime 1"},
    RefusalCase{"Timers", "HangTime(1)", "&HFF", "50", "Ram_HangTime 1"},
    RefusalCase{"Timers", "HangTime(3)", "", "50", "Ram_HangTime 3"},
    RefusalCase{"Timers", "InActivityMacro(1)", "0", "01", "Ram_InActivityMacro 1"},
    RefusalCase{"Timers", "DTMFTime(1)", "9999", "9999", ""},
    RefusalCase{"Timers", "FanTime", "300", "300", ""},
    RefusalCase{"Timers", "TimeoutLink", "", "0", "Ram_TimeoutLink"},
    RefusalCase{"Alarms", "GeneralTimerMacro(2)", "91", "1", "Ram_GeneralTimerMacro 2"},
    RefusalCase{"Scheduler", "DOW(7)", "", "0", "Ram_DOW7"},
    RefusalCase{"Scheduler", "Monthly(3)", "3", "0", "Ram_Monthly3"},
    RefusalCase{"Scheduler", "Hours(5)", "0A", "0A", ""},
    RefusalCase{"Scheduler", "Hours(5)", "26", "25", "Ram_Hours 5"},
    RefusalCase{"Analog", "MeterNum(3)", "", "0", "Ram_MeterNum 3"},
    RefusalCase{"Analog", "MeterNum(1)", "-1", "0", "Ram_MeterNum 1"},
    RefusalCase{"Analog", "MeterNum(1)", "8", "8", ""},
    RefusalCase{"Analog", "RealLow(2)", "-12.5", "-12.5", ""},
    RefusalCase{"Analog", "RealLow(2)", "12abc", "0", "Ram_RealLow 2"},
    RefusalCase{"Analog", "RealLow(2)", "\f12", "0", "Ram_RealLow 2"},
    RefusalCase{"Remote", "YaesuType", "5", "5", ""},
    RefusalCase{"Remote", "YaesuType", "6", "1", "Ram_Yaesu"},
    RefusalCase{"Remote", "RadioType", "9", "4", "Ram_Radio"},
    RefusalCase{"Remote", "RadioMode(4)", "6", "4", "RadioMode(4) "},
    RefusalCase{"Remote", "ControlPort", "", "0", "ControlPort"},
    RefusalCase{"Remote", "FreqString(2)", "", "", ""},
    RefusalCase{"ID", "CWSpeed(1)", "56", "20", "Ram_CwSpeed 1"},
    RefusalCase{"ID", "CWTone1(1)", "3501", "0500", "Ram_CwTone1 1"},
    RefusalCase{"ID", "CWTone1(1)", "700", "0700", ""},
    RefusalCase{"ID", "CWTone2(2)", "0", "00", ""},
    RefusalCase{"ID", "CWTone2(2)", "x", "0000", "CWTone2 2"},
    RefusalCase{"ID", "CWTone1(1)", "\v7", "0500", "Ram_CwTone1 1"},
    RefusalCase{"ID", "VoiceID2(1)", "hello there", "HELLO THERE", ""},
    RefusalCase{"ID", "CWID1(1)", "c q", "c q", ""},
    RefusalCase{"Unlock", "CurrentPortUnlock(2)", "123456789", "27264", "Ram_CurrentPortUnlock 2"},
    RefusalCase{"Unlock", "Lock", "12345", "C", "Ram_CurrentLock"},
    RefusalCase{"Unlock", "Terminator", "##", "D", "Ram_CurrentTerminator"},
    RefusalCase{"Autopatch", "APTimeOut", "", "120", "Ram_APTimeOut "},
    RefusalCase{"Autopatch", "AutoDial(200)", "", "", ""},
    RefusalCase{"PreAccess", "PreAccessPrefix", "", "0", "Ram_PreAccessPrefix "},
    RefusalCase{"Macros", "Macro(3)", "001 0020 03", "001 002 003", ""},
    RefusalCase{"Macros", "ShortMacro(3)", "0010 02", "001 002", ""},
    RefusalCase{"Macros", "ShortMacroCode(1)", "", "704641", "Ram_ShortMacroCode 41"},
    RefusalCase{"Macros", "MacroCode(2)", "123456789", "70462", "Ram_MacroCode 2"},
    RefusalCase{"MessageMacros", "MessageMacro(9)", "", "NONE STORED", "Ram_MessageMacro 9"},
    RefusalCase{"Courtesy", "P2Dur3(4)", "32768", "250", "Ram_P2Dur3 4"},
    RefusalCase{"Courtesy", "P2Dur3(4)", "32767", "32767", ""},
    RefusalCase{"Courtesy", "P3Tone8(10)", "10001", "0", "Ram_P3Tone8 10"},
    RefusalCase{"DTMF", "DTMF(5)", "12 3#", "1 2 3 #", ""},
    RefusalCase{"DTMF", "DTMF(5)", "", "NONE STORED", "Ram_DTMF 5"},
    RefusalCase{"PortSwitches", "FDup(2)", "2", "1", "Ram_FDup2"},
    RefusalCase{"PortSwitches", "CTCSSCT(1)", "", "1", "Ram_PLCT 1"},
    RefusalCase{"PortSwitches", "P2MessageNum(1)", "0", "1", ""},
    RefusalCase{"PortSwitches", "P2MessageNum(1)", "91", "1", "Ram_P2MessageNum 1"},
    RefusalCase{"PortSwitches", "Alarm(4)", "6", "1", "Ram_Alarm4"}));

TEST(DatFileReader, LockEqualToTerminatorIsReportedOnceInAnyLetterCase)
{
    for (const char* lock : {"D", "d"}) {
        StoreFixture f;
        const QString file = f.dir.write("same.dat", section("Unlock", QByteArray("Lock=") + lock + crlf
                                                                      + "Terminator=D" + crlf));
        f.read(file);
        ASSERT_EQ(f.dialogs.messages().size(), 1u) << lock;
        EXPECT_EQ(f.dialogs.messages()[0].text,
                  "ERROR! Your Lock Code and Terminator Digit are the same. This is not allowed! "
                  "You must change one or the other before you proceed further");
        EXPECT_TRUE(f.tables.SelectSpecialCodes);
    }
}

TEST(DatFileReader, ASecondFileAppendsItsLinesToTheSameLog)
{
    StoreFixture f;
    const QString first = f.dir.write("a.dat", section("Timers", "HangTime(1)=999\r\n"));
    f.read(first);
    const int afterFirst = static_cast<int>(f.logLines().size());
    f.tables.DatFileErrors = false;
    f.read(f.dir.write("b.dat", section("Timers", "HangTime(1)=998\r\n")));
    EXPECT_EQ(f.logLines().size(), 2 * afterFirst);
    EXPECT_TRUE(f.tables.DatFileErrors);
}

// A lone carriage return ends the line, so no value can carry a line break to
// the controller inside a command; here the tone is left empty and refused.
TEST(DatFileReader, LoneCarriageReturnEndsTheValue)
{
    StoreFixture f;
    f.read(f.dir.write("cr.dat", section("ID", "CWTone1(1)=\r7\r\n")));
    EXPECT_EQ(f.tables.CWTone1[1], "0500");
    EXPECT_TRUE(f.logLines().contains("Ram_CwTone1 1"));
}
