#include "MainFixture.h"

#include "link/TTPad.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>

using TabStrip = MainFixture;

TEST_F(TabStrip, ElevenTabsWithTheirCaptionsInOrder)
{
    startOn(datFile("a.dat"));
    const QStringList captions{"Timers", "Courtesy Tones", "Macros", "Scheduler/Clock", "Analog", "IDs",
                               "Messages", "DTMF", "Alarms/R. Base/Aux Audio", "Special Codes/Autopatch",
                               "Port Switches"};
    ASSERT_EQ(main->tabBar()->count(), 11);
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(main->tabBar()->tabText(i), captions[i]);
}

TEST_F(TabStrip, ATabChangeBringsTheNewEditorToFrontBeforeApplyingTheOld)
{
    startOn(datFile("a.dat"));
    EXPECT_FALSE(main->editors().isLoaded(SpecialCodesTab));
    editor(0)->pendingEdit = true;
    main->tabBar()->setCurrentIndex(SpecialCodesTab);
    EXPECT_TRUE(main->editors().isLoaded(SpecialCodesTab));
    main->tabBar()->setCurrentIndex(3);
    EXPECT_EQ(events, (QStringList{"apply 0 front 9", "apply 9 front 3"}));
    // The edit typed in the timer editor is now in the tables.
    EXPECT_EQ(tables.FanTime, "123");
    EXPECT_FALSE(tables.DataSaved);
}

// The roles belong to the rows of the tab table: given to other tabs, the
// window follows them at start-up, in the file commands and at a reload.
// The editor left refuses while its tab is still current: its message shows
// over it, and the tab the user was leaving for is never shown, whichever way
// the user leaves.
TEST_F(TabStrip, ARefusedEditsMessageShowsWhileTheRefusingTabIsCurrent)
{
    makeTabs = [] { return EditorTabs(); };
    startOn(datFile("a.dat"));
    main->show();
    QApplication::setActiveWindow(main.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    QTabBar* strip = main->tabBar();
    const struct {
        const char* how;
        int to;
        std::function<void()> leave;
    } ways[] = {
        {"a click", MessagesTab,
         [&] { QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(MessagesTab).center()); }},
        {"the arrow key", SchedulerTab + 1,
         [&] {
             strip->setFocus();
             QTest::keyClick(strip, Qt::Key_Right);
         }},
        {"the program", MessagesTab, [&] { main->selectTab(MessagesTab); }},
    };
    main->selectTab(SchedulerTab);
    auto* correction = main->editors().editor(SchedulerTab)->findChild<QLineEdit*>("ClockCorrectionSet");
    ASSERT_NE(correction, nullptr);
    correction->setFocus();
    correction->selectAll();
    QTest::keyClicks(correction, "x5");
    ASSERT_EQ(correction->text(), "x5");
    const QString stored = tables.ClockCorrection;
    for (const auto& w : ways) {
        SCOPED_TRACE(w.how);
        dialogs.clear();
        struct {
            int current = -1, front = -1;
            bool leftForShown = true;
        } atMessage;
        dialogs.onMessage([&](const ScriptedDialogs::Shown&) {
            atMessage = {strip->currentIndex(), main->editors().frontTab(),
                         main->editors().editor(w.to)->isVisible()};
        });
        w.leave();
        dialogs.onMessage(nullptr);
        ASSERT_EQ(dialogs.messages().size(), 1u);
        EXPECT_TRUE(dialogs.messages()[0].text.startsWith("Clock Correction: \"x5\""));
        EXPECT_EQ(atMessage.current, SchedulerTab) << "the tab strip shows the tab that refused";
        EXPECT_EQ(atMessage.front, SchedulerTab);
        EXPECT_FALSE(atMessage.leftForShown) << "the tab left for was drawn behind the message";
        EXPECT_EQ(strip->currentIndex(), SchedulerTab);
        EXPECT_EQ(main->currentTab(), SchedulerTab);
        EXPECT_EQ(main->editors().frontTab(), SchedulerTab);
        EXPECT_EQ(correction->text(), "x5");
        EXPECT_EQ(tables.ClockCorrection, stored);
    }

    // Mended, the edit leaves with the tab: the change made again goes through.
    correction->selectAll();
    QTest::keyClicks(correction, "5");
    dialogs.clear();
    QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(MessagesTab).center());
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(strip->currentIndex(), MessagesTab);
    EXPECT_EQ(main->currentTab(), MessagesTab);
    EXPECT_EQ(main->editors().frontTab(), MessagesTab);
    EXPECT_EQ(tables.ClockCorrection, "5");
}

TEST_F(TabStrip, TheWindowFollowsTheRolesOfTheTabTable)
{
    constexpr int home = 3, lockBox = 2;
    makeTabs = [this] {
        EditorTabList tabs = recordingTabs();
        tabs[TimersTab].roles.inFront = false;
        tabs[home].roles.inFront = true;
        tabs[SpecialCodesTab].roles = {.startUpOrder = 10};
        tabs[lockBox].roles = {.startUpOrder = std::nullopt, .holdsLockBox = true};
        return tabs;
    };
    startOn(datFile("same.dat", {{"Unlock", "Lock", "D"}, {"Unlock", "Terminator", "D"}}));
    EXPECT_TRUE(loadEvents.isEmpty()) << "the editors just loaded are not applied";
    EXPECT_EQ(main->currentTab(), lockBox);
    EXPECT_EQ(main->editors().frontTab(), lockBox);
    EXPECT_TRUE(main->editors().isLoaded(SpecialCodesTab));
    EXPECT_EQ(main->focusWidget(), editor(lockBox)->box);

    editor(lockBox)->pendingEdit = true;
    ASSERT_TRUE(main->files().fileSave());
    ASSERT_FALSE(events.isEmpty());
    EXPECT_EQ(events.front(), "apply 2 front 2") << "the editor in front first";
    EXPECT_EQ(tables.FanTime, "123");

    events.clear();
    main->reloadEditors();
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(main->currentTab(), home);
    EXPECT_EQ(main->editors().frontTab(), home);
    for (int tab = 0; tab < main->editors().count(); ++tab)
        EXPECT_EQ(main->editors().isLoaded(tab), tab != lockBox) << tab;
}

TEST_F(TabStrip, AnEditorClosedByTheFileCommandsComesBackWhenItsTabIsChosen)
{
    startOn(datFile("a.dat"));
    EditorManager& editors = main->editors();
    editors.close(5);
    editors.doApply(5); // nothing to apply, and no crash
    EXPECT_TRUE(events.isEmpty());
    main->tabBar()->setCurrentIndex(5);
    EXPECT_TRUE(editors.isLoaded(5));
    EXPECT_EQ(editors.frontTab(), 5);
}

TEST_F(TabStrip, AnEditorReloadedWhileOneOfItsHandlersRunsGoesOnlyOnceTheHandlerReturned)
{
    startOn(datFile("a.dat"));
    RecordingEditor* timers = editor(TimersTab);
    timers->whileApplying = [this] { main->reloadEditors(); };
    main->editors().doApply(TimersTab);
    EXPECT_EQ(events.back(), "apply 0 returned");
    EXPECT_NE(editor(TimersTab), timers) << "a fresh editor took its place";
    EXPECT_TRUE(timers->isHidden());
    QPointer<RecordingEditor> old(timers);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull()) << "deleted once back in the event loop";
}

TEST_F(TabStrip, ToolbarButtonsReachTheirCommandsAndTheUploadWindow)
{
    startOn(datFile("a.dat"));
    tables.DataSaved = false;
    menus().toolSave->trigger();
    EXPECT_TRUE(tables.DataSaved);
    EXPECT_EQ(main->uploadWindow(), nullptr);
    // The upload window is modal: each entry returns once it is closed.
    int shownModal = 0;
    const auto closeWhenShown = [&] {
        QTimer::singleShot(0, main.get(), [&] {
            QDialog* upload = main->uploadWindow();
            if (upload && upload->isVisible() && upload->isModal())
                ++shownModal;
            if (upload)
                upload->close();
        });
    };
    closeWhenShown();
    menus().toolUpload->trigger();
    closeWhenShown();
    menus().upload->trigger();
    EXPECT_EQ(shownModal, 2);
    EXPECT_FALSE(main->uploadWindow()->isVisible());
    menus().toolHelp->trigger();
    EXPECT_TRUE(dialogs.shown().empty());
}

// Made on first use and hidden by Close: the second showing is the same pad,
// with the keys pressed before.
TEST_F(TabStrip, TestPadShowsModalAndKeepsItsKeys)
{
    startOn(datFile("a.dat"));
    QList<TTPad*> shown;
    const auto pressAndClose = [&](int index) {
        QTimer::singleShot(0, main.get(), [&, index] {
            auto* pad = main->findChild<TTPad*>();
            if (!pad || !pad->isVisible() || !pad->isModal())
                return;
            shown << pad;
            pad->findChild<QPushButton*>(QStringLiteral("cmdNum%1").arg(index))->click();
            pad->findChild<QPushButton*>("Exit")->click();
        });
    };
    pressAndClose(5);
    menus().testPad->trigger();
    pressAndClose(12);
    menus().testPad->trigger();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0], shown[1]);
    EXPECT_EQ(shown[0]->findChild<QLineEdit*>("txtNum")->text(), "5#");
    EXPECT_EQ(sound.images().size(), 2);
    EXPECT_TRUE(dialogs.shown().empty());
}

// Closing the pad while keys wait their turn ends its sound at once: the run
// does not hold the pad's showing until every key has played.
TEST_F(TabStrip, ClosingTheTestPadDuringQueuedTonesEndsTheRunAndThePadOpensAgain)
{
    startOn(datFile("a.dat"));
    const struct {
        const char* how;
        std::function<void(TTPad*)> close;
    } closers[] = {
        {"Escape", [](TTPad* pad) { QTest::keyClick(pad, Qt::Key_Escape); }},
        {"the window's close", [](TTPad* pad) { pad->close(); }},
    };
    QString shown; // the pad's number box after the closings before
    for (const auto& c : closers) {
        SCOPED_TRACE(c.how);
        const qsizetype before = sound.images().size();
        std::int64_t closedAt = -1;
        bool queued = false;
        QTimer::singleShot(0, main.get(), [&] {
            auto* pad = main->findChild<TTPad*>();
            ASSERT_TRUE(pad && pad->isVisible());
            clock.onSleep([&, pad](int) {
                const qsizetype played = sound.images().size() - before;
                if (played == 1 && !queued) {
                    queued = true; // typed quickly, while the first key sounds
                    QTest::keyClicks(pad, "23456789");
                } else if (played == 3 && closedAt < 0) {
                    closedAt = clock.elapsedMs();
                    c.close(pad);
                }
            });
            pad->findChild<QPushButton*>("cmdNum1")->click();
        });
        menus().testPad->trigger();
        clock.onSleep(nullptr);
        ASSERT_GE(closedAt, 0);
        EXPECT_LT(clock.elapsedMs() - closedAt, 100) << "the run ends within 100 ms of the close";
        EXPECT_EQ(sound.images().size() - before, 3) << "no key after the close";
        auto* pad = main->findChild<TTPad*>();
        EXPECT_FALSE(pad->isVisible());
        shown += "123";
        EXPECT_EQ(pad->findChild<QLineEdit*>("txtNum")->text(), shown);

        bool reopened = false;
        QTimer::singleShot(0, main.get(), [&] {
            reopened = pad->isVisible() && pad->isModal();
            pad->findChild<QPushButton*>("Exit")->click();
        });
        menus().testPad->trigger();
        EXPECT_TRUE(reopened);
    }
    EXPECT_TRUE(dialogs.shown().empty()) << "a stop is no failure to report";
}

TEST_F(TabStrip, MenuShortcutsAreTheFileCommandsButATextBoxKeepsItsEditingKeys)
{
    startOn(datFile("a.dat"));
    EXPECT_EQ(menus().fileSaveAs->shortcut(), QKeySequence("Ctrl+A"));
    EXPECT_EQ(menus().fileExit->shortcut(), QKeySequence("Ctrl+X"));
    main->show();
    QApplication::setActiveWindow(main.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));

    QLineEdit* box = editor(0)->box;
    box->setText("12345");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(box->selectedText(), "12345");
    QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(box->text(), "");
    EXPECT_FALSE(main->hasEnded());
    EXPECT_TRUE(dialogs.shown().empty()); // no Save As dialog, no Exit

    // Outside a text box the same key is Save As.
    main->tabBar()->setFocus();
    dialogs.answerFile(std::nullopt);
    QTest::keyClick(main->tabBar(), Qt::Key_A, Qt::ControlModifier);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].title, "Save Controller Database File");
}
