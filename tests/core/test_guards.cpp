// What no replay script can reach: single-precision rolls, the clock's random
// source, and states the window never produces but the core must still survive.
#include <gtest/gtest.h>

#include "memory_window.h"
#include "morvint/game.h"
#include "scripted_random.h"

namespace morvint {
namespace {

TEST(Roll, MultipliesInSinglePrecision) {
    // In double precision 0.8333333f * 6 is just below 5.
    EXPECT_EQ(roll(0.8333333f, 6), 5);
    EXPECT_EQ(roll(0.49999997f, 2), 0);
    EXPECT_EQ(roll(0.99999994f, 9), 8);
}

TEST(ClockRandom, DrawsBelowOneAndRepeatsForTheSameSeed) {
    float seconds = 43200.25f;
    ClockRandom a([&] { return seconds; });
    ClockRandom b([&] { return seconds; });
    for (int i = 0; i < 10000; ++i) {
        const float r = a.next();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        ASSERT_EQ(r, b.next());
    }
    seconds = 43201.0f;
    a.reseed();
    b.reseed();
    EXPECT_EQ(a.next(), b.next());
    ClockRandom c([] { return 43200.25f; });
    EXPECT_NE(a.next(), c.next());
}

class Guards : public ::testing::Test {
protected:
    void SetUp() override { game.Form_Load(); }
    const std::string& narrative() const { return window.text(Box::mainTxt); }
    void place(std::int16_t v, std::int16_t h) {
        game.state().vroom = v;
        game.state().hroom = h;
    }

    replay::MemoryWindow window;
    replay::ScriptedRandom random;
    Game game{window, random};
};

// Only the exact text "False" closes a way.
TEST_F(Guards, AnExitFlagOtherThanFalseIsOpen) {
    window.setTag(Button::southCom, "false");
    place(1, 3);
    game.southCom_Click();
    EXPECT_EQ(window.text(Box::actionTxt), "Went south(0,3)");
    window.setTag(Button::eastCom, "");
    game.eastCom_Click();
    EXPECT_EQ(window.text(Box::actionTxt), "Went east(0,4)");
}

TEST_F(Guards, ABlowBelowZeroEndsTheGameShowingTheHitPoints) {
    place(6, 5);
    game.state().hp = 2;
    std::string hpAsked;
    window.onAsk = [&] {
        hpAsked = window.panel(Panel::hp).text;
        return false;
    };
    random.push({0.0f, 0.99f});
    game.attackCom_Click();
    EXPECT_EQ(hpAsked, "-10");
    EXPECT_EQ(narrative(), "You died from an enemy's attack. ");
    game.newMnu_Click();  // nothing runs once the program has ended
    EXPECT_EQ(narrative(), "You died from an enemy's attack. ");
}

TEST_F(Guards, ZeroHitPointsKillByABlowButNotByAWell) {
    game.state().hp = 1;
    place(0, 0);
    game.setenable(0, 0, 0);
    random.push({0.0f, 0.0f});
    game.drinkCom_Click();
    EXPECT_EQ(window.panel(Panel::hp).text, "0");
    EXPECT_EQ(window.questions, 0);
    game.state().hp = 3;
    game.attacked(2, 3, 5, 3, "goblin");
    EXPECT_EQ(window.questions, 1);
}

TEST_F(Guards, NoSideOpensNeitherEndOfABridge) {
    place(6, 1);
    game.setenable(6, 1, 0);
    game.crossCom_Click();
    EXPECT_EQ(window.tag(Button::westCom), "False");
    EXPECT_EQ(window.tag(Button::eastCom), "False");
}

TEST_F(Guards, ARoomOffTheGridHasNoEntry) {
    game.setenable(-1, 3, 0);
    EXPECT_EQ(narrative(), "");
    EXPECT_THROW(game.state().enemyhp.at(7, 5), std::out_of_range);
}

}  // namespace
}  // namespace morvint
