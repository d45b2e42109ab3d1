#include "EditorFixture.h"
#include "editors/timing/Analog.h"

#include <QComboBox>
#include <QPushButton>

namespace {

struct AnalogTest : EditorTest<Analog> {

    void SetUp() override
    {
        for (int c = 1; c <= Count::Meters; ++c) {
            tables.Meter[c] = "1";
            tables.RealLow[c] = "0";
            tables.MeterLow[c] = "0";
            tables.RealHigh[c] = "150";
            tables.MeterHigh[c] = "255";
        }
        tables.Vref = "500";
        for (int a = 1; a <= Count::MeterAlarms; ++a) {
            tables.MeterAlarmType[a] = "1";
            tables.MeterNum[a] = "1";
            tables.MeterSetPoint[a] = "120";
            tables.MeterMacro[a] = "5";
        }
        tables.DataSaved = true;
    }

    bool anyFlag() const
    {
        return tables.AnalogChanged || !tables.DataSaved || tables.MeterChanged.any(true)
            || tables.MeterAlarmChanged.any(true);
    }
};

TEST_F(AnalogTest, AStoredValueWithALeadingZeroLoadsAsItsNumberAndShowsRed)
{
    tables.RealLow[3] = "05";
    load();
    EXPECT_EQ(find("RealLowSetting(3)")->text(), "05");
    EXPECT_TRUE(red(find("RealLowSetting(3)")));
    EXPECT_FALSE(red(find("RealLowSetting(2)")));
    editor->DoApply();
    EXPECT_EQ(tables.RealLow[3], "5");
    EXPECT_TRUE(tables.MeterChanged[3]);
    EXPECT_FALSE(tables.MeterChanged[2]);
    EXPECT_FALSE(tables.DataSaved);
}

// However many digits are typed, the copy is those digits: never a rounded
// number or one with an exponent, which Apply would refuse as unreadable.
TEST_F(AnalogTest, ANumberOfManyDigitsIsStoredAsItsDigits)
{
    const std::pair<QString, QString> cases[] = {
        {"999999999999999", "999999999999999"},
        {"1234567890123456", "1234567890123456"},
        {"12345678901234567890", "12345678901234567890"},
        {"000098765432109876543210", "98765432109876543210"},
        {QString(400, u'7'), QString(400, u'7')},
    };
    for (const auto& [typed, stored] : cases) {
        SetUp();
        dialogs.script.clear();
        load();
        type(find("RealHighSetting(2)"), typed);
        editor->DoApply();
        EXPECT_TRUE(messages().isEmpty()) << messages().join("|").toStdString();
        EXPECT_EQ(tables.RealHigh[2], stored) << typed.size();
        EXPECT_TRUE(tables.MeterChanged[2]);
    }
}

TEST_F(AnalogTest, TheReferenceVoltageAloneSetsOnlyItsGroupFlag)
{
    load();
    type(find("VrefSetting"), "480");
    editor->DoApply();
    EXPECT_EQ(tables.Vref, "480");
    EXPECT_TRUE(tables.MeterChanged[9]);
    for (int c = 1; c <= Count::Meters; ++c)
        EXPECT_FALSE(tables.MeterChanged[c]) << c;
    EXPECT_TRUE(tables.AnalogChanged);
}

TEST_F(AnalogTest, AMeterTypeIsStoredByItsCodeAndPickingTheStoredOneChangesNothing)
{
    load();
    EXPECT_EQ(find<QComboBox>("MeterType(4)")->currentText(), "Volts");
    pick("MeterType(4)", "Volts");
    editor->DoApply();
    EXPECT_FALSE(anyFlag());
    pick("MeterType(4)", "Percent");
    find<QPushButton>("Apply")->click();
    EXPECT_EQ(tables.Meter[4], "6");
    EXPECT_TRUE(tables.MeterChanged[4]);
}

TEST_F(AnalogTest, AnAlarmSetToNoneKeepsItsOtherValuesAndIsFlagged)
{
    load();
    pick("MeterAlarmNumSet", "3");
    EXPECT_EQ(find<QComboBox>("MeterAlarmTypeSet")->currentText(), "Low");
    EXPECT_TRUE(tables.MeterAlarmEnabled(3));
    pick("MeterAlarmTypeSet", "None");
    editor->DoApply();
    EXPECT_EQ(tables.MeterAlarmType[3], "0");
    EXPECT_FALSE(tables.MeterAlarmEnabled(3));
    EXPECT_TRUE(tables.MeterAlarmEnabled(2));
    EXPECT_TRUE(tables.MeterAlarmChanged[3]);
    EXPECT_FALSE(tables.MeterAlarmChanged[2]);
    EXPECT_EQ(tables.MeterNum[3], "1");
    EXPECT_EQ(tables.MeterSetPoint[3], "120");
    EXPECT_EQ(tables.MeterMacro[3], "5");
}

TEST_F(AnalogTest, EditsOfTwoAlarmsMadeOneAfterTheOtherAreBothStored)
{
    tables.MeterSetPoint[5] = " 77 ";
    load();
    pick("MeterAlarmNumSet", "2");
    type(find("MeterSetPointSet"), "90");
    pick("MeterMacroSet", "42");
    pick("MeterAlarmNumSet", "5");
    EXPECT_EQ(find("MeterSetPointSet")->text(), "77") << "loaded without its blanks";
    pick("MeterNumSet", "8");
    pick("MeterAlarmNumSet", "2");
    EXPECT_EQ(find("MeterSetPointSet")->text(), "90") << "alarm 2 shows its edit";
    EXPECT_TRUE(red(find("MeterSetPointSet")));
    pick("MeterAlarmNumSet", "5");

    editor->DoApply();
    EXPECT_EQ(tables.MeterSetPoint[2], "90");
    EXPECT_EQ(tables.MeterMacro[2], "42");
    EXPECT_EQ(tables.MeterNum[5], "8");
    EXPECT_EQ(tables.MeterSetPoint[5], "77");
    EXPECT_TRUE(tables.MeterAlarmChanged[2]);
    EXPECT_TRUE(tables.MeterAlarmChanged[5]);
    EXPECT_FALSE(tables.MeterAlarmChanged[1]);
}

TEST_F(AnalogTest, CancelPutsBackTheStoredValuesAndKeepsTheAlarmShown)
{
    load();
    type(find("MeterHighSetting(2)"), "200");
    pick("MeterType(2)", "Amps");
    type(find("VrefSetting"), "1");
    pick("MeterAlarmNumSet", "4");
    type(find("MeterSetPointSet"), "9");
    pick("MeterAlarmTypeSet", "High");

    find<QPushButton>("CancelChanges")->click();
    EXPECT_EQ(find("MeterHighSetting(2)")->text(), "255");
    EXPECT_FALSE(red(find("MeterHighSetting(2)")));
    EXPECT_EQ(find<QComboBox>("MeterType(2)")->currentText(), "Volts");
    EXPECT_EQ(find("VrefSetting")->text(), "500");
    EXPECT_EQ(find<QComboBox>("MeterAlarmNumSet")->currentText(), "4");
    EXPECT_EQ(find("MeterSetPointSet")->text(), "120");
    EXPECT_EQ(find<QComboBox>("MeterAlarmTypeSet")->currentText(), "Low");

    editor->DoApply();
    EXPECT_FALSE(anyFlag());
}

TEST_F(AnalogTest, ATripValueTheFileCouldNotReadBackIsRefusedAtApply)
{
    load();
    type(find("MeterSetPointSet"), "");
    type(find("VrefSetting"), "480");
    editor->DoApply();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith("Trip Value (1)")) << messages()[0].toStdString();
    EXPECT_EQ(tables.MeterSetPoint[1], "120");
    EXPECT_EQ(tables.Vref, "500") << "nothing is applied";

    // However long, a number is written back in its own digits and stored.
    dialogs.script.clear();
    type(find("MeterSetPointSet"), "120");
    type(find("VrefSetting"), "12345678901234567890");
    editor->DoApply();
    EXPECT_TRUE(messages().isEmpty()) << messages().join('\n').toStdString();
    EXPECT_EQ(tables.Vref, "12345678901234567890");
}

} // namespace
