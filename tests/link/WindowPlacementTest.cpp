#include "link/WindowPlacement.h"

#include <QWidget>
#include <gtest/gtest.h>

// A window the settings file has no place for is left for the window system
// to place (a dialog is centred on its owner); a stored place is kept.
TEST(WindowPlacement, OnlyAStoredPlaceMovesTheWindow)
{
    QWidget unplaced;
    WindowGeometry sizeOnly;
    sizeOnly.width = 300 * TwipsPerPixel;
    PlaceWindow(unplaced, sizeOnly);
    EXPECT_EQ(unplaced.width(), 300);
    EXPECT_FALSE(unplaced.testAttribute(Qt::WA_Moved));

    QWidget placed;
    WindowGeometry stored;
    stored.left = 40 * TwipsPerPixel;
    stored.top = 30 * TwipsPerPixel;
    PlaceWindow(placed, stored);
    EXPECT_TRUE(placed.testAttribute(Qt::WA_Moved));
    EXPECT_EQ(placed.pos(), QPoint(40, 30));
}
