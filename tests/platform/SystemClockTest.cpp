#include "platform/SystemClock.h"

#include <gtest/gtest.h>

TEST(SystemClock, SleepWaitsAndTimeNeverGoesBackwards)
{
    SystemClock clock;
    const auto before = clock.elapsedMs();
    clock.sleep(20);
    EXPECT_GE(clock.elapsedMs() - before, 15);
    clock.sleep(0);
    clock.sleep(-5);
    clock.processEvents(); // no application: must not crash
    EXPECT_TRUE(clock.now().isValid());
}
