#include "EditorFixture.h"
#include "editors/SettingsEditor.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QTabWidget>
#include <QVBoxLayout>

using S = SettingsTables;

namespace {

const std::vector<ListEntry> extras{{"Time", "1"}, {"Date", "2"}, {"Temp", "3"}};
const std::vector<ListEntry> portSets{{"Port 1", "1"}, {"Ports 1 & 3", "13"}, {"All Ports", "123"}};

// A small editor made from a table: message boxes on two pages of its own
// tab strip, a paired check box and list, a list that shows nothing for a
// value that is no entry, and a run code box that takes DTMF keys only.
class ListProbe final : public SettingsEditor {
public:
    std::vector<FieldElement> enteredBoxes, leftBoxes;
    int messages = -1, extrasField = -1;

    explicit ListProbe(AppContext& context, TargetBy by = TargetBy::Entering)
        : SettingsEditor(context, {&S::MessageMacrosChanged}, nullptr)
    {
        FieldDefinition message = Field(Bind(&S::MessageMacro, &S::MessageMacroChanged), &Intake::Upper);
        message.caption = "Message";
        message.tidy = &Intake::UpperCollapsed;
        message.tidiesStored = true;
        // More than three words: the change is undone.
        message.check = Refusing([](const QString& t) { return t.count(u' ') > 2; }, "At most three words");
        message.check->when = FieldCheck::When::Change;
        message.check->repair = FieldCheck::Repair::Undo;
        message.gate = [](const QString& copy) -> std::optional<QString> {
            return copy.contains(u'X') ? std::optional<QString>("no word holds an X") : std::nullopt;
        };
        auto* pages = new QTabWidget;
        pages->setObjectName("Pages");
        for (int page = 0; page < 2; ++page) {
            auto* box = new QWidget;
            auto* grid = new QGridLayout(box);
            for (int i = 4 * page + 1; i <= 4 * page + 4; ++i)
                addRow(grid, grid->rowCount(), {QString::number(i), "MessageSet", {}, TextBox(), message}, At(i));
            pages->addTab(box, QString::number(page + 1));
        }
        messages = fieldOf(&S::MessageMacro);
        setInsertionBoxes({messages}, by);

        auto* grid = new QGridLayout;
        FieldDefinition extra = Field(Bind(&S::ID1Extras, &S::ID1ExtrasChanged));
        extra.sections = {{&S::IDExtrasChanged}};
        addRow(grid, 0, {"ID1", "ID1ExtrasSet", {}, CheckedListOf("ID1Check", extras, "None Selected"), extra}, At(1));
        extrasField = fieldOf(&S::ID1Extras);
        FieldDefinition ports = Field(Bind(&S::PortToAllow, &S::PortToAllowChanged));
        ports.sections = {{&S::MacroPortsChanged}};
        addRow(grid, 1, {"Ports", "PortToAllow", {}, ListShowingNoEntryAs(portSets, ""), ports}, At(1));
        FieldDefinition code = Field(Bind(&S::MacroCode, &S::MacroCodeChanged));
        code.sections = {{&S::MacrosChanged}};
        addRow(grid, 2, {"Code", "MacroCodeSet", {}, TextBoxTaking("0123456789ABC*#"), code}, At(1));

        auto* layout = new QVBoxLayout(this);
        layout->addWidget(pages);
        layout->addLayout(grid);
        layout->addLayout(applyButtons(Qt::Horizontal, "CancelChanges", "Cancel Changes"));
        loadControls();
    }

    using SettingsEditor::insertAtTarget;
    using SettingsEditor::insertionTarget;
    using SettingsEditor::setInsertionTarget;
    using SettingsEditor::storeNow;

protected:
    void entered(int field, int index) override { enteredBoxes.push_back({field, index}); }
    void left(int field, int index, bool) override { leftBoxes.push_back({field, index}); }
};

struct PatternTest : EditorTest<ListProbe> {
    void SetUp() override
    {
        tables.MessageMacro.fill("NONE STORED");
        tables.MessageMacro[2] = "GOOD  MORNING ";
        tables.ID1Extras.fill("0");
        tables.PortToAllow.fill("123");
        tables.MacroCode.fill("7046");
        tables.DataSaved = true;
    }
    QLineEdit* box(int i) { return find(QString("MessageSet(%1)").arg(i)); }
};

const InsertionRule words{true, InsertionRule::AfterSelection::AfterItem};

// Marked black or red, a control that is disabled still draws its text greyed.
TEST_F(PatternTest, ADisabledMarkedControlKeepsItsGreyedText)
{
    load();
    QLineEdit* marked = box(1);
    const QColor greyed = QApplication::palette(marked).color(QPalette::Disabled, QPalette::Text);
    ASSERT_NE(greyed, QColor(Qt::red));
    type(marked, "HELLO");
    ASSERT_TRUE(red(marked));
    marked->setEnabled(false);
    EXPECT_EQ(marked->palette().color(QPalette::Disabled, QPalette::Text), greyed);
    marked->setEnabled(true);
    EXPECT_TRUE(red(marked));
}

TEST_F(PatternTest, EnteringAndLeavingAreToldAndLeavingTidiesTheStoredValueQuietly)
{
    load();
    focusIn(box(2));
    EXPECT_EQ(editor->enteredBoxes, (std::vector<FieldElement>{{editor->messages, 2}}));
    // A message taking the focus and giving it back neither leaves nor enters
    // the box, so what entering tells is not told again.
    focusOut(box(2), Qt::ActiveWindowFocusReason);
    focusIn(box(2), Qt::ActiveWindowFocusReason);
    EXPECT_EQ(editor->enteredBoxes.size(), 1u);
    EXPECT_TRUE(editor->leftBoxes.empty());
    focusOut(box(2));
    EXPECT_EQ(editor->leftBoxes, (std::vector<FieldElement>{{editor->messages, 2}}));
    EXPECT_EQ(box(2)->text(), "GOOD MORNING");
    EXPECT_EQ(tables.MessageMacro[2], "GOOD MORNING");
    EXPECT_FALSE(red(box(2)));
    EXPECT_FALSE(tables.MessageMacroChanged[2]);
    EXPECT_TRUE(tables.DataSaved);

    type(box(3), "hello  there");
    focusOut(box(3));
    EXPECT_EQ(box(3)->text(), "HELLO THERE");
    EXPECT_TRUE(red(box(3)));
    editor->DoApply();
    EXPECT_EQ(tables.MessageMacro[3], "HELLO THERE");
    EXPECT_TRUE(tables.MessageMacroChanged[3]);
    EXPECT_FALSE(tables.MessageMacroChanged[2]);
}

// Without a window manager a click into another box while the window is
// inactive reaches the box as the window's activation: that box is entered,
// the one being edited left.
TEST_F(PatternTest, AnotherBoxFocusedAsTheWindowBecomesActiveIsEntered)
{
    load();
    focusIn(box(1));
    focusOut(box(1), Qt::ActiveWindowFocusReason); // a message, or another program
    focusIn(box(5), Qt::ActiveWindowFocusReason);
    EXPECT_EQ(editor->leftBoxes, (std::vector<FieldElement>{{editor->messages, 1}}));
    EXPECT_EQ(editor->enteredBoxes, (std::vector<FieldElement>{{editor->messages, 1}, {editor->messages, 5}}));
    EXPECT_EQ(editor->insertionTarget(), (FieldElement{editor->messages, 5}));
}

// The list fills the box last entered, on whichever page it stands, at the
// caret and over the selection the box had when the focus left it; the box
// does not take the focus.
TEST_F(PatternTest, TheListInsertsIntoTheBoxLastEnteredWhileAnotherPageIsShown)
{
    tables.MessageMacro[5] = "HELLO REPEATER";
    tables.MessageMacro[6] = "GOOD MORNING REPEATER";
    load();
    EXPECT_FALSE(editor->insertAtTarget("GOOD", words)) << "no box entered yet";

    focusIn(box(5));
    box(5)->setCursorPosition(6);
    focusOut(box(5));
    find<QTabWidget>("Pages")->setCurrentIndex(0); // page 1 shown, box 5 on page 2
    EXPECT_TRUE(editor->insertAtTarget("GOOD", words));
    EXPECT_EQ(box(5)->text(), "HELLO GOOD REPEATER");
    EXPECT_EQ(box(5)->cursorPosition(), 11);
    EXPECT_FALSE(box(5)->hasFocus());
    EXPECT_TRUE(red(box(5)));

    // A selection the box dropped as it lost the focus still counts.
    focusIn(box(6));
    box(6)->setSelection(5, 8); // "MORNING "
    focusOut(box(6));
    box(6)->deselect();
    EXPECT_TRUE(editor->insertAtTarget("EVENING", words));
    EXPECT_EQ(box(6)->text(), "GOOD EVENING REPEATER");
    EXPECT_EQ(box(6)->cursorPosition(), 12);

    // An insertion the box's check refuses is undone like a typed change.
    box(6)->setCursorPosition(box(6)->text().size());
    EXPECT_TRUE(editor->insertAtTarget("NOW", words));
    EXPECT_EQ(box(6)->text(), "GOOD EVENING REPEATER");
    EXPECT_EQ(messages(), QStringList{"At most three words"});
    EXPECT_EQ(editor->insertionTarget(), (FieldElement{editor->messages, 6}));
}

// The caret an undo puts back is where the insertion found it, also in a box
// whose text the program set and whose caret was never moved since.
TEST_F(PatternTest, ARefusedInsertionPutsBackTheCaretItFound)
{
    tables.MessageMacro[7] = "ONE TWO THREE";
    load();
    focusIn(box(7), Qt::MouseFocusReason); // a tab would select the whole text
    focusOut(box(7), Qt::MouseFocusReason);
    EXPECT_TRUE(editor->insertAtTarget("FOUR", words));
    EXPECT_EQ(messages(), QStringList{"At most three words"});
    EXPECT_EQ(box(7)->text(), "ONE TWO THREE");
    EXPECT_EQ(box(7)->cursorPosition(), 13);
}

TEST_F(PatternTest, ByClickOnlyAClickChoosesTheTarget)
{
    tables.MessageMacro[1] = "ONE";
    tables.MessageMacro[4] = "FOUR";
    load(ListProbe::TargetBy::Clicking).show();
    focusIn(box(1));
    EXPECT_FALSE(editor->insertionTarget()) << "entering is not clicking";
    QTest::mouseClick(box(4), Qt::LeftButton);
    focusIn(box(1)); // the keyboard moves on
    EXPECT_TRUE(editor->insertAtTarget("TWO", words));
    EXPECT_EQ(box(4)->text(), "FOUR TWO");
    EXPECT_EQ(box(1)->text(), "ONE");

    // A target chosen by the editor stands until a click.
    editor->setInsertionTarget(editor->messages, 1);
    EXPECT_EQ(editor->insertionTarget(), (FieldElement{editor->messages, 1}));
}

TEST_F(PatternTest, ARefusedChangeIsUndoneWithItsCaretAndAPasteGivesOneMessage)
{
    tables.MessageMacro[1] = "ONE TWO THREE";
    load();
    QLineEdit* b = box(1);
    focusIn(b);
    b->setCursorPosition(3); // after ONE
    QTest::keyClick(b, Qt::Key_Space);
    EXPECT_EQ(b->text(), "ONE TWO THREE");
    EXPECT_EQ(b->cursorPosition(), 3);
    EXPECT_EQ(messages(), QStringList{"At most three words"});
    EXPECT_FALSE(red(b));

    QApplication::clipboard()->setText("A B C D E F G H I J");
    b->setCursorPosition(0);
    b->paste();
    EXPECT_EQ(b->text(), "ONE TWO THREE");
    EXPECT_EQ(b->cursorPosition(), 0);
    EXPECT_EQ(messages().size(), 2) << "one message for the whole paste";
}

TEST_F(PatternTest, AnApplyGateNamesEveryFailingBoxAndStoresNothing)
{
    load();
    type(box(1), "XRAY");
    type(box(3), "FINE");
    type(box(5), "BOX");
    type(box(8), "EXIT");
    editor->DoApply();
    ASSERT_EQ(messages().size(), 1);
    const QString said = messages().front();
    for (const char* named : {"Message (1)", "Message (5)", "Message (8)"})
        EXPECT_TRUE(said.contains(named)) << named << " in " << said.toStdString();
    EXPECT_FALSE(said.contains("Message (3)"));
    EXPECT_TRUE(said.contains("no word holds an X"));
    EXPECT_EQ(tables.MessageMacro[3], "NONE STORED") << "nothing was stored";
    EXPECT_FALSE(tables.MessageMacroChanged.any(true));
    EXPECT_TRUE(tables.DataSaved);
    for (int i : {1, 5, 8})
        EXPECT_TRUE(red(box(i)));

    type(box(1), "RAY");
    type(box(5), "BO");
    type(box(8), "EIT");
    editor->DoApply();
    EXPECT_EQ(tables.MessageMacro[3], "FINE");
    EXPECT_EQ(tables.MessageMacro[8], "EIT");
}

TEST_F(PatternTest, StoreNowShowsTheValueAlsoInABoxHoldingAnEdit)
{
    load();
    type(box(4), "EDITED");
    editor->storeNow(Bind(&S::MessageMacro, &S::MessageMacroChanged), 4, "ERASED", Quietly());
    EXPECT_EQ(tables.MessageMacro[4], "ERASED");
    EXPECT_EQ(box(4)->text(), "ERASED");
    EXPECT_FALSE(red(box(4)));
    EXPECT_FALSE(tables.MessageMacroChanged[4]);
    EXPECT_TRUE(tables.DataSaved);
    editor->DoApply();
    EXPECT_FALSE(tables.MessageMacroChanged[4]) << "the edit is gone";
}

TEST_F(PatternTest, AListShowsNothingForAValueThatIsNoEntryAndKeepsIt)
{
    tables.PortToAllow[1] = "0";
    load();
    auto* ports = find<QComboBox>("PortToAllow(1)");
    EXPECT_EQ(ListText(ports), "");
    editor->DoApply();
    EXPECT_EQ(tables.PortToAllow[1], "0");
    EXPECT_TRUE(tables.DataSaved);
    pick(ports, "Ports 1 & 3");
    editor->DoApply();
    EXPECT_EQ(tables.PortToAllow[1], "13");
    EXPECT_TRUE(tables.PortToAllowChanged[1]);
    EXPECT_TRUE(tables.MacroPortsChanged);
    EXPECT_FALSE(tables.MessageMacrosChanged) << "only the field's own section";
}

// One copy behind a check box and a list: what the window shows is what
// Apply stores, after a tick and after Cancel.
TEST_F(PatternTest, ThePairedCheckBoxAndListHoldOneValue)
{
    tables.ID1Extras[1] = "12";
    load();
    QCheckBox* check = find<QCheckBox>("ID1Check(1)");
    QComboBox* list = find<QComboBox>("ID1ExtrasSet(1)");
    EXPECT_TRUE(check->isChecked());
    EXPECT_EQ(ListText(list), "None Selected");
    editor->DoApply();
    EXPECT_EQ(tables.ID1Extras[1], "12") << "kept, no entry though it is";
    EXPECT_TRUE(tables.DataSaved);

    check->click();
    EXPECT_TRUE(list->isHidden());
    editor->DoApply();
    EXPECT_EQ(tables.ID1Extras[1], "0");
    EXPECT_TRUE(tables.ID1ExtrasChanged[1]);
    EXPECT_TRUE(tables.IDExtrasChanged);
    EXPECT_FALSE(tables.MessageMacrosChanged);

    check->click(); // the list shows its last value again, and that is stored
    EXPECT_FALSE(list->isHidden());
    editor->DoApply();
    EXPECT_EQ(tables.ID1Extras[1], "12");

    tables.ID1Extras[1] = "0";
    load();
    check = find<QCheckBox>("ID1Check(1)");
    list = find<QComboBox>("ID1ExtrasSet(1)");
    EXPECT_FALSE(check->isChecked());
    EXPECT_TRUE(list->isHidden());
    check->click(); // nothing chosen yet: the first entry shows and is stored
    EXPECT_EQ(ListText(list), "Time");
    pick(list, "Temp");
    editor->CancelChanges_Click();
    EXPECT_FALSE(check->isChecked());
    EXPECT_TRUE(list->isHidden());
    editor->DoApply();
    EXPECT_EQ(tables.ID1Extras[1], "0");
}

TEST_F(PatternTest, ARunCodeBoxTakesOnlyItsKeysTypedOrPasted)
{
    tables.MacroCode[1] = "7x46";
    load();
    QLineEdit* code = find("MacroCodeSet(1)");
    EXPECT_EQ(code->text(), "7x46") << "a stored value is shown as it is";
    type(code, "12xD*a#");
    EXPECT_EQ(code->text(), "12*A#");
    QApplication::clipboard()->setText("9 z-8");
    code->setCursorPosition(2);
    code->paste();
    EXPECT_EQ(code->text(), "1298*A#");
    EXPECT_EQ(code->cursorPosition(), 4);
    editor->DoApply();
    EXPECT_EQ(tables.MacroCode[1], "1298*A#");
}

} // namespace
