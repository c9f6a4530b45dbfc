// SPDX-License-Identifier: MIT
// What no replay script can reach: the largest roll, the clock's random source,
// the game clock's hours past 16 bits, and the game after the program has ended.
#include <gtest/gtest.h>

#include "morvint/clock.h"
#include "morvint/game.h"
#include "morvint/random.h"

namespace morvint {

// The largest draw below 1 rolls the largest value (the scripts play the single-
// precision products); the clock's source draws below 1 and starts over when
// reseeded at the same time.
TEST(Random, RollsAndTheClockSource) {
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

// Once the program has ended, nothing runs: not the clock, a button or New.
TEST(Game, NothingRunsAfterTheEnd) {
    struct Quiet : Window {
        void showView(const View&, const Changes&) override {}
        bool askPlayAgain() override { return false; }
        void programEnded() override {}
    } window;
    ClockRandom random([] { return 0.5f; });
    Game game(window, random);
    game.Form_Load();
    game.click(Button::northCom);
    game.Timer1_Timer();
    game.endProgram();
    const View before = game.view();
    game.Timer1_Timer();
    EXPECT_FALSE(game.click(Button::northCom));
    game.newMnu_Click();
    EXPECT_EQ(game.view().panel(Panel::time).text, before.panel(Panel::time).text);
    EXPECT_EQ(game.view().text(Box::mainTxt), before.text(Box::mainTxt));
}

}  // namespace morvint
