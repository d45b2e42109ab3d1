#include "EditorFixture.h"
#include "RecordingTransport.h"
#include "editors/ports/DtmfMemories.h"
#include "link/ChangesUpload.h"
#include "store/KeyRegistry.h"
#include "store/TextHelpers.h"

#include <QListWidget>
#include <QPushButton>

namespace {

const QString TooMany = "You can only use 10  digits for this memory!";
const QString IsTerminator =
    "The entered digit is the same as your presently defined DTMF Terminator Digit and therefore may not be used";
const QString NotADigit = "That is not a valid DTMF Digit. Try again";

struct DtmfMemoriesTest : EditorTest<DTMF> {

    void SetUp() override
    {
        tables.DTMFMemory.fill(NoneStored);
        tables.DTMFMemory[2] = "1 2";
        tables.DTMFDur = "100";
        tables.DTMFDelay = "100";
        tables.Terminator = "D";
        tables.DataSaved = true;
    }

    QLineEdit* memory(int i) const { return find(QStringLiteral("DTMFSet(%1)").arg(i)); }
    // Clicked into with the mouse, which gives it the focus first.
    static void click(QLineEdit* box)
    {
        focusIn(box, Qt::MouseFocusReason);
        QTest::mouseClick(box, Qt::LeftButton);
    }
    // A double-click on the key in the list.
    void doubleClick(const QString& key)
    {
        auto* list = find<QListWidget>("DTMFList");
        const auto items = list->findItems(key, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << key.toStdString();
        list->setCurrentItem(items[0]);
        emit list->itemDoubleClicked(items[0]);
    }
    bool anyFlag() const
    {
        return tables.DTMFChanged || !tables.DataSaved || tables.DTMFMemoryChanged.any(true) || tables.DTMFDurChanged
            || tables.DTMFDelayChanged;
    }
};

TEST_F(DtmfMemoriesTest, OverTenKeysTypedOrPastedTheMemoryKeepsTheFirstTen)
{
    struct Case {
        QString text;
        bool pasted;
        QString kept;
    } cases[] = {
        {"1 2 3 4 5 6 7 8 9 0 1", false, "1 2 3 4 5 6 7 8 9 0"},
        {"12345678901", false, "1234567890"},
        {"1 2 3 4 5 6 7 8 9 0 #", false, "1 2 3 4 5 6 7 8 9 0"},
        {"1 2 3 4 5 6 7 8 9 0 1", true, "1 2 3 4 5 6 7 8 9 0"},
        {"12345678901234", true, "1234567890"},
        {"1 2 3 4 5 6 7 8 9 0 ", true, "1 2 3 4 5 6 7 8 9 0 "}, // ten keys and a blank are ten
    };
    for (const Case& c : cases) {
        load();
        dialogs.script.clear();
        QLineEdit* box = memory(4);
        if (c.pasted) {
            focusIn(box);
            box->insert(c.text); // as a paste puts it in: one change
        } else {
            type(box, c.text);
        }
        const auto shown = dialogs.script.messages();
        const bool tooMany = c.kept != c.text;
        ASSERT_EQ(shown.size(), tooMany ? 1u : 0u) << c.text.toStdString();
        if (tooMany) {
            EXPECT_EQ(shown[0].text, TooMany);
            EXPECT_EQ(shown[0].title, "Try Again!");
            EXPECT_EQ(shown[0].icon, Dialogs::Icon::Critical);
        }
        EXPECT_EQ(box->text(), c.kept) << c.text.toStdString();
        EXPECT_EQ(box->cursorPosition(), c.kept.size()) << "the caret at the end";
        EXPECT_EQ(find("DigitCounter")->text(), "10");
        editor->DoApply();
        EXPECT_EQ(tables.DTMFMemory[4], "1 2 3 4 5 6 7 8 9 0") << "one blank between keys, as the file reads them";
        EXPECT_TRUE(tables.DTMFMemoryChanged[4]);
        tables.DTMFMemory[4] = NoneStored;
    }
}

TEST_F(DtmfMemoriesTest, OnlyTheKeysTheControllerTakesAreAccepted)
{
    struct Case {
        QString terminator;
        QString typed;
        QString message; // empty: accepted
        QString stored;
    } cases[] = {
        {"D", "1 2 * # A B C", {}, "1 2 * # A B C"},
        {"D", "a b c", {}, "A B C"},
        {"D", "1 D", IsTerminator, "1"}, // stored without the blank the refused key leaves
        {"D", "1 d", IsTerminator, "1"},
        {"#", "1 #", IsTerminator, "1"},
        {"#", "1 D", NotADigit, "1"}, // played as the terminator in DTMF mode
        {"D", "5 E", NotADigit, "5"},
        {"D", "5 .", NotADigit, "5"},
    };
    for (const Case& c : cases) {
        SetUp();
        tables.Terminator = c.terminator;
        load();
        dialogs.script.clear();
        type(memory(7), c.typed);
        const auto shown = dialogs.script.messages();
        if (c.message.isEmpty()) {
            EXPECT_TRUE(shown.empty()) << c.typed.toStdString();
        } else {
            ASSERT_EQ(shown.size(), 1u) << c.typed.toStdString();
            EXPECT_EQ(shown[0].text, c.message);
            EXPECT_EQ(shown[0].title, "Tarvex Programmer") << "no title of its own";
            EXPECT_EQ(shown[0].icon, Dialogs::Icon::None);
        }
        editor->DoApply();
        EXPECT_EQ(tables.DTMFMemory[7], c.stored) << c.typed.toStdString();
    }
}

// However the keys were typed, the memory stores them one blank apart, as the
// configuration file reads them back.
TEST_F(DtmfMemoriesTest, TheKeysAreStoredInTheFilesForm)
{
    load();
    QLineEdit* box = memory(5);
    type(box, "1 D"); // refused: the box keeps "1 "
    QTest::keyClicks(box, " *");
    EXPECT_EQ(box->text(), "1  *") << "the box shows what was typed";
    type(memory(6), "12ab");
    editor->DoApply();
    EXPECT_EQ(tables.DTMFMemory[5], "1 *");
    EXPECT_EQ(tables.DTMFMemory[6], "1 2 A B");
    tables.DTMFMemoryChanged.fill(false);
    type(memory(6), "1 2 A B");
    editor->DoApply();
    EXPECT_FALSE(tables.DTMFMemoryChanged[6]) << "the same keys, no change";
}

TEST_F(DtmfMemoriesTest, AMemoryAlreadyHoldingARefusedKeyTakesOtherEdits)
{
    struct Case {
        QString terminator;
        QString stored;
        QString added; // typed at the end
        QString message; // empty: taken
        QString kept;
    } cases[] = {
        {"D", "1 D", " 5", {}, "1 D 5"},
        {"#", "1 E", " 5", {}, "1 E 5"},
        {"D", "1 D", " D", IsTerminator, "1 D "},
        {"#", "1 E", " E", NotADigit, "1 E "},
        {"#", "1 E", " .", NotADigit, "1 E "}, // another refused key than the one held
    };
    for (const Case& c : cases) {
        SetUp();
        tables.Terminator = c.terminator;
        tables.DTMFMemory[8] = c.stored;
        load();
        dialogs.script.clear();
        QLineEdit* box = memory(8);
        focusIn(box);
        box->end(false);
        QTest::keyClicks(box, c.added);
        EXPECT_EQ(messages(), c.message.isEmpty() ? QStringList() : QStringList{c.message}) << c.added.toStdString();
        EXPECT_EQ(box->text(), c.kept);
        // Taking the refused key out is an edit like any other.
        QTest::keyClick(box, Qt::Key_Home);
        QTest::keyClick(box, Qt::Key_Delete);
        EXPECT_EQ(box->text(), c.kept.mid(1));
        editor->DoApply();
        EXPECT_EQ(tables.DTMFMemory[8], c.kept.mid(1).trimmed()) << "in the file's form: " << c.stored.toStdString();
    }
}

TEST_F(DtmfMemoriesTest, ADoubleClickPutsTheKeyByTheCaretOfTheBoxLastClicked)
{
    struct Case {
        int caret;
        QString expected;
        int caretAfter; // where the next key goes
    } cases[] = {{1, "1 # 2", 3}, {3, "1 2 #", 5}, {2, "1 # 2", 4}};
    for (const Case& c : cases) {
        load();
        QLineEdit* box = memory(2);
        click(box);
        box->setCursorPosition(c.caret);
        focusOut(box);
        doubleClick("#");
        EXPECT_EQ(box->text(), c.expected) << c.caret;
        EXPECT_EQ(box->cursorPosition(), c.caretAfter) << c.caret;
        EXPECT_EQ(find("DigitCounter")->text(), "3");
    }

    // The selection the box had when it was left is replaced, less its blank;
    // the caret goes past the blank, and the next key follows in order.
    load();
    QLineEdit* box = memory(2);
    box->setText("1 2 3");
    click(box);
    box->setSelection(2, 2);
    focusOut(box);
    EXPECT_FALSE(box->hasSelectedText()) << "leaving the box drops the selection";
    doubleClick("A");
    EXPECT_EQ(box->text(), "1 A 3");
    EXPECT_EQ(box->cursorPosition(), 4);
    doubleClick("B");
    EXPECT_EQ(box->text(), "1 A B 3");

    // An empty memory takes the key alone; the key list keeps the target box.
    click(memory(9));
    focusOut(memory(9));
    doubleClick("7");
    doubleClick("*");
    EXPECT_EQ(memory(9)->text(), "7 *");
    editor->DoApply();
    EXPECT_EQ(tables.DTMFMemory[9], "7 *");
    EXPECT_EQ(tables.DTMFMemory[2], "1 A B 3");
}

TEST_F(DtmfMemoriesTest, EnteringABoxWithTheKeyboardKeepsTheTarget)
{
    load();
    click(memory(2));
    memory(2)->end(false);
    focusOut(memory(2));
    // Tabbed into another box, with a selection there.
    focusIn(memory(6));
    memory(6)->setText("4 4");
    memory(6)->setSelection(0, 1);
    focusOut(memory(6));
    doubleClick("#");
    EXPECT_EQ(memory(2)->text(), "1 2 #");
    EXPECT_EQ(memory(6)->text(), "4 4");
    // A click makes the other box the target.
    click(memory(6));
    memory(6)->end(false);
    focusOut(memory(6));
    doubleClick("*");
    EXPECT_EQ(memory(6)->text(), "4 4 *");
    EXPECT_EQ(memory(2)->text(), "1 2 #");
}

TEST_F(DtmfMemoriesTest, ADoubleClickBeforeAnyBoxWasEnteredDoesNothing)
{
    load();
    doubleClick("5");
    for (int i = 1; i <= Count::DTMFMemories; ++i)
        EXPECT_EQ(memory(i)->text(), i == 2 ? "1 2" : "") << i;
    editor->DoApply();
    EXPECT_FALSE(anyFlag());
}

TEST_F(DtmfMemoriesTest, AKeyThatMakesElevenIsPutInAndTheLastKeyCut)
{
    tables.DTMFMemory[3] = "1 2 3 4 5 6 7 8 9 0";
    load();
    click(memory(3));
    memory(3)->setCursorPosition(1);
    doubleClick("#");
    EXPECT_EQ(messages(), QStringList{TooMany});
    EXPECT_EQ(memory(3)->text(), "1 # 2 3 4 5 6 7 8 9");
    EXPECT_EQ(memory(3)->cursorPosition(), memory(3)->text().size()) << "the caret at the end";
    editor->DoApply();
    EXPECT_EQ(tables.DTMFMemory[3], "1 # 2 3 4 5 6 7 8 9");
}

TEST_F(DtmfMemoriesTest, APickedKeyThatIsRefusedSaysWhy)
{
    struct Case {
        QString terminator;
        QString key;
        QString message;
    } cases[] = {
        {"D", "D", IsTerminator},
        {"#", "D", NotADigit}, // DTMF mode plays a D as the terminator
        {"#", "#", IsTerminator},
    };
    for (const Case& c : cases) {
        for (const int i : {2, 1}) { // a filled and an empty memory
            SetUp();
            tables.Terminator = c.terminator;
            load();
            dialogs.script.clear();
            click(memory(i));
            focusOut(memory(i));
            doubleClick(c.key);
            EXPECT_EQ(messages(), QStringList{c.message}) << c.key.toStdString() << " into " << i;
            EXPECT_EQ(memory(i)->text(), i == 2 ? "1 2" : "");
            editor->DoApply();
            EXPECT_FALSE(anyFlag());
        }
    }
}

TEST_F(DtmfMemoriesTest, BlanksAtTheEndsOfAStoredMemoryAreNoChange)
{
    tables.DTMFMemory[5] = "4 5 6 "; // as the controller's memory gives it
    tables.DTMFMemory[6] = " 1 2 3 4 5 6 7 8 9 0 ";
    load();
    EXPECT_EQ(memory(5)->text(), "4 5 6");
    EXPECT_FALSE(red(memory(5)));
    EXPECT_FALSE(red(memory(6)));
    focusIn(memory(6));
    EXPECT_EQ(find("DigitCounter")->text(), "10");
    focusOut(memory(6));
    editor->DoApply(); // as leaving the tab does
    EXPECT_FALSE(anyFlag());
    EXPECT_EQ(tables.DTMFMemory[5], "4 5 6 ");

    // Edited and put back as shown: still no change; another key is one.
    type(memory(5), "4 5 6 7");
    EXPECT_TRUE(red(memory(5)));
    QTest::keyClick(memory(5), Qt::Key_Backspace);
    QTest::keyClick(memory(5), Qt::Key_Backspace);
    EXPECT_FALSE(red(memory(5)));
    editor->DoApply();
    EXPECT_FALSE(anyFlag());
    type(memory(5), "4 5 6 7");
    find<QPushButton>("Cancel")->click();
    EXPECT_EQ(memory(5)->text(), "4 5 6");
    EXPECT_FALSE(red(memory(5)));
    type(memory(5), "4 5 6 7");
    editor->DoApply();
    EXPECT_EQ(tables.DTMFMemory[5], "4 5 6 7");
    EXPECT_TRUE(tables.DTMFMemoryChanged[5]);
}

TEST_F(DtmfMemoriesTest, AnEmptyMemoryStaysEmptyAndAnEmptiedOneIsStoredAsEmpty)
{
    load();
    EXPECT_EQ(memory(1)->text(), "");
    EXPECT_EQ(memory(1)->placeholderText(), NoneStored);
    type(memory(1), "9");
    type(memory(1), ""); // clicked into and left empty
    type(memory(2), "");
    type(memory(3), "a b");
    EXPECT_EQ(memory(3)->text(), "a b") << "the box keeps what was typed";
    editor->DoApply();
    EXPECT_EQ(tables.DTMFMemory[1], NoneStored);
    EXPECT_FALSE(tables.DTMFMemoryChanged[1]);
    EXPECT_EQ(tables.DTMFMemory[2], NoneStored);
    EXPECT_TRUE(tables.DTMFMemoryChanged[2]);
    EXPECT_EQ(tables.DTMFMemory[3], "A B");
    // Each stored memory reads back as it is.
    const ValueRule& reader = FindStem("DTMFMemory").rule;
    for (int i = 1; i <= Count::DTMFMemories; ++i)
        EXPECT_TRUE(reader.accepts(reader.normalised(tables.DTMFMemory[i]))) << i;
}

TEST_F(DtmfMemoriesTest, AnEmptiedMemoryIsSentEmptyByTheNextUpload)
{
    tables.DTMFMemory[5] = "4 5 6 ";
    load();
    type(memory(2), "");
    type(memory(5), "");
    editor->DoApply();
    ASSERT_TRUE(tables.DTMFMemoryChanged[2] && tables.DTMFMemoryChanged[5]);

    RecordingTransport link;
    ScriptedDialogs upload;
    EXPECT_EQ(ChangesUpload(tables, link, upload).run(), UploadRunner::Result::Completed);
    EXPECT_EQ(link.lines(), (QStringList{"1*210502", "1*210505"}));
    EXPECT_FALSE(tables.DTMFMemoryChanged.any(true));
}

// The box emptied by the check holds what the file cannot read back: Apply
// names it and stores nothing, rather than a "0" the box never showed.
TEST_F(DtmfMemoriesTest, DurationAndDelayAreRefusedAbove255AndAnEmptiedBoxIsRefusedByName)
{
    for (const bool duration : {true, false}) {
        const QString name = duration ? "DTMFDurSet" : "DTMFDelaySet";
        SetUp();
        load();
        dialogs.script.clear();
        QLineEdit* box = find(name);
        type(box, "256");
        const auto shown = dialogs.script.messages();
        ASSERT_EQ(shown.size(), 1u) << name.toStdString();
        EXPECT_EQ(shown[0].text, "Value must be between 0 and 255. Try again.");
        EXPECT_EQ(shown[0].icon, Dialogs::Icon::None);
        EXPECT_EQ(box->text(), "") << "emptied";
        const QString& stored = duration ? tables.DTMFDur : tables.DTMFDelay;
        const QString before = stored;
        tables.DTMFChanged = false;
        type(find("DTMFSet(4)"), "1 2");
        editor->DoApply();
        ASSERT_EQ(dialogs.script.messages().size(), 2u);
        EXPECT_EQ(dialogs.script.messages()[1].text,
                  QString(duration ? "Duration" : "Delay")
                      + ": \"\" cannot be stored, because the configuration file could not read it back. "
                        "Nothing was applied.");
        EXPECT_EQ(stored, before) << name.toStdString();
        EXPECT_EQ(tables.DTMFMemory[4], "NONE STORED") << "nothing of that Apply";
        EXPECT_EQ(box->text(), "");
        EXPECT_FALSE(tables.DTMFChanged);

        type(box, "255");
        editor->DoApply();
        EXPECT_EQ(stored, "255");
        EXPECT_EQ(tables.DTMFMemory[4], "1 2");
        EXPECT_EQ(dialogs.script.messages().size(), 2u);
        EXPECT_TRUE(tables.DTMFChanged);
    }
    EXPECT_TRUE(tables.DTMFDurChanged);
    EXPECT_TRUE(tables.DTMFDelayChanged);
}

TEST_F(DtmfMemoriesTest, CancelPutsBackTheStoredMemories)
{
    load();
    type(memory(2), "3");
    type(memory(6), "4 4");
    EXPECT_TRUE(red(memory(6)));
    find<QPushButton>("Cancel")->click();
    EXPECT_EQ(memory(2)->text(), "1 2");
    EXPECT_EQ(memory(6)->text(), "");
    EXPECT_FALSE(red(memory(6)));
    editor->DoApply();
    EXPECT_FALSE(anyFlag());
}

} // namespace
