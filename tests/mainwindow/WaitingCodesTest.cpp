#include "MainFixture.h"

#include "ControllerSimulator.h"
#include "platform/QtSerialPort.h"

#include <QApplication>
#include <QTest>

namespace {

using Answer = Dialogs::Answer;

const QString LockSent = "New Lock Code Has Been Successfully Sent To The Tarvex";

} // namespace

// The program's own access code editor with a new lock code typed and not
// applied, the controller simulator on COM 3: the commands of the main
// window store the tab's other edits and send no new code.
class WaitingCodesTest : public MainFixture {
protected:
    WaitingCodesTest()
    {
        context = std::make_unique<AppContext>(
            AppContext{tables, profile, dialogs, clock, log, ini(), simPort, simPorts, sound, notices});
    }
    // The window's link holds the port, which goes before the fixture's own members.
    ~WaitingCodesTest() override { main.reset(); }
    void SetUp() override
    {
        ASSERT_FALSE(sim.devicePath().isEmpty()) << sim.error().toStdString();
        // A reply wait of seconds passes in a few passes of the event loop.
        clock.onEvents([this] { clock.sleep(100); });
        file = datFile("codes.dat");
        setIniKey("ComPort", "3");
        makeTabs = [this] { return tabsWithRefusingTimers(); };
        startTyping();
    }
    // A window afresh, the code typed in it.
    void startTyping()
    {
        main.reset();
        startOn(file);
        lockInUse = tables.CurrentLock;
        ASSERT_NE(lockInUse, "5");
        main->selectTab(SpecialCodesTab);
        box()->setFocus();
        box()->selectAll();
        QTest::keyClicks(box(), "5");
        dialogs.clear();
    }
    // Shown and active, for the keyboard's shortcuts.
    void showActive()
    {
        main->show();
        QApplication::setActiveWindow(main.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    }

    // The real editors, but for a timer editor that refuses when told to.
    EditorTabList tabsWithRefusingTimers()
    {
        EditorTabList tabs = EditorTabs();
        tabs[TimersTab].create = [this](AppContext& c, ControllerLink&, QWidget* parent) -> EditorWindow* {
            return new RecordingEditor(TimersTab, c, events, parent);
        };
        return tabs;
    }
    QLineEdit* box() const
    {
        EditorWindow* codes = main->editors().editor(SpecialCodesTab);
        return codes ? codes->findChild<QLineEdit*>("NewLockSet") : nullptr;
    }
    // Nothing reached the controller: the editor's own Apply is the first
    // line the simulator sees.
    void expectNothingSentBeforeApply()
    {
        EXPECT_EQ(tables.CurrentLock, lockInUse);
        EXPECT_FALSE(dialogs.untitledTexts().contains(LockSent));
        ASSERT_NE(box(), nullptr);
        EXPECT_EQ(box()->text(), "5") << "the new code waits in its box";
        dialogs.clear();
        main->editors().editor(SpecialCodesTab)->DoApply();
        ASSERT_TRUE(sim.waitForLines(1));
        EXPECT_EQ(sim.lines().front().text, "1*90105");
        EXPECT_EQ(sim.lines().size(), 1u);
        EXPECT_EQ(tables.CurrentLock, "5");
    }
    // Outside a text box, where the keys are Exit's.
    void pressCtrlX()
    {
        main->tabBar()->setFocus();
        QTest::keyClick(main->tabBar(), Qt::Key_X, Qt::ControlModifier);
    }
    QString questionText() const
    {
        return "Not sent to the Tarvex: the new lock code \"5\", typed on Special Codes/Autopatch. %1 drops it.\n\n"
               "Go on without sending it? No keeps it there, for that tab's Apply to send.";
    }

    ControllerSimulator sim;
    ComPorts simPorts{[this](const QString& key) { return key == "COM3" ? sim.devicePath() : QString(); },
                      [] { return QStringList(); }};
    QtSerialPort simPort{[this](int n) { return simPorts.deviceFor(n); }};
    QString file;
    QString lockInUse;
};

// Save As ends by selecting the home tab, and Exit's Yes runs Save As: the
// tab left is the access code tab, and its change must not send the code.
TEST_F(WaitingCodesTest, SaveAsSendsNoNewCode)
{
    const QString saved = dir.path("saved.dat");
    dialogs.answerFile(saved);
    ASSERT_TRUE(main->files().fileSaveAs());
    EXPECT_EQ(main->currentTab(), TimersTab);
    EXPECT_EQ(profile.read(saved, "Unlock", "Lock"), lockInUse);
    expectNothingSentBeforeApply();
}

// The code is asked about first: No to it keeps the program without asking
// to save.
TEST_F(WaitingCodesTest, ExitThenYesToSavingSendsNoNewCode)
{
    tables.DataSaved = false;
    dialogs.answer(Answer::Yes);
    dialogs.answer(Answer::Yes);
    dialogs.answerFile(dir.path("saved.dat"));
    main->files().fileExit();
    EXPECT_TRUE(main->hasEnded());
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[0].text, questionText().arg("Ending the program"));
    EXPECT_EQ(dialogs.messages()[1].title, "Save Database");
    EXPECT_EQ(profile.read(dir.path("saved.dat"), "Unlock", "Lock"), lockInUse);
    expectNothingSentBeforeApply();
}

// The access code tab stored for Save, then the timer editor refuses and is
// brought to the front: that tab change sends nothing either.
TEST_F(WaitingCodesTest, BringingARefusingEditorToFrontSendsNoNewCode)
{
    editor(TimersTab)->refuses = true;
    EXPECT_FALSE(main->files().fileSave());
    EXPECT_EQ(main->currentTab(), TimersTab);
    EXPECT_EQ(main->editors().frontTab(), TimersTab);
    editor(TimersTab)->refuses = false;
    expectNothingSentBeforeApply();
}

// Open, New and the download close the access code editor, and Exit ends
// the program: each asks first, naming what it does. No keeps the code, its
// tab in front; Yes goes on without sending it.
TEST_F(WaitingCodesTest, OpenNewDownloadAndExitAskBeforeDroppingATypedCode)
{
    showActive();
    struct Command {
        const char* name;
        QString closing;
        std::function<void()> run;
    };
    const Command commands[] = {
        {"Open", "Opening another file", [this] { main->files().fileOpen(); }},
        {"New", "Starting a new file", [this] { main->files().fileNew(); }},
        {"Download", "Downloading from the Tarvex", [this] { main->downloadFromTarvex(); }},
        {"Exit", "Ending the program", [this] { menus().fileExit->trigger(); }},
        {"Ctrl+X", "Ending the program", [this] { pressCtrlX(); }},
        {"the close button", "Ending the program", [this] { EXPECT_FALSE(main->close()); }},
    };
    for (const Command& c : commands) {
        SCOPED_TRACE(c.name);
        dialogs.clear();
        dialogs.answer(Answer::No);
        c.run();
        ASSERT_EQ(dialogs.shown().size(), 1u) << "no further question, no file dialog";
        EXPECT_EQ(dialogs.shown().front().text, questionText().arg(c.closing));
        EXPECT_EQ(dialogs.shown().front().buttons, Dialogs::Buttons::YesNo);
        EXPECT_EQ(main->currentTab(), SpecialCodesTab) << "the code kept, in front";
        EXPECT_EQ(main->editors().frontTab(), SpecialCodesTab);
        ASSERT_NE(box(), nullptr);
        EXPECT_EQ(box()->text(), "5");
        EXPECT_FALSE(main->hasEnded());
        EXPECT_TRUE(main->isVisible());
    }

    // Yes: the download goes on to its own question (answered No here).
    dialogs.clear();
    dialogs.answer(Answer::Yes);
    dialogs.answer(Answer::No);
    main->downloadFromTarvex();
    ASSERT_EQ(dialogs.shown().size(), 2u);
    EXPECT_EQ(dialogs.shown().back().title, "Confirm Download");

    // Yes: the file is opened, the editor closed with what it held.
    dialogs.clear();
    dialogs.answer(Answer::Yes);
    dialogs.answerFile(datFile("other.dat"));
    ASSERT_TRUE(main->files().fileOpen());
    EXPECT_FALSE(main->editors().isLoaded(SpecialCodesTab));
    EXPECT_EQ(tables.CurrentLock, lockInUse);
    EXPECT_TRUE(sim.lines().empty());
    EXPECT_EQ(sim.opensSeen(), 0) << "no port opened for a code";
}

// Yes to dropping the code ends the program at once, with nothing sent, by
// each way of ending it.
TEST_F(WaitingCodesTest, ExitAnsweredYesEndsWithTheCodeUnsent)
{
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Exit", [this] { menus().fileExit->trigger(); }},
        {"Ctrl+X", [this] { pressCtrlX(); }},
        {"the close button", [this] { EXPECT_TRUE(main->close()); }},
    };
    for (const auto& [name, end] : ways) {
        SCOPED_TRACE(name);
        startTyping();
        showActive();
        dialogs.answer(Answer::Yes);
        end();
        EXPECT_TRUE(main->hasEnded());
        ASSERT_EQ(dialogs.shown().size(), 1u) << "nothing else unsaved: no question to save";
        EXPECT_EQ(dialogs.shown().front().text, questionText().arg("Ending the program"));
        EXPECT_EQ(tables.CurrentLock, lockInUse);
        EXPECT_EQ(profile.read(file, "Unlock", "Lock"), lockInUse);
        EXPECT_TRUE(sim.lines().empty());
        EXPECT_EQ(sim.opensSeen(), 0) << "no port opened for a code";
    }
}
