#include "CodesFixture.h"
#include "download/OptionBoardFile.h"
#include "editors/ports/SpecialCodes.h"
#include "link/CommandCatalogue.h"
#include "store/ProgramName.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QApplication>
#include <QClipboard>
#include <map>

namespace {

using S = SettingsTables;

struct SpecialCodesTest : EditorTest<SpecialCodes, CodesFixture> {
    SpecialCodes& load() { return EditorTest::load(link); }
    QListWidget* tollList() const { return find<QListWidget>("TollRestrictList"); }
    void addToll(const QString& entry)
    {
        type(find("TollRestrictSet"), entry);
        find<QPushButton>("TollAdd")->click();
    }
    void deleteToll(int row)
    {
        tollList()->setCurrentRow(row);
        find<QPushButton>("TollDelete")->click();
    }
    // The window's messages are plain: the program's title, no icon, OK only.
    bool allPlain() const
    {
        for (const auto& m : dialogs.script.messages())
            if (m.title != ProgramName || m.icon != Dialogs::Icon::None || m.buttons != Dialogs::Buttons::Ok)
                return false;
        return true;
    }
    bool anyCodeFlag() const
    {
        return tables.CurrentPortUnlockChanged.any(true);
    }
};

// The user's typing sets no flag and nothing is sent until Apply, which
// sends only what the boxes hold when it runs.
TEST_F(SpecialCodesTest, TypingSetsNoFlagAndABoxEmptiedAgainSendsNothing)
{
    load();
    type(find("NewLockSet"), "5");
    type(find("NewTerminatorSet"), "#");
    type(find("NewPortUnlockSet(2)"), "77");
    EXPECT_FALSE(anyCodeFlag());

    type(find("NewLockSet"), "");
    type(find("NewTerminatorSet"), " ");
    type(find("NewPortUnlockSet(2)"), "");
    editor->DoApply();
    EXPECT_TRUE(port.log().isEmpty()) << "nothing sent, not even the port opened";
    EXPECT_FALSE(anyCodeFlag());
    EXPECT_EQ(profile.writeCount(), 0);
    EXPECT_TRUE(messages().isEmpty());
}

// Serial mode leaves a new unlock code's flag for the upload. Loaded again
// (after a download, say), the window shows the codes in use and empty "New"
// boxes, keeps that flag, and sends or writes nothing more.
TEST_F(SpecialCodesTest, AReloadKeepsAnUnlockCodeWaitingForTheUploadAndSendsNothing)
{
    load();
    type(find("NewPortUnlockSet(3)"), "3579");
    editor->DoApply();
    const int written = profile.writeCount();
    load();
    for (const char* box : {"NewPortUnlockSet(1)", "NewPortUnlockSet(2)", "NewPortUnlockSet(3)", "NewLockSet",
                            "NewTerminatorSet"})
        EXPECT_TRUE(find(box)->text().isEmpty()) << box;
    EXPECT_EQ(find("CurrentPortUnlock(3)")->text(), "3579");
    EXPECT_EQ(find("CurrentPortUnlock(2)")->text(), "456");
    EXPECT_EQ(find("CurrentLock")->text(), "0");
    EXPECT_EQ(find("CurrentTerminator")->text(), "D");
    EXPECT_TRUE(find("CurrentLock")->isReadOnly());

    editor->DoApply();
    EXPECT_TRUE(tables.CurrentPortUnlockChanged[3]);
    EXPECT_TRUE(port.log().isEmpty());
    EXPECT_EQ(profile.writeCount(), written);
    EXPECT_TRUE(messages().isEmpty());
}

// A code that breaks a rule stops the whole Apply: nothing sent, stored or
// written, and the message names the code and the rule.
TEST_F(SpecialCodesTest, ABrokenRuleStopsTheWholeApply)
{
    struct Case {
        const char* box;
        QString typed;
        QString message;
    } cases[] = {
        {"NewLockSet", "d", "The new lock code \"D\" is the same as the terminator digit \"D\". The lock code and the "
                            "terminator digit must differ."},
        {"NewLockSet", "12345", "The new lock code \"12345\" has 5 keys. A lock code has 1 to 4 keys."},
        {"NewTerminatorSet", "0", "The new terminator digit \"0\" is the same as the lock code \"0\". The lock code "
                                  "and the terminator digit must differ."},
        {"NewPortUnlockSet(1)", "12x", "The new unlock code of port 1 \"12X\" holds \"X\", which is no DTMF key. A "
                                       "code is made of the keys 0-9, *, # and A-D only."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        dialogs.script.clear();
        load();
        type(find("RingNumberSet"), "4");
        type(find("NewTerminatorSet"), "");
        type(find(c.box), c.typed);
        editor->DoApply();
        EXPECT_EQ(messages(), QStringList{c.message});
        EXPECT_TRUE(allPlain());
        EXPECT_TRUE(port.log().isEmpty());
        EXPECT_EQ(tables.RingNumber, "2") << "nothing of the Apply was stored";
        EXPECT_FALSE(anyCodeFlag());
        EXPECT_EQ(profile.writeCount(), 0);
        EXPECT_EQ(find(c.box)->text(), c.typed) << "left for the user to mend";
    }
}

// A new code is sent once: the box the controller's code came from is
// emptied, so leaving the tab again sends nothing more.
TEST_F(SpecialCodesTest, ACodeSentIsNotSentAgainByTheNextApply)
{
    answers = {"+"};
    load();
    type(find("NewLockSet"), "5");
    editor->DoApply();
    EXPECT_EQ(lines(), QStringList{"1*90105"});
    EXPECT_EQ(find("NewLockSet")->text(), "");
    EXPECT_EQ(find("CurrentLock")->text(), "5");
    editor->DoApply();
    EXPECT_EQ(lines(), QStringList{"1*90105"});
    EXPECT_EQ(messages(), QStringList{"New Lock Code Has Been Successfully Sent To The Tarvex"});
}

// Applied for a file command, the upload or the download, the tab's settings
// are stored and a new code, even one that breaks a rule, neither checked nor
// sent: it waits in its box for the tab's own Apply.
TEST_F(SpecialCodesTest, AnApplyForACommandStoresTheSettingsAndLeavesTheNewCodesWaiting)
{
    answers = {"+"};
    load();
    type(find("AnswerCodeSet"), "4444");
    type(find("NewLockSet"), "d"); // the terminator: the tab's own Apply refuses it
    EXPECT_TRUE(editor->applyForCommand());
    EXPECT_EQ(tables.AnswerCode, "4444");
    EXPECT_TRUE(tables.AnswerCodeChanged);
    EXPECT_TRUE(lines().isEmpty());
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(find("NewLockSet")->text(), "d");
    type(find("NewLockSet"), "5");
    editor->DoApply();
    EXPECT_EQ(lines(), QStringList{"1*90105"});
}

// While the codes are on their way the window takes no input: nothing else
// can start, and no file can be opened under the editor.
TEST_F(SpecialCodesTest, TheWindowTakesNoInputWhileTheCodesAreOnTheirWay)
{
    QWidget window; // owns the editor
    auto* layout = new QVBoxLayout(&window);
    auto* codes = new SpecialCodes(context, link, &window);
    layout->addWidget(codes);
    std::vector<bool> enabled;
    port.setResponder([&](const QByteArray& written) {
        if (!written.endsWith('\r'))
            return;
        enabled.push_back(window.isEnabled());
        port.queueReply(written.startsWith("1*9010") ? "+" : "-");
    });
    type(find(window, "NewLockSet"), "5");
    type(find(window, "NewTerminatorSet"), "#");
    codes->DoApply();
    EXPECT_EQ(enabled, (std::vector<bool>{false, false}));
    EXPECT_TRUE(window.isEnabled()) << "again once they went, or failed";
    EXPECT_EQ(tables.CurrentLock, "5");
    EXPECT_EQ(tables.Terminator, "D");
    EXPECT_EQ(find(window, "NewTerminatorSet")->text(), "#");
}

// A lower-case terminator is one key with the capital: stored, written and
// sent as such.
TEST_F(SpecialCodesTest, ALowerCaseTerminatorIsStoredWrittenAndSentUpperCased)
{
    answers = {"+"};
    load();
    type(find("NewTerminatorSet"), "a");
    editor->DoApply();
    EXPECT_EQ(lines(), QStringList{"1*9020A"});
    EXPECT_EQ(tables.Terminator, "A");
    EXPECT_EQ(tables.CurrentTerminator, "A");
    EXPECT_EQ(fileKey("Terminator"), "A");
    EXPECT_EQ(find("CurrentTerminator")->text(), "A");
    EXPECT_EQ(messages(), QStringList{"New Terminator Digit Has Been Successfully Sent To The Tarvex"});
    EXPECT_TRUE(allPlain());
}

// Serial mode: a new unlock code is written and taken at once, its flag left
// for the upload, which the controller learns it from; nothing is sent now.
TEST_F(SpecialCodesTest, SerialUnlockCodeIsTakenAtOnceAndLeftForTheUpload)
{
    load();
    type(find("NewPortUnlockSet(3)"), "3579");
    editor->DoApply();
    EXPECT_TRUE(port.log().isEmpty());
    EXPECT_EQ(tables.CurrentPortUnlock[3], "3579");
    EXPECT_TRUE(tables.CurrentPortUnlockChanged[3]);
    EXPECT_EQ(fileKey("CurrentPortUnlock(3)"), "3579");
    EXPECT_EQ(find("NewPortUnlockSet(3)")->text(), "");
    EXPECT_EQ(find("CurrentPortUnlock(3)")->text(), "3579");
    EXPECT_TRUE(messages().isEmpty());
}

// DTMF mode, a new one-key lock code and a new terminator in one Apply: the
// lock first, closed with itself; the terminator closed with the new lock
// code and the old terminator; every later command ends with the new one.
// Each frame is keyed, from the key-up delay to its last tone.
TEST_F(SpecialCodesTest, DtmfLockAndTerminatorFramesAreKeyedAndLaterCommandsEndWithTheNewTerminator)
{
    dtmfMode();
    tables.KeyUpDelayValue = "200";
    load();
    type(find("NewLockSet"), "5");
    type(find("NewTerminatorSet"), "#");
    editor->DoApply();
    EXPECT_EQ(heard(), "123D" "*90105D" "5D"
                       "123D" "*9020#D" "5D");
    EXPECT_EQ(unkeyedMs, 0);
    EXPECT_FALSE(port.keyed());
    EXPECT_EQ(tables.CurrentLock, "5");
    EXPECT_EQ(tables.Lock, "5");
    EXPECT_EQ(tables.Terminator, "#");
    EXPECT_EQ(fileKey("Lock"), "5");
    EXPECT_EQ(fileKey("Terminator"), "#");
    EXPECT_TRUE(messages().isEmpty());

    AtOnce later;
    tables.HangTime[2] = "50";
    later.commands = {BuildCommand(CommandId::HangTime, tables, 2)};
    later.unlockPort = 2;
    ASSERT_TRUE(link.sendAtOnce(later));
    EXPECT_TRUE(heard().endsWith("456#" "*100050#" "5#")) << heard().toStdString();
}

// DTMF mode: a new unlock code of port 2 is opened with port 2's old code and
// not locked; sent, it needs no upload.
TEST_F(SpecialCodesTest, DtmfUnlockCodeOfPortTwoIsOpenedWithItsOldCode)
{
    dtmfMode();
    load();
    type(find("NewPortUnlockSet(2)"), "2468");
    editor->DoApply();
    EXPECT_EQ(heard(), "456D" "*90002468D");
    EXPECT_EQ(tables.CurrentPortUnlock[2], "2468");
    EXPECT_FALSE(tables.CurrentPortUnlockChanged[2]);
    EXPECT_EQ(fileKey("CurrentPortUnlock(2)"), "2468");
    EXPECT_EQ(unkeyedMs, 0);
}

// The keying port will not open: nothing is played, nothing taken, and the
// box keeps the code for another try.
TEST_F(SpecialCodesTest, DtmfCodeWhoseKeyingPortWillNotOpenIsNotTaken)
{
    dtmfMode();
    port.setOpenFailure("Device or resource busy");
    load();
    type(find("NewLockSet"), "5");
    editor->DoApply();
    ASSERT_EQ(messages().size(), 2);
    EXPECT_TRUE(messages()[0].startsWith("COM3 is in use by another program")) << messages()[0].toStdString();
    EXPECT_EQ(messages()[1], "Not sent to the Tarvex: the new lock code. The codes in use stay as they were; Apply "
                             "again to send it.");
    EXPECT_TRUE(sound.images().isEmpty());
    EXPECT_EQ(tables.CurrentLock, "0");
    EXPECT_EQ(fileKey("Lock"), "0");
    EXPECT_EQ(find("NewLockSet")->text(), "5");
}

// Each frame shows the captions of its controls; the table of access codes
// has a frame with no caption.
TEST_F(SpecialCodesTest, EachFrameShowsTheCaptionsOfItsControls)
{
    load();
    std::map<QString, QStringList> shown;
    for (const QGroupBox* frame : editor->findChildren<QGroupBox*>()) {
        QStringList& captions = shown[frame->title()];
        for (const QWidget* w : frame->findChildren<QWidget*>()) {
            if (const auto* label = qobject_cast<const QLabel*>(w))
                captions << label->text();
            else if (const auto* button = qobject_cast<const QAbstractButton*>(w))
                captions << button->text();
        }
        captions.sort();
    }
    const std::map<QString, QStringList> expected = {
        {"", {"Current", "Global Lock", "New", "Port 1 Unlock", "Port 2 Unlock", "Port 3 Unlock", "Terminator"}},
        {"User DTMF Regenerate", {"Macro To Use", "Send To Port", "User DTMF Prefix"}},
        {"Autopatch",
         {"Answer Code", "Number of Rings to Answer", "Patch Muting", "Ports To Allow", "Prefix", "Timeout"}},
        {"Autodial Memories", {"AutoDial Slot", "Phone Number"}},
        {"Toll Restrict", {"&Add", "&Delete"}},
        {"DTMF Pad Test", {"Prefix"}},
        {"Pre Access Code", {}},
        {"Pre Program Prefix", {}},
        {"Macro SubSet", {"Enable", "Range"}},
        {"DTMF Mute Select", {"1st Digit", "2nd Digit"}},
    };
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(editor->windowTitle(), "Special Codes");
    EXPECT_EQ(find<QPushButton>("Apply")->text(), "&Apply");
    EXPECT_EQ(find<QPushButton>("Cancel")->text(), "C&ancel Changes");
}

TEST_F(SpecialCodesTest, ThePortSetListsStoreTheirCodes)
{
    tables.DTMFPort = "123";
    load();
    EXPECT_EQ(find<QComboBox>("EnablePatchSet")->currentText(), "Port 1");
    EXPECT_EQ(find<QComboBox>("DTMFPortSet")->currentText(), "All Ports");
    QStringList captions;
    for (int i = 0; i < find<QComboBox>("EnablePatchSet")->count(); ++i)
        captions << find<QComboBox>("EnablePatchSet")->itemText(i);
    EXPECT_EQ(captions, (QStringList{"NONE", "Port 1", "Port 2", "Port 3", "Ports 1 & 2", "Ports 1 & 3",
                                     "Ports 2 & 3", "All Ports"}));
    pick(find<QComboBox>("EnablePatchSet"), "Ports 1 & 3");
    EXPECT_TRUE(red(find<QComboBox>("EnablePatchSet")));
    pick(find<QComboBox>("DTMFPortSet"), "NONE");
    pick(find<QComboBox>("DTMFSpeechSet"), "NONE"); // "0" is stored: no change
    editor->DoApply();
    EXPECT_EQ(tables.EnablePatch, "13");
    EXPECT_TRUE(tables.EnablePatchChanged);
    EXPECT_EQ(tables.DTMFPort, "0");
    EXPECT_EQ(tables.DTMFSpeech, "0");
    EXPECT_TRUE(tables.CommandPrefixChanged) << "the user DTMF group's one flag";
    EXPECT_FALSE(tables.DataSaved);

    tables.EnablePatch = "31";
    load();
    EXPECT_EQ(ListText(find<QComboBox>("EnablePatchSet")), "31") << "a stored text that is no set, as it stands";
}

// A prefix whose "0" means none: "NONE" shows and stores "0", a key too many
// empties the box, and a change of it alone marks the configuration unsaved.
TEST_F(SpecialCodesTest, APrefixOfAFewKeysWhoseZeroIsNone)
{
    struct Case {
        const char* box;
        QString SettingsTables::* setting;
        bool SettingsTables::* flag;
        bool SettingsTables::* section;
        QString tooLong, message, fits;
    } cases[] = {
        {"PreAccessSet", &S::PreAccessPrefix, &S::PreAccessPrefixChanged, &S::SpecialCodesChanged, "1234",
         "You can have a maximum of 3 digits. Try Again", "987"},
        {"PreProgramSet", &S::PreProgramPrefix, &S::PreProgramPrefixChanged, &S::SpecialCodesChanged, "1234",
         "You can have a maximum of 3 digits. Try Again", "987"},
        {"MacroRangeSet", &S::MacroSubset, &S::MacroSubsetValueChanged, &S::MacroSubsetChanged, "12345",
         "You can have a maximum of 4 digits. Try Again", "1234"},
    };
    const auto clearFlags = [this](const Case& c) {
        tables.*c.flag = tables.SpecialCodesChanged = tables.MacroSubsetChanged = false;
        tables.DTMFMuteDigitSelectChanged = false;
        tables.DataSaved = true;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        dialogs.script.clear();
        load();
        EXPECT_EQ(find(c.box)->text(), "NONE");
        type(find(c.box), c.tooLong);
        EXPECT_EQ(messages(), QStringList{c.message});
        EXPECT_TRUE(allPlain());
        EXPECT_EQ(find(c.box)->text(), "");

        type(find(c.box), c.fits);
        editor->DoApply();
        EXPECT_EQ(tables.*c.setting, c.fits);
        EXPECT_TRUE(tables.*c.flag);
        EXPECT_FALSE(tables.DataSaved) << "a change of this one setting";
        EXPECT_TRUE(tables.*c.section) << "the next save writes its section";
        const int raised = tables.SpecialCodesChanged + tables.MacroSubsetChanged + tables.DTMFMuteDigitSelectChanged;
        EXPECT_EQ(raised, 1) << "and no other";

        clearFlags(c);
        load();
        type(find(c.box), "none");
        editor->DoApply();
        EXPECT_EQ(tables.*c.setting, "0");
        EXPECT_TRUE(tables.*c.flag);
        EXPECT_FALSE(tables.DataSaved);
        clearFlags(c);
    }
}

// The autopatch prefix and answer code cannot be empty: refused when their
// box is left and at Apply, with the stored code put back. An emptied ring
// count stops the Apply and is left for the user to mend.
TEST_F(SpecialCodesTest, AnEmptyAutopatchValueIsNeverStored)
{
    struct Case {
        const char* box;
        QString message;
        QString SettingsTables::* setting;
        bool putBack;
    } cases[] = {
        {"APPrefixSet", "The Autopatch Prefix MUST be at least one digit long. Please try again", &S::APPrefix, true},
        {"AnswerCodeSet", "The Answer Code MUST be at least one digit long. Please try again", &S::AnswerCode, true},
        {"RingNumberSet", "Number of Rings to Answer: \"\" cannot be stored, because the configuration file could "
                          "not read it back. Nothing was applied.",
         &S::RingNumber, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        dialogs.script.clear();
        const QString stored = tables.*c.setting;
        load();
        type(find(c.box), " ");
        editor->DoApply(); // the tab is left with the focus in the box
        EXPECT_EQ(messages(), QStringList{c.message});
        EXPECT_TRUE(allPlain());
        EXPECT_EQ(tables.*c.setting, stored);
        EXPECT_EQ(find(c.box)->text(), c.putBack ? stored : " ");
        EXPECT_TRUE(tables.DataSaved);
    }
}

TEST_F(SpecialCodesTest, AnAutodialSlotEditedSetsItsFlagOnly)
{
    tables.AutoDial[57] = "5551212";
    load();
    pick(find<QComboBox>("AutoDialSlotSet"), "57");
    EXPECT_EQ(find("AutoDialNumberSet")->text(), "5551212");
    type(find("AutoDialNumberSet"), "5551313");
    EXPECT_FALSE(red(find("AutoDialNumberSet")));
    pick(find<QComboBox>("AutoDialSlotSet"), "1");
    editor->DoApply();
    EXPECT_EQ(tables.AutoDial[57], "5551313");
    EXPECT_TRUE(tables.AutoDialChanged[57]);
    int flagged = 0;
    for (int slot = 1; slot <= Count::AutoDialSlots; ++slot)
        flagged += tables.AutoDialChanged[slot] ? 1 : 0;
    EXPECT_EQ(flagged, 1);
    EXPECT_TRUE(tables.SpecialCodesChanged);
    EXPECT_FALSE(tables.DataSaved);
}

// Flags left by a download wait for the upload; an Apply that changed
// nothing leaves a saved configuration saved.
TEST_F(SpecialCodesTest, AnApplyThatChangedNothingLeavesTheConfigurationSaved)
{
    tables.AutoDialChanged[3] = true;
    tables.TollRestrictChanged[1] = true;
    tables.DTMFMuteDigitSelect = "2";
    load();
    EXPECT_TRUE(find<QRadioButton>("SecondDigitSet")->isChecked());
    editor->DoApply();
    editor->DoApply();
    EXPECT_TRUE(tables.DataSaved);
    EXPECT_FALSE(tables.SpecialCodesChanged);
    EXPECT_EQ(tables.DTMFMuteDigitSelect, "2");
}

// "2nd Digit" shows any stored value but "1"; showing it changes nothing.
TEST_F(SpecialCodesTest, AMuteDigitThatIsNeitherShowsTheSecondAndStaysAsStored)
{
    for (const char* stored : {"7", ""}) {
        tables.DTMFMuteDigitSelect = stored;
        tables.DataSaved = true;
        load();
        EXPECT_TRUE(find<QRadioButton>("SecondDigitSet")->isChecked()) << stored;
        EXPECT_FALSE(find<QRadioButton>("FirstDigitSet")->isChecked()) << stored;
        editor->DoApply();
        EXPECT_EQ(tables.DTMFMuteDigitSelect, stored);
        EXPECT_FALSE(tables.DTMFMuteDigitSelectValueChanged);
        EXPECT_TRUE(tables.DataSaved);
    }
    find<QRadioButton>("SecondDigitSet")->click(); // the button shown, picked
    editor->DoApply();
    EXPECT_EQ(tables.DTMFMuteDigitSelect, "2");
    EXPECT_TRUE(tables.DTMFMuteDigitSelectValueChanged);
}

// A pasted text with a line break in it is one entry, its break dropped.
TEST_F(SpecialCodesTest, APastedTollEntryIsOneRow)
{
    load();
    QApplication::clipboard()->setText("12\r\n34");
    find("TollRestrictSet")->paste();
    find<QPushButton>("TollAdd")->click();
    ASSERT_EQ(tollList()->count(), 1);
    EXPECT_EQ(tollList()->item(0)->text(), "1234");
    editor->DoApply();
    EXPECT_EQ(tables.TollRestrict[1], "1234");
}

// Add and delete change the working list only; Apply writes the list to
// entries 1 to its count and empties and flags the ones after it that held
// an entry. The file is never edited behind Apply's back.
TEST_F(SpecialCodesTest, TollRestrictionListIsWrittenWholeAtApplyOnly)
{
    tables.TollRestrict[1] = "1900";
    tables.TollRestrict[2] = "1976";
    tables.TollRestrict[4] = "011";
    load();
    ASSERT_EQ(tollList()->count(), 3);
    deleteToll(0);
    deleteToll(0);
    addToll("1800");
    EXPECT_EQ(find("TollRestrictSet")->text(), "");
    EXPECT_EQ(tables.TollRestrict[1], "1900") << "nothing stored before Apply";
    EXPECT_EQ(profile.writeCount(), 0);
    EXPECT_FALSE(tables.TollRestrictChanged.any(true));

    editor->DoApply();
    EXPECT_EQ((QStringList{tables.TollRestrict[1], tables.TollRestrict[2], tables.TollRestrict[3],
                           tables.TollRestrict[4]}),
              (QStringList{"011", "1800", "", ""}));
    EXPECT_EQ((std::vector<bool>{tables.TollRestrictChanged[1], tables.TollRestrictChanged[2],
                                 tables.TollRestrictChanged[3], tables.TollRestrictChanged[4],
                                 tables.TollRestrictChanged[5]}),
              (std::vector<bool>{true, true, false, true, false}));
    EXPECT_TRUE(tables.SpecialCodesChanged);
    EXPECT_EQ(profile.writeCount(), 0);

    // A fresh load shows what was stored, in order.
    load();
    ASSERT_EQ(tollList()->count(), 2);
    EXPECT_EQ(tollList()->item(1)->text(), "1800");
}

// Tabbing into the list makes its first entry current without selecting it:
// Delete then removes nothing.
TEST_F(SpecialCodesTest, TollDeleteRemovesOnlyASelectedEntry)
{
    tables.TollRestrict[1] = "1900";
    tables.TollRestrict[2] = "1976";
    load();
    focusIn(tollList());
    ASSERT_EQ(tollList()->currentRow(), 0);
    ASSERT_TRUE(tollList()->selectedItems().isEmpty());
    find<QPushButton>("TollDelete")->click();
    EXPECT_EQ(tollList()->count(), 2);

    tollList()->item(1)->setSelected(true);
    find<QPushButton>("TollDelete")->click();
    ASSERT_EQ(tollList()->count(), 1);
    EXPECT_EQ(tollList()->item(0)->text(), "1900") << "the selected entry, not the current one";
    editor->DoApply();
    EXPECT_EQ(tables.TollRestrict[1], "1900");
    EXPECT_EQ(tables.TollRestrict[2], "");
}

TEST_F(SpecialCodesTest, TheHundredAndFirstTollEntryIsRefused)
{
    for (int i = 1; i <= Count::TollEntries; ++i)
        tables.TollRestrict[i] = QString::number(1000 + i);
    load();
    addToll("999");
    EXPECT_EQ(messages(), QStringList{"The toll restriction list holds at most 100 entries. Delete one before you add "
                                      "another."});
    EXPECT_TRUE(allPlain());
    EXPECT_EQ(tollList()->count(), Count::TollEntries);
    EXPECT_EQ(find("TollRestrictSet")->text(), "999") << "kept for after a delete";
    deleteToll(99);
    find<QPushButton>("TollAdd")->click();
    editor->DoApply();
    EXPECT_EQ(tables.TollRestrict[100], "999");
    EXPECT_TRUE(tables.TollRestrictChanged[100]);
}

TEST_F(SpecialCodesTest, CancelPutsBackTheStoredValuesAndEmptiesTheNewCodes)
{
    load();
    type(find("NewLockSet"), "5");
    type(find("APPrefixSet"), "B2");
    addToll("1900");
    find<QPushButton>("Cancel")->click();
    EXPECT_EQ(find("NewLockSet")->text(), "");
    EXPECT_EQ(find("APPrefixSet")->text(), "A1");
    EXPECT_EQ(tollList()->count(), 0);
    editor->DoApply();
    EXPECT_TRUE(port.log().isEmpty());
    EXPECT_TRUE(tables.DataSaved);
}

} // namespace

// The option board's memory reaches the editor as typing would: the toll list
// holds the board's entries in its order, the answer code and rings are red
// until Apply stores them.
TEST_F(SpecialCodesTest, TheOptionBoardFillsItsBoxesAsTyped)
{
    tables.TollRestrict[1] = "976";
    tables.TollRestrict[2] = "900";
    SpecialCodes& codes = load();
    OptionBoardFile board;
    board.tollRestrict = {{12, "911"}, {3, "411"}};
    board.answerCode = "";
    board.ringNumber = "4";
    tables.TollRestrict[12] = "911";
    tables.TollRestrict[3] = "411";
    codes.showOptionBoard(board);

    ASSERT_EQ(tollList()->count(), 2);
    EXPECT_EQ(tollList()->item(0)->text(), "911");
    EXPECT_EQ(tollList()->item(1)->text(), "411");
    auto* answer = find<QLineEdit>("AnswerCodeSet");
    auto* rings = find<QLineEdit>("RingNumberSet");
    EXPECT_EQ(answer->text(), "");
    EXPECT_EQ(rings->text(), "4");
    EXPECT_TRUE(red(answer));
    EXPECT_TRUE(red(rings));
    EXPECT_EQ(tables.RingNumber, "2") << "stored only by Apply";
}
