#include "editors/EditorCopies.h"
#include "store/KeyRegistry.h"

#include <gtest/gtest.h>

using S = SettingsTables;

namespace {

struct CopiesFixture : testing::Test {
    SettingsTables tables;
    EditorCopies copies{tables, {&S::TimersChanged, &S::AlarmsChanged}};
    int hang = -1, fan = -1, vref = -1;

    void SetUp() override
    {
        tables.HangTime[1] = "050";
        tables.HangTime[2] = "50";
        tables.HangTime[3] = "60";
        tables.FanTime = " 5 ";
        tables.Vref = "2.5";
        tables.DataSaved = true;
        hang = copies.add(Row(Bind(&S::HangTime, &S::HangTimeChanged), Intake::Number));
        fan = copies.add(Row(Bind(&S::FanTime, &S::FanTimeChanged), Intake::Trimmed, LoadForm::Trimmed));
        vref = copies.add(Row(Bind(&S::Vref, &S::MeterChanged, 9)));
    }
};

TEST_F(CopiesFixture, LoadsCopiesInTheirLoadFormAndComparesTextExactly)
{
    EXPECT_EQ(copies.count(hang), 3);
    EXPECT_EQ(copies.count(fan), 1);
    EXPECT_EQ(copies.copy(hang, 1), "050");
    EXPECT_EQ(copies.copy(fan, 1), "5");
    EXPECT_FALSE(copies.differs(hang, 1));
    EXPECT_TRUE(copies.differs(fan, 1)); // " 5 " is not "5"

    copies.take(hang, 1, "50");
    EXPECT_TRUE(copies.differs(hang, 1)) << "050 and 50 are different texts";
    copies.take(hang, 1, "050");
    EXPECT_EQ(copies.copy(hang, 1), "50") << "a number box keeps the number's digits";
}

TEST_F(CopiesFixture, IntakeOfEachKind)
{
    struct Case {
        int* field;
        QString text;
        QString copy;
    } cases[] = {
        {&hang, "007", "7"}, {&hang, "", "0"}, {&hang, "12abc", "12"}, {&hang, "-5", "-5"},
        {&fan, "  9 ", "9"}, {&fan, "", ""}, {&vref, " 2.5", " 2.5"},
    };
    for (const Case& c : cases) {
        copies.take(*c.field, 1, c.text);
        EXPECT_EQ(copies.copy(*c.field, 1), c.copy) << c.text.toStdString();
    }
}

TEST_F(CopiesFixture, ApplyRaisesItemGroupAndSectionFlagsOnlyForDifferences)
{
    copies.take(hang, 3, "61");
    copies.take(vref, 1, "2.6");
    tables.FanTime = "5"; // now equal to its trimmed copy
    EXPECT_TRUE(copies.apply());

    EXPECT_FALSE(tables.HangTimeChanged[1]);
    EXPECT_FALSE(tables.HangTimeChanged[2]);
    EXPECT_TRUE(tables.HangTimeChanged[3]);
    EXPECT_TRUE(tables.MeterChanged[9]) << "the group's fixed element";
    EXPECT_FALSE(tables.MeterChanged[1]);
    EXPECT_FALSE(tables.FanTimeChanged);
    EXPECT_TRUE(tables.TimersChanged);
    EXPECT_TRUE(tables.AlarmsChanged);
    EXPECT_FALSE(tables.DataSaved);
    EXPECT_EQ(tables.HangTime[3], "61");
    EXPECT_EQ(tables.Vref, "2.6");

    // A second Apply finds nothing new.
    tables.HangTimeChanged.fill(false);
    tables.MeterChanged.fill(false);
    tables.TimersChanged = tables.AlarmsChanged = false;
    tables.DataSaved = true;
    EXPECT_FALSE(copies.apply());
    EXPECT_FALSE(tables.HangTimeChanged.any(true));
    EXPECT_FALSE(tables.MeterChanged.any(true));
    EXPECT_FALSE(tables.TimersChanged);
    EXPECT_TRUE(tables.DataSaved);
}

TEST_F(CopiesFixture, EditedBackToStoredSetsNoFlag)
{
    copies.take(hang, 2, "70");
    copies.take(hang, 2, "50");
    copies.load(fan, 1);
    tables.FanTime = "5";
    EXPECT_FALSE(copies.anyDiffers());
    EXPECT_FALSE(copies.apply());
    EXPECT_TRUE(tables.DataSaved);
}

TEST(RangeRuleTest, ReadsTheLeadingNumberAndAnEmptyTextAsZero)
{
    const RangeRule hang = Between(0, 255, "The value must be between 0 and 255");
    const RangeRule fromOne = Between(1, 9999, "x");
    struct Case {
        const RangeRule* rule;
        QString text;
        bool refused;
    } cases[] = {
        {&hang, "0", false}, {&hang, "255", false}, {&hang, "256", true}, {&hang, "-5", true},
        {&hang, "", false},  {&hang, "300ms", true}, {&hang, "25x", false}, {&fromOne, "", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.rule->refuses(c.text), c.refused) << c.text.toStdString();
    EXPECT_EQ(hang.title, "Try Again!");
    EXPECT_EQ(hang.icon, Dialogs::Icon::Critical);
}

TEST(EditorCopiesReaderTest, ChangedCopiesTheReaderWouldRefuseAreFound)
{
    SettingsTables t;
    t.XmtDelay = "1000";
    t.GeneralTimer.fill("0");
    EditorCopies c(t, {&S::TimersChanged});
    FieldSpec delay = Row(Bind(&S::XmtDelay, &S::XmtDelayChanged));
    delay.reader = &FindStem("XmtDelay").rule;
    const int d = c.add(delay);
    FieldSpec general = Row(Bind(&S::GeneralTimer, &S::GeneralTimerChanged), Intake::Trimmed);
    general.reader = &FindStem("GeneralTimer").rule;
    const int g = c.add(general);

    EXPECT_TRUE(c.unreadable().empty());
    c.setCopy(d, 1, "");
    c.setCopy(g, 2, "12a");
    c.setCopy(g, 3, "40");
    const auto found = c.unreadable();
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].field, d);
    EXPECT_EQ(found[1].field, g);
    EXPECT_EQ(found[1].index, 2);
    EXPECT_EQ(c.repairText(g, 2, RangeRule::Repair::Stored), "0");
    EXPECT_EQ(c.repairText(g, 2, RangeRule::Repair::Zero), "0");
    EXPECT_EQ(c.repairText(g, 2, RangeRule::Repair::Empty), "");
}

} // namespace
