#include "store/KeyRegistry.h"
#include "store/TailMessageMacros.h"

#include <gtest/gtest.h>

#include <stdexcept>

// Each port has a table of its own, and its key is the file's key of that
// very table: a swapped port would write one port's macros under another's.
TEST(TailMessageMacros, EachPortHasItsOwnTableUnderItsOwnKey)
{
    for (int port = 1; port <= Count::Ports; ++port) {
        const KeyStem* stem = StemOf(TailMessageMacros(port));
        ASSERT_NE(stem, nullptr) << port;
        EXPECT_EQ(stem->key, QStringLiteral("P%1MessageNum").arg(port));
    }
    EXPECT_EQ(TailMessageMacros(1), &SettingsTables::P1MessageNum);
    EXPECT_EQ(TailMessageMacros(2), &SettingsTables::P2MessageNum);
    EXPECT_EQ(TailMessageMacros(3), &SettingsTables::P3MessageNum);
    for (int outside : {0, 4})
        EXPECT_THROW(TailMessageMacros(outside), std::out_of_range) << outside;
}
