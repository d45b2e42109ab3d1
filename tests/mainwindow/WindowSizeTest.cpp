#include "MainFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QScreen>
#include <QTest>

using WindowSize = MainFixture;

namespace {

QRect screenArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }

} // namespace

// A value the reader takes, however long, is shown cut in its control: no
// editor widens the window past the screen, and so no such width is stored.
TEST_F(WindowSize, AValueOfFiveThousandCharactersLeavesTheWindowsWidthAsItWas)
{
    makeTabs = EditorTabs;
    startOn(datFile("plain.dat"));
    main->showAsStored();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    const int plainWidth = main->width();
    main.reset();

    const QString digits(5000, u'1');
    startOn(datFile("long.dat", {{"Unlock", "DTMFSpeech", digits},
                                 {"Unlock", "CommandPrefix", digits},
                                 {"Timers", "InActivityMacro(1)", QString(4999, u'0') + u'1'},
                                 {"Remote", "RemoteBasePrefix", digits},
                                 {"Remote", "CTCSS(1)", digits},
                                 {"Alarms", "RouteAuxPort(1)", digits},
                                 {"Autopatch", "AutoDial(1)", digits},
                                 {"DTMF", "DTMF(1)", QString(2500, u'1').split(QString()).join(u' ').trimmed()}}));
    main->showAsStored();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    EXPECT_EQ(main->width(), plainWidth);
    for (int tab = 0; tab < main->tabBar()->count(); ++tab) {
        SCOPED_TRACE(main->tabBar()->tabText(tab).toStdString());
        main->selectTab(tab);
        QApplication::processEvents();
        EXPECT_EQ(main->width(), plainWidth);
        EXPECT_LE(main->minimumSizeHint().width(), screenArea().width());
    }
    // Cut in the list, whole on demand.
    auto* speech = main->findChild<QComboBox*>("DTMFSpeechSet");
    ASSERT_NE(speech, nullptr);
    EXPECT_EQ(speech->placeholderText(), digits);
    EXPECT_LT(speech->width(), screenArea().width() / 2);
    EXPECT_EQ(speech->toolTip().remove(u'\n'), digits);
    speech->setCurrentIndex(0);
    EXPECT_EQ(speech->toolTip(), "") << "the tip goes with the text";
    EXPECT_LE(main->currentGeometry().width.value_or(0), screenArea().width() * TwipsPerPixel) << "what Exit stores";
}

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

// As an earlier version stored it after a long value had stretched the window.
TEST_F(WindowSize, AStoredPlaceAndSizeBeyondTheScreenAreBroughtBackOntoIt)
{
    const struct {
        const char *width, *height, *left, *top;
    } stored[] = {
        {"491505", "9600", "0", "0"},
        {"491505", "491505", "-300000", "90000"},
        {"15000", "9000", "18000", "15000"}, // fits, but would stand past the right and bottom edges
    };
    for (const auto& g : stored) {
        SCOPED_TRACE(g.width);
        setIniKey("Window Width", g.width);
        setIniKey("Window Height", g.height);
        setIniKey("Window Left", g.left);
        setIniKey("Window Top", g.top);
        startOn(datFile("a.dat"));
        const QRect placed(main->pos(), main->size());
        EXPECT_TRUE(screenArea().contains(placed)) << placed.x() << "," << placed.y() << " " << placed.width()
                                                   << "x" << placed.height();
    }
}
