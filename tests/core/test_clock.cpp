// The game clock's counting and its text.

#include <gtest/gtest.h>

#include <string>

#include "morvint/clock.h"

using morvint::GameClock;

namespace {

std::string afterTicks(GameClock& clock, int ticks) {
    std::string text;
    for (int i = 0; i < ticks; ++i) {
        text = clock.tick();
    }
    return text;
}

}  // namespace

// The minutes always have two digits and never reach 60; the hours have no
// leading zero.
TEST(GameClock, CountsMinutesAndHours) {
    GameClock clock;
    EXPECT_EQ(afterTicks(clock, 1), "0:01");
    EXPECT_EQ(afterTicks(clock, 8), "0:09");
    EXPECT_EQ(afterTicks(clock, 1), "0:10");
    EXPECT_EQ(afterTicks(clock, 49), "0:59");
    EXPECT_EQ(afterTicks(clock, 1), "1:00");
    EXPECT_EQ(afterTicks(clock, 1), "1:01");
    EXPECT_EQ(afterTicks(clock, 599 - 61 + 1), "10:00");
}

// Beyond 32767 hours the count goes on, and at the top of 32 bits it stops
// instead of overflowing.
TEST(GameClock, LongRuns) {
    GameClock past16Bits(32767, 59);
    EXPECT_EQ(past16Bits.tick(), "32768:00");
    GameClock top(2147483647, 58);
    EXPECT_EQ(top.tick(), "2147483647:59");
    EXPECT_EQ(top.tick(), "2147483647:00");
}
