#include "MainFixture.h"

#include "MemoryImageBuilder.h"
#include "mainwindow/ProgressBar.h"

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
