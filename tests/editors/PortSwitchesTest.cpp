#include "EditorFixture.h"
#include "RecordingTransport.h"
#include "editors/ports/PortSwitches.h"
#include "editors/timing/Timers.h"
#include "link/ChangesUpload.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

using S = SettingsTables;

namespace {

QStringList elements(const TextArray& a)
{
    QStringList out;
    for (int i = 1; i <= a.count(); ++i)
        out << a[i];
    return out;
}

// Every flag this editor or its coupling with the timer editor may set.
FlagArray S::* const portFlags[] = {
    &S::TxEnableChanged, &S::RxEnableChanged, &S::DisableTimeoutChanged, &S::FDupChanged, &S::PLAccessChanged,
    &S::DTMFEnableChanged, &S::DTMFNeedPLChanged, &S::DTMFMuteChanged, &S::DTMFCovertoneChanged, &S::MonMixChanged,
    &S::KerchunkChanged, &S::SpeechOverrideChanged, &S::SpeechIDOverrideChanged, &S::CTCSSCTChanged,
    &S::CTCSSIDChanged, &S::TailMessageNumChanged, &S::MessageNumChanged, &S::TailCounterChanged,
    &S::PLEncodePolarityChanged, &S::COSCloseChanged, &S::AlarmChanged, &S::InActiveTimeChanged,
    &S::AnnounceTimeChanged,
};

struct PortSwitchesTest : EditorTest<PortSwitches> {
    std::unique_ptr<Timers> timers;

    void SetUp() override
    {
        for (int p = 1; p <= Count::Ports; ++p) {
            for (TextArray S::* on : {&S::TxEnable, &S::RxEnable, &S::FDup, &S::DTMFEnable, &S::DTMFMute,
                                      &S::DTMFCovertone, &S::MonMix, &S::SpeechOverride, &S::SpeechIDOverride,
                                      &S::CTCSSCT, &S::COSClose})
                (tables.*on)[p] = "1";
            for (TextArray S::* off : {&S::DisableTimeout, &S::PLAccess, &S::DTMFNeedPL, &S::Kerchunk, &S::CTCSSID,
                                       &S::TailMessageNum, &S::TailCounter, &S::PLEncodePolarity})
                (tables.*off)[p] = "0";
            tables.InActiveTime[p] = "20";
            tables.AnnounceTime[p] = "30";
        }
        // Port p's macro for its tail message k is "pk".
        for (int k = 1; k <= 3; ++k) {
            tables.P1MessageNum[k] = QString::number(10 + k);
            tables.P2MessageNum[k] = QString::number(20 + k);
            tables.P3MessageNum[k] = QString::number(30 + k);
        }
        tables.Alarm.fill("1");
        tables.AllowTerminatorSpeech = "0";
        tables.DataSaved = true;
    }

    // The timer editor beside it, as the start-up loads both.
    Timers& loadTimers()
    {
        timers = std::make_unique<Timers>(context);
        return *timers;
    }
    QLineEdit* timerBox(const QString& name) const { return find(*timers, name); }
    static bool redList(const QComboBox* list)
    {
        return list->palette().color(QPalette::ButtonText) == QColor(Qt::red);
    }
    bool tailShown(int port) const
    {
        bool shown = true;
        for (const char* name : {"MessageNumSet", "MessageLabel", "TailCounterSet", "TailCounterLabel"}) {
            const auto* w = find<QWidget>(QStringLiteral("%1(%2)").arg(name).arg(port));
            shown = shown && w && !w->isHidden();
        }
        return shown;
    }
    // Any flag of this editor or of its coupling, or the file marked unsaved.
    bool anyFlag() const
    {
        for (FlagArray S::* f : portFlags)
            if ((tables.*f).any(true))
                return true;
        return tables.AllowTerminatorSpeechChanged || tables.PortSwitchesChanged || tables.TimersChanged
            || !tables.DataSaved;
    }
    // As after an upload and a save.
    void clearFlags()
    {
        for (FlagArray S::* f : portFlags)
            (tables.*f).fill(false);
        tables.AllowTerminatorSpeechChanged = tables.PortSwitchesChanged = tables.TimersChanged = false;
        tables.DataSaved = true;
    }
};

TEST_F(PortSwitchesTest, ThreePortColumnsWithTheirListsAndTheSideGroups)
{
    load();
    for (int p = 1; p <= Count::Ports; ++p) {
        auto* access = find<QComboBox>(QStringLiteral("AccessMode(%1)").arg(p));
        ASSERT_EQ(access->count(), 3);
        EXPECT_EQ(access->itemText(1), "Tone & Carrier");
        auto* tail = find<QComboBox>(QStringLiteral("TailMessageNumSet(%1)").arg(p));
        EXPECT_EQ(tail->count(), 4);
        EXPECT_EQ(tail->currentText(), "NONE");
        EXPECT_EQ(find<QComboBox>(QStringLiteral("MessageNumSet(%1)").arg(p))->count(), 90);
        const std::pair<const char*, const char*> buttons[] = {
            {"PLCOS", "Timer Starts After COS"}, {"PLCT", "Timer Starts After CT"}, {"COSCloseSet", "COS"},
            {"PLCloseSet", "Tone"}, {"PLLow", "Lo"}, {"PLHigh", "Hi"},
        };
        for (const auto& [name, caption] : buttons)
            EXPECT_EQ(find<QRadioButton>(QStringLiteral("%1(%2)").arg(name).arg(p))->text(), caption) << name;
    }
    QStringList groups;
    for (const QGroupBox* g : editor->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly))
        groups << g->title();
    EXPECT_EQ(groups.mid(0, 3), (QStringList{"Port 1", "Port 2", "Port 3"}));
    EXPECT_EQ(find<QCheckBox>("AllowTerminatorSpeechSet")->text(), "Allow Speech w/Terminator");
    EXPECT_EQ(find<QPushButton>("Cancel")->text(), "C&ancel Changes");
}

// Each control is bound to its own setting and its own port: a mix-up of
// either shows here.
TEST_F(PortSwitchesTest, EachSwitchStoresItsPortsElementWithItsFlag)
{
    struct Case {
        const char* box;
        TextArray S::* setting;
        FlagArray S::* flag;
    } cases[] = {
        {"TxEnable", &S::TxEnable, &S::TxEnableChanged},
        {"RxEnable", &S::RxEnable, &S::RxEnableChanged},
        {"DisableTimeout", &S::DisableTimeout, &S::DisableTimeoutChanged},
        {"FDup", &S::FDup, &S::FDupChanged},
        {"SpeechOverride", &S::SpeechOverride, &S::SpeechOverrideChanged},
        {"SpeechIDOverride", &S::SpeechIDOverride, &S::SpeechIDOverrideChanged},
        {"DTMFEnable", &S::DTMFEnable, &S::DTMFEnableChanged},
        {"DTMFNeedPL", &S::DTMFNeedPL, &S::DTMFNeedPLChanged},
        {"DTMFMute", &S::DTMFMute, &S::DTMFMuteChanged},
        {"DTMFCovertone", &S::DTMFCovertone, &S::DTMFCovertoneChanged},
        {"MonMix", &S::MonMix, &S::MonMixChanged},
        {"Kerchunk", &S::Kerchunk, &S::KerchunkChanged},
        {"PLID", &S::CTCSSID, &S::CTCSSIDChanged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        SetUp();
        clearFlags();
        load();
        auto* box = find<QCheckBox>(QStringLiteral("%1(2)").arg(c.box));
        const QString before = (tables.*c.setting)[2];
        EXPECT_EQ(box->isChecked(), before == "1");
        box->click();
        editor->DoApply();
        EXPECT_EQ((tables.*c.setting)[2], before == "1" ? "0" : "1");
        EXPECT_TRUE((tables.*c.flag)[2]);
        EXPECT_FALSE((tables.*c.flag)[1] || (tables.*c.flag)[3]);
        EXPECT_TRUE(tables.PortSwitchesChanged);
        EXPECT_FALSE(tables.DataSaved);
        EXPECT_FALSE(tables.TailCounterChanged.any(true)) << "no tail counter changed";
    }
}

TEST_F(PortSwitchesTest, ListsAndOptionPairsStoreTheirCodes)
{
    load();
    pick("AccessMode(3)", "Tone Only");
    find<QRadioButton>("PLCOS(1)")->click();
    find<QRadioButton>("COSCloseSet(1)")->click();
    EXPECT_TRUE(find<QRadioButton>("PLCloseSet(2)")->isChecked()) << "each port's pair is a group of its own";
    EXPECT_TRUE(find<QRadioButton>("PLCloseSet(3)")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("PLLow(1)")->isChecked());
    find<QRadioButton>("PLHigh(3)")->click();
    find<QCheckBox>("AllowTerminatorSpeechSet")->click();
    editor->DoApply();
    EXPECT_EQ(tables.PLAccess[3], "2");
    EXPECT_EQ(tables.CTCSSCT[1], "0");
    EXPECT_EQ(elements(tables.COSClose), (QStringList{"0", "1", "1"}));
    EXPECT_EQ(elements(tables.PLEncodePolarity), (QStringList{"0", "0", "1"}));
    EXPECT_EQ(tables.AllowTerminatorSpeech, "1");
    EXPECT_TRUE(tables.PLAccessChanged[3] && tables.CTCSSCTChanged[1] && tables.COSCloseChanged[1]
                && tables.PLEncodePolarityChanged[3] && tables.AllowTerminatorSpeechChanged);
    EXPECT_FALSE(tables.COSCloseChanged[2] || tables.COSCloseChanged[3] || tables.PLEncodePolarityChanged[1]);
}

TEST_F(PortSwitchesTest, APortWithoutTailMessageShowsNoMacroOrCounterUntilOneIsPicked)
{
    tables.TailMessageNum[1] = "1";
    load();
    EXPECT_TRUE(tailShown(1));
    EXPECT_EQ(find<QComboBox>("MessageNumSet(1)")->currentText(), "11");
    EXPECT_FALSE(tailShown(2));
    EXPECT_EQ(find<QComboBox>("TailMessageNumSet(2)")->currentText(), "NONE");

    pick("TailMessageNumSet(2)", "2");
    EXPECT_TRUE(tailShown(2));
    EXPECT_EQ(find<QComboBox>("MessageNumSet(2)")->currentText(), "22") << "port 2's macro for tail message 2";
    EXPECT_FALSE(redList(find<QComboBox>("MessageNumSet(2)")));
    EXPECT_TRUE(redList(find<QComboBox>("TailMessageNumSet(2)")));
    EXPECT_FALSE(anyFlag()) << "a pick changes no setting";
    EXPECT_EQ(tables.TailMessageNum[2], "0");

    pick("TailMessageNumSet(1)", "NONE");
    EXPECT_FALSE(tailShown(1));
    EXPECT_EQ(tables.TailCounter[1], "0");
    EXPECT_FALSE(anyFlag());
}

TEST_F(PortSwitchesTest, AMacroPickChangesOnlyThatTailMessagesMacro)
{
    tables.TailMessageNum[1] = "2";
    load();
    EXPECT_EQ(find<QComboBox>("MessageNumSet(1)")->currentText(), "12");
    pick("MessageNumSet(1)", "45");
    EXPECT_TRUE(redList(find<QComboBox>("MessageNumSet(1)")));
    pick("TailMessageNumSet(1)", "3");
    EXPECT_EQ(find<QComboBox>("MessageNumSet(1)")->currentText(), "13");
    EXPECT_FALSE(redList(find<QComboBox>("MessageNumSet(1)")));
    pick("TailMessageNumSet(1)", "2");
    EXPECT_EQ(find<QComboBox>("MessageNumSet(1)")->currentText(), "45") << "the pick, not the stored macro";
    EXPECT_TRUE(redList(find<QComboBox>("MessageNumSet(1)")));

    editor->DoApply();
    EXPECT_EQ(elements(tables.P1MessageNum), (QStringList{"11", "45", "13"}));
    EXPECT_EQ(elements(tables.P2MessageNum), (QStringList{"21", "22", "23"}));
    EXPECT_TRUE(tables.MessageNumChanged[1]);
    EXPECT_FALSE(tables.MessageNumChanged[2] || tables.MessageNumChanged[3]);
    EXPECT_FALSE(tables.TailMessageNumChanged.any(true)) << "picked back to the stored 2";
    EXPECT_FALSE(tables.TailCounterChanged.any(true));
    EXPECT_TRUE(tables.PortSwitchesChanged);
    EXPECT_FALSE(tables.DataSaved);
}

TEST_F(PortSwitchesTest, AMacroPickWithAStoredTailMessageOutsideOneToThreeWritesNothing)
{
    tables.TailMessageNum[1] = "5"; // not from the reader; a memory image could hold it
    load();
    EXPECT_EQ(ListText(find<QComboBox>("MessageNumSet(1)")), "");
    pick("MessageNumSet(1)", "45");
    editor->DoApply();
    EXPECT_EQ(elements(tables.P1MessageNum), (QStringList{"11", "12", "13"}));
    EXPECT_EQ(elements(tables.P2MessageNum), (QStringList{"21", "22", "23"}));
    EXPECT_EQ(elements(tables.P3MessageNum), (QStringList{"31", "32", "33"}));
    EXPECT_FALSE(anyFlag());
}

TEST_F(PortSwitchesTest, TheTailCounterTakesZeroTo254AndAnEmptyBoxAsZero)
{
    tables.TailMessageNum[2] = "1";
    tables.TailCounter[2] = "7";
    load();
    QLineEdit* counter = find("TailCounterSet(2)");
    struct Case {
        QString typed;
        bool refused;
        QString shown;
    } cases[] = {{"254", false, "254"}, {"255", true, "7"}, {"", false, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        dialogs.script.clear();
        type(counter, c.typed);
        focusOut(counter);
        if (c.refused) {
            ASSERT_EQ(dialogs.script.messages().size(), 1u);
            EXPECT_EQ(dialogs.script.messages()[0].text, "The Tail Counter value must be between 0 and 254");
            EXPECT_EQ(dialogs.script.messages()[0].title, "Try Again!");
            EXPECT_EQ(dialogs.script.messages()[0].icon, Dialogs::Icon::Critical);
        } else {
            EXPECT_TRUE(messages().isEmpty());
        }
        EXPECT_EQ(counter->text(), c.shown);
    }
    editor->DoApply();
    EXPECT_EQ(tables.TailCounter[2], "0") << "what the controller and the file can take";
    EXPECT_TRUE(tables.TailCounterChanged[2]);
    EXPECT_FALSE(tables.TailCounterChanged[1] || tables.TailCounterChanged[3]);
}

// The copy is the box's text: a stored "05" shows black and is no change.
TEST_F(PortSwitchesTest, AStoredTailCounterWithALeadingZeroIsNoEdit)
{
    tables.TailMessageNum[2] = "1";
    tables.TailCounter[2] = "05";
    load();
    EXPECT_EQ(find("TailCounterSet(2)")->text(), "05");
    EXPECT_FALSE(red(find("TailCounterSet(2)")));
    editor->DoApply();
    EXPECT_EQ(tables.TailCounter[2], "05");
    EXPECT_FALSE(tables.TailCounterChanged.any(true));
    EXPECT_TRUE(tables.DataSaved);
}

TEST_F(PortSwitchesTest, CancelAfterANonePickLeavesTheSettingsAndFlagsUntouched)
{
    tables.TailMessageNum[1] = "2";
    tables.TailCounter[1] = "5";
    load();
    pick("TailMessageNumSet(1)", "NONE");
    EXPECT_FALSE(tailShown(1));
    EXPECT_EQ(tables.TailCounter[1], "5");

    find<QPushButton>("Cancel")->click();
    EXPECT_EQ(find<QComboBox>("TailMessageNumSet(1)")->currentText(), "2");
    EXPECT_FALSE(redList(find<QComboBox>("TailMessageNumSet(1)")));
    EXPECT_TRUE(tailShown(1));
    EXPECT_EQ(find<QComboBox>("MessageNumSet(1)")->currentText(), "12");
    EXPECT_EQ(find("TailCounterSet(1)")->text(), "5");

    editor->DoApply();
    EXPECT_FALSE(anyFlag());
    EXPECT_EQ(tables.TailMessageNum[1], "2");
    EXPECT_EQ(tables.TailCounter[1], "5");
    EXPECT_EQ(tables.AnnounceTime[1], "30");
}

TEST_F(PortSwitchesTest, NoneAppliedZeroesTheCounterAndTheTailMessageTimerInBothEditors)
{
    tables.TailMessageNum[1] = "2";
    tables.TailCounter[1] = "5";
    load();
    loadTimers();
    pick("TailMessageNumSet(1)", "NONE");
    editor->DoApply();
    EXPECT_EQ(tables.TailMessageNum[1], "0");
    EXPECT_EQ(tables.TailCounter[1], "0");
    EXPECT_EQ(find("TailCounterSet(1)")->text(), "0");
    EXPECT_TRUE(tables.TailMessageNumChanged[1] && tables.TailCounterChanged[1] && tables.MessageNumChanged[1]);
    EXPECT_EQ(tables.AnnounceTime[1], "0");
    EXPECT_TRUE(tables.AnnounceTimeChanged[1]);
    EXPECT_TRUE(tables.TimersChanged);
    EXPECT_EQ(tables.AnnounceTime[2], "30");
    EXPECT_FALSE(tables.TailCounterChanged[2] || tables.AnnounceTimeChanged[2]);
    EXPECT_EQ(timerBox("AnnounceTimer(1)")->text(), "0");
    EXPECT_FALSE(red(timerBox("AnnounceTimer(1)")));

    // The timer editor agrees: its Apply neither restores nor flags the old time.
    clearFlags();
    timers->DoApply();
    editor->DoApply();
    EXPECT_EQ(tables.AnnounceTime[1], "0");
    EXPECT_FALSE(anyFlag());
}

TEST_F(PortSwitchesTest, TheInactivitySwitchAndTheTimerEditorFollowEachOther)
{
    load();
    loadTimers();
    auto* disable3 = find<QCheckBox>("DisableTimeout(3)");
    disable3->click();
    editor->DoApply();
    EXPECT_EQ(tables.DisableTimeout[3], "1");
    EXPECT_TRUE(tables.DisableTimeoutChanged[3]);
    EXPECT_EQ(tables.InActiveTime[3], "0");
    EXPECT_TRUE(tables.InActiveTimeChanged[3]);
    EXPECT_TRUE(tables.TimersChanged);
    EXPECT_FALSE(tables.InActiveTimeChanged[1] || tables.InActiveTimeChanged[2]);
    EXPECT_EQ(timerBox("InactiveTimer(3)")->text(), "0");
    EXPECT_FALSE(red(timerBox("InactiveTimer(3)")));
    EXPECT_FALSE(find<QGroupBox>(*timers, "InactivityFrame(3)")->isEnabled());

    clearFlags();
    editor->DoApply();
    EXPECT_FALSE(anyFlag()) << "the timer is 0 already";

    // The timer editor's Apply ticks or unticks the switch to match.
    type(timerBox("InactiveTimer(2)"), "0");
    type(timerBox("InactiveTimer(3)"), "15");
    timers->DoApply();
    EXPECT_TRUE(find<QCheckBox>("DisableTimeout(2)")->isChecked());
    EXPECT_FALSE(disable3->isChecked());
    EXPECT_EQ(elements(tables.DisableTimeout), (QStringList{"0", "1", "0"}));
    clearFlags();
    editor->DoApply();
    EXPECT_FALSE(anyFlag()) << "the switches took the stored values; nothing of this editor changed";

    // Unticked here, the timer stays 0, and the timer editor's Cancel ticks it again.
    find<QCheckBox>("DisableTimeout(2)")->click();
    editor->DoApply();
    EXPECT_EQ(tables.DisableTimeout[2], "0");
    EXPECT_EQ(tables.InActiveTime[2], "0");
    find<QPushButton>(*timers, "CancelChanges")->click();
    EXPECT_TRUE(find<QCheckBox>("DisableTimeout(2)")->isChecked());
    EXPECT_EQ(tables.DisableTimeout[2], "1");
}

// A file may hold the switch ticked while the timer runs. The switch shows
// what is stored (what the controller is sent); only the user's tick turns the
// timer off, so an Apply that changed nothing leaves the saved file saved.
TEST_F(PortSwitchesTest, ASwitchLoadedTickedBesideARunningTimerChangesNothingUntilTicked)
{
    tables.DisableTimeout[2] = "1";
    load();
    loadTimers();
    auto* disable2 = find<QCheckBox>("DisableTimeout(2)");
    EXPECT_TRUE(disable2->isChecked());
    editor->DoApply();
    editor->DoApply();
    EXPECT_FALSE(anyFlag());
    EXPECT_EQ(tables.InActiveTime[2], "20");
    EXPECT_EQ(timerBox("InactiveTimer(2)")->text(), "20");

    disable2->click();
    editor->DoApply();
    EXPECT_EQ(tables.DisableTimeout[2], "0");
    EXPECT_EQ(tables.InActiveTime[2], "20") << "unticking leaves the timer";
    disable2->click();
    editor->DoApply();
    EXPECT_EQ(tables.InActiveTime[2], "0");
    EXPECT_TRUE(tables.InActiveTimeChanged[2]);
    EXPECT_EQ(timerBox("InactiveTimer(2)")->text(), "0");
}

// A value that is neither code shows the pair's first button: "COS", "Lo",
// "Timer Starts After COS". Showing it is no change, on load or Cancel.
TEST_F(PortSwitchesTest, AValueThatIsNeitherOptionShowsTheFirstButtonAndStaysAsStored)
{
    tables.CTCSSCT[1] = "7";
    tables.PLEncodePolarity[2] = "";
    tables.COSClose[3] = "2";
    load();
    for (int round = 0; round < 2; ++round) {
        EXPECT_TRUE(find<QRadioButton>("PLCOS(1)")->isChecked());
        EXPECT_FALSE(find<QRadioButton>("PLCT(1)")->isChecked());
        EXPECT_TRUE(find<QRadioButton>("PLLow(2)")->isChecked());
        EXPECT_TRUE(find<QRadioButton>("COSCloseSet(3)")->isChecked());
        EXPECT_FALSE(find<QRadioButton>("PLCloseSet(3)")->isChecked());
        editor->DoApply();
        EXPECT_FALSE(anyFlag()) << round;
        EXPECT_EQ(tables.CTCSSCT[1], "7");
        EXPECT_EQ(tables.PLEncodePolarity[2], "");
        EXPECT_EQ(tables.COSClose[3], "2");
        find<QRadioButton>("PLCT(1)")->click();
        find<QPushButton>("Cancel")->click();
    }
    find<QRadioButton>("PLCOS(1)")->click();
    editor->DoApply();
    EXPECT_EQ(tables.CTCSSCT[1], "0") << "the user's pick of the button shown";
    EXPECT_TRUE(tables.CTCSSCTChanged[1]);
}

TEST_F(PortSwitchesTest, AnAlarmChangeFlagsOnlyThatAlarmAndOnlyOnce)
{
    load();
    find<QCheckBox>("Alarm(4)")->click();
    editor->DoApply();
    EXPECT_EQ(tables.Alarm[4], "0");
    EXPECT_TRUE(tables.AlarmChanged[4]);
    EXPECT_FALSE(tables.AlarmChanged[1] || tables.AlarmChanged[2] || tables.AlarmChanged[3] || tables.AlarmChanged[5]);
    EXPECT_TRUE(tables.PortSwitchesChanged);
    EXPECT_FALSE(tables.DataSaved);
    clearFlags();
    editor->DoApply();
    EXPECT_FALSE(anyFlag());
}

TEST_F(PortSwitchesTest, AnApplyWithNoChangeLeavesASavedFileSaved)
{
    load();
    tables.TxEnableChanged[1] = true; // applied earlier, not yet uploaded
    tables.PortSwitchesChanged = false;
    editor->DoApply();
    EXPECT_TRUE(tables.DataSaved);
    EXPECT_FALSE(tables.PortSwitchesChanged);
    EXPECT_FALSE(tables.TailCounterChanged.any(true));
}

TEST_F(PortSwitchesTest, CancelShowsWhatApplyWouldStore)
{
    tables.PLEncodePolarity[2] = "1";
    tables.TailMessageNum[3] = "1";
    load();
    find<QRadioButton>("PLLow(2)")->click();
    find<QRadioButton>("PLHigh(1)")->click();
    pick("AccessMode(1)", "Tone & Carrier");
    find<QCheckBox>("MonMix(3)")->click();
    find<QCheckBox>("Alarm(2)")->click();
    find<QCheckBox>("AllowTerminatorSpeechSet")->click();
    pick("MessageNumSet(3)", "90");
    type(find("TailCounterSet(3)"), "9");
    pick("TailMessageNumSet(3)", "NONE");
    pick("TailMessageNumSet(1)", "3");

    find<QPushButton>("Cancel")->click();
    EXPECT_TRUE(find<QRadioButton>("PLHigh(2)")->isChecked()) << "Hi for the stored 1";
    EXPECT_TRUE(find<QRadioButton>("PLLow(1)")->isChecked()) << "Lo for the stored 0";
    EXPECT_EQ(find<QComboBox>("AccessMode(1)")->currentText(), "Carrier");
    EXPECT_TRUE(find<QCheckBox>("MonMix(3)")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("Alarm(2)")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("AllowTerminatorSpeechSet")->isChecked());
    EXPECT_TRUE(tailShown(3));
    EXPECT_EQ(find<QComboBox>("MessageNumSet(3)")->currentText(), "31");
    EXPECT_FALSE(redList(find<QComboBox>("MessageNumSet(3)")));
    EXPECT_EQ(find("TailCounterSet(3)")->text(), "0");
    EXPECT_FALSE(red(find("TailCounterSet(3)")));
    EXPECT_FALSE(tailShown(1));
    EXPECT_FALSE(redList(find<QComboBox>("TailMessageNumSet(1)")));

    editor->DoApply();
    EXPECT_FALSE(anyFlag());
    EXPECT_EQ(tables.PLEncodePolarity[2], "1");
    EXPECT_EQ(tables.P3MessageNum[1], "31");
}

TEST_F(PortSwitchesTest, ATailMessageAndItsMacroGoOutWithTheChangesOnlyUpload)
{
    load();
    pick("TailMessageNumSet(2)", "3");
    pick("MessageNumSet(2)", "45");
    editor->DoApply();
    EXPECT_EQ(tables.P2MessageNum[3], "45");

    tables.CurrentLock = "1234";
    tables.Terminator = "#";
    RecordingTransport link;
    ScriptedDialogs shown;
    EXPECT_EQ(ChangesUpload(tables, link, shown).run(), UploadRunner::Result::Completed);
    EXPECT_EQ(link.lines(), (QStringList{"2*21113", "2*2110121", "2*2110222", "2*2110345", "2*21120"}));
    EXPECT_FALSE(tables.TailMessageNumChanged[2] || tables.MessageNumChanged[2] || tables.TailCounterChanged[2]);
}

} // namespace
