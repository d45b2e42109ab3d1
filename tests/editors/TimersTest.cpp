#include "EditorFixture.h"
#include "editors/timing/Timers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

struct TimersTest : EditorTest<Timers> {
    // Each inactivity switch written for the port switch editor: port, ticked.
    QList<QVariantList> switches;

    // The listener goes with the fixture's notices, so it is never stopped.
    TimersTest()
    {
        notices.listen(nullptr, [this](const SettingElement& e) {
            if (e.setting.array == &SettingsTables::DisableTimeout)
                switches << QVariantList{e.index, tables.DisableTimeout[e.index] == "1"};
        });
    }

    void SetUp() override
    {
        for (int i = 1; i <= Count::Ports; ++i) {
            tables.HangTime[i] = "50";
            tables.TimeOut[i] = "180";
            tables.IIDTime[i] = "10";
            tables.PIDTime[i] = "10";
            tables.InActiveTime[i] = "20";
            tables.InActivityMacro[i] = "1";
            tables.DTMFTime[i] = "7";
            tables.CTCSSTime[i] = "50";
            tables.KerchunkTime[i] = "1000";
            tables.IDSpeakTime[i] = "60";
            tables.AnnounceTime[i] = "0";
            tables.AuxTime[i] = "50";
            tables.GeneralTimer[i] = "0";
            tables.GeneralTimerMacro[i] = "1";
        }
        tables.FanTime = "1";
        tables.FanSelect = "0";
        tables.XmtDelay = "1000";
        tables.TimeoutLink = "0";
        tables.DataSaved = true;
    }

    bool anyFlag() const
    {
        return tables.TimersChanged || !tables.DataSaved || tables.HangTimeChanged.any(true) ||
               tables.TimeOutChanged.any(true) || tables.InActiveTimeChanged.any(true) ||
               tables.InActivityMacroChanged.any(true) || tables.GeneralTimerChanged.any(true) ||
               tables.AuxTimeChanged.any(true) || tables.FanTimeChanged || tables.FanSelectChanged ||
               tables.XmtDelayChanged || tables.TimeoutLinkChanged;
    }
};

TEST_F(TimersTest, StoredLeadingZerosShowRedButApplySetsNoFlag)
{
    tables.HangTime[1] = "050";
    tables.AuxTime[2] = "50";
    load();
    EXPECT_EQ(find("HangTimer(1)")->text(), "050");
    EXPECT_TRUE(red(find("HangTimer(1)")));
    EXPECT_FALSE(red(find("HangTimer(2)")));

    editor->DoApply();
    EXPECT_FALSE(anyFlag());
    EXPECT_EQ(tables.HangTime[1], "050");
    EXPECT_TRUE(red(find("HangTimer(1)"))) << "Apply leaves the marking alone";
}

TEST_F(TimersTest, OutOfRangeOnLeavingShowsTheMessageAndPutsTheStoredValueBack)
{
    load();
    QLineEdit* hang = find("HangTimer(2)");
    type(hang, "256");
    EXPECT_TRUE(red(hang));
    focusOut(hang);

    ASSERT_EQ(dialogs.script.messages().size(), 1u);
    const auto shown = dialogs.script.messages()[0];
    EXPECT_EQ(shown.title, "Try Again!");
    EXPECT_EQ(shown.text, "The value must be between 0 and 255");
    EXPECT_EQ(shown.icon, Dialogs::Icon::Critical);
    EXPECT_EQ(hang->text(), "50");
    EXPECT_FALSE(red(hang));
    editor->DoApply();
    EXPECT_FALSE(anyFlag());
}

TEST_F(TimersTest, EachBoxKeepsItsOwnLimits)
{
    load();
    struct Case {
        const char* box;
        QString value;
        QString message; // empty: accepted
        QString stored;
    } cases[] = {
        {"HangTimer(1)", "255", "", "50"},
        {"HangTimer(2)", "0000000000000000000255", "", "50"},
        {"HangTimer(3)", "1234567890123456", "The value must be between 0 and 255", "50"},
        {"TimeOutTimer(2)", QString(400, u'9'), "The value must be between 0 and 32767", "180"},
        {"TimeOutTimer(1)", "32767", "", "180"},
        {"TimeOutTimer(1)", "32768", "The value must be between 0 and 32767", "180"},
        {"IIDTimer(2)", "256", "The value must be between 0 and 255", "10"},
        {"InactiveTimer(3)", "256", "The value must be between 0 and 255", "20"},
        {"DTMFTimer(1)", "0", "", "7"},
        {"DTMFTimer(1)", "10000", "The value must be between 1 and 9999", "7"},
        {"CTCSSTimer(2)", "256", "The value must be between 0 and 255", "50"},
        {"KerchunkTimer(3)", "32001", "The value must be between 0 and 32000", "1000"},
        {"IDSpeakTimer(1)", "32001", "The value must be between 0 and 32000", "60"},
        {"AnnounceTimer(2)", "3600", "", "0"},
        {"AnnounceTimer(2)", "3601", "The value must be between 0 and 3600", "0"},
        {"AuxTimer(1)", "0", "", "50"},
        {"AuxTimer(3)", "32768", "The value must be between 1 and 32767", "50"},
        {"FanTimer", "32767", "", "1"},
        {"FanTimer", "32768", "The value must be greater than 1 and less than 32767", "1"},
    };
    for (const Case& c : cases) {
        dialogs.script.clear();
        QLineEdit* box = find(c.box);
        type(box, c.value);
        focusOut(box);
        if (c.message.isEmpty()) {
            EXPECT_TRUE(messages().isEmpty()) << c.box << " " << c.value.toStdString();
            EXPECT_EQ(box->text(), c.value);
        } else {
            EXPECT_EQ(messages(), QStringList{c.message}) << c.box;
            EXPECT_EQ(box->text(), c.stored) << c.box;
        }
    }
}

TEST_F(TimersTest, ANegativeValueSetIntoABoxIsRefusedOnLeaving)
{
    load();
    QLineEdit* timeout = find("TimeOutTimer(1)");
    focusIn(timeout);
    timeout->setText("-5"); // pasted past the digit filter
    focusOut(timeout);
    EXPECT_EQ(messages(), QStringList{"The value must be between 0 and 32767"});
    EXPECT_EQ(timeout->text(), "180");
}

TEST_F(TimersTest, LeavingTheTabAppliesAndASecondApplyFindsNothingNew)
{
    load();
    type(find("TimeOutTimer(3)"), "240");
    focusOut(find("TimeOutTimer(3)"));
    editor->DoApply();
    EXPECT_TRUE(tables.TimeOutChanged[3]);
    EXPECT_FALSE(tables.TimeOutChanged[1]);
    EXPECT_FALSE(tables.HangTimeChanged.any(true));
    EXPECT_TRUE(tables.TimersChanged);
    EXPECT_FALSE(tables.DataSaved);
    EXPECT_EQ(tables.TimeOut[3], "240");

    tables.TimeOutChanged.fill(false);
    tables.TimersChanged = false;
    tables.DataSaved = true;
    editor->DoApply();
    EXPECT_FALSE(anyFlag());
}

TEST_F(TimersTest, LeavingTheTabRunsTheCheckOfTheBoxStillBeingEdited)
{
    load();
    QLineEdit* hang = find("HangTimer(1)");
    type(hang, "300"); // the focus stays in the box
    editor->DoApply();
    EXPECT_EQ(messages(), QStringList{"The value must be between 0 and 255"});
    EXPECT_EQ(tables.HangTime[1], "50");
    EXPECT_FALSE(anyFlag());
}

TEST_F(TimersTest, TheMessageDoesNotReenterOnASecondFocusLoss)
{
    load();
    QLineEdit* hang = find("HangTimer(1)");
    type(hang, "300");
    dialogs.whileShown = [&] { focusOut(hang, Qt::MouseFocusReason); };
    focusOut(hang);
    EXPECT_EQ(messages().size(), 1);
    EXPECT_EQ(hang->text(), "50");
}

TEST_F(TimersTest, AFocusLossToAPopupOrAnotherWindowIsNoLeaving)
{
    load();
    QLineEdit* hang = find("HangTimer(1)");
    type(hang, "300");
    focusOut(hang, Qt::PopupFocusReason);
    focusOut(hang, Qt::ActiveWindowFocusReason);
    EXPECT_TRUE(messages().isEmpty());
    editor->DoApply(); // but the check is still due
    EXPECT_EQ(messages().size(), 1);
    EXPECT_EQ(tables.HangTime[1], "50");
}

TEST_F(TimersTest, InactivityTimerDrivesItsMacroFrameAndTheInactivitySwitch)
{
    tables.InActiveTime[2] = "0";
    load();
    switches.clear();
    EXPECT_TRUE(find<QGroupBox>("InactivityFrame(1)")->isEnabled());
    EXPECT_FALSE(find<QGroupBox>("InactivityFrame(2)")->isEnabled());
    EXPECT_FALSE(find<QComboBox>("InActivityMacroSet(2)")->isEnabled());

    QLineEdit* inactive = find("InactiveTimer(1)");
    type(inactive, "");
    EXPECT_FALSE(find<QGroupBox>("InactivityFrame(1)")->isEnabled());
    EXPECT_FALSE(find<QComboBox>("InActivityMacroSet(1)")->isEnabled());
    type(inactive, "5");
    EXPECT_TRUE(find<QGroupBox>("InactivityFrame(1)")->isEnabled());
    type(inactive, "");
    focusOut(inactive);
    EXPECT_TRUE(messages().isEmpty()) << "an empty box reads 0";

    editor->DoApply();
    EXPECT_EQ(tables.InActiveTime[1], "0") << "the empty box is stored as 0, which the reader takes";
    EXPECT_TRUE(tables.InActiveTimeChanged[1]);
    EXPECT_EQ(tables.DisableTimeout[1], "1");
    EXPECT_EQ(tables.DisableTimeout[2], "1");
    EXPECT_EQ(tables.DisableTimeout[3], "0");
    ASSERT_EQ(switches.size(), 3);
    EXPECT_EQ(switches[0], (QVariantList{1, true}));
    EXPECT_EQ(switches[2], (QVariantList{3, false}));
    EXPECT_FALSE(tables.DisableTimeoutChanged.any(true));
}

// The note belongs to the initial ID timer: beside the time-out timer it would
// say that a time-out of 0 disables the IDs.
TEST_F(TimersTest, TheIdNoteAndTheInactivityMacroFrameStandOnTheirTimersRows)
{
    load();
    for (int port = 1; port <= Count::Ports; ++port) {
        SCOPED_TRACE(port);
        QWidget* page = find(QStringLiteral("IIDTimer(%1)").arg(port))->parentWidget();
        auto* grid = qobject_cast<QGridLayout*>(page->layout());
        ASSERT_NE(grid, nullptr);
        // Row and row span of a widget of the page.
        const auto place = [grid](QWidget* w) {
            int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
            grid->getItemPosition(grid->indexOf(w), &row, &column, &rowSpan, &columnSpan);
            return std::pair{row, rowSpan};
        };
        const auto label = [&](const QString& text) -> QWidget* {
            for (QLabel* l : page->findChildren<QLabel*>())
                if (l->text() == text)
                    return l;
            ADD_FAILURE() << "no label " << text.toStdString();
            return nullptr;
        };
        const int initialId = place(label("Initial ID Timer")).first;
        EXPECT_EQ(place(label("(note: setting this to 0 will disable IDs)")).first, initialId);
        EXPECT_NE(place(label("Timeout Timer")).first, initialId);

        const auto [frameRow, frameSpan] = place(find<QGroupBox>(QStringLiteral("InactivityFrame(%1)").arg(port)));
        EXPECT_EQ(find<QGroupBox>(QStringLiteral("InactivityFrame(%1)").arg(port))->title(), "Inactivity Timer Macro Select");
        const int inactivity = place(label("Inactivity Timer")).first;
        EXPECT_EQ(frameRow + frameSpan / 2, inactivity) << "centred on the inactivity timer's row";
        EXPECT_GT(frameRow, initialId) << "clear of the note";
    }
}

TEST_F(TimersTest, GeneralTimerRefusesAFifthDigitTooManyAndAnEmptyBoxAtApply)
{
    load();
    QLineEdit* general = find("GeneralTimerSet(2)");
    type(general, "3276");
    EXPECT_TRUE(messages().isEmpty());
    QTest::keyClicks(general, "8");
    ASSERT_EQ(dialogs.script.messages().size(), 1u);
    const auto shown = dialogs.script.messages()[0];
    EXPECT_EQ(shown.text, "Value must be less than 32767");
    EXPECT_EQ(shown.title, "Tarvex Programmer");
    EXPECT_EQ(shown.icon, Dialogs::Icon::None);
    EXPECT_EQ(general->text(), "");
    EXPECT_TRUE(red(general));

    // An empty general timer would load back as its default: refused, with
    // the box named (the check's "less than 32767" does not fit it), and left
    // for the user to mend.
    editor->DoApply();
    EXPECT_EQ(messages().size(), 2);
    EXPECT_TRUE(messages().last().startsWith("General Timer (2): \"\" cannot be stored"))
        << messages().last().toStdString();
    EXPECT_EQ(general->text(), "");
    EXPECT_EQ(tables.GeneralTimer[2], "0");
    EXPECT_FALSE(anyFlag());

    type(general, "32767");
    editor->DoApply();
    EXPECT_EQ(messages().size(), 2);
    EXPECT_EQ(tables.GeneralTimer[2], "32767");
    EXPECT_TRUE(tables.GeneralTimerChanged[2]);
}

TEST_F(TimersTest, SpeechDelayTakesAnyTextButApplyRefusesWhatCouldNotBeReadBack)
{
    load();
    QLineEdit* delay = find("XmtDelaySet");
    type(delay, "12a");
    EXPECT_EQ(delay->text(), "12a") << "not digits only";
    focusOut(delay);
    EXPECT_TRUE(messages().isEmpty()) << "no check on leaving";
    // Refused by what is wrong with the text: no number, or a number out of range.
    const struct {
        QString text;
        QString message;
    } refused[] = {
        {"12a", "The value must be a whole number"},
        {"abc", "The value must be a whole number"},
        {"", "The value must be a whole number"},
        {"1.5", "The value must be a whole number"},
        {"-5", "The value must be between 0 and 32767"},
        {"32768", "The value must be between 0 and 32767"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.text.toStdString());
        dialogs.script.clear();
        type(delay, c.text);
        editor->DoApply();
        EXPECT_EQ(messages(), QStringList{"Before Transmit: " + c.message + ". Nothing was applied."});
        EXPECT_EQ(delay->text(), c.text) << "kept for the user to mend";
        EXPECT_EQ(tables.XmtDelay, "1000");
        EXPECT_FALSE(anyFlag());
    }

    type(delay, "750");
    editor->DoApply();
    EXPECT_EQ(tables.XmtDelay, "750");
    EXPECT_TRUE(tables.XmtDelayChanged);
}

// The refused box stops the whole Apply: the good edit beside it is neither
// stored nor lost, and both boxes keep what was typed.
TEST_F(TimersTest, ARefusedSpeechDelayStopsTheAuxTimerBesideIt)
{
    load();
    const QString aux = tables.AuxTime[1];
    type(find("AuxTimer(1)"), "33");
    type(find("XmtDelaySet"), "12abc");
    editor->DoApply();
    EXPECT_EQ(messages(), QStringList{"Before Transmit: The value must be a whole number. Nothing was applied."});
    EXPECT_EQ(find("XmtDelaySet")->text(), "12abc");
    EXPECT_EQ(find("AuxTimer(1)")->text(), "33");
    EXPECT_EQ(tables.AuxTime[1], aux);
    EXPECT_EQ(tables.XmtDelay, "1000");
    EXPECT_FALSE(anyFlag());
    EXPECT_TRUE(tables.DataSaved);
}

TEST_F(TimersTest, MacroListsTakeOnlyAPickedItemAndShowAStoredTextThatIsNoItem)
{
    tables.InActivityMacro[1] = "01";
    load();
    auto* list = find<QComboBox>("InActivityMacroSet(1)");
    EXPECT_EQ(list->count(), 90);
    EXPECT_EQ(list->itemText(0), "1");
    EXPECT_EQ(list->itemText(89), "90");
    EXPECT_EQ(ListText(list), "01");
    EXPECT_EQ(ListText(find<QComboBox>("GeneralTimerMacroSet(3)")), "1");

    list->setCurrentIndex(4); // the program's own setting is no pick
    editor->DoApply();
    EXPECT_FALSE(anyFlag());

    pick(list, "1");
    editor->DoApply();
    EXPECT_TRUE(tables.InActivityMacroChanged[1]) << "1 is not 01";
    EXPECT_EQ(tables.InActivityMacro[1], "1");
}

TEST_F(TimersTest, CheckBoxesStoreTheirStates)
{
    load();
    auto* fan = find<QCheckBox>("FanSelect");
    auto* link = find<QCheckBox>("TimeoutLinkSet");
    EXPECT_TRUE(fan->isChecked()) << "FanSelect 0 ticks All Xmt Activity";
    EXPECT_FALSE(link->isChecked());
    fan->setChecked(false);
    link->setChecked(true);
    editor->DoApply();
    EXPECT_EQ(tables.FanSelect, "1");
    EXPECT_EQ(tables.TimeoutLink, "1");
    EXPECT_TRUE(tables.FanSelectChanged);
    EXPECT_TRUE(tables.TimeoutLinkChanged);
}

TEST_F(TimersTest, CancelRestoresTheBoxesAndLinkButKeepsTheMacroAndFanChoices)
{
    load();
    switches.clear();
    type(find("HangTimer(1)"), "70");
    type(find("InactiveTimer(3)"), "0");
    type(find("GeneralTimerSet(1)"), "99");
    type(find("XmtDelaySet"), "5");
    pick(find<QComboBox>("InActivityMacroSet(2)"), "7");
    pick(find<QComboBox>("GeneralTimerMacroSet(1)"), "9");
    find<QCheckBox>("TimeoutLinkSet")->setChecked(true);
    find<QCheckBox>("FanSelect")->setChecked(false);

    find<QPushButton>("CancelChanges")->click();
    EXPECT_EQ(find("HangTimer(1)")->text(), "50");
    EXPECT_FALSE(red(find("HangTimer(1)")));
    EXPECT_EQ(find("InactiveTimer(3)")->text(), "20");
    EXPECT_TRUE(find<QGroupBox>("InactivityFrame(3)")->isEnabled());
    EXPECT_EQ(find("GeneralTimerSet(1)")->text(), "0");
    EXPECT_EQ(find("XmtDelaySet")->text(), "1000");
    EXPECT_EQ(ListText(find<QComboBox>("GeneralTimerMacroSet(1)")), "1");
    EXPECT_FALSE(find<QCheckBox>("TimeoutLinkSet")->isChecked());
    EXPECT_EQ(ListText(find<QComboBox>("InActivityMacroSet(2)")), "7");
    EXPECT_FALSE(find<QCheckBox>("FanSelect")->isChecked());
    EXPECT_EQ(switches.size(), 3);
    EXPECT_EQ(tables.DisableTimeout[3], "0");

    find<QPushButton>("Apply")->click();
    EXPECT_EQ(tables.HangTime[1], "50");
    EXPECT_FALSE(tables.HangTimeChanged.any(true));
    EXPECT_FALSE(tables.TimeoutLinkChanged);
    EXPECT_FALSE(tables.GeneralTimerChanged.any(true));
    EXPECT_TRUE(tables.InActivityMacroChanged[2]) << "the new macro survives the cancel";
    EXPECT_EQ(tables.InActivityMacro[2], "7");
    EXPECT_EQ(tables.FanSelect, "1");
}

} // namespace
