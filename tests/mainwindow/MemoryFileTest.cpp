#include "MainFixture.h"

#include "MemoryImageBuilder.h"

#include <vector>

class MemoryFileTest : public MainFixture {
protected:
    void SetUp() override { startOn(datFile("a.dat")); }

    QString memoryFile(const QByteArray& text) { return dir.write("download.mem", text); }
    std::vector<EditorWindow*> loadedEditors()
    {
        std::vector<EditorWindow*> loaded;
        for (int tab = 0; tab < main->editors().count(); ++tab)
            loaded.push_back(main->editors().editor(tab));
        return loaded;
    }
};

TEST_F(MemoryFileTest, AParsedFileReloadsTheTenEditorsWithTheTimersInFront)
{
    main->selectTab(AnalogTab);
    editor(AnalogTab)->pendingEdit = true;
    events.clear();
    const std::vector<EditorWindow*> before = loadedEditors();
    MemoryImage image{};
    image[16] = 77; // HangTime(1)
    tables.DataSaved = true;

    const EramLoad load = main->loadMemoryFile(memoryFile(MemoryFileText(image)));

    ASSERT_TRUE(load.status.ok()) << load.status.reason().toStdString();
    EXPECT_EQ(tables.HangTime[1], "77");
    EXPECT_FALSE(tables.DataSaved);
    EXPECT_TRUE(events.isEmpty()) << "the edit not applied is dropped, no editor is applied";
    EXPECT_NE(tables.FanTime, "123");
    const std::vector<EditorWindow*> after = loadedEditors();
    int loaded = 0;
    for (int tab = 0; tab < main->editors().count(); ++tab) {
        EXPECT_EQ(after[tab] != nullptr, tab != SpecialCodesTab) << tab;
        EXPECT_TRUE(!after[tab] || after[tab] != before[tab]) << "tab " << tab << " is made afresh";
        loaded += after[tab] != nullptr;
    }
    EXPECT_EQ(loaded, 10);
    EXPECT_EQ(main->editors().frontTab(), TimersTab);
    EXPECT_EQ(main->currentTab(), TimersTab);
    EXPECT_EQ(main->tabBar()->currentIndex(), TimersTab);
}

TEST_F(MemoryFileTest, ARefusedFileLeavesTheEditorsOpenWithTheirEdits)
{
    main->selectTab(SpecialCodesTab);
    editor(SpecialCodesTab)->pendingEdit = true;
    events.clear();
    const std::vector<EditorWindow*> before = loadedEditors();
    const QString hangTime = tables.HangTime[1];
    tables.DataSaved = true;
    const QByteArray complete = MemoryFileText(MemoryImage{});
    QByteArray outOfOrder = complete;
    outOfOrder.replace("1,0\r\n2,0\r\n", "2,0\r\n1,0\r\n");
    struct Case { QByteArray text; const char* reason; };
    const Case cases[] = {
        {complete.left(complete.lastIndexOf("4095,")), "The memory file holds 4095 records; a complete download holds 4096."},
        {outOfOrder, "Line 2 of the memory file is not the record of address 1 (\"2,0\")."},
        {QByteArray(complete).replace("\r\n100,0\r\n", "\r\n100,256\r\n"),
         "Line 101 of the memory file is not the record of address 100 (\"100,256\")."},
        {QByteArray(), "The memory file holds 0 records; a complete download holds 4096."},
    };
    for (const Case& c : cases) {
        const EramLoad load = main->loadMemoryFile(memoryFile(c.text));
        EXPECT_EQ(load.status.reason(), QString::fromLatin1(c.reason) + " Nothing was changed.");
        EXPECT_EQ(loadedEditors(), before);
        EXPECT_TRUE(editor(SpecialCodesTab)->pendingEdit);
        EXPECT_EQ(main->editors().frontTab(), SpecialCodesTab);
        EXPECT_EQ(tables.HangTime[1], hangTime);
        EXPECT_TRUE(tables.DataSaved);
    }
    EXPECT_TRUE(events.isEmpty());
    EXPECT_TRUE(dialogs.shown().empty()) << "the caller tells the user";
}
