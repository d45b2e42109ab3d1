#include "EditorFixture.h"
#include "editors/NumericOnly.h"
#include "editors/SettingsEditor.h"
#include "store/KeyRegistry.h"
#include "store/TextHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using S = SettingsTables;

namespace {

const std::vector<ListEntry> meterTypes{{"None", "0"}, {"Volts", "1"}, {"Amps", "2"}};

// A small editor made from a table, with one row of each kind.
class ProbeEditor final : public SettingsEditor {
public:
    std::optional<Refusal> veto;
    int applied = 0;

    explicit ProbeEditor(AppContext& context) : SettingsEditor(context, {&S::TimersChanged}, nullptr)
    {
        auto* grid = new QGridLayout;
        // Refused outside 1..255 when left, "0" put back, the focus sent back.
        FieldDefinition probe = Field(Bind(&S::HangTime, &S::HangTimeChanged));
        probe.check = Between(1, 255, "The value must be between 1 and 255");
        probe.check->repair = FieldCheck::Repair::Zero;
        probe.check->refocus = true;
        probe.reader = &FindStem("HangTime").rule;
        probe.caption = "Hang Time";
        for (int i = 1; i <= Count::Ports; ++i)
            addRow(grid, grid->rowCount(), {QString::number(i), "Probe", "s", NumberBox(), probe}, At(i));

        addRow(grid, grid->rowCount(), {"Meter Type", "MeterType", {}, ListOf(meterTypes), Field(Bind(&S::Meter, &S::MeterChanged))}, At(1));
        addRow(grid, grid->rowCount(),
               {"Polarity", "Polarity", {}, Options({{"Hi", "1", "PolarityHi"}, {"Lo", "0", "PolarityLo"}}),
                Field(Bind(&S::PLEncodePolarity, &S::PLEncodePolarityChanged))},
               At(2));
        // Its first button for any value that is no option's.
        for (int i = 1; i <= Count::Ports; ++i)
            addRow(grid, grid->rowCount(),
                   {"Closure", "Closure", {}, OptionsOtherwise({{"COS", "0", "ClosureCOS"}, {"Tone", "1", "ClosureTone"}}, "0"),
                    Field(Bind(&S::COSClose, &S::COSCloseChanged))},
                   At(i));
        addRow(grid, grid->rowCount(),
               {"All Xmt Activity", "Fan", {}, CheckBox("0", "1"), Field(Bind(&S::FanSelect, &S::FanSelectChanged))},
               Single());

        // Letters only, checked as typed; a refusal puts back the text before the change.
        FieldDefinition word = Field(Bind(&S::CWID1, &S::CWID1Changed));
        word.check = Refusing([](const QString& t) { return t.contains(QRegularExpression("[^A-Z]")); },
                              "Letters only");
        word.check->when = FieldCheck::When::Change;
        word.check->repair = FieldCheck::Repair::Previous;
        addRow(grid, grid->rowCount(), {"Word", "Word", {}, TextBox(), word}, At(1));

        // The reader's rule without a check of the editor's own.
        FieldDefinition delay = Field(Bind(&S::XmtDelay, &S::XmtDelayChanged));
        delay.reader = &FindStem("XmtDelay").rule;
        addRow(grid, grid->rowCount(), {"Speech Delay", "Delay", "ms", TextBox(), delay}, Single());

        alarm = addSelector("AlarmNum", Count::MeterAlarms);
        grid->addWidget(selectorList(alarm), grid->rowCount(), 1);
        addRow(grid, grid->rowCount(),
               {"Trip Value", "SetPoint", {}, TextBox(), Field(Bind(&S::MeterSetPoint, &S::MeterAlarmChanged))},
               ChosenBy(alarm));
        addRow(grid, grid->rowCount(),
               {"Alarm Type", "AlarmType", {}, ListOf(meterTypes), Field(Bind(&S::MeterAlarmType, &S::MeterAlarmChanged))},
               ChosenBy(alarm));

        // Every toll entry in one list with add and delete.
        auto* list = new QListWidget;
        list->setObjectName("Toll");
        grid->addWidget(list, grid->rowCount(), 0, 1, 3);
        toll = std::make_unique<EntryList>(list);
        bindEntries(copies().add(Field(Bind(&S::TollRestrict, &S::TollRestrictChanged))), toll.get());

        auto* layout = new QVBoxLayout(this);
        layout->addLayout(grid);
        layout->addLayout(applyButtons(Qt::Horizontal, "CancelChanges", "Cancel Changes"));
        loadControls();
    }

    int alarm = -1;
    std::unique_ptr<EntryList> toll;

protected:
    std::optional<Refusal> vetoApply() override { return veto; }
    void afterApply(const std::vector<FieldElement>&) override { ++applied; }
};

struct SettingsEditorTest : EditorFixture {
    void SetUp() override
    {
        tables.HangTime.fill("50");
        tables.Meter.fill("1");
        tables.PLEncodePolarity.fill("0");
        tables.FanSelect = "0";
        tables.CWID1.fill("AB");
        tables.XmtDelay = "1000";
        for (int a = 1; a <= Count::MeterAlarms; ++a) {
            tables.MeterSetPoint[a] = QString::number(a * 10);
            tables.MeterAlarmType[a] = "0";
        }
        tables.DataSaved = true;
    }
};

TEST_F(SettingsEditorTest, ARefusedBoxGetsTheFocusBackOnlyWhileItsEditorIsShown)
{
    // The editor as a page of a window, as the tab strip shows it.
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* editor = new ProbeEditor(context);
    auto* outside = new QLineEdit;
    layout->addWidget(editor);
    layout->addWidget(outside);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* first = find(*editor, "Probe(1)");
    auto* second = find(*editor, "Probe(2)");

    first->setFocus();
    type(first, "0");
    second->setFocus();
    EXPECT_EQ(messages(), QStringList{"The value must be between 1 and 255"});
    EXPECT_EQ(first->text(), "0");
    EXPECT_TRUE(first->hasFocus());

    // The tab strip hides the editor before it applies: no focus goes back.
    type(first, "300");
    editor->hide();
    EXPECT_EQ(messages().size(), 2) << "hiding the editor left the box";
    EXPECT_FALSE(first->hasFocus());
    EXPECT_EQ(first->text(), "0");
    editor->DoApply();
    EXPECT_EQ(messages().size(), 2) << "checked once";
    EXPECT_EQ(tables.HangTime[1], "0");
}

TEST_F(SettingsEditorTest, TheProgramsOwnTextRunsTheChangeHandlingOnlyWhenTheTextChanges)
{
    ProbeEditor editor(context);
    auto* box = find(editor, "Probe(1)");
    box->setText("60");
    EXPECT_TRUE(red(box));
    // The same text again changes nothing: no handling, so a copy the
    // program changed meanwhile stays as it is.
    tables.HangTime[1] = "60";
    box->setText("60");
    EXPECT_TRUE(red(box)) << "the text did not change, so nothing recoloured it";
    tables.HangTime[1] = "50";
    box->setText("50");
    EXPECT_FALSE(red(box));
    editor.DoApply();
    EXPECT_FALSE(tables.HangTimeChanged.any(true));
}

TEST_F(SettingsEditorTest, ACodedListStoresTheCodeOfThePickAndShowsAStoredCodeThatIsNoEntry)
{
    tables.Meter[1] = "1";
    ProbeEditor editor(context);
    auto* list = find<QComboBox>(editor, "MeterType(1)");
    EXPECT_EQ(list->currentText(), "Volts");
    pick(list, "Amps");
    editor.DoApply();
    EXPECT_EQ(tables.Meter[1], "2");
    EXPECT_TRUE(tables.MeterChanged[1]);

    tables.Meter[1] = "9";
    ProbeEditor other(context);
    EXPECT_EQ(ListText(find<QComboBox>(other, "MeterType(1)")), "9");
    EXPECT_EQ(find<QComboBox>(other, "MeterType(1)")->count(), 3) << "the list keeps exactly its entries";
    tables.MeterChanged.fill(false);
    other.DoApply();
    EXPECT_FALSE(tables.MeterChanged.any(true));
}

TEST_F(SettingsEditorTest, AnOptionGroupAndACheckBoxStoreTheirOwnValues)
{
    tables.PLEncodePolarity[2] = "0";
    ProbeEditor editor(context);
    auto* hi = find<QRadioButton>(editor, "PolarityHi(2)");
    auto* lo = find<QRadioButton>(editor, "PolarityLo(2)");
    EXPECT_TRUE(lo->isChecked());
    hi->click();
    auto* fan = find<QCheckBox>(editor, "Fan");
    EXPECT_TRUE(fan->isChecked()) << "ticked for the stored 0";
    fan->click();
    editor.DoApply();
    EXPECT_EQ(tables.PLEncodePolarity[2], "1");
    EXPECT_TRUE(tables.PLEncodePolarityChanged[2]);
    EXPECT_EQ(tables.FanSelect, "1");

    tables.PLEncodePolarity[2] = "7";
    ProbeEditor other(context);
    EXPECT_FALSE(find<QRadioButton>(other, "PolarityHi(2)")->isChecked());
    EXPECT_FALSE(find<QRadioButton>(other, "PolarityLo(2)")->isChecked()) << "no option stands for 7";
}

// A value that is no option's shows the fallback button, but showing it is
// no change: the value stays until the user picks, then the pick is stored.
TEST_F(SettingsEditorTest, AFallbackButtonShowsAnOddValueWithoutChangingIt)
{
    tables.COSClose[1] = "1";
    tables.COSClose[2] = "7";
    tables.COSClose[3] = "";
    ProbeEditor editor(context);
    EXPECT_TRUE(find<QRadioButton>(editor, "ClosureTone(1)")->isChecked());
    for (int i : {2, 3}) {
        EXPECT_TRUE(find<QRadioButton>(editor, QStringLiteral("ClosureCOS(%1)").arg(i))->isChecked()) << i;
        EXPECT_FALSE(find<QRadioButton>(editor, QStringLiteral("ClosureTone(%1)").arg(i))->isChecked()) << i;
    }
    editor.DoApply();
    find<QPushButton>(editor, "CancelChanges")->click();
    EXPECT_TRUE(find<QRadioButton>(editor, "ClosureCOS(2)")->isChecked()) << "Cancel shows it as loading does";
    editor.DoApply();
    EXPECT_EQ(tables.COSClose[2], "7");
    EXPECT_EQ(tables.COSClose[3], "");
    EXPECT_FALSE(tables.COSCloseChanged.any(true));
    EXPECT_TRUE(tables.DataSaved);

    // A click on the button shown is a pick: it stores that button's code.
    find<QRadioButton>(editor, "ClosureCOS(2)")->click();
    editor.DoApply();
    EXPECT_EQ(tables.COSClose[2], "0");
    EXPECT_TRUE(tables.COSCloseChanged[2]);
    EXPECT_FALSE(tables.COSCloseChanged[1] || tables.COSCloseChanged[3]);
    EXPECT_FALSE(tables.DataSaved);
}

TEST_F(SettingsEditorTest, ASelectorShowsTheWorkingValueOfTheChosenElement)
{
    ProbeEditor editor(context);
    auto* setPoint = find(editor, "SetPoint");
    auto* selector = find<QComboBox>(editor, "AlarmNum");
    EXPECT_EQ(setPoint->text(), "10");
    type(setPoint, "12");
    pick(find<QComboBox>(editor, "AlarmType"), "Volts");
    pick(selector, "5");
    EXPECT_EQ(setPoint->text(), "50");
    EXPECT_FALSE(red(setPoint));
    EXPECT_EQ(find<QComboBox>(editor, "AlarmType")->currentText(), "None");
    type(setPoint, "55");
    pick(selector, "1");
    EXPECT_EQ(setPoint->text(), "12") << "the edit, not the stored value";
    EXPECT_TRUE(red(setPoint));
    EXPECT_EQ(find<QComboBox>(editor, "AlarmType")->currentText(), "Volts");

    editor.DoApply();
    EXPECT_EQ(tables.MeterSetPoint[1], "12");
    EXPECT_EQ(tables.MeterSetPoint[5], "55");
    EXPECT_EQ(tables.MeterAlarmType[1], "1");
    EXPECT_TRUE(tables.MeterAlarmChanged[1]);
    EXPECT_TRUE(tables.MeterAlarmChanged[5]);
    EXPECT_FALSE(tables.MeterAlarmChanged[2]);
}

TEST_F(SettingsEditorTest, EachRepairOfACheck)
{
    struct Case {
        FieldCheck::Repair repair;
        QString expected;
    } cases[] = {
        {FieldCheck::Repair::Stored, "AB"},
        {FieldCheck::Repair::Zero, "0"},
        {FieldCheck::Repair::Empty, ""},
        {FieldCheck::Repair::Previous, "ABC"},
        {FieldCheck::Repair::Own, "ABCI after 3"}, // made of the refused text and the one before
    };
    for (const Case& c : cases) {
        // The check of "Word" with each repair in turn.
        class Editor final : public SettingsEditor {
        public:
            Editor(AppContext& context, FieldCheck::Repair repair) : SettingsEditor(context, {&S::IDChanged}, nullptr)
            {
                FieldDefinition word = Field(Bind(&S::CWID1, &S::CWID1Changed));
                word.check = Refusing([](const QString& t) { return t.contains('1'); }, "No ones");
                word.check->when = FieldCheck::When::Change;
                word.check->repair = repair;
                word.check->mend = [](const QString& refused, const QString& before) {
                    return QString(refused).replace('1', 'I') + " after " + QString::number(before.size());
                };
                auto* grid = new QGridLayout(this);
                addRow(grid, 0, {"Word", "Word", {}, TextBox(), word}, At(1));
                loadControls();
            }
        } editor(context, c.repair);
        dialogs.script.clear();
        auto* word = find(editor, "Word(1)");
        type(word, "ABC");
        QTest::keyClicks(word, "1");
        EXPECT_EQ(messages(), QStringList{"No ones"});
        EXPECT_EQ(word->text(), c.expected) << static_cast<int>(c.repair);
        editor.DoApply();
        EXPECT_EQ(tables.CWID1[1], c.expected);
        tables.CWID1[1] = "AB";
    }
}

TEST_F(SettingsEditorTest, NothingIsRefusedWhileTheEditorFillsItsOwnControls)
{
    tables.CWID1[1] = "A1"; // the check refuses it as typed
    tables.HangTime[1] = "300";
    ProbeEditor editor(context);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(find(editor, "Word(1)")->text(), "A1");
    type(find(editor, "Word(1)"), "B");
    find<QPushButton>(editor, "CancelChanges")->click();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(find(editor, "Word(1)")->text(), "A1");
}

TEST_F(SettingsEditorTest, AVetoedApplyStoresNothingAndSaysWhyOnce)
{
    ProbeEditor editor(context);
    editor.veto = SettingsEditor::Refusal{"Memory 3 is half filled"};
    type(find(editor, "Probe(2)"), "70");
    editor.DoApply();
    EXPECT_EQ(messages(), QStringList{"Memory 3 is half filled"});
    EXPECT_EQ(tables.HangTime[2], "50");
    EXPECT_FALSE(tables.HangTimeChanged.any(true));
    EXPECT_TRUE(tables.DataSaved);
    EXPECT_EQ(editor.applied, 0);

    editor.veto.reset();
    editor.DoApply();
    EXPECT_EQ(tables.HangTime[2], "70");
    EXPECT_EQ(editor.applied, 1);
}

// A box Apply refuses is named and keeps its text, and so does the good edit
// beside it, which is not stored either. The box's own check speaks only for
// a text it refuses itself: "12ab" is in the range, so its message would be
// wrong; the reader's refusal names the box.
TEST_F(SettingsEditorTest, ACopyApplyCannotStoreIsNamedAndKeptAndNothingIsStored)
{
    struct Case {
        const char* name;
        const char* box;
        const char* text; // put in past the digit filter
        QString message;  // the whole message, or how it begins
        const char* left; // the box's text after Apply
    };
    const Case cases[] = {
        {"no check of its own", "Delay", "abc", "Speech Delay: \"abc\" cannot be stored", "abc"},
        {"in range, but not digits", "Probe(1)", "12ab", "Hang Time (1): \"12ab\" cannot be stored", "12ab"},
        {"out of range", "Probe(1)", "300", "Hang Time (1): The value must be between 1 and 255. Nothing was applied.",
         "300"},
        {"emptied, which reads 0", "Probe(3)", "", "Hang Time (3): The value must be between 1 and 255. Nothing was applied.",
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        dialogs.script.clear();
        ProbeEditor editor(context);
        find(editor, c.box)->setText(c.text);
        type(find(editor, "Probe(2)"), "70");
        editor.DoApply();
        ASSERT_EQ(messages().size(), 1);
        EXPECT_TRUE(messages()[0].startsWith(c.message)) << messages()[0].toStdString();
        EXPECT_EQ(find(editor, c.box)->text(), c.left);
        EXPECT_EQ(find(editor, "Probe(2)")->text(), "70");
        EXPECT_EQ(tables.HangTime[2], "50");
        EXPECT_EQ(tables.XmtDelay, "1000");
        EXPECT_FALSE(tables.HangTimeChanged.any(true));
        EXPECT_TRUE(tables.DataSaved);
    }
}

TEST_F(SettingsEditorTest, AnOutsideWriteReachesAnUneditedCopyAndNotAnEditedOne)
{
    ProbeEditor editor(context);
    type(find(editor, "Probe(1)"), "70");
    // Another editor stores both elements.
    WriteSetting(tables, notices, ElementOf(&S::HangTime, 1), "90");
    WriteSetting(tables, notices, ElementOf(&S::HangTime, 2), "80");
    EXPECT_EQ(find(editor, "Probe(1)")->text(), "70");
    EXPECT_TRUE(red(find(editor, "Probe(1)")));
    EXPECT_EQ(find(editor, "Probe(2)")->text(), "80");
    EXPECT_FALSE(red(find(editor, "Probe(2)")));

    // Shown through a selector too, once chosen.
    WriteSetting(tables, notices, ElementOf(&S::MeterSetPoint, 4), "44");
    pick(find<QComboBox>(editor, "AlarmNum"), "4");
    EXPECT_EQ(find(editor, "SetPoint")->text(), "44");

    editor.DoApply();
    EXPECT_EQ(tables.HangTime[1], "70");
    EXPECT_EQ(tables.HangTime[2], "80") << "the stale copy wrote nothing back";
    EXPECT_FALSE(tables.HangTimeChanged[2]);
    EXPECT_FALSE(tables.MeterAlarmChanged[4]);
}

TEST_F(SettingsEditorTest, AnApplyThatChangedNothingLeavesTheFileSaved)
{
    ProbeEditor editor(context);
    tables.HangTimeChanged[1] = true; // pending from an earlier Apply
    editor.DoApply();
    EXPECT_TRUE(tables.DataSaved);
    EXPECT_FALSE(tables.TimersChanged);
}

TEST_F(SettingsEditorTest, AListWithAddAndDeleteChangesOnlyItsCopiesUntilApply)
{
    tables.TollRestrict[1] = "1900";
    tables.TollRestrict[2] = "1976";
    tables.TollRestrict[3] = "011";
    ProbeEditor editor(context);
    QListWidget* list = editor.toll->widget();
    ASSERT_EQ(list->count(), 3);
    list->setCurrentRow(0);
    EXPECT_TRUE(editor.toll->removeSelected());
    editor.toll->add("1800");
    EXPECT_EQ(tables.TollRestrict[1], "1900") << "nothing is stored before Apply";

    editor.DoApply();
    EXPECT_EQ(tables.TollRestrict[1], "1976");
    EXPECT_EQ(tables.TollRestrict[2], "011");
    EXPECT_EQ(tables.TollRestrict[3], "1800");
    EXPECT_TRUE(tables.TollRestrictChanged[1]);
    EXPECT_FALSE(tables.TollRestrictChanged[4]);

    list->setCurrentRow(2);
    editor.toll->removeSelected();
    tables.TollRestrictChanged.fill(false);
    editor.DoApply();
    EXPECT_EQ(tables.TollRestrict[3], "") << "the entry after the last is emptied";
    EXPECT_TRUE(tables.TollRestrictChanged[3]);
    EXPECT_FALSE(tables.TollRestrictChanged[1]);
}

TEST_F(SettingsEditorTest, AnArrayUnderOneGroupFlagRaisesThatFlagForEachOfItsElements)
{
    tables.P2MessageNum.fill("1");
    // Port 2's three tail message macros, all under port 2's flag.
    class Editor final : public SettingsEditor {
    public:
        explicit Editor(AppContext& context) : SettingsEditor(context, {&S::PortSwitchesChanged}, nullptr)
        {
            auto* grid = new QGridLayout(this);
            const FormRow row{"Macro", "Macro", {}, ListOf(NumberEntries(1, Count::Macros)),
                              Field(Bind(&S::P2MessageNum, &S::MessageNumChanged, 2))};
            for (int k = 1; k <= 3; ++k)
                addRow(grid, k, row, At(k));
            loadControls();
        }
    } editor(context);
    pick(find<QComboBox>(editor, "Macro(3)"), "45");
    editor.DoApply();
    EXPECT_EQ(tables.P2MessageNum[3], "45");
    EXPECT_EQ(tables.P2MessageNum[2], "1");
    EXPECT_TRUE(tables.MessageNumChanged[2]);
    EXPECT_FALSE(tables.MessageNumChanged[1] || tables.MessageNumChanged[3]);
    EXPECT_TRUE(tables.PortSwitchesChanged);
}

TEST_F(SettingsEditorTest, OptionButtonsStandSideBySideOrOneUnderTheOther)
{
    for (const Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
        class Editor final : public SettingsEditor {
        public:
            Editor(AppContext& context, Qt::Orientation orientation)
                : SettingsEditor(context, {&S::PortSwitchesChanged}, nullptr)
            {
                auto* grid = new QGridLayout(this);
                addRow(grid, 0,
                       {"Polarity", "Polarity", {}, Options({{"Lo", "0", "PolarityLo"}, {"Hi", "1", "PolarityHi"}}, orientation),
                        Field(Bind(&S::PLEncodePolarity, &S::PLEncodePolarityChanged))},
                       At(1));
                loadControls();
            }
        } editor(context, orientation);
        editor.show();
        QApplication::processEvents();
        const auto* lo = find<QRadioButton>(editor, "PolarityLo(1)");
        auto* hi = find<QRadioButton>(editor, "PolarityHi(1)");
        if (orientation == Qt::Horizontal) {
            EXPECT_GT(hi->x(), lo->x());
            EXPECT_EQ(hi->y(), lo->y());
        } else {
            EXPECT_GT(hi->y(), lo->y());
            EXPECT_EQ(hi->x(), lo->x());
        }
        EXPECT_TRUE(lo->isChecked());
        hi->click();
        editor.DoApply();
        EXPECT_EQ(tables.PLEncodePolarity[1], "1");
        tables.PLEncodePolarity[1] = "0";
    }
}

// A box whose empty text stands for a marker, with a check of several parts.
class MarkerEditor final : public SettingsEditor {
public:
    explicit MarkerEditor(AppContext& context) : SettingsEditor(context, {&S::DTMFChanged}, nullptr)
    {
        FieldDefinition memory = Field(Bind(&S::DTMFMemory, &S::DTMFMemoryChanged), Intake::Upper, LoadForm::Trimmed);
        FieldCheck tooLong = Refusing([](const QString& t) { return t != NoneStored && t.size() > 3; }, "Three at most");
        FieldCheck letter = Refusing([](const QString& t) { return t.contains('x'); }, "No x");
        letter.title.clear();
        letter.icon = Dialogs::Icon::None;
        memory.check = FirstOf({tooLong, letter});
        memory.check->when = FieldCheck::When::Change;
        memory.check->repair = FieldCheck::Repair::Previous;
        auto* grid = new QGridLayout(this);
        for (int i = 1; i <= 2; ++i)
            addRow(grid, i, {QString::number(i), "Memory", {}, TextBoxEmptyAs(NoneStored, "(-)"), memory}, At(i));
        loadControls();
    }
};

TEST_F(SettingsEditorTest, AnEmptyBoxStandsForItsMarkerAndShowsTheHint)
{
    tables.DTMFMemory[1] = NoneStored;
    tables.DTMFMemory[2] = "1 2";
    MarkerEditor editor(context);
    auto* empty = find<QLineEdit>(editor, "Memory(1)");
    auto* full = find<QLineEdit>(editor, "Memory(2)");
    EXPECT_EQ(empty->text(), "");
    EXPECT_EQ(empty->placeholderText(), "(-)");
    EXPECT_FALSE(red(empty));

    // Typed and emptied again: the marker, not an empty text, and no change.
    type(empty, "a");
    EXPECT_TRUE(red(empty));
    type(empty, "");
    EXPECT_FALSE(red(empty));
    // The hint typed in stands for the marker too.
    type(empty, "(-)");
    EXPECT_FALSE(red(empty));
    // A filled memory emptied stores the marker.
    type(full, "");
    EXPECT_TRUE(full->palette().color(QPalette::PlaceholderText) == QColor(Qt::red)) << "the hint shows the change";
    editor.DoApply();
    EXPECT_EQ(tables.DTMFMemory[1], NoneStored);
    EXPECT_FALSE(tables.DTMFMemoryChanged[1]);
    EXPECT_EQ(tables.DTMFMemory[2], NoneStored);
    EXPECT_TRUE(tables.DTMFMemoryChanged[2]);
}

TEST_F(SettingsEditorTest, ACheckOfSeveralPartsSpeaksWithThePartThatRefuses)
{
    tables.DTMFMemory.fill(NoneStored);
    MarkerEditor editor(context);
    auto* box = find<QLineEdit>(editor, "Memory(1)");
    type(box, "ab");
    QTest::keyClicks(box, "x");
    QTest::keyClicks(box, "cd");
    const auto shown = dialogs.script.messages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "No x");
    EXPECT_EQ(shown[0].title, "Tarvex Programmer") << "no title of its own";
    EXPECT_EQ(shown[0].icon, Dialogs::Icon::None);
    EXPECT_EQ(shown[1].text, "Three at most");
    EXPECT_EQ(shown[1].title, "Try Again!");
    EXPECT_EQ(shown[1].icon, Dialogs::Icon::Critical);
    EXPECT_EQ(box->text(), "abc") << "each refusal put back the text before it";
    editor.DoApply();
    EXPECT_EQ(tables.DTMFMemory[1], "ABC");

    // The marker the refusal puts back shows as the empty box again.
    type(box, "");
    QTest::keyClicks(box, "x");
    EXPECT_EQ(box->text(), "");
    editor.DoApply();
    EXPECT_EQ(tables.DTMFMemory[1], NoneStored);
}

// Boxes whose rows have no caption, each with the reader's rule: one in a
// frame, one of an array in a frame, one in no frame at all.
class UncaptionedProbe final : public SettingsEditor {
public:
    explicit UncaptionedProbe(AppContext& context) : SettingsEditor(context, {&S::TimersChanged}, nullptr)
    {
        const auto read = [](SettingBinding setting, const char* key) {
            FieldDefinition f = Field(setting);
            f.reader = &FindStem(key).rule;
            return f;
        };
        auto* fan = new QGroupBox("Fan Timer");
        addRow(new QGridLayout(fan), 0,
               {{}, "FanBox", {}, TextBox(), read(Bind(&S::FanTime, &S::FanTimeChanged), "FanTime")}, Single());
        auto* hang = new QGroupBox("Hang Times");
        auto* hangGrid = new QGridLayout(hang);
        for (int p = 1; p <= Count::Ports; ++p)
            addRow(hangGrid, p,
                   {{}, "HangBox", {}, TextBox(), read(Bind(&S::HangTime, &S::HangTimeChanged), "HangTime")}, At(p));
        auto* loose = new QGridLayout;
        addRow(loose, 0, {{}, "DelayBox", {}, TextBox(), read(Bind(&S::XmtDelay, &S::XmtDelayChanged), "XmtDelay")},
               Single());
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(fan);
        layout->addWidget(hang);
        layout->addLayout(loose);
        loadControls();
    }
};

// A message about a box never begins with an empty name: a box without a
// caption is named by its frame, else by its control.
TEST_F(SettingsEditorTest, ABoxWithoutACaptionIsNamedByItsFrameOrItsControl)
{
    struct Case {
        const char* box;
        QString named;
    };
    const Case cases[] = {{"FanBox", "Fan Timer: "}, {"HangBox(2)", "Hang Times (2): "}, {"DelayBox", "DelayBox: "}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        dialogs.script.clear();
        UncaptionedProbe editor(context);
        type(find(editor, c.box), "abc");
        editor.DoApply();
        ASSERT_EQ(messages().size(), 1);
        EXPECT_TRUE(messages()[0].startsWith(c.named + "\"abc\" cannot be stored")) << messages()[0].toStdString();
    }
}

// A list with add and delete over the five alarm inputs, a prefix whose "0"
// is shown as "NONE", and an Apply that lets events through on its way.
class ListProbe final : public SettingsEditor {
public:
    std::function<void()> duringApply;
    int applied = 0;

    explicit ListProbe(AppContext& context) : SettingsEditor(context, {&S::PortSwitchesChanged}, nullptr)
    {
        auto* grid = new QGridLayout(this);
        list = std::make_unique<EntryList>(new QListWidget(this));
        grid->addWidget(list->widget(), 0, 0);
        FieldDefinition alarms = Field(Bind(&S::Alarm, &S::AlarmChanged));
        alarms.caption = "Alarms";
        bindEntries(copies().add(alarms), list.get());
        addRow(grid, 1,
               {"Pre Access", "PreAccessSet", {}, TextBoxNamingEmpty("0", "NONE"),
                Field(Bind(&S::PreAccessPrefix, &S::PreAccessPrefixChanged), Intake::Code)},
               Single());
        loadControls();
    }
    std::unique_ptr<EntryList> list;

protected:
    void afterApply(const std::vector<FieldElement>&) override
    {
        ++applied;
        if (duringApply)
            duringApply();
    }
};

TEST_F(SettingsEditorTest, AListWithAddAndDeleteStandsForEveryElementInOrder)
{
    tables.Alarm[1] = "11";
    tables.Alarm[2] = "";
    tables.Alarm[3] = "33";
    tables.Alarm[4] = "44";
    tables.Alarm[5] = "";
    tables.AlarmChanged.fill(false);
    ListProbe editor(context);
    QListWidget* shown = editor.list->widget();
    ASSERT_EQ(shown->count(), 3) << "empty elements are no entries";
    EXPECT_EQ(shown->item(1)->text(), "33");

    // Untouched, the gap stays where it is: nothing differs.
    editor.DoApply();
    EXPECT_FALSE(tables.AlarmChanged.any(true));
    EXPECT_TRUE(tables.DataSaved);

    shown->setCurrentRow(0);
    ASSERT_TRUE(editor.list->removeSelected());
    shown->setCurrentRow(-1);
    EXPECT_FALSE(editor.list->removeSelected()) << "nothing selected";
    shown->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    EXPECT_FALSE(editor.list->removeSelected()) << "a current entry that is not selected";
    EXPECT_EQ(tables.Alarm[1], "11") << "nothing stored before Apply";
    editor.DoApply();
    EXPECT_EQ((QStringList{tables.Alarm[1], tables.Alarm[2], tables.Alarm[3], tables.Alarm[4], tables.Alarm[5]}),
              (QStringList{"33", "44", "", "", ""}));
    EXPECT_EQ((std::vector<bool>{tables.AlarmChanged[1], tables.AlarmChanged[2], tables.AlarmChanged[3],
                                 tables.AlarmChanged[4], tables.AlarmChanged[5]}),
              (std::vector<bool>{true, true, true, true, false}))
        << "the entries moved up and the elements left behind were emptied; one that was empty stays unflagged";

    for (const char* entry : {"a", "b", "c"})
        EXPECT_TRUE(editor.list->add(entry));
    EXPECT_TRUE(editor.list->full());
    EXPECT_FALSE(editor.list->add("d")) << "no element left to hold it";
    EXPECT_EQ(shown->count(), 5);
    editor.DoApply();
    EXPECT_EQ(tables.Alarm[5], "c");
}

TEST_F(SettingsEditorTest, ABoxWhoseZeroMeansNoneShowsAndTakesNone)
{
    tables.PreAccessPrefix = "0";
    ListProbe editor(context);
    auto* box = find(editor, "PreAccessSet");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "NONE");
    EXPECT_FALSE(red(box));
    type(box, "12");
    editor.DoApply();
    EXPECT_EQ(tables.PreAccessPrefix, "12");
    type(box, "");
    EXPECT_TRUE(red(box));
    editor.DoApply();
    EXPECT_EQ(tables.PreAccessPrefix, "0") << "an empty box is none";
    for (const char* none : {"none", " NONE "}) {
        type(box, "12");
        type(box, none);
        editor.DoApply();
        EXPECT_EQ(tables.PreAccessPrefix, "0") << none;
    }
    type(box, "NONE1");
    editor.DoApply();
    EXPECT_EQ(tables.PreAccessPrefix, "NONE1") << "only the name itself stands for none";
}

TEST_F(SettingsEditorTest, AnApplyAskedForWhileOneIsUnderWayDoesNothing)
{
    tables.PreAccessPrefix = "0";
    ListProbe editor(context);
    int inner = -1;
    editor.duringApply = [&] {
        editor.duringApply = nullptr;
        type(find(editor, "PreAccessSet"), "9");
        inner = editor.applied;
        editor.DoApply(); // a tab change while the first Apply waits
    };
    editor.DoApply();
    EXPECT_EQ(inner, 1);
    EXPECT_EQ(editor.applied, 1) << "the second Apply did not run inside the first";
    EXPECT_EQ(tables.PreAccessPrefix, "0");
    editor.DoApply();
    EXPECT_EQ(tables.PreAccessPrefix, "9") << "the edit waits for the next Apply";
}

// A box that got the focus as its window became active (at start, or back
// from another program) is the box being edited: Apply checks it first.
TEST_F(SettingsEditorTest, ABoxFocusedByTheWindowsActivationIsCheckedAtApply)
{
    ProbeEditor editor(context);
    QLineEdit* probe = find(editor, "Probe(1)");
    focusIn(probe, Qt::ActiveWindowFocusReason);
    probe->setText("0"); // what the file's reader would take, but this box refuses
    editor.DoApply();
    EXPECT_EQ(messages(), QStringList{"The value must be between 1 and 255"});
}

TEST(NumericOnly, TheBoxTakesDigitsOnly)
{
    QLineEdit box;
    SetNumericOnly(&box);
    QTest::keyClicks(&box, "1a2-3 .4");
    EXPECT_EQ(box.text(), "1234");
}

} // namespace
