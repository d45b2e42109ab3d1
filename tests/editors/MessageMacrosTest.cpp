#include "EditorFixture.h"
#include "TempDir.h"
#include "WavFile.h"
#include "editors/speech/MessageMacros.h"
#include "link/ControllerLink.h"
#include "store/TextHelpers.h"

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

using S = SettingsTables;

namespace {

const QString NotAWord = "That is not a valid vocabulary word. Please try again";
const QString NineWords = "You can only use 9 words for this message!";

struct MessageMacrosTest : EditorTest<MessageMacros> {
    ControllerLink link{tables, serial, sound, dialogs, clock};

    MessageMacros& load() { return EditorTest::load(link); }
    void SetUp() override
    {
        tables.MessageMacro.fill(NoneStored);
        tables.MessageMacro[2] = "HELLO REPEATER";
        tables.DataSaved = true;
    }
    QLineEdit* box(int i) { return find(QString("MessageSet(%1)").arg(i)); }
    QListWidget* list() { return find<QListWidget>("VocabList"); }
    QString counter() { return find("CharCounter")->text(); }
    void doubleClick(const QString& word)
    {
        QListWidget* l = list();
        l->setCurrentItem(l->findItems(word, Qt::MatchExactly).front());
        editor->BuildVoiceMessage();
    }
};

TEST_F(MessageMacrosTest, LoadTidiesTheStoredTextQuietlyAndShowsEmptyMacrosAsAHint)
{
    tables.MessageMacro[3] = "  GOOD   MORNING  ";
    tables.MessageMacro[4] = "";
    load();
    EXPECT_EQ(box(3)->text(), "GOOD MORNING");
    EXPECT_FALSE(red(box(3)));
    EXPECT_EQ(tables.MessageMacro[3], "GOOD MORNING");
    EXPECT_EQ(tables.MessageMacro[4], NoneStored) << "no words: the empty macro";
    EXPECT_EQ(box(1)->text(), "");
    EXPECT_EQ(box(1)->placeholderText(), NoneStored);
    EXPECT_FALSE(tables.MessageMacroChanged.any(true));
    EXPECT_FALSE(tables.MessageMacrosChanged);
    EXPECT_TRUE(tables.DataSaved);
    EXPECT_EQ(list()->count(), 256);
    EXPECT_EQ(list()->item(236)->text(), "DVR1");
    EXPECT_FALSE(list()->isEnabled());
    EXPECT_EQ(find<QTabWidget>("SSTab1")->tabText(3), "31-40");
}

TEST_F(MessageMacrosTest, TypedWordsAreCheckedWhenTheirBlankIsTyped)
{
    load();
    type(box(1), "hello ");
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(box(1)->text(), "hello ");
    EXPECT_EQ(counter(), "2");
    EXPECT_TRUE(red(box(1)));

    QTest::keyClicks(box(1), "HELX ");
    EXPECT_EQ(messages(), QStringList{NotAWord});
    EXPECT_EQ(box(1)->text(), "hello ");
    EXPECT_EQ(box(1)->cursorPosition(), 6);
    // A word corrected with backspace is the word the box shows.
    QTest::keyClicks(box(1), "helx");
    QTest::keyClick(box(1), Qt::Key_Backspace);
    QTest::keyClicks(box(1), "lo repeater ");
    EXPECT_EQ(messages().size(), 1);
    EXPECT_EQ(box(1)->text(), "hello hello repeater ");

    focusOut(box(1));
    EXPECT_EQ(box(1)->text(), "HELLO HELLO REPEATER");
    editor->DoApply();
    EXPECT_EQ(tables.MessageMacro[1], "HELLO HELLO REPEATER");
    EXPECT_TRUE(tables.MessageMacroChanged[1]);
    EXPECT_TRUE(tables.MessageMacrosChanged);
    EXPECT_FALSE(tables.MessageMacroChanged[2]) << "only the macro edited";
    EXPECT_FALSE(tables.DataSaved);
}

TEST_F(MessageMacrosTest, AWordTooManyIsUndoneWithOneMessageAndAPasteToo)
{
    tables.MessageMacro[5] = "ONE TWO THREE FOUR FIVE SIX SEVEN EIGHT NINE";
    load();
    QLineEdit* b = box(5);
    focusIn(b);
    b->setCursorPosition(3);
    QTest::keyClick(b, Qt::Key_Space);
    EXPECT_EQ(messages(), QStringList{NineWords});
    EXPECT_EQ(dialogs.script.messages().back().title, "Try Again!");
    EXPECT_EQ(b->text(), tables.MessageMacro[5]);
    EXPECT_EQ(b->cursorPosition(), 3);

    dialogs.script.clear();
    QApplication::clipboard()->setText(QString("GOOD ").repeated(30));
    focusIn(box(6));
    box(6)->paste();
    EXPECT_EQ(messages(), QStringList{NineWords}) << "one message for the paste";
    EXPECT_EQ(box(6)->text(), "");

    // Inserted from the list in the middle of a full message: undone too.
    dialogs.script.clear();
    focusIn(b);
    b->setCursorPosition(4);
    focusOut(b);
    doubleClick("GOOD");
    EXPECT_EQ(messages(), QStringList{NineWords});
    EXPECT_EQ(b->text(), tables.MessageMacro[5]) << "no word the user did not add is cut";
}

TEST_F(MessageMacrosTest, TheListFillsTheBoxLastEnteredOnAnyPage)
{
    load();
    auto* pages = find<QTabWidget>("SSTab1");
    focusIn(box(5));
    EXPECT_TRUE(list()->isEnabled());
    focusOut(box(5));
    EXPECT_FALSE(list()->isEnabled()) << "the focus went elsewhere than to the list";
    focusIn(box(5));
    pages->setCurrentIndex(3); // "31-40"
    doubleClick("GOOD");
    doubleClick("MORNING");
    EXPECT_EQ(box(5)->text(), "GOOD MORNING");
    EXPECT_EQ(counter(), "2");
    editor->DoApply();
    EXPECT_EQ(tables.MessageMacro[5], "GOOD MORNING");

    editor->CancelChanges_Click();
    EXPECT_FALSE(list()->isEnabled());
}

// A click on another page's tab leaves the list in use for the box last
// entered, and puts the focus into no box of that page.
TEST_F(MessageMacrosTest, APageShownByItsTabKeepsTheBoxTheListFills)
{
    load();
    showActive(editor.get());
    QTest::mouseClick(box(2), Qt::LeftButton);
    clickPage(find<QTabWidget>("SSTab1"), 3); // "31-40"
    EXPECT_FALSE(box(31)->hasFocus());
    EXPECT_TRUE(list()->isEnabled());
    doubleClick("GOOD");
    EXPECT_EQ(box(2)->text(), "HELLO REPEATER GOOD");
    EXPECT_EQ(box(31)->text(), "");
}

// The counter shows what the limit judges: nine words fit, also after a
// refused word, whose blank goes with it; a tenth is refused.
TEST_F(MessageMacrosTest, NineWordsFitAsTheCounterShows)
{
    load();
    type(box(4), "ONE HELX ");
    ASSERT_EQ(messages(), QStringList{NotAWord});
    EXPECT_EQ(box(4)->text(), "ONE ");
    dialogs.script.clear();
    QTest::keyClicks(box(4), "TWO THREE FOUR FIVE SIX SEVEN EIGHT NINE");
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(counter(), "9");
    QTest::keyClicks(box(4), " ");
    EXPECT_EQ(messages(), QStringList{NineWords});
    EXPECT_EQ(counter(), "9");
    EXPECT_EQ(box(4)->text(), "ONE TWO THREE FOUR FIVE SIX SEVEN EIGHT NINE");
}

TEST_F(MessageMacrosTest, EmptyAndBlankBoxesAreTheEmptyMacro)
{
    load();
    // Entered and left empty: no change.
    focusIn(box(7));
    focusOut(box(7));
    type(box(8), "   ");
    editor->DoApply();
    EXPECT_EQ(tables.MessageMacro[8], NoneStored) << "blanks only: no words";
    EXPECT_FALSE(tables.MessageMacroChanged.any(true));
    EXPECT_TRUE(tables.DataSaved);

    type(box(2), "");
    editor->DoApply();
    EXPECT_EQ(tables.MessageMacro[2], NoneStored);
    EXPECT_TRUE(tables.MessageMacroChanged[2]);
}

TEST_F(MessageMacrosTest, ApplyRefusesWordsWithNoCodeNamingEveryBoxAndCancelRestores)
{
    load();
    type(box(1), "GOODHELLO");
    type(box(3), "GOOD 5");
    type(box(12), "GOOD NONE");
    editor->DoApply();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains("Message Macro (1)"));
    EXPECT_TRUE(messages()[0].contains("Message Macro (12)"));
    EXPECT_FALSE(messages()[0].contains("Message Macro (3)"));
    EXPECT_EQ(tables.MessageMacro[3], NoneStored) << "nothing stored";
    EXPECT_TRUE(red(box(1)) && red(box(12)));

    editor->CancelChanges_Click();
    for (int i : {1, 3, 12}) {
        EXPECT_EQ(box(i)->text(), "");
        EXPECT_FALSE(red(box(i)));
    }
    EXPECT_EQ(box(2)->text(), "HELLO REPEATER");
    editor->DoApply();
    EXPECT_FALSE(tables.MessageMacroChanged.any(true));
    EXPECT_TRUE(tables.DataSaved);
}

TEST_F(MessageMacrosTest, AStoredMessageOverTheLimitIsToldOnEnteringAndKept)
{
    tables.MessageMacro[9] = "ONE TWO THREE FOUR FIVE SIX SEVEN EIGHT NINE TEN";
    load();
    EXPECT_TRUE(messages().isEmpty()) << "loading neither tells nor cuts";
    EXPECT_EQ(box(9)->text(), tables.MessageMacro[9]);
    focusIn(box(9));
    EXPECT_EQ(messages(), QStringList{NineWords});
    EXPECT_EQ(counter(), "10");
    box(9)->end(false);
    QTest::keyClick(box(9), Qt::Key_Backspace); // a change that adds no word
    EXPECT_EQ(messages().size(), 1);
    EXPECT_EQ(box(9)->text(), "ONE TWO THREE FOUR FIVE SIX SEVEN EIGHT NINE TE");
}

// The recorder's frame, in serial mode on COM2, every command line answered "+".
struct RecorderTest : MessageMacrosTest {
    TempDir dir;
    QString wav = dir.write("greeting.wav", SineWav(8000, 1, 100, 600));

    void SetUp() override
    {
        MessageMacrosTest::SetUp();
        tables.ComPortValue = "2";
        tables.CurrentLock = "0";
        tables.Terminator = "D";
        serial.setResponder([this](const QByteArray& written) {
            if (written.endsWith('\r'))
                serial.queueReply("+");
        });
    }
    QPushButton* button(const QString& name) { return find<QPushButton>(name); }
    // The first command line written from byte `from` on.
    QString firstLine(qsizetype from = 0) const
    {
        return QString::fromLatin1(serial.written().mid(from)).section(u'\r', 0, 0);
    }
};

// The dialog's title and filter; a cancel keeps the file; the track chosen is
// the one recorded, and a reload of the editor keeps the file and shows track 1.
TEST_F(RecorderTest, TheChosenFileOutlivesAReloadAndTheTrackGoesBackToOne)
{
    load();
    EXPECT_EQ(ListText(find<QComboBox>("DVRTrackSet")), "1");
    dialogs.script.answerFile(wav);
    dialogs.script.answerFile(std::nullopt);
    button("GetFile")->click();
    button("GetFile")->click();
    const auto& shown = dialogs.script.shown();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0].kind, ScriptedDialogs::Shown::Kind::OpenFile);
    EXPECT_EQ(shown[0].title, "Open Wav File");
    EXPECT_EQ(shown[0].filter, "Wav Files (*.wav)");
    EXPECT_EQ(shown[1].text, dir.root()) << "opens where the last file was chosen";
    EXPECT_EQ(tables.WavFileName, wav);

    pick("DVRTrackSet", "12");
    button("SendToTarvex")->click();
    EXPECT_EQ(firstLine(), "1*700212");
    EXPECT_EQ(messages().back(), "Wav File Upload Complete.");

    load();
    EXPECT_EQ(ListText(find<QComboBox>("DVRTrackSet")), "1");
    EXPECT_EQ(tables.WavFileName, wav);
    const qsizetype before = serial.written().size();
    button("SendToTarvex")->click();
    EXPECT_EQ(firstLine(before), "1*70021");
    EXPECT_TRUE(tables.DataSaved) << "a recording changes no setting";
    EXPECT_FALSE(tables.MessageMacrosChanged);
}

TEST_F(RecorderTest, ASecondPressDuringARunStartsNothing)
{
    tables.WavFileName = wav;
    load();
    int presses = 0;
    serial.setResponder([&](const QByteArray& written) {
        if (written == "1*70021\r") {
            EXPECT_FALSE(editor->isEnabled()) << "disabled while the run lasts";
            button("SendToTarvex")->click();
            ++presses;
        }
        if (written.endsWith('\r'))
            serial.queueReply("+");
    });
    button("SendToTarvex")->click();
    EXPECT_EQ(presses, 1);
    EXPECT_EQ(serial.written(), "1*70021\r1*70011\rGS10D\r");
    EXPECT_EQ(messages(), QStringList{"Wav File Upload Complete."});
    EXPECT_TRUE(editor->isEnabled());
}

} // namespace
