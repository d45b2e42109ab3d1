#include "MainFixture.h"

#include <QRadioButton>

// The program's own editors on configuration files without the date format:
// the scheduler tab writes one into the open file only when the user picks it.
class SchedulerTabTest : public MainFixture {
protected:
    void SetUp() override
    {
        makeTabs = [] { return EditorTabs(); };
        first = withoutDateFormat("first.dat");
        second = withoutDateFormat("second.dat");
        firstBytes = TempDir::read(first);
        secondBytes = TempDir::read(second);
        startOn(first);
    }
    QString withoutDateFormat(const QString& name)
    {
        const QString path = datFile(name);
        QByteArray bytes = TempDir::read(path);
        EXPECT_GT(bytes.count("DateFormat="), 0);
        bytes.replace("DateFormat=False\r\n", "");
        return dir.write(name, bytes);
    }
    QRadioButton* option(const char* name)
    {
        return main->editors().editor(SchedulerTab)->findChild<QRadioButton*>(QString::fromLatin1(name));
    }

    QString first, second;
    QByteArray firstBytes, secondBytes;
};

TEST_F(SchedulerTabTest, OpeningAFileLeavesItAsItWasAndAPickedFormatGoesIntoIt)
{
    EXPECT_EQ(TempDir::read(first), firstBytes) << "the start-up's load wrote into the file";
    dialogs.answerFile(second);
    ASSERT_TRUE(main->files().fileOpen());
    EXPECT_EQ(TempDir::read(second), secondBytes) << "File Open wrote into the file";
    EXPECT_EQ(tables.DateFormat, "False");
    main->selectTab(SchedulerTab);
    ASSERT_NE(option("USDate"), nullptr);
    EXPECT_TRUE(option("USDate")->isChecked());
    EXPECT_TRUE(tables.DataSaved);

    // The reader has raised the Scheduler section's flag, as for every key it put a default in.
    const bool sectionFlag = tables.SchedulerChanged;
    dialogs.clear();
    option("InternationalDate")->click();
    EXPECT_EQ(tables.DateFormat, "True");
    EXPECT_EQ(profile.read(second, "Scheduler", "DateFormat"), "True");
    EXPECT_TRUE(TempDir::read(second).contains("\r\nDateFormat=True\r\n"));
    EXPECT_TRUE(tables.DataSaved) << "the file holds what memory does";
    EXPECT_EQ(tables.SchedulerChanged, sectionFlag);
    main->selectTab(TimersTab); // applies the scheduler tab: nothing to store
    EXPECT_TRUE(tables.DataSaved);
    EXPECT_EQ(TempDir::read(first), firstBytes);
    EXPECT_TRUE(dialogs.messages().empty());
}
