#include "CodesFixture.h"
#include "RecordingTransport.h"
#include "editors/macros/MacroText.h"
#include "editors/macros/Macros.h"
#include "link/ChangesUpload.h"
#include "link/DtmfTransport.h"
#include "store/KeyRegistry.h"
#include "store/TextHelpers.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

namespace {

const QString TooManyLong = "You can only use 15 functions in this macro! (remember that functions greater than 255 "
                            "count as 2)";
const QString TooManyShort = "You can only use 4 functions in this macro! (remember that functions greater than 255 "
                             "count as 2)";
const QString RunCodeTooLong = "This code must be 8 characters long or less. Please try again.";

template <typename Base> struct MacrosFixture : EditorTest<Macros, Base> {
    void SetUp() override
    {
        SettingsTables& t = this->tables;
        t.Macro.fill(NoneStored);
        t.ShortMacro.fill(NoneStored);
        for (int i = 1; i <= Count::LongMacros; ++i)
            t.MacroCode[i] = DefaultRunCode(i);
        for (int j = 1; j <= Count::ShortMacros; ++j)
            t.ShortMacroCode[j] = DefaultRunCode(j + Count::LongMacros);
        t.PortToAllow.fill("123");
        t.Macro[2] = "013 037";
        t.DataSaved = true;
    }
    Macros& load() { return EditorTest<Macros, Base>::load(this->link); }
    QLineEdit* longBox(int i) const { return this->find(QStringLiteral("MacroSet(%1)").arg(i)); }
    QLineEdit* shortBox(int j) const { return this->find(QStringLiteral("ShortMacroSet(%1)").arg(j)); }
    QLineEdit* code(int i) const { return this->find(QStringLiteral("MacroCodeSet(%1)").arg(i)); }
    QLineEdit* shortCode(int j) const { return this->find(QStringLiteral("ShortMacroCodeSet(%1)").arg(j)); }
    // The box entered, its caret put at `caret` (-1: the end), then left for the list.
    void enter(QLineEdit* box, int caret = -1)
    {
        EditorFixture::focusIn(box);
        box->setCursorPosition(caret < 0 ? box->text().size() : caret);
        EditorFixture::focusOut(box, Qt::MouseFocusReason);
    }
    // A double-click on the list's row `row` (from 0).
    void doubleClick(int row)
    {
        auto* list = this->template find<QListWidget>("FunctionList");
        list->setCurrentRow(row);
        emit list->itemDoubleClicked(list->item(row));
    }
    bool anyFlag() const
    {
        const SettingsTables& t = this->tables;
        return t.MacrosChanged || t.MacroPortsChanged || !t.DataSaved || t.MacroChanged.any(true)
            || t.ShortMacroChanged.any(true) || t.MacroCodeChanged.any(true) || t.ShortMacroCodeChanged.any(true)
            || t.PortToAllowChanged.any(true);
    }
};
using MacrosTest = MacrosFixture<CodesFixture>;

TEST_F(MacrosTest, LoadsEveryMacroOnItsPageAndAnUntouchedApplyFlagsNothing)
{
    tables.ShortMacro[3] = "001 002";
    tables.MacroCode[9] = "123456789"; // longer than a box takes: shown, not refused
    load();
    const auto* pages = find<QTabWidget>("SSTab1");
    ASSERT_EQ(pages->count(), 7);
    EXPECT_EQ(pages->tabText(4), "41-60");
    EXPECT_EQ(pages->tabText(6), "81-90/Port Restrictions");
    EXPECT_EQ(longBox(2)->text(), "013 037");
    EXPECT_EQ(longBox(1)->text(), "");
    EXPECT_EQ(longBox(1)->placeholderText(), NoneStored);
    EXPECT_EQ(shortBox(3)->text(), "001 002");
    EXPECT_EQ(code(9)->text(), "123456789");
    EXPECT_EQ(shortCode(50)->text(), "704690");
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(find<QListWidget>("FunctionList")->count(), 532);
    EXPECT_EQ(ListText(find<QComboBox>("MacroNum")), "1");
    EXPECT_EQ(ListText(find<QComboBox>("PortToAllow")), "All Ports");
    editor->DoApply();
    EXPECT_FALSE(anyFlag());
    EXPECT_EQ(tables.MacroCode[9], "123456789");
}

// The list puts a function into long box 1 before any box was entered, then
// into the box last entered at the caret it kept, on whichever page; a
// separator puts nothing.
TEST_F(MacrosTest, TheListInsertsIntoTheBoxLastEntered)
{
    load();
    doubleClick(0);
    EXPECT_EQ(longBox(1)->text(), "001");
    doubleClick(6); // the separator after group 1
    EXPECT_EQ(longBox(1)->text(), "001");

    enter(longBox(2), 4); // just after the blank of "013 037"
    find<QTabWidget>("SSTab1")->setCurrentIndex(5);
    editor->BuildMacro(401);
    EXPECT_EQ(longBox(2)->text(), "013 401 037");
    EXPECT_EQ(longBox(2)->cursorPosition(), 8);
    EXPECT_TRUE(red(longBox(2)));
    EXPECT_EQ(find("CharCounter")->text(), "4");

    enter(shortBox(3));
    editor->BuildMacro(401);
    editor->BuildMacro(13);
    EXPECT_EQ(shortBox(3)->text(), "401 013");
    editor->DoApply();
    EXPECT_EQ(tables.Macro[1], "001");
    EXPECT_EQ(tables.Macro[2], "013 401 037");
    EXPECT_EQ(tables.ShortMacro[3], "401 013");
    EXPECT_TRUE(tables.MacroChanged[2] && tables.ShortMacroChanged[3] && tables.MacrosChanged);
    EXPECT_FALSE(tables.MacroPortsChanged);
    EXPECT_TRUE(messages().isEmpty());
}

// Over the slots the insertion itself is undone, text and caret, and nothing
// is left behind to cut the next one.
TEST_F(MacrosTest, AnInsertionOverTheSlotsIsUndoneAndTheNextOneStands)
{
    tables.Macro[5] = "401 402 403 404 405 406 407";
    tables.ShortMacro[7] = "401 402";
    load();
    enter(longBox(5), 4);
    editor->BuildMacro(408);
    EXPECT_EQ(messages(), QStringList{TooManyLong});
    EXPECT_EQ(longBox(5)->text(), "401 402 403 404 405 406 407");
    EXPECT_EQ(longBox(5)->cursorPosition(), 4);
    EXPECT_FALSE(red(longBox(5)));

    enter(longBox(2));
    editor->BuildMacro(45);
    EXPECT_EQ(longBox(2)->text(), "013 037 045") << "not cut";

    enter(shortBox(7));
    editor->BuildMacro(13);
    EXPECT_EQ(messages(), (QStringList{TooManyLong, TooManyShort}));
    EXPECT_EQ(shortBox(7)->text(), "401 402");
    EXPECT_EQ(shortBox(7)->cursorPosition(), 7);
    editor->BuildMacro(401); // still the target
    EXPECT_EQ(messages().size(), 3);
    EXPECT_EQ(shortBox(7)->text(), "401 402");
}

// Typing stays free: the message comes once as the text passes the slots,
// and Apply refuses what is over them.
TEST_F(MacrosTest, TypingPastTheSlotsIsToldOnceAndRefusedAtApply)
{
    load();
    type(shortBox(1), "001 002 003 004 005 006");
    EXPECT_EQ(shortBox(1)->text(), "001 002 003 004 005 006");
    EXPECT_EQ(messages(), QStringList{TooManyShort});
    EXPECT_EQ(find("CharCounter")->text(), "6");
    editor->DoApply();
    ASSERT_EQ(messages().size(), 2);
    EXPECT_TRUE(messages().back().contains("Macro (41): 6 function slots used, of 4"))
        << messages().back().toStdString();
    EXPECT_EQ(tables.ShortMacro[1], NoneStored);
}

// A stored macro over its slots is told once as its box is entered, long or
// short, and kept as it is, also while typing in it and on leaving it.
TEST_F(MacrosTest, AStoredMacroOverItsSlotsIsToldOnEnteringAndKept)
{
    const QString sixteen = "001 002 003 004 005 006 007 008 009 010 011 012 013 014 015 016";
    tables.Macro[5] = sixteen;
    tables.ShortMacro[6] = "001 002 003 004 005";
    load();
    EXPECT_TRUE(messages().isEmpty());
    focusIn(longBox(5), Qt::MouseFocusReason);
    EXPECT_EQ(messages(), QStringList{TooManyLong});
    EXPECT_EQ(find("CharCounter")->text(), "16");
    longBox(5)->end(false);
    QTest::keyClick(longBox(5), Qt::Key_Backspace);
    EXPECT_EQ(messages().size(), 1) << "once";
    focusOut(longBox(5));
    EXPECT_EQ(longBox(5)->text(), sixteen.chopped(1));

    focusIn(shortBox(6), Qt::MouseFocusReason);
    focusOut(shortBox(6));
    EXPECT_EQ(shortBox(6)->text(), "001 002 003 004 005");
    EXPECT_EQ(messages(), (QStringList{TooManyLong, TooManyShort}));
}

// Entering and leaving a box the user did not type in changes nothing: no
// capitals, no tidied blanks, no run code default; Apply (the tab left)
// goes through and stores the macros as they were.
TEST_F(MacrosTest, EnteringAndLeavingABoxNotTypedInChangesNothing)
{
    tables.Macro[3] = "12a bc";
    tables.Macro[4] = "013  037";
    tables.MacroCode[5] = "";
    load();
    for (QLineEdit* b : {longBox(3), longBox(4), code(5)}) {
        focusIn(b, Qt::MouseFocusReason);
        focusOut(b, Qt::TabFocusReason);
    }
    EXPECT_EQ(longBox(3)->text(), "12a bc");
    EXPECT_EQ(longBox(4)->text(), "013  037");
    EXPECT_EQ(code(5)->text(), "");
    EXPECT_FALSE(red(longBox(3)) || red(longBox(4)) || red(code(5)));
    editor->DoApply();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(tables.Macro[3], "12a bc");
    EXPECT_EQ(tables.Macro[4], "013  037");
    EXPECT_FALSE(tables.MacroChanged[3] || tables.MacroChanged[4]);
}

// A click on another page's tab keeps the box the list fills.
TEST_F(MacrosTest, APageShownByItsTabKeepsTheBoxTheListFills)
{
    load();
    showActive(editor.get());
    QTest::mouseClick(longBox(2), Qt::LeftButton);
    clickPage(find<QTabWidget>("SSTab1"), 4); // "41-60"
    EXPECT_FALSE(shortBox(1)->hasFocus());
    editor->BuildMacro(401);
    EXPECT_EQ(longBox(2)->text(), "013 037 401");
    EXPECT_EQ(shortBox(1)->text(), "");
}

// Apply takes only what the configuration file reads back as it was typed.
TEST_F(MacrosTest, ApplyRefusesEveryMacroThatIsNoListOfCodesAndStoresNothing)
{
    load();
    type(longBox(3), "13 037");
    type(longBox(4), "013 037");
    type(shortBox(2), "255");
    type(code(1), "1234");
    editor->DoApply();
    ASSERT_EQ(messages().size(), 1);
    const QString said = messages().front();
    EXPECT_TRUE(said.contains("Macro (3): \"13\" is no function code")) << said.toStdString();
    EXPECT_TRUE(said.contains("Macro (42): \"255\" is no function code")) << said.toStdString();
    EXPECT_FALSE(said.contains("Macro (4)"));
    EXPECT_EQ(tables.Macro[3], NoneStored);
    EXPECT_EQ(tables.Macro[4], NoneStored) << "nothing is stored";
    EXPECT_EQ(tables.MacroCode[1], "70461");
    EXPECT_FALSE(anyFlag());
    EXPECT_TRUE(red(longBox(3)) && red(shortBox(2)));

    type(longBox(3), "013 037");
    type(shortBox(2), "");
    editor->DoApply();
    EXPECT_EQ(tables.Macro[3], "013 037");
    EXPECT_EQ(tables.Macro[4], "013 037");
    EXPECT_EQ(tables.ShortMacro[2], NoneStored);
    EXPECT_FALSE(tables.ShortMacroChanged[2]) << "emptied, as it was stored";
    EXPECT_EQ(tables.MacroCode[1], "1234");
    const ValueRule& reader = FindStem("Macro").rule;
    EXPECT_EQ(reader.normalised(tables.Macro[3]), tables.Macro[3]) << "read back as it is";
}

// Long and short macros alike are stored with single blanks, also when Apply
// comes before the box is left (a tab change), and their boxes show it.
TEST_F(MacrosTest, DoubledBlanksAreStoredSingleInLongAndShortMacros)
{
    load();
    type(longBox(6), "013  037 ");
    type(shortBox(4), " 001  002");
    editor->DoApply(); // the focus still in short box 4
    EXPECT_EQ(tables.Macro[6], "013 037");
    EXPECT_EQ(tables.ShortMacro[4], "001 002");
    EXPECT_EQ(longBox(6)->text(), "013 037");
    EXPECT_EQ(shortBox(4)->text(), "001 002");
    EXPECT_FALSE(red(longBox(6)) || red(shortBox(4)));
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(MacrosTest, ToolTipsNameTheFunctionsOfTheBox)
{
    tables.Macro[7] = "013 401";
    load();
    EXPECT_EQ(longBox(7)->toolTip(), "Port 1 Xmtr Enable | Call Macro 1");
    EXPECT_EQ(longBox(1)->toolTip(), "") << "NONE STORED";
    type(longBox(7), "");
    EXPECT_EQ(longBox(7)->toolTip(), "");
    type(longBox(7), "095 096");
    EXPECT_EQ(longBox(7)->toolTip(), "UF1 ON  | UF2 ON");
}

TEST_F(MacrosTest, RunCodesTakeOnlyDtmfKeysAtMostEightAndAnEmptiedOneItsDefault)
{
    load();
    type(code(7), "123456789");
    EXPECT_EQ(messages(), QStringList{RunCodeTooLong});
    EXPECT_EQ(dialogs.script.messages().back().icon, Dialogs::Icon::None);
    EXPECT_EQ(code(7)->text(), "");
    focusOut(code(7));
    EXPECT_EQ(code(7)->text(), "70467");

    type(shortCode(3), "");
    focusOut(shortCode(3));
    EXPECT_EQ(shortCode(3)->text(), "704643");
    EXPECT_FALSE(red(shortCode(3)));

    type(code(8), "1x2D*a#");
    EXPECT_EQ(code(8)->text(), "12*A#");
    QApplication::clipboard()->setText("9d-8");
    code(8)->setCursorPosition(0);
    code(8)->paste();
    EXPECT_EQ(code(8)->text(), "9812*A#");

    type(code(9), ""); // a tab change applies with the focus still here
    editor->DoApply();
    EXPECT_EQ(tables.MacroCode[8], "9812*A#");
    EXPECT_EQ(tables.MacroCode[9], "70469");
    EXPECT_FALSE(tables.MacroCodeChanged[7] || tables.MacroCodeChanged[9] || tables.ShortMacroCodeChanged[3]);
    EXPECT_TRUE(tables.MacroCodeChanged[8] && tables.MacrosChanged);
    EXPECT_FALSE(tables.MacroPortsChanged);
}

TEST_F(MacrosTest, APortSetIsChosenPerMacroAndRaisesOnlyItsOwnFlags)
{
    tables.PortToAllow[6] = "0";
    load();
    pick("MacroNum", "5");
    pick("PortToAllow", "Ports 1 & 3");
    pick("MacroNum", "6");
    EXPECT_EQ(ListText(find<QComboBox>("PortToAllow")), "") << "none of the seven: no entry";
    EXPECT_EQ(find<QComboBox>("PortToAllow")->count(), 7);
    pick("MacroNum", "5");
    EXPECT_EQ(ListText(find<QComboBox>("PortToAllow")), "Ports 1 & 3");
    editor->DoApply();
    EXPECT_EQ(tables.PortToAllow[5], "13");
    EXPECT_TRUE(tables.PortToAllowChanged[5]);
    EXPECT_TRUE(tables.MacroPortsChanged);
    EXPECT_FALSE(tables.DataSaved);
    EXPECT_FALSE(tables.MacrosChanged);
    EXPECT_EQ(tables.PortToAllow[6], "0") << "kept";
    EXPECT_FALSE(tables.PortToAllowChanged[6]);
}

TEST_F(MacrosTest, CancelPutsBackContentsRunCodesAndPortSets)
{
    load();
    type(longBox(2), "001");
    type(code(2), "55");
    pick("MacroNum", "4");
    pick("PortToAllow", "Port 2");
    find<QPushButton>("CancelChanges")->click();
    EXPECT_EQ(longBox(2)->text(), "013 037");
    EXPECT_EQ(code(2)->text(), "70462");
    EXPECT_EQ(ListText(find<QComboBox>("PortToAllow")), "All Ports");
    EXPECT_FALSE(red(longBox(2)) || red(code(2)));
    editor->DoApply(); // as the next tab change does
    EXPECT_FALSE(anyFlag());
}

using MacrosUpload = MacrosFixture<CodesFixture>;

TEST_F(MacrosUpload, AnEditedMacroIsSentAsItsLineAndItsTones)
{
    for (const bool dtmf : {false, true}) {
        SCOPED_TRACE(dtmf ? "DTMF" : "serial");
        SetUp();
        dialogs.script.clear();
        load();
        enter(shortBox(3));
        editor->BuildMacro(1);
        editor->BuildMacro(2);
        type(longBox(7), "");
        editor->DoApply();
        ASSERT_TRUE(messages().isEmpty());
        if (dtmf) {
            dtmfMode();
            DtmfTransport transport{tables, sound, link.serialLink(), link.player()};
            EXPECT_EQ(ChangesUpload(tables, transport, dialogs).run(), UploadRunner::Result::Completed);
            // Port 1's unlock code, the macro command, the lock code; each ended by the terminator.
            EXPECT_EQ(heard(), "123D*400243001002D0D");
            EXPECT_EQ(unkeyedMs, 0);
        } else {
            RecordingTransport transport;
            EXPECT_EQ(ChangesUpload(tables, transport, dialogs).run(), UploadRunner::Result::Completed);
            EXPECT_EQ(transport.lines(), QStringList{"1*400243001002"}) << "macro 7 was stored as it was";
        }
        EXPECT_FALSE(tables.ShortMacroChanged[3]);
    }
}

// Erasing every macro in the controller: asked first, sent at once, and only
// once the controller has it the configuration holds no macro either.
using MacrosErase = MacrosFixture<CodesFixture>;

TEST_F(MacrosErase, NoSendsNothingAndAPlusErasesEveryMacroHereToo)
{
    tables.Macro[7] = "001";
    tables.ShortMacro[4] = "002 003";
    load();
    type(longBox(9), "013"); // an edit not applied
    dialogs.script.answer(Dialogs::Answer::No);
    find<QPushButton>("Erase")->click();
    EXPECT_TRUE(port.written().isEmpty());
    EXPECT_EQ(tables.Macro[7], "001");
    ASSERT_EQ(dialogs.script.messages().size(), 1u);
    EXPECT_EQ(dialogs.script.messages()[0].title, "Erase All Macros");
    EXPECT_EQ(dialogs.script.messages()[0].text,
              "Are you sure you want to erase all macros (this will cause an immediate update to be sent)?");

    dialogs.script.clear();
    dialogs.script.answer(Dialogs::Answer::Yes);
    answers.push_back("+\r");
    const std::int64_t pressed = clock.elapsedMs();
    find<QPushButton>("Erase")->click();
    EXPECT_EQ(port.written(), "1*400499#\r");
    const auto writes = std::count_if(port.events().begin(), port.events().end(),
                                      [](const FakeSerialPort::Event& e) { return e.what.startsWith("write"); });
    EXPECT_EQ(writes, 1) << "one output";
    for (const FakeSerialPort::Event& e : port.events())
        if (e.what.startsWith("write")) {
            EXPECT_GE(e.atMs - pressed, 50) << "after the pause";
        }
    EXPECT_FALSE(port.isOpen()) << "closed after";
    for (int i = 1; i <= Count::LongMacros; ++i)
        EXPECT_EQ(tables.Macro[i], NoneStored);
    for (int j = 1; j <= Count::ShortMacros; ++j)
        EXPECT_EQ(tables.ShortMacro[j], NoneStored);
    EXPECT_TRUE(tables.MacrosChanged);
    EXPECT_FALSE(tables.DataSaved);
    EXPECT_FALSE(tables.MacroChanged.any(true) || tables.ShortMacroChanged.any(true)) << "the controller has them";
    EXPECT_EQ(longBox(9)->text(), "") << "the edit is gone: the empty macro shows";
    EXPECT_FALSE(red(longBox(9)));
    EXPECT_EQ(messages().back(), "All Macros have been erased, both in Zarn and in the Tarvex. You should resave "
                                 "your dat file now to reflect these changes.");
}

TEST_F(MacrosErase, ARefusalChangesNothingAndSaysWhy)
{
    tables.Macro[7] = "001";
    load();
    dialogs.script.answer(Dialogs::Answer::Yes);
    answers.push_back("-\r");
    find<QPushButton>("Erase")->click();
    EXPECT_EQ(tables.Macro[7], "001");
    EXPECT_TRUE(tables.DataSaved);
    EXPECT_FALSE(messages().contains("All Macros have been erased, both in Zarn and in the Tarvex. You should resave "
                                     "your dat file now to reflect these changes."));
    EXPECT_GE(messages().size(), 2) << "the question and the reason";
}

TEST_F(MacrosErase, InDtmfModeTheEraseIsOneKeyedFrame)
{
    dtmfMode();
    load();
    dialogs.script.answer(Dialogs::Answer::Yes);
    find<QPushButton>("Erase")->click();
    EXPECT_EQ(heard(), "123D*400499D0D") << "port 1's unlock code, the erase, the lock code";
    EXPECT_EQ(unkeyedMs, 0) << "the transmitter keyed throughout";
    EXPECT_FALSE(port.keyed());
    EXPECT_EQ(tables.Macro[2], NoneStored);
}

} // namespace
