#include "EditorFixture.h"
#include "RecordingTransport.h"
#include "editors/speech/IdMessages.h"
#include "link/ChangesUpload.h"
#include "link/SpeechEncoder.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>

using S = SettingsTables;

namespace {

struct IdTest : EditorTest<ID> {
    void SetUp() override
    {
        tables.VoiceID1.fill("THIS IS");
        tables.VoiceID2.fill("REPEATER");
        tables.VoiceID3.fill("HELLO");
        tables.CWID1.fill("A B");
        tables.CWID2.fill("C");
        tables.CWSpeed.fill("20");
        tables.CWTone1.fill("0800");
        tables.CWTone2.fill("0000");
        tables.SpeechEnable.fill("1");
        tables.ID1Extras.fill("0");
        tables.ID2Extras.fill("0");
        tables.ID3Extras.fill("0");
        tables.DataSaved = true;
    }
    QLineEdit* box(const char* name, int port) { return find(QString("%1(%2)").arg(name).arg(port)); }
    QListWidget* list(const char* name) { return find<QListWidget>(name); }
    void doubleClick(const char* listName, const QString& row)
    {
        QListWidget* l = list(listName);
        l->setCurrentItem(l->findItems(row, Qt::MatchExactly).front());
        if (QString(listName) == "VocabList")
            editor->BuildVoiceMessage();
        else
            editor->BuildCWMessage();
    }
};

TEST_F(IdTest, TheListThatFitsTheBoxEnteredShowsWithItsCounter)
{
    load();
    for (const char* hidden : {"VocabList", "CwList", "VocabLabel", "CwLabel", "WordCharLabel", "CWCharLabel", "CharCounter"})
        EXPECT_TRUE(find<QWidget>(hidden)->isHidden()) << hidden;
    EXPECT_EQ(list("VocabList")->count(), 257);
    EXPECT_EQ(list("VocabList")->item(236)->text(), " ");
    EXPECT_EQ(list("CwList")->count(), 43);

    focusIn(box("VoiceID2Set", 1));
    EXPECT_FALSE(list("VocabList")->isHidden());
    EXPECT_TRUE(list("CwList")->isHidden());
    EXPECT_EQ(find<QLabel>("WordCharLabel")->text(), "  Words (max 22)");
    EXPECT_FALSE(find<QLabel>("WordCharLabel")->isHidden());
    EXPECT_EQ(find("CharCounter")->text(), "1");

    focusIn(box("CWID1Set", 1));
    EXPECT_TRUE(list("VocabList")->isHidden());
    EXPECT_FALSE(list("CwList")->isHidden());
    EXPECT_EQ(find<QLabel>("CWCharLabel")->text(), "CW Characters      (max 15)");
    EXPECT_TRUE(find<QLabel>("WordCharLabel")->isHidden());
    EXPECT_EQ(find("CharCounter")->text(), "2");
}

TEST_F(IdTest, CwCharactersAreCheckedAndTheSixteenthIsUndone)
{
    load();
    QLineEdit* cw = box("CWID1Set", 2);
    type(cw, "Q ");
    EXPECT_TRUE(messages().isEmpty());
    QTest::keyClicks(cw, "QQ ");
    EXPECT_EQ(messages(), QStringList{"That is not a valid CW character. Please try again"});
    EXPECT_EQ(cw->text(), "Q ");

    dialogs.script.clear();
    type(cw, "A B C D E F G H I J K L M N O");
    EXPECT_TRUE(messages().isEmpty());
    QTest::keyClicks(cw, " ");
    EXPECT_TRUE(messages().isEmpty()) << "a blank after the fifteenth counts in a CW ID 1 box only when kept";
    QTest::keyClicks(cw, "P");
    EXPECT_EQ(messages(), QStringList{"You can only use 15 characters for this message!"});
    EXPECT_EQ(cw->text(), "A B C D E F G H I J K L M N O ");
}

// A stored ID over its limit is told once as its box is entered, and kept,
// also while typing in it; one within the limit tells nothing.
TEST_F(IdTest, AStoredIdOverTheLimitIsToldOnEnteringAndKept)
{
    const QString sixteen = "A B C D E F G H I J K L M N O P";
    tables.CWID1[2] = sixteen;
    load();
    EXPECT_TRUE(messages().isEmpty()) << "loading neither tells nor cuts";
    focusIn(box("CWID1Set", 1));
    EXPECT_TRUE(messages().isEmpty());
    focusIn(box("CWID1Set", 2));
    EXPECT_EQ(messages(), QStringList{"You can only use 15 characters for this message!"});
    EXPECT_EQ(find("CharCounter")->text(), "16");
    box("CWID1Set", 2)->end(false);
    QTest::keyClick(box("CWID1Set", 2), Qt::Key_Backspace);
    EXPECT_EQ(messages().size(), 1) << "once";
    EXPECT_EQ(box("CWID1Set", 2)->text(), sixteen.chopped(1));
}

TEST_F(IdTest, SpeedAndTonesAreRefusedAsTypedButNeverWhileLoading)
{
    tables.CWSpeed[3] = "60"; // over the limit in the file
    load();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(box("CWSpeedSet", 3)->text(), "60");

    type(box("CWSpeedSet", 1), "56");
    ASSERT_EQ(messages(), QStringList{"CW speed must be less than 55 wpm."});
    EXPECT_EQ(dialogs.script.messages().back().title, "Invalid Speed");
    EXPECT_EQ(box("CWSpeedSet", 1)->text(), "");
    type(box("CWSpeedSet", 2), "020");
    type(box("CWTone1Set", 1), "3501");
    EXPECT_EQ(messages().back(), "Entry must be less than 3500 Hertz.");
    EXPECT_EQ(dialogs.script.messages().back().title, "Invalid Tone");
    type(box("CwTone2Set", 2), "800");
    type(box("CWTone1Set", 1), "3500");

    tables.CWTone2Changed.fill(false);
    // The emptied speed is no "0" the box never showed: Apply names it and
    // stores nothing until it is mended.
    dialogs.script.clear();
    const QString tone = tables.CWTone1[1];
    editor->DoApply();
    EXPECT_EQ(messages(), QStringList{"CW Speed (1): \"\" cannot be stored, because the configuration file could "
                                      "not read it back. Nothing was applied."});
    EXPECT_EQ(box("CWSpeedSet", 1)->text(), "");
    EXPECT_EQ(tables.CWTone1[1], tone);
    EXPECT_FALSE(tables.IDChanged);
    type(box("CWSpeedSet", 1), "0");
    editor->DoApply();
    EXPECT_EQ(tables.CWSpeed[1], "0");
    EXPECT_EQ(tables.CWSpeed[2], "20") << "020 is the speed 20";
    EXPECT_FALSE(tables.CWSpeedChanged[2]);
    EXPECT_EQ(tables.CWTone1[1], "3500");
    EXPECT_EQ(tables.CWTone2[2], "800");
    EXPECT_TRUE(tables.CWTone2Changed[2]);
    EXPECT_EQ(tables.CWSpeed[3], "60") << "not edited, not touched";

    // Loaded again, the tone takes its four digits in the tables, quietly.
    tables.CWTone2Changed.fill(false);
    tables.DataSaved = true;
    tables.IDChanged = false;
    load();
    EXPECT_EQ(tables.CWTone2[2], "0800");
    EXPECT_EQ(box("CwTone2Set", 2)->text(), "0800");
    EXPECT_FALSE(red(box("CwTone2Set", 2)));
    EXPECT_FALSE(tables.CWTone2Changed[2]);
    EXPECT_TRUE(tables.DataSaved);

    // An emptied tone is refused at Apply, as the file's reader would refuse it.
    dialogs.script.clear();
    type(box("CWTone1Set", 3), "");
    editor->DoApply();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(tables.CWTone1[3], "0800");
}

TEST_F(IdTest, TheExtrasAreACheckBoxAndASelectorHoldingOneValue)
{
    tables.ID2Extras[1] = "12";
    load();
    EXPECT_FALSE(find<QCheckBox>("ID1Check(1)")->isChecked());
    EXPECT_TRUE(find<QComboBox>("ID1ExtrasSet(1)")->isHidden());
    EXPECT_EQ(ListText(find<QComboBox>("ID1ExtrasSet(1)")), "None Selected");
    EXPECT_TRUE(find<QCheckBox>("ID2Check(1)")->isChecked());
    EXPECT_EQ(ListText(find<QComboBox>("ID2ExtrasSet(1)")), "None Selected");
    EXPECT_EQ(find<QComboBox>("ID1ExtrasSet(1)")->itemText(9), "Time  & Good M/A/E After ID");

    find<QCheckBox>("ID3Check(2)")->click();
    pick("ID3ExtrasSet(2)", "Time After ID");
    editor->DoApply();
    EXPECT_EQ(tables.ID3Extras[2], "4");
    EXPECT_TRUE(tables.ID3ExtrasChanged[2]);
    EXPECT_TRUE(tables.IDExtrasChanged);
    EXPECT_FALSE(tables.IDChanged) << "the section of the ID messages is not touched";
    EXPECT_EQ(tables.ID2Extras[1], "12");
    EXPECT_FALSE(tables.ID2ExtrasChanged[1]);

    // What the window shows after Cancel is what Apply stores.
    find<QCheckBox>("ID2Check(1)")->click();
    editor->CancelChanges_Click();
    EXPECT_TRUE(find<QCheckBox>("ID2Check(1)")->isChecked());
    EXPECT_FALSE(find<QComboBox>("ID2ExtrasSet(1)")->isHidden());
    tables.IDExtrasChanged = false;
    tables.DataSaved = true;
    editor->DoApply();
    EXPECT_FALSE(tables.IDExtrasChanged);
    EXPECT_TRUE(tables.DataSaved);
}

TEST_F(IdTest, TheListsFillTheirKindOfBoxLastEnteredWhateverHasTheFocus)
{
    load();
    focusIn(box("VoiceID1Set", 2));
    box("VoiceID1Set", 2)->end(false);
    focusOut(box("VoiceID1Set", 2));
    focusIn(box("CWSpeedSet", 2)); // another control has the focus now
    doubleClick("VocabList", "REPEATER");
    EXPECT_EQ(box("VoiceID1Set", 2)->text(), "THIS IS REPEATER");
    doubleClick("VocabList", " "); // the separator row inserts nothing
    EXPECT_EQ(box("VoiceID1Set", 2)->text(), "THIS IS REPEATER");
    doubleClick("CwList", "X"); // a voice box takes no CW character
    EXPECT_EQ(box("VoiceID1Set", 2)->text(), "THIS IS REPEATER");

    focusIn(box("CWID2Set", 3));
    box("CWID2Set", 3)->end(false);
    doubleClick("CwList", "WORD_SPACE");
    EXPECT_EQ(box("CWID2Set", 3)->text(), "C WORD_SPACE");
}

// Showing another page puts the focus into none of its boxes: the word goes
// into the box the user last entered. A box entered by Tab, whose whole text
// the Tab selected, takes the word at its end; a selection of the user's own
// is replaced.
TEST_F(IdTest, APageShownKeepsTheTargetAndATabbedBoxTakesTheWordAtItsEnd)
{
    load();
    showActive(editor.get());
    auto* pages = find<QTabWidget>("SSTab1");
    QTest::mouseClick(box("VoiceID2Set", 1), Qt::LeftButton);
    clickPage(pages, 1); // "Port 2"
    EXPECT_FALSE(box("VoiceID1Set", 2)->hasFocus());
    doubleClick("VocabList", "FOUR");
    EXPECT_EQ(box("VoiceID2Set", 1)->text(), "REPEATER FOUR");
    EXPECT_EQ(box("VoiceID1Set", 2)->text(), "THIS IS");
    EXPECT_FALSE(red(box("VoiceID1Set", 2)));

    QLineEdit* tabbed = box("VoiceID3Set", 2);
    tabbed->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(tabbed->selectedText(), "HELLO") << "the toolkit selects the whole text";
    list("VocabList")->setFocus(Qt::MouseFocusReason);
    doubleClick("VocabList", "FOUR");
    EXPECT_EQ(tabbed->text(), "HELLO FOUR");

    tabbed->setFocus(Qt::TabFocusReason);
    QTest::mouseDClick(tabbed, Qt::LeftButton, {}, QPoint(8, tabbed->height() / 2)); // the user selects a word
    ASSERT_EQ(tabbed->selectedText(), "HELLO");
    list("VocabList")->setFocus(Qt::MouseFocusReason);
    doubleClick("VocabList", "GOOD");
    EXPECT_EQ(tabbed->text(), "GOOD FOUR");
    EXPECT_TRUE(messages().isEmpty());
}

// The counter shows what the limit judges: a box holds its limit exactly,
// also after a refused word, whose blank goes with it.
TEST_F(IdTest, EachBoxTakesItsLimitExactlyAsItsCounterShows)
{
    struct Case {
        const char* box;
        const char* token;
        int limit;
        const char* message;
    };
    const Case cases[] = {
        {"VoiceID1Set", "A", 22, "You can only use 22 words for this message!"},
        {"CWID1Set", "A", 15, "You can only use 15 characters for this message!"},
        {"CWID2Set", "A", 15, "You can only use 15 characters for this message!"},
    };
    load();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        dialogs.script.clear();
        QLineEdit* b = box(c.box, 3);
        type(b, QString(c.token) + " QQ ");
        ASSERT_EQ(messages().size(), 1) << "the refused token";
        EXPECT_EQ(b->text(), QString(c.token) + " ") << "its blank went with it";
        dialogs.script.clear();
        for (int n = 2; n <= c.limit; ++n) {
            QTest::keyClicks(b, c.token);
            EXPECT_EQ(find("CharCounter")->text(), QString::number(n));
            if (n < c.limit)
                QTest::keyClicks(b, " ");
        }
        EXPECT_TRUE(messages().isEmpty());
        EXPECT_FALSE(b->text().contains("  "));
        QTest::keyClicks(b, QString(" ") + c.token);
        EXPECT_EQ(messages(), QStringList{c.message});
        EXPECT_EQ(find("CharCounter")->text(), QString::number(c.limit));
    }
}

// Only what Apply would store is compared: blanks at the ends are no change,
// and an Apply that stores nothing leaves a saved file saved even while ID
// flags wait for an upload.
TEST_F(IdTest, ApplyFlagsOnlyWhatItStoresAndEachSectionApart)
{
    tables.VoiceID1[1] = "  this   is  ";
    tables.VoiceID1Changed[3] = true; // waiting for an upload
    load();
    EXPECT_EQ(tables.VoiceID1[1], "THIS IS") << "tidied in the tables at load";
    EXPECT_FALSE(tables.VoiceID1Changed[1]);
    type(box("VoiceID2Set", 1), "REPEATER ");
    editor->DoApply();
    EXPECT_FALSE(tables.VoiceID2Changed[1]);
    EXPECT_TRUE(tables.DataSaved);
    EXPECT_FALSE(tables.IDChanged);

    find<QCheckBox>("SpeechEnabled(2)")->click();
    editor->DoApply();
    EXPECT_EQ(tables.SpeechEnable[2], "0");
    EXPECT_TRUE(tables.SpeechEnableChanged[2]);
    EXPECT_TRUE(tables.IDChanged);
    EXPECT_FALSE(tables.IDExtrasChanged);
    EXPECT_FALSE(tables.DataSaved);

    // Every load sets every copy: the previous file's CW ID is gone.
    tables.CWID1[1] = "Z";
    load();
    EXPECT_EQ(box("CWID1Set", 1)->text(), "Z");
    tables.DataSaved = true;
    editor->DoApply();
    EXPECT_EQ(tables.CWID1[1], "Z");
    EXPECT_FALSE(tables.CWID1Changed[1]);
}

TEST_F(IdTest, TheIdsTypedHereReachTheLinesTheEncodersBuild)
{
    load();
    type(box("VoiceID1Set", 2), "good morning ");
    QTest::keyClicks(box("VoiceID1Set", 2), "repeater");
    type(box("CWID1Set", 2), "w 1 a / r");
    editor->DoApply();

    RecordingTransport link;
    ScriptedDialogs upload;
    ASSERT_EQ(ChangesUpload(tables, link, upload).run(), UploadRunner::Result::Completed);
    const QString voice = VoiceToCodes(u"GOOD MORNING REPEATER", false).codes;
    const QString cw = CWToCodes(u"W 1 A / R", false).codes;
    EXPECT_EQ(voice, "122157190");
    EXPECT_TRUE(link.lines().contains("2*8004" + voice)) << link.lines().join(" | ").toStdString();
    EXPECT_TRUE(link.lines().contains("2*8002" + cw)) << link.lines().join(" | ").toStdString();
}

} // namespace
