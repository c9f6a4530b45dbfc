// SPDX-License-Identifier: MIT
// What no replay script can reach: single-precision rolls, the clock's random
// source, the game clock's hours past 16 bits, and states the window never
// produces but the core must still survive.
#include <gtest/gtest.h>

#include "memory_window.h"
#include "morvint/clock.h"
#include "morvint/game.h"
#include "scripted_random.h"

namespace morvint {

// Rolls multiply in single precision (in double 0.8333333f * 6 is just below 5);
// the clock's source draws below 1 and starts over when reseeded at the same time.
TEST(Random, RollsAndTheClockSource) {
    EXPECT_EQ(roll(0.8333333f, 6), 5);
    EXPECT_EQ(roll(0.49999997f, 2), 0);
    EXPECT_EQ(roll(0.99999994f, 9), 8);
    float seconds = 43200.25f;
    ClockRandom random([&] { return seconds; });
    const float first = random.next();
    for (int i = 0; i < 10000; ++i) {
        const float r = random.next();
        ASSERT_TRUE(r >= 0.0f && r < 1.0f) << r;
    }
    random.reseed();
    EXPECT_EQ(random.next(), first);
    seconds = 43200.5f;  // the fraction counts too
    random.reseed();
    EXPECT_NE(random.next(), first);
}

// The hours go beyond 16 bits and stop at the top of 32 (the window's script
// plays the minutes and the first hours).
TEST(GameClock, HoursBeyond16Bits) {
    EXPECT_EQ(GameClock(32767, 59).tick(), "32768:00");
    GameClock top(2147483647, 58);
    EXPECT_EQ(top.tick(), "2147483647:59");
    EXPECT_EQ(top.tick(), "2147483647:00");
}

// States the window never makes: no side opens neither end of a bridge; only the
// exact text "False" closes a way; a room off the grid sets up nothing.
TEST(Guards, StatesTheWindowNeverMakes) {
    replay::MemoryWindow window;
    replay::ScriptedRandom random;
    Game game{window, random};
    GameState& s = game.state();
    game.Form_Load();
    s.vroom = 6, s.hroom = 1;
    game.setenable(6, 1, 0);
    game.crossCom_Click();
    EXPECT_EQ(window.tag(Button::westCom) + window.tag(Button::eastCom), "FalseFalse");
    window.setTag(Button::southCom, "false");
    s.vroom = 1, s.hroom = 3;
    game.southCom_Click();
    EXPECT_EQ(window.text(Box::actionTxt), "Went south(0,3)");
    window.setTag(Button::eastCom, "");
    game.eastCom_Click();
    EXPECT_EQ(window.text(Box::actionTxt), "Went east(0,4)");
    game.setenable(-1, 3, 0);
    EXPECT_EQ(window.text(Box::mainTxt), "");
    EXPECT_THROW(s.enemyhp.at(7, 5), std::out_of_range);
}

}  // namespace morvint
