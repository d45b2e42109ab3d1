#include "CodesFixture.h"
#include "TempDir.h"
#include "UnprivilegedUser.h"
#include "editors/macros/Scheduler.h"
#include "editors/macros/SchedulerRules.h"
#include "platform/IniFileProfile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

namespace {

const QString Done = "Clock and Calendar have been successfully set";

TEST(SchedulerRules, AClockCorrectionIsDigitsWithAnOptionalMinusHeldAsA)
{
    for (const char* good : {"0", "5", "A5", "120", "A0012", "65535", "A65535", "0065535"})
        EXPECT_EQ(ClockCorrectionRefusal(good), std::nullopt) << good;
    for (const char* bad : {"", " ", "5x", "A", "5 ", " 5", "-5", "A-5", "a5", "5.5", "+5", "AA5", "65536", "70000",
                            "A70000", "99999999999999999999"})
        EXPECT_NE(ClockCorrectionRefusal(bad), std::nullopt) << bad;
    // Told in the form the user typed it.
    EXPECT_TRUE(ClockCorrectionRefusal("A5x")->contains("\"-5x\""));
    EXPECT_TRUE(ClockCorrectionRefusal("")->contains("empty"));
    EXPECT_EQ(ClockCorrectionRefusal("A70000"),
              "\"-70000\" is more than the controller can hold. Give at most 65535 seconds, either way");
}

// Twenty disabled set points and the clock options as a sample file holds them.
struct SchedulerTest : EditorTest<Scheduler, CodesFixture> {
    SchedulerTest()
    {
        for (int i = 1; i <= Count::SetPoints; ++i) {
            tables.DOW[i] = "0";
            tables.Monthly[i] = "0";
            tables.Week[i] = "1";
            tables.Hours[i] = "25";
            tables.Minutes[i] = "00";
            tables.MacroToRun[i] = "01";
        }
        tables.SayYear = "1";
        tables.TwentyFour = "1";
        tables.SayHour = "1";
        tables.ClockCorrection = "0";
        tables.DateFormat = "False";
        clock.setDateTime(QDateTime(QDate(2026, 12, 9), QTime(21, 5, 7)));
    }

    Scheduler& load() { return EditorTest::load(link); }
    void setPoint(int n) { pick("SetPointNumSet", QString::number(n)); }
    QString shown(const char* list) const { return ListText(find<QComboBox>(list)); }
    QCheckBox* tick(const char* name) const { return find<QCheckBox>(name); }
    QRadioButton* option(const char* name) const { return find<QRadioButton>(name); }
    QLineEdit* correction() const { return find("ClockCorrectionSet"); }
    bool anyFlag() const
    {
        return tables.SetPointChanged.any(true) || tables.SayYearChanged || tables.TwentyFourChanged
            || tables.SayHourChanged || tables.ClockCorrectionChanged || tables.SchedulerChanged;
    }
    QByteArray file() const { return profile.bytes(File); }
    // Day, hour, minute and macro of set point n as stored.
    QStringList stored(int n) const { return {tables.DOW[n], tables.Hours[n], tables.Minutes[n], tables.MacroToRun[n]}; }
};

TEST_F(SchedulerTest, ASetPointAppliedStoresItsCodesUnderItsOwnFlag)
{
    load();
    setPoint(3);
    pick("HoursSet", "Every Hour");
    pick("DOWSet", "Sunday");
    pick("MinutesSet", "30");
    pick("MacroSet", "12");
    EXPECT_TRUE(red(find<QComboBox>("MacroSet"))) << "a pick not applied is marked";
    setPoint(4);
    EXPECT_FALSE(red(find<QComboBox>("MacroSet")));
    setPoint(3);
    EXPECT_TRUE(red(find<QComboBox>("MacroSet"))) << "and shown again with its set point";
    editor->DoApply();
    EXPECT_EQ(stored(3), (QStringList{"7", "0A", "30", "12"}));
    EXPECT_TRUE(tables.SetPointChanged[3]);
    EXPECT_TRUE(tables.SchedulerChanged);
    EXPECT_FALSE(tables.DataSaved);
    for (int i = 1; i <= Count::SetPoints; ++i)
        EXPECT_EQ(tables.SetPointChanged[i], i == 3) << i;
    EXPECT_FALSE(tables.ClockCorrectionChanged || tables.SayYearChanged || tables.TwentyFourChanged
                 || tables.SayHourChanged);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(SchedulerTest, EachStartHourStoresTheControllersTwentyFourHourCode)
{
    const std::pair<const char*, const char*> cases[] = {
        {"9 AM", "09"}, {"12 AM", "00"}, {"Disabled", "25"}, {"Every Hour", "0A"},
        {"12 PM", "12"}, {"1 PM", "13"}, {"11 PM", "23"},
    };
    load();
    EXPECT_EQ(find<QComboBox>("HoursSet")->count(), 26);
    for (const auto& [entry, code] : cases) {
        pick("HoursSet", entry);
        editor->DoApply();
        EXPECT_EQ(tables.Hours[1], code) << entry;
    }
}

TEST_F(SchedulerTest, TheWeekOfTheMonthFollowsMonthlyAndKeepsItsPick)
{
    load();
    setPoint(4);
    QComboBox* week = find<QComboBox>("WeekSet");
    EXPECT_FALSE(week->isEnabled());
    EXPECT_FALSE(find<QLabel>("WOMLabel")->isEnabled());
    tick("DOMEnable")->click();
    EXPECT_TRUE(week->isEnabled());
    EXPECT_TRUE(find<QLabel>("WOMLabel")->isEnabled());
    pick(week, "3rd");
    tick("DOMEnable")->click();
    EXPECT_FALSE(week->isEnabled());
    EXPECT_EQ(ListText(week), "3rd");
    tick("DOMEnable")->click();
    EXPECT_EQ(ListText(week), "3rd");
    setPoint(5);
    EXPECT_FALSE(week->isEnabled()) << "set point 5 is not monthly";
    setPoint(4);
    EXPECT_TRUE(week->isEnabled());
    editor->DoApply();
    EXPECT_EQ(tables.Week[4], "3");
    EXPECT_EQ(tables.Monthly[4], "1");
    EXPECT_TRUE(tables.SetPointChanged[4]);
}

// The clock correction: "-" is the controller's "A"; anything but digits with
// an optional minus is refused at Apply, naming the box, and nothing is stored.
TEST_F(SchedulerTest, AClockCorrectionIsStoredWithItsMinusAsAAndOtherTextIsRefused)
{
    load();
    type(correction(), "-5");
    EXPECT_TRUE(red(correction()));
    editor->DoApply();
    EXPECT_EQ(tables.ClockCorrection, "A5");
    EXPECT_TRUE(tables.ClockCorrectionChanged);
    EXPECT_TRUE(tables.SchedulerChanged);
    EXPECT_TRUE(messages().isEmpty());

    load(); // again, from the stored value
    EXPECT_EQ(correction()->text(), "A5");
    EXPECT_FALSE(red(correction()));

    for (const QString typed : {"5x", "", "70000"}) {
        SCOPED_TRACE(typed.toStdString());
        dialogs.script.clear();
        tables.ClockCorrectionChanged = false;
        setPoint(2);
        pick("DOWSet", "Friday");
        type(correction(), typed);
        editor->DoApply();
        ASSERT_EQ(messages().size(), 1);
        EXPECT_TRUE(messages().front().contains("Clock Correction:")) << messages().front().toStdString();
        EXPECT_EQ(tables.ClockCorrection, "A5");
        EXPECT_EQ(tables.DOW[2], "0") << "nothing at all is stored";
        EXPECT_FALSE(tables.ClockCorrectionChanged);
        EXPECT_FALSE(tables.SetPointChanged[2]);
        EXPECT_EQ(correction()->text(), typed) << "kept for the user to mend";
    }
}

TEST_F(SchedulerTest, ChoosingASetPointKeepsAnUnappliedClockCorrection)
{
    load();
    type(correction(), "12");
    setPoint(7);
    EXPECT_EQ(correction()->text(), "12");
    EXPECT_TRUE(red(correction()));
    editor->DoApply();
    EXPECT_EQ(tables.ClockCorrection, "12");
}

TEST_F(SchedulerTest, SayHoursFollowsTheTwentyFourHourReadbackAndKeepsItsTick)
{
    load();
    QCheckBox* sayHours = tick("HoursSelect");
    EXPECT_TRUE(sayHours->isEnabled());
    tick("TwentyFourSet")->click();
    EXPECT_FALSE(sayHours->isEnabled());
    EXPECT_TRUE(sayHours->isChecked());
    editor->DoApply();
    EXPECT_EQ(tables.TwentyFour, "0");
    EXPECT_EQ(tables.SayHour, "1");
    EXPECT_TRUE(tables.TwentyFourChanged);
    EXPECT_FALSE(tables.SayHourChanged);

    tables.TwentyFour = "0";
    load();
    EXPECT_FALSE(tick("HoursSelect")->isEnabled());
    EXPECT_TRUE(tick("HoursSelect")->isChecked());
}

// What the load makes of stored texts: a form that means the same entry ("07"
// for Sunday, "5" for 5 AM) becomes that entry's code in the tables, quietly,
// for every set point; any other value shows no entry and is kept as stored,
// also through an Apply: no flag, no red, the file still saved.
TEST_F(SchedulerTest, TheLoadTidiesOnlyFormsOfAnEntryAndKeepsEveryOtherValue)
{
    const struct {
        const char* dow;
        const char* hours;
        const char* minutes;
        const char* macro;
        QStringList tidied;
        QStringList shown;
    } cases[] = {
        {"07", "5", "7", "9", {"7", "05", "07", "09"}, {"Sunday", "5 AM", "07", "09"}},
        {" 7", " 5", "07", "09", {"7", "05", "07", "09"}, {"Sunday", "5 AM", "07", "09"}},
        {"00", "0A", "59", "90", {"0", "0A", "59", "90"}, {"Everyday", "Every Hour", "59", "90"}},
        {"10", "24", "60", "0", {"10", "24", "60", "0"}, {"", "", "", ""}},
        {"254", "5A", "x", "91", {"254", "5A", "x", "91"}, {"", "", "", ""}},
        {"Monday", "99", "100", "00", {"Monday", "99", "100", "00"}, {"", "", "", ""}},
        {"99999999999", "", "", "", {"99999999999", "", "", ""}, {"", "", "", ""}},
    };
    int n = 1;
    for (const auto& c : cases) {
        tables.DOW[n] = c.dow;
        tables.Hours[n] = c.hours;
        tables.Minutes[n] = c.minutes;
        tables.MacroToRun[n] = c.macro;
        ++n;
    }
    load();
    n = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dow);
        setPoint(n);
        EXPECT_EQ(stored(n), c.tidied);
        EXPECT_EQ((QStringList{shown("DOWSet"), shown("HoursSet"), shown("MinutesSet"), shown("MacroSet")}), c.shown);
        for (const char* list : {"DOWSet", "HoursSet", "MinutesSet", "MacroSet"})
            EXPECT_FALSE(red(find<QComboBox>(list))) << list;
        ++n;
    }
    editor->DoApply();
    EXPECT_FALSE(anyFlag());
    EXPECT_TRUE(tables.DataSaved);
    EXPECT_EQ(stored(4), cases[3].tidied);
}

// A stored value that is no entry shows none, never what the set point shown
// before had; it is stored back as it was. Typing into a list is impossible.
TEST_F(SchedulerTest, AValueOutsideAListShowsNoEntryAndTheListsTakeNoTyping)
{
    tables.Hours[2] = "30";
    tables.DOW[2] = "X";
    tables.Week[2] = "7";
    load();
    EXPECT_EQ(shown("HoursSet"), "Disabled");
    setPoint(2);
    for (const char* list : {"HoursSet", "DOWSet", "WeekSet"})
        EXPECT_EQ(shown(list), "") << list;
    editor->DoApply();
    EXPECT_EQ(tables.Hours[2], "30");
    EXPECT_FALSE(anyFlag());
    for (const QComboBox* list : editor->findChildren<QComboBox*>())
        EXPECT_FALSE(list->isEditable()) << list->objectName().toStdString();
}

// Cancel puts back every copy, of every set point, and the clock options;
// an Apply after it stores nothing.
TEST_F(SchedulerTest, CancelRestoresEverySetPointAndTheClockOptions)
{
    load();
    setPoint(3);
    pick("DOWSet", "Monday");
    tick("DOMEnable")->click();
    pick("WeekSet", "2nd");
    setPoint(6);
    pick("MacroSet", "40");
    tick("SayYearSet")->click();
    type(correction(), "9");
    find<QPushButton>("CancelChanges")->click();
    EXPECT_EQ(shown("MacroSet"), "01");
    EXPECT_FALSE(red(find<QComboBox>("MacroSet")));
    EXPECT_TRUE(tick("SayYearSet")->isChecked());
    EXPECT_EQ(correction()->text(), "0");
    EXPECT_FALSE(red(correction()));
    setPoint(3);
    EXPECT_EQ(shown("DOWSet"), "Everyday");
    EXPECT_FALSE(tick("DOMEnable")->isChecked());
    EXPECT_FALSE(find<QComboBox>("WeekSet")->isEnabled());
    EXPECT_EQ(shown("WeekSet"), "1st");
    editor->DoApply();
    EXPECT_FALSE(anyFlag());
    EXPECT_TRUE(tables.DataSaved);
}

TEST_F(SchedulerTest, ApplyWithNothingChangedLeavesASavedFileSavedWhileAFlagWaits)
{
    tables.SetPointChanged[2] = true;
    tables.ClockCorrectionChanged = true;
    load();
    editor->DoApply();
    EXPECT_TRUE(tables.DataSaved);
    EXPECT_FALSE(tables.SchedulerChanged);
}

// The date format acts at once: into DateFormat and the open file, no flag,
// the saved state as it was. The load shows it and writes nothing.
TEST_F(SchedulerTest, PickingADateFormatWritesItAtOnceAndTheLoadWritesNothing)
{
    for (const bool saved : {true, false}) {
        SCOPED_TRACE(saved);
        profile.setBytes(File, "[Unlock]\r\nLock=0\r\n");
        tables.DateFormat = "False";
        tables.DataSaved = saved;
        const int writes = profile.writeCount();
        load();
        EXPECT_TRUE(option("USDate")->isChecked());
        EXPECT_EQ(profile.writeCount(), writes) << "the load wrote into the file";
        option("InternationalDate")->click();
        EXPECT_EQ(tables.DateFormat, "True");
        EXPECT_EQ(file(), "[Unlock]\r\nLock=0\r\n[Scheduler]\r\nDateFormat=True\r\n");
        EXPECT_EQ(tables.DataSaved, saved);
        EXPECT_FALSE(anyFlag());
        editor->DoApply();
        EXPECT_EQ(tables.DataSaved, saved);
        EXPECT_FALSE(anyFlag());
        option("USDate")->click();
        EXPECT_EQ(tables.DateFormat, "False");
        EXPECT_EQ(profile.read(File, "Scheduler", "DateFormat"), "False");
    }
}

TEST_F(SchedulerTest, TheStoredDateFormatIsShownTrimmedAndCancelShowsItAsStored)
{
    const std::pair<const char*, const char*> cases[] = {
        {" True ", "InternationalDate"}, {"True", "InternationalDate"}, {"true", "USDate"}, {"", "USDate"},
        {"Yes", "USDate"},
    };
    for (const auto& [stored, button] : cases) {
        tables.DateFormat = stored;
        load();
        EXPECT_TRUE(option(button)->isChecked()) << stored;
        EXPECT_EQ(tables.DateFormat, stored) << "shown, not rewritten";
    }
    tables.DateFormat = "True";
    load();
    profile.setFailWrites("the disk is full"); // the pick below is refused: the button goes back
    option("USDate")->click();
    find<QPushButton>("CancelChanges")->click();
    EXPECT_TRUE(option("InternationalDate")->isChecked());
    EXPECT_EQ(tables.DateFormat, "True");
}

TEST_F(SchedulerTest, ADateFormatTheFileDoesNotTakeIsToldAndLeftAsItWas)
{
    const QByteArray before = file();
    load();
    profile.setFailWrites("Permission denied");
    option("InternationalDate")->click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages().front().contains("Permission denied")) << messages().front().toStdString();
    EXPECT_TRUE(messages().front().contains(File)) << "names the file";
    EXPECT_EQ(tables.DateFormat, "False");
    EXPECT_TRUE(option("USDate")->isChecked());
    EXPECT_FALSE(option("InternationalDate")->isChecked());
    EXPECT_EQ(file(), before);
    EXPECT_TRUE(tables.DataSaved);
}

// A real file that is read-only for the user running the program.
TEST_F(SchedulerTest, AReadOnlyConfigurationFileKeepsItsDateFormat)
{
    const UnprivilegedUser user;
    TempDir dir;
    const QByteArray before = "[Scheduler]\r\nDateFormat=False\r\n";
    const QString path = dir.write("locked.dat", before);
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    IniFileProfile real;
    AppContext onDisk{tables, real, dialogs, clock, log, "zarn.ini", serial, comPorts, sound, notices};
    tables.CurrentDatFile = path;
    Scheduler scheduler(onDisk, link);
    find<QRadioButton>(scheduler, "InternationalDate")->click();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages().front().contains(QDir::toNativeSeparators(path))) << messages().front().toStdString();
    EXPECT_EQ(tables.DateFormat, "False");
    EXPECT_EQ(TempDir::read(path), before);
}

// Set Clock sends at once with the whole window disabled until it is done.
TEST_F(SchedulerTest, SetClockRunsWithTheWindowDisabledAndTellsOfTheAcceptedLines)
{
    load();
    bool enabledWhileSending = true;
    port.setResponder([&](const QByteArray& written) {
        if (!written.endsWith('\r'))
            return;
        enabledWhileSending = enabledWhileSending && editor->window()->isEnabled();
        port.queueReply("+\r");
    });
    find<QPushButton>("ClockSet")->click();
    EXPECT_EQ(lines(), (QStringList{"1*5101120926", "1*51002105"}));
    EXPECT_FALSE(enabledWhileSending);
    EXPECT_TRUE(editor->isEnabled());
    EXPECT_EQ(messages(), QStringList{Done});
    EXPECT_FALSE(port.isOpen());
}

// DTMF mode: port 1's unlock code, the date, the time (24-hour with the
// international format) and the lock code, keyed throughout.
TEST_F(SchedulerTest, SetClockInDtmfModePlaysOneKeyedFrame)
{
    dtmfMode();
    tables.KeyUpDelayValue = "100";
    load();
    option("InternationalDate")->click();
    find<QPushButton>("ClockSet")->click();
    // The time is read as it goes out, after the key-up delay and the date's tones.
    const QRegularExpression frame(R"(^123D\*5101120926D\*51002105\d\dD0D$)");
    EXPECT_TRUE(frame.match(heard()).hasMatch()) << heard().toStdString();
    EXPECT_EQ(unkeyedMs, 0);
    EXPECT_FALSE(port.keyed());
    EXPECT_EQ(messages(), QStringList{Done});
}

} // namespace
