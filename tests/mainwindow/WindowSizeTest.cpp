#include "MainFixture.h"

#include <QApplication>
#include <QScreen>
#include <QTest>

using WindowSize = MainFixture;

namespace {

QRect screenArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }

} // namespace

TEST_F(WindowSize, AFirstStartShowsEveryTabAndAStoredSizeStillWins)
{
    makeTabs = EditorTabs;
    startOn(datFile("a.dat"));
    main->showAsStored();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    QTabBar* tabs = main->tabBar();
    EXPECT_EQ(tabs->tabRect(0).left(), 0) << "not scrolled";
    EXPECT_LE(tabs->tabRect(tabs->count() - 1).right(), tabs->width()) << "\"Port Switches\" is in view";
    EXPECT_LE(main->width(), screenArea().width());
    main.reset();

    setIniKey("Window Width", "15000");
    setIniKey("Window Height", "13500");
    startOn(datFile("a.dat"));
    main->showAsStored();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    EXPECT_EQ(main->size(), QSize(1000, 900));
}
