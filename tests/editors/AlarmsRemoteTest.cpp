#include "EditorFixture.h"
#include "RecordingTransport.h"
#include "editors/ports/AlarmsRemote.h"
#include "link/ChangesUpload.h"
#include "store/TextHelpers.h"

#include <QComboBox>
#include <QHash>
#include <QPushButton>
#include <QRadioButton>

namespace {

struct AlarmsRemoteTest : EditorTest<Alarms_Remote> {

    void SetUp() override
    {
        for (int a = 1; a <= Count::AlarmInputs; ++a) {
            tables.AlarmLowMacroNum[a] = "1";
            tables.AlarmHighMacroNum[a] = "2";
        }
        tables.RadioType = "4";
        tables.YaesuType = "1";
        tables.RemoteBasePrefix = "A2";
        for (int m = 1; m <= Count::RemoteMemories; ++m) {
            tables.FreqString[m] = "";
            tables.CTCSS[m] = "";
            tables.CTCSSMode[m] = "";
            tables.RadioMode[m] = "4";
        }
        tables.FreqString[1] = "1465202";
        tables.CTCSS[1] = "100";
        tables.CTCSSMode[1] = "1";
        tables.FreqString[2] = NoneStored;
        tables.DataSaved = true;
    }

    void memory(int m) { pick("OtherMemoryNum", QString::number(m)); }
    QRadioButton* offset(const char* code) const
    {
        static const QHash<QString, QString> names{{"1", "OtherMinus"}, {"2", "OtherSimplex"}, {"3", "OtherPlus"}};
        return find<QRadioButton>(names.value(QString::fromLatin1(code)));
    }
    QString offsetShown() const
    {
        for (const char* code : {"1", "2", "3"})
            if (offset(code)->isChecked())
                return QString::fromLatin1(code);
        return {};
    }
    bool anyFlag() const
    {
        return tables.RemoteChanged || tables.AlarmsChanged || !tables.DataSaved || tables.RemoteMemoryChanged
            || tables.RadioTypeChanged || tables.RemoteBasePrefixChanged || tables.AlarmLowMacroNumChanged.any(true)
            || tables.AlarmHighMacroNumChanged.any(true);
    }
};

TEST_F(AlarmsRemoteTest, AFrequencyIsStoredAsItsSixDigitsAndTheOffsetDigit)
{
    struct Case {
        QString typed;
        const char* offset;
        QString stored;
    } cases[] = {
        {"146.520", "2", "1465202"},
        {"147000", "3", "1470003"},
        {" 445.500 ", "1", "4455001"},
    };
    for (const Case& c : cases) {
        SetUp();
        load();
        memory(3);
        type(find("OtherFreqStringSet"), c.typed);
        offset(c.offset)->click();
        editor->DoApply();
        EXPECT_TRUE(messages().isEmpty()) << messages().join("|").toStdString();
        EXPECT_EQ(tables.FreqString[3], c.stored) << c.typed.toStdString();
        EXPECT_EQ(find("OtherFreqStringSet")->text(), c.stored.chopped(1)) << "shown without the point";
        EXPECT_TRUE(tables.RemoteMemoryChanged);
        EXPECT_TRUE(tables.RemoteChanged);
        EXPECT_FALSE(tables.DataSaved);
        EXPECT_EQ(tables.FreqString[2], NoneStored) << "the other memories as they were";
        EXPECT_EQ(tables.FreqString[4], "");
    }
}

TEST_F(AlarmsRemoteTest, AnEmptyMemoryShowsEmptyAndStaysAsStoredUntilEdited)
{
    load();
    for (int m : {2, 3}) {
        memory(m);
        EXPECT_EQ(find("OtherFreqStringSet")->text(), "") << m;
        EXPECT_EQ(offsetShown(), "") << m;
    }
    // Typed into and emptied again: still the empty memory it was.
    memory(2);
    type(find("OtherFreqStringSet"), "1");
    type(find("OtherFreqStringSet"), "");
    editor->DoApply(); // as leaving the tab does
    EXPECT_FALSE(anyFlag());
    EXPECT_EQ(tables.FreqString[2], NoneStored);
    EXPECT_EQ(tables.FreqString[3], "");
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(AlarmsRemoteTest, EmptyingTheFrequencyBoxEmptiesTheMemory)
{
    load();
    EXPECT_EQ(offsetShown(), "2");
    type(find("OtherFreqStringSet"), "");
    EXPECT_EQ(offsetShown(), "") << "the offset goes with the frequency";
    memory(4);
    memory(1);
    EXPECT_EQ(find("OtherFreqStringSet")->text(), "");
    EXPECT_EQ(offsetShown(), "");
    editor->DoApply();
    EXPECT_TRUE(messages().isEmpty()) << messages().join("|").toStdString();
    EXPECT_EQ(tables.FreqString[1], "") << "as the configuration file holds an empty memory";
    EXPECT_TRUE(tables.RemoteMemoryChanged);
    EXPECT_EQ(tables.CTCSS[1], "100") << "the tone is a setting of its own";
    EXPECT_EQ(tables.CTCSSMode[1], "1");

    // Emptied by deleting key by key, and an offset picked again without a
    // frequency: half filled.
    tables.FreqString[3] = "4470001";
    load();
    memory(3);
    QLineEdit* frequency = find("OtherFreqStringSet");
    focusIn(frequency);
    frequency->end(false);
    for (int n = 0; n < 6; ++n)
        QTest::keyClick(frequency, Qt::Key_Backspace);
    EXPECT_EQ(offsetShown(), "");
    offset("3")->click();
    editor->DoApply();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith("Remote base memory 3 is only half filled"));
    EXPECT_EQ(tables.FreqString[3], "4470001");
}

TEST_F(AlarmsRemoteTest, AnEmptyMemoryTakesAToneAndAModeOfTheirOwn)
{
    struct Case {
        std::function<void()> edit;
        QString stored; // CTCSS / tone mode / radio mode
    } cases[] = {
        {[this] { type(find("OtherCTCSSSet"), "88"); }, "88//4"},
        {[this] { find<QRadioButton>("OtherDecode")->click(); }, "/2/4"},
        {[this] { find<QRadioButton>("AMSet")->click(); }, "//5"},
    };
    for (const Case& c : cases) {
        SetUp();
        dialogs.script.clear();
        load();
        memory(2);
        c.edit();
        editor->DoApply();
        EXPECT_TRUE(messages().isEmpty()) << messages().join("|").toStdString();
        EXPECT_EQ(tables.CTCSS[2] + "/" + tables.CTCSSMode[2] + "/" + tables.RadioMode[2], c.stored);
        EXPECT_EQ(tables.FreqString[2], NoneStored) << "the frequency stays as it was";
        EXPECT_TRUE(tables.RemoteMemoryChanged);
    }
}

TEST_F(AlarmsRemoteTest, AHalfFilledMemoryIsRefusedByNameAndNothingIsStored)
{
    const QString half = "Remote base memory 5 is only half filled";
    struct Case {
        QString frequency;
        const char* offset; // null: none picked
        QString message;    // how it starts
    } cases[] = {
        {"146.520", nullptr, half},
        {"", "2", half},
        {"14652", "3", "Remote base memory 5: \"14652\" is no frequency the Tarvex can take"},
        {"146.52O", "1", "Remote base memory 5: \"14652O\" is no frequency the Tarvex can take"},
        {"14652000", "2", "Remote base memory 5: \"14652000\" is no frequency the Tarvex can take"},
    };
    for (const Case& c : cases) {
        SetUp();
        dialogs.script.clear();
        load();
        type(find("RemoteBasePrefixSet"), "B3");
        memory(5);
        if (!c.frequency.isEmpty())
            type(find("OtherFreqStringSet"), c.frequency);
        if (c.offset)
            offset(c.offset)->click();
        memory(1);
        editor->DoApply();
        ASSERT_EQ(messages().size(), 1) << c.frequency.toStdString();
        EXPECT_TRUE(messages()[0].startsWith(c.message)) << messages()[0].toStdString();
        EXPECT_EQ(find<QComboBox>("OtherMemoryNum")->currentText(), "5") << "the memory is shown";
        EXPECT_EQ(tables.FreqString[5], "");
        EXPECT_EQ(tables.RemoteBasePrefix, "A2") << "nothing was applied";
        EXPECT_FALSE(anyFlag());
    }
}

TEST_F(AlarmsRemoteTest, AReselectedMemoryShowsItsEdit)
{
    load();
    EXPECT_EQ(find("OtherFreqStringSet")->text(), "146520");
    EXPECT_EQ(offsetShown(), "2");
    EXPECT_EQ(find("OtherCTCSSSet")->text(), "100");
    type(find("OtherFreqStringSet"), "147.000");
    offset("3")->click();
    type(find("OtherCTCSSSet"), "123");
    find<QRadioButton>("USBSet")->click();
    memory(4);
    EXPECT_EQ(find("OtherFreqStringSet")->text(), "");
    EXPECT_EQ(find("OtherCTCSSSet")->text(), "");
    EXPECT_TRUE(find<QRadioButton>("FMSet")->isChecked());
    type(find("OtherFreqStringSet"), "448.100");
    offset("1")->click();
    memory(1);
    EXPECT_EQ(find("OtherFreqStringSet")->text(), "147000");
    EXPECT_EQ(offsetShown(), "3");
    EXPECT_EQ(find("OtherCTCSSSet")->text(), "123");
    EXPECT_TRUE(find<QRadioButton>("USBSet")->isChecked());

    editor->DoApply();
    EXPECT_EQ(tables.FreqString[1], "1470003");
    EXPECT_EQ(tables.CTCSS[1], "123");
    EXPECT_EQ(tables.RadioMode[1], "2");
    EXPECT_EQ(tables.FreqString[4], "4481001");

    // Cancel takes back what came after the Apply, on every memory.
    type(find("OtherFreqStringSet"), "145.000");
    memory(4);
    offset("2")->click();
    find<QPushButton>("CancelChanges")->click();
    EXPECT_EQ(offsetShown(), "1");
    memory(1);
    EXPECT_EQ(find("OtherFreqStringSet")->text(), "147000");
    tables.RemoteMemoryChanged = false;
    editor->DoApply();
    EXPECT_FALSE(tables.RemoteMemoryChanged);
}

TEST_F(AlarmsRemoteTest, AnotherRadioThanYaesuHidesTheModelAndStoresModelZero)
{
    tables.RadioType = "3";
    tables.YaesuType = "2";
    load();
    auto* model = find<QComboBox>("YaesuType");
    EXPECT_FALSE(model->isHidden());
    EXPECT_EQ(model->currentText(), "FT-817");
    pick("RadioType", "Icom");
    EXPECT_TRUE(model->isHidden());
    EXPECT_EQ(find<QComboBox>("RadioType")->palette().color(QPalette::Text), QColor(Qt::red));
    editor->DoApply();
    EXPECT_EQ(tables.RadioType, "2");
    EXPECT_EQ(tables.YaesuType, "0");
    EXPECT_TRUE(tables.RadioTypeChanged);
    EXPECT_TRUE(tables.RemoteChanged);
    EXPECT_FALSE(tables.AlarmsChanged) << "nor the alarms' section";

    // Yaesu again: the model list comes back with no model shown, for a pick,
    // and Apply refuses a Yaesu without one.
    editor->show();
    QCoreApplication::sendPostedEvents();
    const QPoint prefixAt = find("RemoteBasePrefixSet")->pos();
    pick("RadioType", "Yaesu");
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(model->isHidden());
    EXPECT_EQ(ListText(model), "");
    EXPECT_EQ(find("RemoteBasePrefixSet")->pos(), prefixAt) << "the rows below stay where they were";
    dialogs.script.clear();
    editor->DoApply();
    EXPECT_EQ(messages(), QStringList{"Yaesu Type: choose the model of the Yaesu radio. Nothing was applied."});
    EXPECT_EQ(tables.RadioType, "2");
    pick("YaesuType", "FT-897");
    editor->DoApply();
    EXPECT_EQ(tables.RadioType, "3");
    EXPECT_EQ(tables.YaesuType, "5");
}

TEST_F(AlarmsRemoteTest, LoadingOrCancellingANonYaesuRadioKeepsItsStoredModel)
{
    load(); // Kenwood V7A with model 1, as the sample configuration has it
    EXPECT_TRUE(find<QComboBox>("YaesuType")->isHidden());
    EXPECT_EQ(find<QComboBox>("RadioType")->currentText(), "Kenwood V7A");
    pick("RadioType", "Icom");
    find<QPushButton>("CancelChanges")->click();
    EXPECT_EQ(find<QComboBox>("RadioType")->currentText(), "Kenwood V7A");
    editor->DoApply();
    EXPECT_EQ(tables.YaesuType, "1");
    EXPECT_FALSE(anyFlag());
}

TEST_F(AlarmsRemoteTest, AnEmptyPrefixAndNoPrefixAreZero)
{
    tables.RemoteBasePrefix = "0";
    load();
    auto* prefix = find("RemoteBasePrefixSet");
    EXPECT_EQ(prefix->text(), "");
    EXPECT_EQ(prefix->placeholderText(), "No Prefix");
    editor->DoApply();
    EXPECT_FALSE(anyFlag());

    const std::pair<QString, QString> cases[] = {{"B5", "B5"}, {"", "0"}, {"No Prefix", "0"}, {" C7 ", "C7"}, {"  ", "0"}};
    for (const auto& [typed, stored] : cases) {
        tables.RemoteBasePrefix = "A2";
        type(prefix, typed);
        editor->DoApply();
        EXPECT_EQ(tables.RemoteBasePrefix, stored) << typed.toStdString();
    }
    EXPECT_TRUE(tables.RemoteBasePrefixChanged);
}

TEST_F(AlarmsRemoteTest, EachAlarmKeepsItsMacrosAndATwoDigitPickIsAChange)
{
    load();
    EXPECT_EQ(ListText(find<QComboBox>("UseLowMacroSet")), "1") << "a stored one-digit macro as it stands";
    pick("AlarmNumSet", "3");
    pick("UseLowMacroSet", "05");
    pick("UseHighMacroSet", "90");
    pick("AlarmNumSet", "1");
    EXPECT_EQ(ListText(find<QComboBox>("UseLowMacroSet")), "1");
    pick("AlarmNumSet", "3");
    EXPECT_EQ(find<QComboBox>("UseLowMacroSet")->currentText(), "05");
    EXPECT_EQ(find<QComboBox>("UseHighMacroSet")->currentText(), "90");
    pick("AlarmNumSet", "4");
    pick("UseLowMacroSet", "01"); // the stored "1" in two digits
    editor->DoApply();
    EXPECT_EQ(tables.AlarmLowMacroNum[3], "05");
    EXPECT_EQ(tables.AlarmHighMacroNum[3], "90");
    EXPECT_EQ(tables.AlarmLowMacroNum[4], "01");
    EXPECT_TRUE(tables.AlarmLowMacroNumChanged[3] && tables.AlarmHighMacroNumChanged[3]);
    EXPECT_TRUE(tables.AlarmLowMacroNumChanged[4]);
    EXPECT_FALSE(tables.AlarmLowMacroNumChanged[1] || tables.AlarmHighMacroNumChanged[4]);
    EXPECT_TRUE(tables.AlarmsChanged);
    EXPECT_FALSE(tables.RemoteChanged) << "the remote base's section is not the alarms'";
}

TEST_F(AlarmsRemoteTest, TheButtonsCarryTheirNamesAndCaptionsAndTheModesStandTopToBottom)
{
    load();
    editor->show();
    QApplication::processEvents();
    const std::pair<const char*, const char*> buttons[] = {
        {"OtherMinus", " -"}, {"OtherSimplex", "Sim"}, {"OtherPlus", " +"},
        {"OtherNoPL", "Off"}, {"OtherEncode", "En"},   {"OtherDecode", "Dec"},
    };
    for (const auto& [name, caption] : buttons)
        EXPECT_EQ(find<QRadioButton>(name)->text(), caption) << name;
    int above = -1;
    for (const char* name : {"LSBSet", "USBSet", "CWSet", "FMSet", "AMSet"}) {
        auto* mode = find<QRadioButton>(name);
        EXPECT_GT(mode->y(), above) << name;
        EXPECT_EQ(mode->x(), find<QRadioButton>("LSBSet")->x()) << name;
        above = mode->y();
    }
    EXPECT_EQ(find<QPushButton>("CancelChanges")->text(), "&Cancel Changes");

    // No offset button stands for a last digit that is no offset.
    tables.FreqString[6] = "1465209";
    load();
    memory(6);
    EXPECT_EQ(offsetShown(), "");
    editor->DoApply();
    EXPECT_FALSE(anyFlag());
}

// The alarm number list is drawn as the macro list the user has just picked
// in; selecting another alarm leaves its colour, Cancel makes it black.
TEST_F(AlarmsRemoteTest, AMacroPickDrawsTheAlarmNumberListRedOrBlack)
{
    tables.AlarmLowMacroNum[2] = "05";
    load();
    auto* alarms = find<QComboBox>("AlarmNumSet");
    pick(alarms, "2");
    EXPECT_FALSE(red(alarms));
    pick("UseLowMacroSet", "07");
    EXPECT_TRUE(red(alarms));
    EXPECT_TRUE(red(find<QComboBox>("UseLowMacroSet")));
    pick(alarms, "3");
    EXPECT_TRUE(red(alarms)) << "only a macro pick recolours it";
    pick(alarms, "2");
    pick("UseLowMacroSet", "05");
    EXPECT_FALSE(red(alarms)) << "the stored macro again";
    EXPECT_FALSE(red(find<QComboBox>("UseLowMacroSet")));
    pick("UseHighMacroSet", "09");
    EXPECT_TRUE(red(alarms));
    find<QPushButton>("CancelChanges")->click();
    EXPECT_FALSE(red(alarms));
}

TEST_F(AlarmsRemoteTest, OneEditedMemorySendsEveryMemoryAndClearsTheFlagAfterTheTenth)
{
    load();
    memory(3);
    type(find("OtherFreqStringSet"), "146.940");
    offset("1")->click();
    type(find("OtherCTCSSSet"), "8");
    find<QRadioButton>("OtherEncode")->click();
    editor->DoApply();
    ASSERT_TRUE(tables.RemoteMemoryChanged);

    RecordingTransport link;
    // The flag as each memory goes out: memories 1 to 9 leave it set.
    std::vector<bool> flagWhileSent;
    for (int sent = 0; sent < Count::RemoteMemories; ++sent)
        link.after(sent, [this, &flagWhileSent] { flagWhileSent.push_back(tables.RemoteMemoryChanged); });
    ScriptedDialogs upload;
    EXPECT_EQ(ChangesUpload(tables, link, upload).run(), UploadRunner::Result::Completed);

    QStringList expected;
    for (int m = 1; m <= Count::RemoteMemories; ++m)
        expected << "1**A21" + WithoutNoneStored(tables.FreqString[m])
                 << "1**A22" + tables.CTCSS[m] + tables.CTCSSMode[m] << "1**A23" + tables.RadioMode[m]
                 << "1*2086" + QString::number(m);
    EXPECT_EQ(link.lines(), expected);
    EXPECT_EQ(link.lines().mid(8, 4), (QStringList{"1**A211469401", "1**A2281", "1**A234", "1*20863"}));
    ASSERT_EQ(tables.FreqString[2], NoneStored);
    EXPECT_EQ(link.lines()[4], "1**A21") << "an empty memory goes out with no frequency, not as words";
    EXPECT_EQ(flagWhileSent, std::vector<bool>(Count::RemoteMemories, true));
    EXPECT_FALSE(tables.RemoteMemoryChanged) << "one flag for all ten, cleared after memory 10 only";
}

} // namespace
