// The Attack command, the enemy's strike-back, and the end of a game.
#include "fixture.h"

namespace morvint::testing {
namespace {

TEST_F(GameTest, NothingToAttackIsRefusedAndChangesNothingElse) {
    game.attackCom_Click();
    EXPECT_EQ(narrative(), std::string(opening) + "There is nothing to attack. ");
    EXPECT_FALSE(enabled(Button::attackCom));
    EXPECT_EQ(action(), "Entered a maze");
    EXPECT_EQ(panel(Panel::enemy).text, "Enemy HP:");
    EXPECT_EQ(random.draws, 0);
}

struct AttackCase {
    std::int16_t row;
    std::int16_t col;
    std::int16_t enemy;  // its hit points before the attack
    float r;
    const char* report;
    std::int16_t left;
};

class Attacks : public GameTest, public ::testing::WithParamInterface<AttackCase> {};

// A kill reports the whole blow; a survivor strikes back at once (its blow
// draws 0, the least it can deal).
TEST_P(Attacks, ReportTheWholeBlowAndLowerTheEntry) {
    const AttackCase& c = GetParam();
    state().vroom = c.row;
    state().hroom = c.col;
    state().enemyhp.at(c.row, c.col) = c.enemy;
    window.setText(Box::mainTxt, "");
    random.push({c.r, 0.0f});
    game.attackCom_Click();
    EXPECT_EQ(state().enemyhp.at(c.row, c.col), c.left);
    EXPECT_EQ(narrative().substr(0, std::string(c.report).size()), c.report);
    EXPECT_EQ(random.draws, c.left > 0 ? 2 : 1);
    EXPECT_TRUE(enabled(Button::attackCom));  // the set-up enables every command
    EXPECT_EQ(action(), "Entered a maze");
}

INSTANTIATE_TEST_SUITE_P(
    Damage, Attacks,
    ::testing::Values(
        AttackCase{1, 2, 1, 0.99f, "You attacked the enemy. It lost 6 HP. It is now dead. ", 0},
        AttackCase{0, 2, 2, 0.0f, "You attacked the enemy. It lost 3 HP. It is now dead. ", 0},
        AttackCase{2, 3, 6, 0.99f, "You attacked the enemy. It lost 6 HP. It is now dead. ", 0},
        AttackCase{2, 3, 6, 0.74f,
                   "You attacked the enemy. It lost 5 HP. The goblin attacked you. You lost 3 HP. ",
                   1},
        AttackCase{2, 3, 6, 0.25f,
                   "You attacked the enemy. It lost 4 HP. The goblin attacked you. You lost 3 HP. ",
                   2},
        AttackCase{6, 5, 10, 0.0f,
                   "You attacked the enemy. It lost 3 HP. The dragon attacked you. You lost 4 HP. ",
                   7}));

TEST_F(GameTest, KillShowsZeroGreyedAndNoStrikeBack) {
    state().hroom = 2;
    random.push({0.0f, 0.0f});
    enter(0, 2);
    game.attackCom_Click();
    EXPECT_EQ(
        narrative(),
        "You can go west or east. There is a snake in the room.  You have first move. You can "
        "leave or attack. If you leave, you might be attacked. You attacked the enemy. It "
        "lost 3 HP. It is now dead. ");
    EXPECT_EQ(panel(Panel::enemy).text, "0");
    EXPECT_FALSE(panel(Panel::enemy).enabled);
    EXPECT_EQ(state().hp, 35);
    game.attackCom_Click();
    EXPECT_TRUE(narrative().ends_with("It is now dead. There is nothing to attack. "));
}

TEST_F(GameTest, StrikeBackShowsTheEnemyAndItsHitPoints) {
    state().vroom = 6;
    state().hroom = 5;
    random.push({0.5f, 0.5f});
    game.attackCom_Click();
    EXPECT_EQ(panel(Panel::enemy).text, "dragon: 5");
    EXPECT_TRUE(panel(Panel::enemy).enabled);
    EXPECT_EQ(state().hp, 35 - 8);
    EXPECT_EQ(panel(Panel::hp).text, "27");
}

TEST_F(GameTest, KillingTheGoblinWithKeyThreeDropsIt) {
    random.push({0.0f, 0.99f});  // the goblin lets us move first
    enter(6, 0);
    window.setText(Box::mainTxt, "");
    game.attackCom_Click();
    EXPECT_EQ(narrative(),
              "You attacked the enemy. It lost 6 HP. It is now dead. The goblin dropped a key with "
              "the number 3 on it. ");
}

TEST_F(GameTest, KillingTheDragonTellsWhetherTheWayOutIsOpen) {
    state().vroom = 6;
    state().hroom = 5;
    state().enemyhp.at(6, 5) = 3;
    window.setText(Box::mainTxt, "");
    random.push(0.0f);
    game.attackCom_Click();
    EXPECT_EQ(narrative(),
              "You attacked the enemy. It lost 3 HP. It is now dead. You beat the dragon but you "
              "haven't found the gold. Go back and find it. ");
    EXPECT_EQ(openWays(), "S");

    state().enemyhp.at(6, 5) = 3;
    state().gold = vbTrue;
    window.setText(Box::mainTxt, "");
    random.push(0.0f);
    game.attackCom_Click();
    EXPECT_EQ(narrative(),
              "You attacked the enemy. It lost 3 HP. It is now dead. You've found the end of the "
              "maze! ");
    EXPECT_EQ(openWays(), "NS");
}

TEST_F(GameTest, BlowBelowZeroEndsTheGameShowingTheFinalHitPoints) {
    state().vroom = 6;
    state().hroom = 5;
    state().hp = 2;
    std::string askedWith, hpAsked;
    window.onAsk = [&] {
        askedWith = narrative();
        hpAsked = panel(Panel::hp).text;
        return false;
    };
    random.push({0.0f, 0.99f});
    game.attackCom_Click();
    EXPECT_EQ(askedWith, "You died from an enemy's attack. ");
    EXPECT_EQ(hpAsked, "-10");
    EXPECT_TRUE(window.programEnded);
    // After No the window is left as it was.
    EXPECT_EQ(narrative(), "You died from an enemy's attack. ");
    EXPECT_EQ(state().enemyhp.at(6, 5), 7);
}

TEST_F(GameTest, BlowToExactlyZeroEndsTheGame) {
    state().hp = 3;
    random.push(0.0f);
    game.attacked(2, 3, 5, 3, "goblin");
    EXPECT_EQ(window.questions, 1);
}

TEST_F(GameTest, YesAfterAFatalStrikeBackLeavesTheNewGameUntouched) {
    state().vroom = 2;
    state().hroom = 3;
    state().hp = 1;
    random.push({0.0f, 0.0f});
    game.attackCom_Click();
    EXPECT_EQ(window.questions, 1);
    EXPECT_EQ(narrative(), opening);
    EXPECT_EQ(state().enemyhp.at(2, 3), 6);
    EXPECT_EQ(openWays(), "NW");
    EXPECT_FALSE(panel(Panel::enemy).enabled);
}

}  // namespace
}  // namespace morvint::testing
