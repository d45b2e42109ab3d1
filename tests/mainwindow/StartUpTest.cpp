#include "MainFixture.h"
#include "RandomBytes.h"

#include "editors/ports/SpecialCodes.h"
#include "mainwindow/Version.h"
#include "mainwindow/WindowTitle.h"

#include <QApplication>
#include <QFile>
#include <QTest>

namespace {

const QString ErrorText = "You had errors in your dat file and default values have been assigned. IT IS STRONGLY "
                          "SUGGESTED YOU IMMEDIATELY SAVE YOUR DAT FILE AND CHECK THE ERROR LOG FILE CREATED.";

} // namespace

using StartUp = MainFixture;

TEST_F(StartUp, NoSettingsFileAsksForAFileAndCancelEndsWithNothingWritten)
{
    dialogs.answerFile(std::nullopt);
    start(false);
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].kind, ScriptedDialogs::Shown::Kind::OpenFile);
    EXPECT_EQ(dialogs.shown()[0].title, "Open Controller Database File");
    EXPECT_EQ(dialogs.shown()[0].text, "");
    EXPECT_EQ(dialogs.shown()[0].filter, "Tarvex Memory Files (*.dat)");
    EXPECT_FALSE(QFile::exists(ini()));
}

TEST_F(StartUp, NoSettingsFileThenAChosenFileGivesDtmfModeAndNoTicks)
{
    dialogs.answerFile(datFile("a.dat"));
    start();
    EXPECT_EQ(tables.CurrentDatFile, dir.path("a.dat"));
    EXPECT_EQ(tables.ComPortValue, "0");
    for (QAction* a : menus().com)
        EXPECT_FALSE(a->isChecked());
    for (QAction* a : menus().dtmfCom)
        EXPECT_FALSE(a->isChecked());
    EXPECT_TRUE(tables.DataSaved);
    EXPECT_TRUE(dialogs.messages().empty()) << dialogs.messageTexts().join("|").toStdString();
}

TEST_F(StartUp, LastFileThatExistsIsReadWithoutAnyDialogAndTenEditorsAreLoaded)
{
    startOn(datFile("a.dat"));
    EXPECT_TRUE(dialogs.shown().empty());
    for (int tab = 0; tab < main->editors().count(); ++tab)
        EXPECT_EQ(main->editors().isLoaded(tab), tab != SpecialCodesTab) << tab;
    EXPECT_EQ(main->editors().frontTab(), TimersTab);
    EXPECT_EQ(main->currentTab(), TimersTab);
    EXPECT_EQ(main->windowTitle(), MainWindowTitle(dir.path("a.dat")));
}

TEST_F(StartUp, LastFileThatNoLongerExistsAsksWithThatPathProposed)
{
    const QString gone = dir.path("gone.dat");
    const QString other = datFile("other.dat");
    setIniKey("LastTarvexFile", gone);
    dialogs.answerFile(other);
    start();
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].text, gone);
    EXPECT_EQ(tables.CurrentDatFile, other);
    EXPECT_FALSE(QFile::exists(gone));
}

TEST_F(StartUp, LastFileThatIsNoConfigurationIsAsNoneAndARefusedPickIsAskedAgain)
{
    const QByteArray bytes = RandomBytes(4096);
    const QString noise = dir.write("noise.dat", bytes);
    const QString good = datFile("a.dat");
    setIniKey("LastTarvexFile", noise);
    dialogs.answerFile(noise);
    dialogs.answerFile(good);
    start();
    const auto& shown = dialogs.shown();
    ASSERT_EQ(shown.size(), 3u);
    using Kind = ScriptedDialogs::Shown::Kind;
    EXPECT_EQ(shown[0].kind, Kind::OpenFile);
    EXPECT_EQ(shown[0].text, noise);
    EXPECT_EQ(shown[0].filter, "Tarvex Memory Files (*.dat)");
    EXPECT_EQ(shown[1].kind, Kind::Message);
    EXPECT_TRUE(shown[1].text.startsWith("\"" + noise + "\" is not a configuration file")) << shown[1].text.toStdString();
    EXPECT_EQ(shown[2].kind, Kind::OpenFile);
    EXPECT_EQ(shown[2].text, noise);
    EXPECT_EQ(tables.CurrentDatFile, good);
    EXPECT_EQ(main->windowTitle(), MainWindowTitle(good));
    EXPECT_TRUE(TempDir::read(dir.path("error.log")).isEmpty());
    EXPECT_EQ(TempDir::read(noise), bytes);
}

TEST_F(StartUp, ThreeRefusedValuesGiveThreeLogLinesAndOneErrorMessage)
{
    startOn(datFile("bad.dat", {{"Timers", "HangTime(1)", "abc"},
                                {"Timers", "HangTime(2)", "256"},
                                {"Analog", "MeterNum(1)", "-1"}}));
    QString logText = QString::fromLatin1(TempDir::read(dir.path("error.log")));
    EXPECT_EQ(logText.count("\r\n"), 3) << logText.toStdString();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].title, "Error!");
    EXPECT_EQ(dialogs.messages()[0].text, ErrorText);
    EXPECT_FALSE(tables.DatFileErrors);
    EXPECT_TRUE(tables.DataSaved);
}

TEST_F(StartUp, ErrorLogIsCreatedAfresh)
{
    TempDir::read(dir.write("error.log", "old line\r\n"));
    startOn(datFile("a.dat"));
    EXPECT_TRUE(TempDir::read(dir.path("error.log")).isEmpty());
}

TEST(WindowTitle, ShortAndLongForms)
{
    const QString head = "Velmar Zarn Programmer  " + VersionText();
    struct Case {
        QString path, title;
    } cases[] = {
        {"/home/a/b/c/d/x1.dat", head + "    /home/a/b/c/d/x1.dat"},                    // 20
        {"/home/a/b/c/d/x12.dat", head + "   /home/a/b/c/d/x12.da..../x12.dat"},          // 21
        {"C:\\Tarvex\\data\\abc.dat", head + "   C:\\Tarvex\\data\\abc.d....\\abc.dat"}, // 22
        {"/a.dat", head + "    /a.dat"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MainWindowTitle(c.path), c.title) << c.path.toStdString();
    EXPECT_EQ(VersionText(), "Version 1.0.0");
}

TEST_F(StartUp, SerialPortTickFollowsComPortOnlyForAWholePortNumber)
{
    struct Case {
        QString stored;
        int ticked; // 0: none
    } cases[] = {{" 3", 3}, {"3", 3}, {"0", 0}, {"9", 0}, {"3.5", 0}, {"abc", 0}};
    const QString file = datFile("a.dat");
    for (const Case& c : cases) {
        setIniKey("ComPort", c.stored);
        setIniKey("DTMFComPort", c.stored);
        startOn(file);
        for (int n = 1; n <= 8; ++n) {
            EXPECT_EQ(menus().com[n - 1]->isChecked(), n == c.ticked) << c.stored.toStdString() << " Com" << n;
            EXPECT_EQ(menus().dtmfCom[n - 1]->isChecked(), n == c.ticked) << c.stored.toStdString();
        }
        EXPECT_FALSE(menus().useDtr->isChecked());
        EXPECT_FALSE(menus().useRts->isChecked());
    }
}

TEST_F(StartUp, LockEqualToTerminatorEndsOnTheAccessCodeTabWithTheFocusInNewLockSet)
{
    startOn(datFile("same.dat", {{"Unlock", "Lock", "D"}, {"Unlock", "Terminator", "D"}}));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].text.startsWith("ERROR! Your Lock Code and Terminator Digit are the same"));
    EXPECT_EQ(main->currentTab(), SpecialCodesTab);
    EXPECT_EQ(main->editors().frontTab(), SpecialCodesTab);
    EXPECT_FALSE(tables.SelectSpecialCodes);

    main->showAsStored();
    QApplication::setActiveWindow(main.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    EXPECT_EQ(QApplication::focusWidget(), editor(SpecialCodesTab)->box);
}

// The same with the program's own editors: the access code editor is made
// for it, and its new lock code box has the focus.
TEST_F(StartUp, LockEqualToTerminatorOpensTheAccessCodeEditorOnItsNewLockBox)
{
    makeTabs = EditorTabs;
    startOn(datFile("same.dat", {{"Unlock", "Lock", "d"}, {"Unlock", "Terminator", "D"}}));
    EXPECT_EQ(main->currentTab(), SpecialCodesTab);
    auto* codes = qobject_cast<SpecialCodes*>(main->editors().editor(SpecialCodesTab));
    ASSERT_NE(codes, nullptr);
    EXPECT_EQ(main->editors().frontTab(), SpecialCodesTab);

    main->showAsStored();
    QApplication::setActiveWindow(main.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), codes->findChild<QLineEdit*>("NewLockSet"));
    EXPECT_EQ(codes->findChild<QLineEdit*>("CurrentLock")->text(), "D");
    EXPECT_EQ(codes->findChild<QLineEdit*>("CurrentTerminator")->text(), "D");
}

TEST_F(StartUp, StoredGeometryInTwipsIsAppliedAndNonsenseIgnored)
{
    setIniKey("Window Width", "9000");
    setIniKey("Window Height", "6000");
    setIniKey("Window Left", "abc");
    setIniKey("Window State", "1");
    startOn(datFile("a.dat"));
    EXPECT_EQ(main->size(), QSize(600, 400));
    main->showAsStored();
    EXPECT_FALSE(main->isMinimized());
}
