#include <QApplication>
#include <gtest/gtest.h>

// The windows under test need an application object.
int main(int argc, char** argv)
{
    // A desktop's screen: the offscreen platform's own is narrower than the
    // main window, and the window's fit to its screen is under test.
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen")
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" OFFSCREEN_SCREEN);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
