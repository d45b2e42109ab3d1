#include "MainFixture.h"

#include "RandomBytes.h"
#include "StoreFixture.h"
#include "mainwindow/WindowTitle.h"
#include "store/KeyRegistry.h"

#include <QFile>
#include <QAbstractButton>
#include <QTest>

namespace {

using Answer = Dialogs::Answer;
using Kind = ScriptedDialogs::Shown::Kind;

const QString SaveQuestion = "You have not saved your new settings. All changes will be lost unless you do. Do "
                             "you want to save the database file before exiting?";

} // namespace

class FileCommandsTest : public MainFixture {
protected:
    void SetUp() override
    {
        first = datFile("first.dat");
        second = datFile("second.dat");
        startOn(first);
    }
    FileCommands& files() { return main->files(); }
    void makeUnsaved() { tables.DataSaved = false; }
    QStringList kinds() const
    {
        QStringList out;
        for (const auto& s : dialogs.shown())
            out << (s.kind == Kind::Message ? s.title : s.kind == Kind::OpenFile ? "open" : "save");
        return out;
    }

    QString first, second;
};

TEST_F(FileCommandsTest, ExitWithNothingUnsavedWritesTheGeometryKeysThenTheLastFile)
{
    QFile::remove(ini());
    serial.setPortNumber(1);
    ASSERT_TRUE(serial.open().ok());
    files().fileExit();
    EXPECT_TRUE(main->hasEnded());
    EXPECT_EQ(serial.log(), (QStringList{"open", "close"}));
    const QString text = QString::fromLatin1(TempDir::read(ini()));
    QStringList keys;
    for (const QString& line : text.split("\r\n", Qt::SkipEmptyParts))
        if (line.contains('='))
            keys << line.section('=', 0, 0);
    EXPECT_EQ(keys, (QStringList{"Window Width", "Window Height", "Window Top", "Window Left", "Window State",
                                 "LastTarvexFile"}));
    EXPECT_EQ(iniKey("LastTarvexFile"), first);
    EXPECT_EQ(iniKey("Window Width"), QString::number(main->width() * 15));
}

TEST_F(FileCommandsTest, ExitNeverOpensAPortOnItsWayOut)
{
    files().fileExit();
    EXPECT_TRUE(serial.log().isEmpty());
    EXPECT_EQ(main->uploadWindow(), nullptr);
}

TEST_F(FileCommandsTest, ExitWithUnsavedChangesAnsweredNoEndsWithoutTouchingTheSettingsFile)
{
    const QByteArray before = TempDir::read(ini());
    makeUnsaved();
    dialogs.answer(Answer::No);
    files().fileExit();
    EXPECT_TRUE(main->hasEnded());
    EXPECT_EQ(TempDir::read(ini()), before);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].title, "Save Database");
    EXPECT_EQ(dialogs.messages()[0].text, SaveQuestion);
    EXPECT_EQ(dialogs.messages()[0].buttons, Dialogs::Buttons::YesNoCancel);
}

TEST_F(FileCommandsTest, ExitKeepsRunningOnCancelAndOnASaveAsThatDidNotSave)
{
    makeUnsaved();
    dialogs.answer(Answer::Cancel);
    files().fileExit();
    EXPECT_FALSE(main->hasEnded());
    dialogs.answer(Answer::Yes);
    dialogs.answerFile(std::nullopt);
    files().fileExit();
    EXPECT_FALSE(main->hasEnded());
    EXPECT_FALSE(tables.DataSaved);
    // Closing the window is File Exit.
    dialogs.answer(Answer::Cancel);
    main->show();
    EXPECT_FALSE(main->close());
    EXPECT_TRUE(main->isVisible());
    dialogs.answer(Answer::No);
    EXPECT_TRUE(main->close());
    EXPECT_TRUE(main->hasEnded());
}

TEST_F(FileCommandsTest, PendingEditsOfEveryLoadedEditorAreAppliedBeforeTheUnsavedTest)
{
    editor(0)->pendingEdit = true;
    dialogs.answer(Answer::Cancel);
    files().fileExit();
    EXPECT_EQ(kinds(), QStringList{"Save Database"});
    EXPECT_FALSE(main->hasEnded());

    // Save writes the edit.
    editor(0)->pendingEdit = true;
    ASSERT_TRUE(files().fileSave());
    EXPECT_EQ(profile.read(first, "Timers", "FanTime"), "123");

    // The editor made late is applied too, also when another is in front,
    // the one in front first.
    main->selectTab(SpecialCodesTab);
    main->selectTab(AnalogTab);
    events.clear();
    editor(SpecialCodesTab)->pendingEdit = true;
    ASSERT_TRUE(files().fileSave());
    EXPECT_FALSE(editor(SpecialCodesTab)->pendingEdit);
    ASSERT_FALSE(events.isEmpty());
    EXPECT_EQ(events.front(), QStringLiteral("apply %1 front %1").arg(AnalogTab));
    EXPECT_TRUE(events.contains(QStringLiteral("apply %1 front %2").arg(SpecialCodesTab).arg(AnalogTab)));

    // An editor not in front that refuses comes to the front, and the command stops.
    editor(SpecialCodesTab)->refuses = true;
    tables.DataSaved = false;
    dialogs.clear();
    files().fileExit();
    EXPECT_FALSE(main->hasEnded());
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(main->editors().frontTab(), SpecialCodesTab);
    EXPECT_EQ(main->currentTab(), SpecialCodesTab);
}

TEST_F(FileCommandsTest, SaveWritesEverySectionAndTheLastFile)
{
    setIniKey("LastTarvexFile", "");
    makeUnsaved();
    ASSERT_TRUE(files().fileSave());
    EXPECT_TRUE(tables.DataSaved);
    EXPECT_FALSE(tables.anySectionFlag());
    EXPECT_TRUE(tables.CommandPrefixChanged);
    EXPECT_EQ(iniKey("LastTarvexFile"), first);
    EXPECT_TRUE(dialogs.shown().empty());
}

TEST_F(FileCommandsTest, AFailedSaveNamesTheFileAndTheReasonAndChangesNothing)
{
    const QString nowhere = dir.path("missing/folder/x.dat");
    tables.CurrentDatFile = nowhere;
    makeUnsaved();
    EXPECT_FALSE(files().fileSave());
    EXPECT_FALSE(tables.DataSaved);
    EXPECT_TRUE(tables.TimersChanged);
    EXPECT_FALSE(QFile::exists(nowhere));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(nowhere));
    EXPECT_GT(dialogs.messages()[0].text.count('\n'), 0);
    EXPECT_EQ(iniKey("LastTarvexFile"), first);
    EXPECT_TRUE(main->isEnabled());

    // Save As onto a path that cannot be written keeps the old name and title.
    tables.CurrentDatFile = first;
    main->setTitleFor(first);
    dialogs.answerFile(nowhere);
    EXPECT_FALSE(files().fileSaveAs());
    EXPECT_EQ(tables.CurrentDatFile, first);
    EXPECT_EQ(main->windowTitle(), MainWindowTitle(first));
    EXPECT_FALSE(tables.DataSaved);
}

TEST_F(FileCommandsTest, SavesAreNotReentrantAndTakeNoInputWhileWriting)
{
    int datWrites = 0;
    bool enabledWhileWriting = true;
    profile.onWrite = [&](const QString& file) {
        if (file != first)
            return;
        ++datWrites;
        enabledWhileWriting = main->isEnabled();
        EXPECT_FALSE(files().fileSave());
        EXPECT_FALSE(files().fileSaveAs());
        files().fileExit();
    };
    ASSERT_TRUE(files().fileSave());
    EXPECT_EQ(datWrites, 1);
    EXPECT_FALSE(enabledWhileWriting);
    EXPECT_FALSE(main->hasEnded());
    EXPECT_TRUE(main->isEnabled());
}

TEST_F(FileCommandsTest, SaveAsToANewNameRetitlesAndRemembersIt)
{
    const QString third = dir.path("a-rather-long-folder-name/third.dat");
    QDir().mkpath(dir.path("a-rather-long-folder-name"));
    makeUnsaved();
    main->selectTab(4);
    dialogs.answerFile(third);
    ASSERT_TRUE(files().fileSaveAs());
    EXPECT_EQ(dialogs.shown()[0].text, first); // proposed name
    EXPECT_EQ(dialogs.shown()[0].filter, "Tarvex Database Files (*.dat)");
    EXPECT_EQ(tables.CurrentDatFile, third);
    EXPECT_TRUE(tables.DataSaved);
    EXPECT_TRUE(QFile::exists(third));
    EXPECT_EQ(iniKey("LastTarvexFile"), third);
    EXPECT_EQ(main->windowTitle(), MainWindowTitle(third));
    EXPECT_EQ(main->currentTab(), 0);
}

TEST_F(FileCommandsTest, SaveAsAnsweredNoAtFileAlreadyExistsKeepsThePreviousName)
{
    const QByteArray refused = TempDir::read(second);
    makeUnsaved();
    dialogs.answerFile(second);
    dialogs.answer(Answer::No);
    EXPECT_FALSE(files().fileSaveAs());
    EXPECT_EQ(dialogs.messages()[0].text, "File Already Exists! Are you sure you want to overwrite?");
    EXPECT_EQ(tables.CurrentDatFile, first);
    EXPECT_FALSE(tables.DataSaved);
    tables.FanTime = "77";
    ASSERT_TRUE(files().fileSave());
    EXPECT_EQ(TempDir::read(second), refused);
    EXPECT_EQ(profile.read(first, "Timers", "FanTime"), "77");

    dialogs.answerFile(second);
    dialogs.answer(Answer::Yes);
    EXPECT_TRUE(files().fileSaveAs());
    EXPECT_EQ(profile.read(second, "Timers", "FanTime"), "77");
}

TEST_F(FileCommandsTest, SaveAsAddsDatToANameTypedWithoutAnExtension)
{
    ASSERT_TRUE(QFile::exists(second));
    const QByteArray secondBefore = TempDir::read(second);
    tables.FanTime = "77";
    // "second" is asked about as the "second.dat" it would overwrite.
    dialogs.answerFile(dir.path("second"));
    dialogs.answer(Answer::No);
    EXPECT_FALSE(files().fileSaveAs());
    EXPECT_EQ(kinds(), (QStringList{"save", "Save Database"}));
    EXPECT_EQ(TempDir::read(second), secondBefore);
    EXPECT_EQ(tables.CurrentDatFile, first);

    struct Case {
        QString typed, written;
    } cases[] = {{dir.path("mine"), dir.path("mine.dat")}, {dir.path("mine.txt"), dir.path("mine.txt")}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        dialogs.answerFile(c.typed);
        ASSERT_TRUE(files().fileSaveAs());
        EXPECT_EQ(tables.CurrentDatFile, c.written);
        EXPECT_EQ(profile.read(c.written, "Timers", "FanTime"), "77");
        EXPECT_EQ(iniKey("LastTarvexFile"), c.written);
        EXPECT_EQ(main->windowTitle(), MainWindowTitle(c.written));
    }
    EXPECT_FALSE(QFile::exists(dir.path("mine")));
}

TEST_F(FileCommandsTest, OpenReadsTheChosenFileAndLeavesItSaved)
{
    makeUnsaved();
    tables.FanTime = "77";
    main->tabBar()->setCurrentIndex(SpecialCodesTab);
    EditorWindow* codesBefore = main->editors().editor(SpecialCodesTab);
    dialogs.answer(Answer::No);
    dialogs.answerFile(second);
    ASSERT_TRUE(files().fileOpen());
    EXPECT_EQ(kinds(), (QStringList{"Save Database", "open"}));
    EXPECT_EQ(dialogs.shown()[1].filter, "Tarvex Database Files (*.dat)");
    EXPECT_EQ(tables.CurrentDatFile, second);
    EXPECT_NE(tables.FanTime, "77");
    EXPECT_TRUE(tables.DataSaved);
    EXPECT_EQ(main->windowTitle(), MainWindowTitle(second));
    EXPECT_EQ(main->currentTab(), 0);
    // The access code editor was closed with the old file's codes; it is
    // made afresh from the new file when it is next needed.
    EXPECT_NE(main->editors().editor(SpecialCodesTab), codesBefore);
    EXPECT_FALSE(main->editors().isLoaded(SpecialCodesTab));
    for (int tab : main->editors().startUpTabs())
        EXPECT_TRUE(main->editors().isLoaded(tab));
}

// The editors loaded from the new file hold no edit, even one that shows a
// stored text in another form ("05" as "5"): selecting the first tab after
// the load applies none of them, whichever tab was current before.
TEST_F(FileCommandsTest, OpenOrNewFromTheAnalogTabLeavesTheNewFileSaved)
{
    const QString padded = datFile("padded.dat", {{"Analog", "RealLow(1)", "05"}});
    makeTabs = EditorTabs;
    for (const bool isNew : {false, true}) {
        SCOPED_TRACE(isNew ? "New" : "Open");
        startOn(first);
        main->selectTab(AnalogTab);
        ASSERT_TRUE(tables.DataSaved);
        dialogs.clear();
        dialogs.answerFile(padded);
        if (isNew)
            files().fileNew();
        else
            ASSERT_TRUE(files().fileOpen());
        EXPECT_EQ(kinds(), QStringList{"open"});
        EXPECT_EQ(tables.CurrentDatFile, padded);
        EXPECT_EQ(tables.RealLow[1], "05");
        EXPECT_TRUE(tables.DataSaved);
        EXPECT_FALSE(tables.anySectionFlag());
        EXPECT_FALSE(tables.MeterChanged.any(true));
        EXPECT_EQ(main->currentTab(), TimersTab);
        EXPECT_EQ(main->editors().frontTab(), TimersTab);
    }
}

TEST_F(FileCommandsTest, OpenOrNewThatIsCancelledAnywhereChangesNothing)
{
    EditorWindow* timers = main->editors().editor(0);
    makeUnsaved();
    tables.FanTime = "77";
    struct Case {
        const char* name;
        bool isNew;
        std::vector<Answer> answers;
        std::vector<std::optional<QString>> files;
    } cases[] = {
        {"open cancel", false, {Answer::Cancel}, {}},
        {"open yes, save as cancelled", false, {Answer::Yes}, {std::nullopt}},
        {"open no, dialog cancelled", false, {Answer::No}, {std::nullopt}},
        {"new cancel", true, {Answer::Cancel}, {}},
        {"new yes, save as refused", true, {Answer::Yes, Answer::No}, {second}},
        {"new no, open no, dialog cancelled", true, {Answer::No, Answer::No}, {std::nullopt}},
    };
    for (const Case& c : cases) {
        for (Answer a : c.answers)
            dialogs.answer(a);
        for (const auto& f : c.files)
            dialogs.answerFile(f);
        if (c.isNew)
            files().fileNew();
        else
            EXPECT_FALSE(files().fileOpen()) << c.name;
        EXPECT_FALSE(main->hasEnded()) << c.name;
        EXPECT_EQ(tables.CurrentDatFile, first) << c.name;
        EXPECT_EQ(tables.FanTime, "77") << c.name;
        EXPECT_FALSE(tables.DataSaved) << c.name;
        EXPECT_EQ(main->editors().editor(0), timers) << c.name;
    }
}

TEST_F(FileCommandsTest, OpenRefusesAFileThatIsNoConfigurationAndChangesNothing)
{
    const QString noise = dir.write("noise.dat", RandomBytes(4096));
    const QString settings = dir.write("settings.dat", "[Main]\r\nComPort=1\r\n");
    std::vector<EditorWindow*> editors;
    for (int tab = 0; tab < main->editors().count(); ++tab)
        editors.push_back(main->editors().editor(tab));
    const QString title = main->windowTitle();
    makeUnsaved();
    tables.FanTime = "77";
    for (const QString& file : {noise, settings}) {
        SCOPED_TRACE(file.toStdString());
        const QByteArray bytes = TempDir::read(file);
        dialogs.clear();
        dialogs.answer(Answer::No);
        dialogs.answerFile(file);
        EXPECT_FALSE(files().fileOpen());
        EXPECT_EQ(kinds(), (QStringList{"Save Database", "open", "Open Controller Database File"}));
        EXPECT_EQ(dialogs.shown()[2].text, "\"" + file + "\" is not a configuration file: it holds none of the "
                                                         "configuration's sections.");
        EXPECT_EQ(tables.CurrentDatFile, first);
        EXPECT_EQ(tables.FanTime, "77");
        EXPECT_FALSE(tables.DataSaved);
        EXPECT_FALSE(tables.DatFileErrors);
        EXPECT_EQ(main->windowTitle(), title);
        for (int tab = 0; tab < main->editors().count(); ++tab)
            EXPECT_EQ(main->editors().editor(tab), editors[tab]) << tab;
        EXPECT_TRUE(TempDir::read(dir.path("error.log")).isEmpty());
        EXPECT_EQ(TempDir::read(file), bytes);
    }
}

TEST_F(FileCommandsTest, OpenOfAnEmptyFileLoadsTheDefaultsAsAMissingFileDoes)
{
    StoreFixture missing;
    missing.read(missing.dir.path("missing.dat"));

    const QString empty = dir.write("empty.dat", "");
    dialogs.answerFile(empty);
    ASSERT_TRUE(files().fileOpen());
    EXPECT_EQ(tables.CurrentDatFile, empty);
    EXPECT_EQ(main->windowTitle(), MainWindowTitle(empty));
    ForEachKey([&](const KeyStem& stem, int i) {
        EXPECT_EQ(stem.value(tables, i), stem.value(missing.tables, i)) << stem.keyName(i).toStdString();
    });
    EXPECT_EQ(kinds(), (QStringList{"open", "Error!"}));
}

TEST_F(FileCommandsTest, NewAsksBeforeItClosesTheEditorsThenOpens)
{
    makeUnsaved();
    dialogs.answer(Answer::No);
    dialogs.answer(Answer::No);
    dialogs.answerFile(second);
    files().fileNew();
    EXPECT_EQ(kinds(), (QStringList{"Save Database", "Save Database", "open"}));
    EXPECT_EQ(tables.CurrentDatFile, second);
    EXPECT_EQ(main->editors().frontTab(), TimersTab);
}

TEST_F(FileCommandsTest, OpenOfAFileWhoseLockEqualsTheTerminatorLeadsToTheLockBox)
{
    const QString same = datFile("same.dat", {{"Unlock", "Lock", "D"}, {"Unlock", "Terminator", "D"}});
    dialogs.answerFile(same);
    ASSERT_TRUE(files().fileOpen());
    EXPECT_EQ(main->currentTab(), SpecialCodesTab);
    EXPECT_EQ(main->focusWidget(), editor(SpecialCodesTab)->box);
}

TEST_F(FileCommandsTest, SaveAsThenRestartOpensTheNewFile)
{
    const QString renamed = dir.path("renamed.dat");
    dialogs.answerFile(renamed);
    ASSERT_TRUE(files().fileSaveAs());
    files().fileExit();
    ASSERT_TRUE(main->hasEnded());
    tables = SettingsTables();
    start();
    EXPECT_EQ(tables.CurrentDatFile, renamed);
    EXPECT_EQ(dialogs.shown().size(), 1u); // only the first run's save dialog
}

// The program's own timer editor holding an edit and a value its Apply refuses.
class RefusedApplyTest : public MainFixture {
protected:
    void SetUp() override
    {
        file = datFile("first.dat");
        makeTabs = [] { return EditorTabs(); };
        startOn(file);
        stored = profile.read(file, "Timers", "HangTime(1)");
        ASSERT_NE(stored, "60");
        auto* timers = main->editors().editor(TimersTab);
        type(timers->findChild<QLineEdit*>("HangTimer(1)"), "60");
        type(timers->findChild<QLineEdit*>("GeneralTimerSet(1)"), "32768"); // refused as typed: the box empties
        dialogs.clear();
    }
    static void type(QLineEdit* box, const QString& text)
    {
        ASSERT_NE(box, nullptr);
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    QLineEdit* box(const char* name) { return main->editors().editor(TimersTab)->findChild<QLineEdit*>(name); }
    void expectNothingLost()
    {
        EXPECT_EQ(main->editors().frontTab(), TimersTab);
        EXPECT_EQ(main->currentTab(), TimersTab);
        ASSERT_NE(box("HangTimer(1)"), nullptr) << "the editor was not closed";
        EXPECT_EQ(box("HangTimer(1)")->text(), "60");
        EXPECT_EQ(profile.read(file, "Timers", "HangTime(1)"), stored);
        EXPECT_FALSE(main->hasEnded());
    }
    QString file, stored;
};

TEST_F(RefusedApplyTest, ATabChangeAndTheFileCommandsStopWithTheEditKept)
{
    const QString refusal = "Nothing was applied";
    main->selectTab(1);
    ASSERT_EQ(dialogs.untitledTexts().size(), 1);
    EXPECT_TRUE(dialogs.untitledTexts().front().contains(refusal)) << dialogs.untitledTexts().front().toStdString();
    EXPECT_EQ(main->tabBar()->currentIndex(), TimersTab);
    expectNothingLost();

    const std::pair<const char*, std::function<void()>> commands[] = {
        {"New", [this] { main->files().fileNew(); }},
        {"Open", [this] { main->files().fileOpen(); }},
        {"Save", [this] { main->files().fileSave(); }},
        {"Save As", [this] { main->files().fileSaveAs(); }},
        {"Exit", [this] { main->files().fileExit(); }},
        {"Upload", [this] { main->openUpload(); }},
    };
    for (const auto& [name, run] : commands) {
        SCOPED_TRACE(name);
        dialogs.clear();
        run();
        ASSERT_EQ(dialogs.shown().size(), 1u) << "the refusal alone: no question, no file dialog";
        EXPECT_TRUE(dialogs.untitledTexts().front().contains(refusal));
        expectNothingLost();
    }

    // Made valid, the edit leaves with the tab, and Exit asks as before.
    type(box("GeneralTimerSet(1)"), "100");
    dialogs.clear();
    main->selectTab(1);
    EXPECT_EQ(main->editors().frontTab(), 1);
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_EQ(tables.HangTime[1], "60");
    dialogs.answer(Answer::Cancel);
    main->files().fileExit();
    EXPECT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown().front().title, "Save Database");
    EXPECT_FALSE(main->hasEnded());
}

// The program's own editors on a copy of the sample configuration, as a new
// user meets them.
class EditorWalkTest : public MainFixture {
protected:
    void SetUp() override
    {
        file = datFile("walk.dat");
        makeTabs = [] { return EditorTabs(); };
        startOn(file);
        ASSERT_TRUE(main->files().fileSave()); // the file as this program writes it
        baseline = lines();
    }
    QStringList lines() const
    {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return QString::fromLatin1(f.readAll()).split("\r\n");
    }
    QWidget* control(int tab, const QString& name)
    {
        main->selectTab(tab);
        QWidget* w = main->editors().editor(tab)->findChild<QWidget*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QString file;
    QStringList baseline;
};

TEST_F(EditorWalkTest, AWalkOverEveryTabOfAnUntouchedFileChangesNothing)
{
    for (int tab = 0; tab < main->editors().count(); ++tab)
        main->selectTab(tab);
    main->selectTab(TimersTab);
    EXPECT_TRUE(dialogs.shown().empty());
    EXPECT_TRUE(tables.DataSaved);
    ASSERT_TRUE(main->files().fileSave());
    EXPECT_EQ(lines(), baseline);
}

// A Latin-1 letter whose capital Latin-1 cannot hold, in a voice ID and a
// message macro: read, shown and saved as it is.
TEST_F(EditorWalkTest, ALatin1TextTheReaderKeepsOpensAndSaves)
{
    const QString y = QStringLiteral("\u00ff"), micro = QStringLiteral("\u00b5");
    ASSERT_TRUE(profile.write(file, "ID", "VoiceID1(1)", y).ok());
    ASSERT_TRUE(profile.write(file, "MessageMacros", "MessageMacro(1)", micro).ok());
    dialogs.answerFile(file);
    ASSERT_TRUE(main->files().fileOpen());
    EXPECT_EQ(tables.VoiceID1[1], y);
    EXPECT_EQ(tables.MessageMacro[1], micro);
    for (int tab = 0; tab < main->editors().count(); ++tab)
        main->selectTab(tab);
    main->selectTab(TimersTab);
    dialogs.clear();
    ASSERT_TRUE(main->files().fileSave());
    EXPECT_TRUE(dialogs.shown().empty()) << dialogs.untitledTexts().join("|").toStdString();
    EXPECT_EQ(profile.read(file, "ID", "VoiceID1(1)"), y);
    EXPECT_EQ(profile.read(file, "MessageMacros", "MessageMacro(1)"), micro);
}

// Values outside each list and texts in mixed case, as another program or a
// hand may have written them: showing every tab, entering and leaving its
// boxes, changes none of them and raises no flag.
class OddValuesWalkTest : public EditorWalkTest {
protected:
    void SetUp() override
    {
        file = datFile("odd.dat", {
            {"Scheduler", "DOW(1)", "254"}, {"Scheduler", "DOW(2)", "12"}, {"Scheduler", "DOW(3)", "Monday"},
            {"Scheduler", "DOW(4)", "10"}, {"Scheduler", "DOW(5)", "07"}, {"Scheduler", "Hours(1)", "24"},
            {"Scheduler", "Hours(2)", "7A"}, {"Scheduler", "Minutes(1)", "5"}, {"Scheduler", "Week(1)", "9"},
            {"Scheduler", "MacroToRun(1)", "7"},
            {"Scheduler", "Monthly(1)", "1"},
            {"Macros", "PortToAllow(1)", "4"}, {"Macros", "Macro(2)", "12a bc"},
            {"IDExtras", "ID1Extras(1)", "77"},
            {"ID", "CWID1(1)", "t a r v e x"}, {"ID", "VoiceID1(1)", "Tarvex"},
            {"MessageMacros", "MessageMacro(1)", "Good Morning"},
            {"Autopatch", "DTMFPort", "9"}, {"Autopatch", "EnablePatch", "8"}, {"Autopatch", "APPrefix", "a1"},
            {"Autopatch", "AutoDial(3)", "555 abc"},
            {"Remote", "RadioType", "9"}, {"Remote", "RemoteBasePrefix", "a2"},
            {"Alarms", "MeterAlarmType(1)", "7"},
            {"Timers", "InActivityMacro(1)", "95"},
            {"DTMFMuteDigitSelect", "DTMFMuteDigitSelect", "7"},
            {"PortSwitches", "PLAccess(1)", "5"}, {"PortSwitches", "TailMessageNum(1)", "9"},
        });
        makeTabs = [] { return EditorTabs(); };
        startOn(file);
        dialogs.clear();
        // The reader flags the sections it put defaults in; the walk is to flag none.
        tables.setAllSectionFlags(false);
        baseline = written("before.dat");
    }
    // Every setting as the tables now hold it, written as a file.
    QStringList written(const QString& name)
    {
        SettingsTables copy = tables;
        copy.CurrentDatFile = dir.path(name);
        copy.setAllSectionFlags(true);
        EXPECT_TRUE(WriteDatFile(copy, profile).ok());
        QFile f(copy.CurrentDatFile);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return QString::fromLatin1(f.readAll()).split("\r\n");
    }
};

TEST_F(OddValuesWalkTest, AWalkOverEveryTabAndItsBoxesChangesNothing)
{
    main->show();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    int entered = 0;
    for (int tab = 0; tab < main->editors().count(); ++tab) {
        main->selectTab(tab);
        // Into every box of the tab and out again, as Tab would go.
        for (QLineEdit* box : main->editors().editor(tab)->findChildren<QLineEdit*>()) {
            if (!box->isVisibleTo(main.get()) || !box->isEnabled() || box->focusPolicy() == Qt::NoFocus)
                continue;
            box->setFocus(Qt::TabFocusReason);
            QCoreApplication::processEvents();
            entered += box->hasFocus();
        }
        main->setFocus(Qt::TabFocusReason);
    }
    EXPECT_GT(entered, 40) << "the walk went into the boxes";
    main->selectTab(TimersTab);
    EXPECT_TRUE(dialogs.shown().empty()) << dialogs.untitledTexts().join("|").toStdString();
    EXPECT_TRUE(tables.DataSaved);
    EXPECT_FALSE(tables.anySectionFlag());
    QStringList changed;
    const QStringList now = written("after.dat");
    for (int i = 0; i < std::min(now.size(), baseline.size()); ++i)
        if (now[i] != baseline[i])
            changed << baseline[i] + " -> " + now[i];
    EXPECT_TRUE(changed.isEmpty()) << changed.join(" | ").toStdString();
    EXPECT_EQ(now.size(), baseline.size());
    for (const char* kept : {"DOW(1)=254", "DOW(3)=Monday", "DOW(4)=10", "Hours(1)=24", "Week(1)=9",
                             "Macro(2)=12a bc", "EnablePatch=8", "APPrefix=a1"})
        EXPECT_TRUE(now.contains(kept)) << kept;
}

// Each editor, the one made late included: an edit typed and not applied is
// in the file after Save, and Exit with another such edit asks to save.
TEST_F(EditorWalkTest, AnEditNotAppliedIsSavedAndAskedForByEveryEditor)
{
    struct Step {
        const char* box;
        const char* typed; // null: a check box clicked
    };
    struct Edit {
        int tab;
        Step saved;
        const char* line; // the one line of the file that changes; null: not checked
        Step asked;       // the edit Exit then finds
    } edits[] = {
        {0, {"HangTimer(1)", "61"}, "HangTime(1)=61", {"HangTimer(1)", "62"}},
        {1, {"Tone1Set(1)", "1234"}, nullptr, {"Tone1Set(1)", "1235"}},
        {2, {"MacroSet(1)", "123"}, nullptr, {"MacroSet(1)", "124"}},
        {3, {"ClockCorrectionSet", "12"}, "ClockCorrection=12", {"ClockCorrectionSet", "13"}},
        {4, {"RealLowSetting(3)", "7"}, nullptr, {"RealLowSetting(3)", "8"}},
        {5, {"CWID1Set(1)", "A B"}, nullptr, {"CWID1Set(1)", "A C"}},
        {6, {"MessageSet(4)", "good morning"}, "MessageMacro(4)=GOOD MORNING", {"MessageSet(4)", "good night"}},
        {7, {"DTMFSet(3)", "1 2 3"}, "DTMF(3)=1 2 3", {"DTMFSet(3)", "1 2 4"}},
        {8, {"RemoteBasePrefixSet", "B3"}, "RemoteBasePrefix=B3", {"RemoteBasePrefixSet", "B4"}},
        {9, {"AnswerCodeSet", "4444"}, "AnswerCode=4444", {"AnswerCodeSet", "5555"}},
        {10, {"TxEnable(2)", nullptr}, nullptr, {"TxEnable(3)", nullptr}},
    };
    const auto make = [this](int tab, const Step& step) {
        QWidget* w = control(tab, step.box);
        ASSERT_NE(w, nullptr);
        if (step.typed) {
            auto* box = static_cast<QLineEdit*>(w);
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, step.typed);
        } else {
            static_cast<QAbstractButton*>(w)->click();
        }
    };
    for (const Edit& e : edits) {
        SCOPED_TRACE(e.saved.box);
        dialogs.clear();
        make(e.tab, e.saved);
        ASSERT_TRUE(main->files().fileSave());
        EXPECT_TRUE(dialogs.shown().empty()) << dialogs.untitledTexts().join("|").toStdString();
        QStringList changed;
        for (const QString& l : lines())
            if (!baseline.contains(l))
                changed << l;
        ASSERT_EQ(changed.size(), 1) << changed.join(" | ").toStdString();
        if (e.line) {
            EXPECT_EQ(changed.front(), e.line);
        }

        make(e.tab, e.asked);
        dialogs.answer(Dialogs::Answer::Cancel);
        main->files().fileExit();
        ASSERT_EQ(dialogs.shown().size(), 1u);
        EXPECT_EQ(dialogs.shown().front().title, "Save Database");
        EXPECT_FALSE(main->hasEnded());
        ASSERT_TRUE(main->files().fileSave());
        baseline = lines();
    }
}

// Each editor: an edit, the tab left, Save, the file opened again: the edit is
// there and nothing else of the file changed.
TEST_F(EditorWalkTest, AnEditOfEachEditorIsSavedAloneAndComesBackOnOpen)
{
    struct Edit {
        int tab;
        const char* box;
        const char* typed; // null: a check box clicked
        const char* line;  // the one line of the file that changes
    } edits[] = {
        {0, "HangTimer(1)", "61", "HangTime(1)=61"},
        {1, "Tone1Set(1)", "1234", nullptr},
        {4, "RealLowSetting(3)", "7", nullptr},
        {6, "MessageSet(4)", "good morning", "MessageMacro(4)=GOOD MORNING"},
        {7, "DTMFSet(3)", "1 2 3", "DTMF(3)=1 2 3"},
        {8, "RemoteBasePrefixSet", "B3", "RemoteBasePrefix=B3"},
        {9, "APTimeOutSet", "99", "APTimeOut=99"},
        {10, "TxEnable(2)", nullptr, nullptr},
    };
    for (const Edit& e : edits) {
        SCOPED_TRACE(e.box);
        dialogs.clear();
        QWidget* w = control(e.tab, e.box);
        ASSERT_NE(w, nullptr);
        QString shown;
        bool ticked = false;
        if (e.typed) {
            auto* box = static_cast<QLineEdit*>(w);
            box->selectAll();
            QTest::keyClicks(box, e.typed);
            shown = box->text();
        } else {
            static_cast<QAbstractButton*>(w)->click();
            ticked = static_cast<QAbstractButton*>(w)->isChecked();
        }
        main->selectTab(e.tab == TimersTab ? 1 : TimersTab); // leaving applies
        EXPECT_TRUE(dialogs.shown().empty()) << dialogs.untitledTexts().join("|").toStdString();
        ASSERT_TRUE(main->files().fileSave());
        const QStringList now = lines();
        QStringList changed;
        for (const QString& l : now)
            if (!baseline.contains(l))
                changed << l;
        ASSERT_EQ(changed.size(), 1) << changed.join(" | ").toStdString();
        if (e.line) {
            EXPECT_EQ(changed.front(), e.line);
        }
        EXPECT_EQ(now.size(), baseline.size());

        dialogs.answerFile(file);
        ASSERT_TRUE(main->files().fileOpen());
        QWidget* again = control(e.tab, e.box);
        if (e.typed)
            EXPECT_EQ(static_cast<QLineEdit*>(again)->text().toUpper(), shown.toUpper().simplified());
        else
            EXPECT_EQ(static_cast<QAbstractButton*>(again)->isChecked(), ticked);
        baseline = now;
    }
}
