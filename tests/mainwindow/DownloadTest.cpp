#include "MainFixture.h"

#include "MemoryImageBuilder.h"
#include "download/LoadEram.h"
#include "mainwindow/ProgressBar.h"

#include <QListWidget>
#include <QProgressBar>
#include <QTest>

// The download from the menu, the controller answering on the port.
class DownloadTest : public MainFixture {
protected:
    void SetUp() override
    {
        setIniKey("ComPort", "3");
        startOn(datFile("a.dat"));
        image[16] = 77; // HangTime(1)
        serial.setResponder([this](const QByteArray& written) {
            if (written == "1SendAPEram\r" || written == "o\r") {
                serial.queueReply(boardNext < boardLines.size() ? boardLines[boardNext++] + "\r\n" : "RIComplete\r\n");
                return;
            }
            if (written != "1SendEram\r" && written != "OK\r")
                return;
            if (next == MemoryImageSize) {
                serial.queueReply("Complete");
                return;
            }
            if (next == 100 && during)
                during();
            serial.queueReply(QByteArray::number(next) + ',' + QByteArray::number(image[std::size_t(next)])
                              + "\r\n");
            ++next;
        });
    }

    MemoryImage image{};
    int next = 0;
    QByteArrayList boardLines; // the option board's memory
    int boardNext = 0;
    std::function<void()> during; // at the hundredth record
};

TEST_F(DownloadTest, OtherCommandsWaitForTheDownloadWhichThenAsksToBeSaved)
{
    bool commandsOff = false;
    QString caption;
    int bar = -1;
    during = [&] {
        ProgressBar* progress = main->progressWindow();
        caption = progress->windowTitle();
        bar = progress->findChild<QProgressBar*>("ProgressBar1")->value();
        commandsOff = !menus().fileOpen->isEnabled() && !menus().upload->isEnabled() && !menus().download->isEnabled()
            && !menus().fileExit->isEnabled() && !main->tabBar()->isEnabled() && progress->isVisible()
            && progress->isEnabled();
    };
    dialogs.answer(Dialogs::Answer::Yes);
    dialogs.answer(Dialogs::Answer::No);
    menus().download->trigger();

    EXPECT_TRUE(commandsOff);
    EXPECT_EQ(caption, "Downloading From Tarvex");
    EXPECT_EQ(bar, 100);
    EXPECT_TRUE(menus().fileOpen->isEnabled());
    EXPECT_TRUE(main->tabBar()->isEnabled());
    EXPECT_FALSE(main->progressWindow()->isVisible());
    EXPECT_EQ(tables.HangTime[1], "77");
    EXPECT_FALSE(serial.isOpen());
    ASSERT_EQ(dialogs.messages().size(), 3u);
    EXPECT_TRUE(dialogs.messages()[2].text.startsWith("You should save this download"));

    // Exit now asks to save what was downloaded.
    dialogs.clear();
    dialogs.answer(Dialogs::Answer::Cancel);
    menus().fileExit->trigger();
    EXPECT_FALSE(main->hasEnded());
    EXPECT_EQ(dialogs.shown().size(), 1u);
}

TEST_F(DownloadTest, EscapeOnTheProgressWindowCancels)
{
    during = [&] { QTest::keyClick(main->progressWindow(), Qt::Key_Escape); };
    tables.HangTime[1] = "12";
    dialogs.answer(Dialogs::Answer::Yes);
    menus().download->trigger();

    EXPECT_EQ(dialogs.messageTexts().back(), "Tarvex Programmer: Download Canceled. Click OK to return to Zarn");
    EXPECT_EQ(tables.HangTime[1], "12");
    EXPECT_FALSE(serial.isOpen());
    EXPECT_TRUE(menus().fileOpen->isEnabled());
    // Nothing sent after the cancel.
    EXPECT_TRUE(serial.written().endsWith("OK\r"));
}

// The option board's values as the closing message tells them, the access
// code editor shows them and Save writes them.
class OptionBoardDownloadTest : public DownloadTest {
protected:
    void SetUp() override
    {
        makeTabs = [] { return EditorTabs(); };
        DownloadTest::SetUp();
        file = tables.CurrentDatFile;
    }
    QLineEdit* box(const char* name)
    {
        EditorWindow* codes = main->editors().editor(SpecialCodesTab);
        return codes ? codes->findChild<QLineEdit*>(name) : nullptr;
    }
    static bool red(const QWidget* w) { return w->palette().color(QPalette::Text) == QColor(Qt::red); }
    QString file;
};

TEST_F(OptionBoardDownloadTest, TheClosingMessageTellsWhatWaitsInTheEditorAndSaveWritesIt)
{
    ASSERT_EQ(profile.read(file, "Autopatch", "AnswerCode"), "6093");
    boardLines = {"RA007555", "RT005976", "RT002900", "RS9876", "RR7"};
    dialogs.answer(Dialogs::Answer::Yes);
    dialogs.answer(Dialogs::Answer::Yes); // the option board
    menus().download->trigger();

    const QString closing = dialogs.messages().back().text;
    EXPECT_TRUE(closing.startsWith("You should save this download")) << closing.toStdString();
    EXPECT_FALSE(closing.contains("AnswerCode")) << closing.toStdString();
    EXPECT_FALSE(closing.contains("RingNumber")) << closing.toStdString();
    EXPECT_TRUE(closing.contains(
        "From the option board 1 autodial number(s) were stored. Its toll restriction list (2 entries, in the "
        "board's order), its answer code \"9876\" and its number of rings \"7\" wait on the Special "
        "Codes/Autopatch tab as typed, red where they differ from the settings, until that tab is applied; Save, "
        "Save As, Exit, the upload and a download apply it first."))
        << closing.toStdString();

    ASSERT_NE(box("AnswerCodeSet"), nullptr);
    EXPECT_EQ(box("AnswerCodeSet")->text(), "9876");
    EXPECT_TRUE(red(box("AnswerCodeSet")));
    EXPECT_EQ(box("RingNumberSet")->text(), "7");
    auto* toll = main->editors().editor(SpecialCodesTab)->findChild<QListWidget*>("TollRestrictList");
    ASSERT_EQ(toll->count(), 2);
    EXPECT_EQ(toll->item(0)->text(), "976");
    EXPECT_EQ(toll->item(1)->text(), "900");

    // What the editor shows is what the file gets.
    ASSERT_TRUE(main->files().fileSave());
    EXPECT_EQ(profile.read(file, "Autopatch", "AnswerCode"), "9876");
    EXPECT_EQ(profile.read(file, "Autopatch", "RingNumber"), "7");
    EXPECT_EQ(profile.read(file, "Autopatch", "TollRestrict(1)"), "976");
    EXPECT_EQ(profile.read(file, "Autopatch", "TollRestrict(2)"), "900");
    EXPECT_EQ(profile.read(file, "Autopatch", "TollRestrict(5)"), "");
    EXPECT_EQ(profile.read(file, "Autopatch", "AutoDial(7)"), "555");
}

// The settings the image does not hold, as the tabs show them: the caption of
// each box and its tab, each once; no key of the configuration file, none
// the option board filled, none that no tab shows.
TEST_F(OptionBoardDownloadTest, TheClosingMessageNamesWhatKeepsItsValueAsTheTabsShowIt)
{
    const QString lead = QStringLiteral("The Tarvex's memory does not hold these settings; they keep their earlier "
                                        "values: ");
    const QStringList analog{"Alarm Type (Analog)", "Meter Number (Analog)", "Trip Value (Analog)",
                             "Macro To Call (Analog)"};
    const QStringList ports{"Receiver Enable (Port Switches)", "DTMF Evaluate On Closure (Port Switches)"};
    const QString codes = QStringLiteral(" (Special Codes/Autopatch)");
    const struct {
        const char* what;
        QByteArrayList board; // none: no option board
        QStringList names;
    } cases[] = {
        {"no option board", {},
         QStringList{"Date Format (Scheduler/Clock)"} + analog
             + QStringList{"User DTMF Prefix" + codes, "Answer Code" + codes, "Phone Number" + codes,
                           "Toll Restrict" + codes, "Number of Rings to Answer" + codes, "Timeout" + codes,
                           "Pre Program Prefix" + codes, "DTMF Mute Select" + codes}
             + ports},
        {"the board filled autodial, toll list, answer code and rings",
         {"RA007555", "RT005976", "RS9876", "RR7"},
         QStringList{"Date Format (Scheduler/Clock)"} + analog
             + QStringList{"User DTMF Prefix" + codes, "Timeout" + codes, "Pre Program Prefix" + codes,
                           "DTMF Mute Select" + codes}
             + ports},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        next = boardNext = 0;
        boardLines = c.board;
        dialogs.clear();
        dialogs.answer(Dialogs::Answer::Yes);
        dialogs.answer(c.board.isEmpty() ? Dialogs::Answer::No : Dialogs::Answer::Yes);
        menus().download->trigger();

        const QString closing = dialogs.messages().back().text;
        const qsizetype at = closing.indexOf(lead);
        ASSERT_GE(at, 0) << closing.toStdString();
        QString sentence = closing.mid(at + lead.size());
        sentence.truncate(sentence.indexOf(u'\n') < 0 ? sentence.size() : sentence.indexOf(u'\n'));
        ASSERT_TRUE(sentence.endsWith(u'.')) << sentence.toStdString();
        sentence.chop(1);
        EXPECT_EQ(sentence.split(QStringLiteral(", ")), c.names);
        for (const QString& key : SettingsNotHeld())
            EXPECT_FALSE(closing.contains(key)) << key.toStdString() << " in " << closing.toStdString();
        // The look-up leaves the access code editor as it found it.
        EXPECT_EQ(main->editors().isLoaded(SpecialCodesTab), !c.board.isEmpty());
    }
}
