// The start of a game: the opening window, and what File > New resets and keeps.
#include "fixture.h"

namespace morvint::testing {
namespace {

TEST_F(GameTest, OpeningShowsTheIntroductionAndTheStartRoom) {
    EXPECT_EQ(narrative(), opening);
    EXPECT_EQ(action(), "Entered a maze");
    EXPECT_EQ(items(), "");
    EXPECT_EQ(panel(Panel::hp).text, "35");
    EXPECT_EQ(panel(Panel::enemy).text, "Enemy HP:");
    EXPECT_FALSE(panel(Panel::enemy).enabled);
    EXPECT_EQ(panel(Panel::time).text, "0:00");
    EXPECT_EQ(openWays(), "NW");
    EXPECT_EQ(tag(Button::eastCom), "False");
    EXPECT_EQ(tag(Button::southCom), "False");
    EXPECT_EQ(tag(Button::attackCom), "");
    for (Button b : allButtons) {
        EXPECT_TRUE(enabled(b)) << buttonName(b);
    }
    EXPECT_EQ(random.reseeds, 1);
    EXPECT_EQ(random.draws, 0);
}

TEST_F(GameTest, OpeningSetsTheGameState) {
    const GameState& s = state();
    EXPECT_EQ(s.hp, 35);
    EXPECT_EQ(s.vroom, 0);
    EXPECT_EQ(s.hroom, 3);
    EXPECT_EQ(s.side, "");
    EXPECT_EQ(s.potion1, -1);
    EXPECT_EQ(s.potion2, -1);
    for (std::int16_t flag : {s.k1, s.d1, s.k2, s.d2, s.k3, s.d3, s.gold}) {
        EXPECT_EQ(flag, 0);
    }
    const std::int16_t table[7][7] = {
        {0, 0, 2, 0, 0, 0, 0}, {0, 0, 1, 0, 0, 0, 0}, {0, 0, 0, 6, 0, 0, 0},  {0, 0, 0, 0, 0, 0, 0},
        {0, 0, 0, 0, 0, 0, 0}, {2, 0, 0, 0, 0, 0, 0}, {6, 0, 0, 1, 0, 10, 0},
    };
    for (int row = 0; row < 7; ++row) {
        for (int col = 0; col < 7; ++col) {
            EXPECT_EQ(s.enemyhp.at(row, col), table[row][col]) << row << "," << col;
        }
    }
}

TEST_F(GameTest, EnemyTableRefusesIndexesOffTheGrid) {
    EXPECT_THROW(state().enemyhp.at(7, 5), std::out_of_range);
    EXPECT_THROW(state().enemyhp.at(0, -1), std::out_of_range);
}

// File > New in the middle of a fight, with keys, a door, the gold and a potion gone.
TEST_F(GameTest, NewGameResetsTheGameButKeepsSideItemsEnemyTextAndWells) {
    GameState& s = state();
    s.hp = 9;
    s.vroom = 2;
    s.hroom = 3;
    s.side = "east";
    s.enemyhp.at(2, 3) = 2;
    s.potion2 = vbFalse;
    s.k1 = s.d1 = s.k2 = s.gold = vbTrue;
    game.setWellcount(4);
    window.setText(Box::itemTxt, "key2 gold");
    window.setPanelText(Panel::enemy, "goblin: 2");
    window.setPanelText(Panel::time, "1:15");
    window.setEnabled(Button::attackCom, false);

    game.newMnu_Click();

    EXPECT_EQ(narrative(), opening);
    EXPECT_EQ(action(), "Entered a maze");
    EXPECT_EQ(s.hp, 35);
    EXPECT_EQ(s.vroom, 0);
    EXPECT_EQ(s.hroom, 3);
    EXPECT_EQ(s.enemyhp.at(2, 3), 6);
    EXPECT_EQ(s.potion2, vbTrue);
    EXPECT_EQ(s.k1 | s.d1 | s.k2 | s.gold, 0);
    EXPECT_TRUE(enabled(Button::attackCom));
    EXPECT_EQ(panel(Panel::hp).text, "35");
    EXPECT_EQ(panel(Panel::time).text, "0:00");
    // What a new game does not touch.
    EXPECT_EQ(s.side, "east");
    EXPECT_EQ(items(), "key2 gold");
    EXPECT_EQ(panel(Panel::enemy).text, "goblin: 2");
    EXPECT_FALSE(panel(Panel::enemy).enabled);
    EXPECT_EQ(game.wellcount(), 4);
    EXPECT_EQ(random.reseeds, 2);
}

TEST(Roll, MultipliesInSinglePrecision) {
    // In double precision 0.8333333f * 6 is just below 5.
    EXPECT_EQ(roll(0.8333333f, 6), 5);
    EXPECT_EQ(roll(0.5f, 2), 1);
    EXPECT_EQ(roll(0.49999997f, 2), 0);
    EXPECT_EQ(roll(0.99999994f, 9), 8);
    EXPECT_EQ(roll(0.0f, 5), 0);
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

}  // namespace
}  // namespace morvint::testing
