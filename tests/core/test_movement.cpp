// The four direction commands: refusals, steps, the last action, side, the blow
// on leaving a monster's room, and a game that ends during a move.
#include "fixture.h"

namespace morvint::testing {
namespace {

TEST_F(GameTest, ClosedWayIsRefusedOncePerPressAndChangesNothingElse) {
    state().enemyhp.at(0, 2) = 1;  // a wounded snake; set up without its blow
    state().hroom = 2;
    window.setTag(Button::northCom, "False");
    window.setText(Box::mainTxt, "Here. ");
    const std::string hpPanel = panel(Panel::hp).text;

    game.northCom_Click();
    EXPECT_EQ(narrative(), "Here. You cannot go north from this room. ");
    EXPECT_FALSE(enabled(Button::northCom));
    game.northCom_Click();
    EXPECT_EQ(narrative(),
              "Here. You cannot go north from this room. You cannot go north from this room. ");
    EXPECT_EQ(state().vroom, 0);
    EXPECT_EQ(state().hroom, 2);
    EXPECT_EQ(state().hp, 35);
    EXPECT_EQ(action(), "Entered a maze");
    EXPECT_EQ(panel(Panel::hp).text, hpPanel);
    EXPECT_EQ(random.draws, 0);
}

struct RefusalCase {
    Button button;
    void (Game::*press)();
    const char* refusal;
};

class Refusals : public GameTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusals, EachDirectionHasItsOwnRefusal) {
    window.setTag(GetParam().button, "False");
    (game.*GetParam().press)();
    EXPECT_EQ(narrative(), std::string(opening) + GetParam().refusal);
    EXPECT_FALSE(enabled(GetParam().button));
}

INSTANTIATE_TEST_SUITE_P(Directions, Refusals,
                         ::testing::Values(RefusalCase{Button::northCom, &Game::northCom_Click,
                                                       "You cannot go north from this room. "},
                                           RefusalCase{Button::southCom, &Game::southCom_Click,
                                                       "You cannot go south from this room. "},
                                           RefusalCase{Button::eastCom, &Game::eastCom_Click,
                                                       "You cannot go east from this room. "},
                                           RefusalCase{Button::westCom, &Game::westCom_Click,
                                                       "You cannot go west from this room. "}));

TEST_F(GameTest, OnlyExactlyFalseClosesAWay) {
    window.setTag(Button::southCom, "false");
    state().vroom = 1;
    game.southCom_Click();
    EXPECT_EQ(action(), "Went south(0,3)");
    window.setTag(Button::eastCom, "");
    game.eastCom_Click();
    EXPECT_EQ(action(), "Went east(0,4)");
}

TEST_F(GameTest, LastActionNamesTheMoveAndTheNewRoomRowFirst) {
    game.northCom_Click();
    EXPECT_EQ(action(), "Went north(1,3)");
    EXPECT_EQ(narrative(),
              "You can go north or south. There is a potion in the middle of the room but drink it "
              "at your own risk. ");
    game.southCom_Click();
    EXPECT_EQ(action(), "Went south(0,3)");
    EXPECT_EQ(narrative(), "You can go north or west. ");
}

TEST_F(GameTest, EastAndWestSetTheSideNorthAndSouthKeepIt) {
    enter(1, 0);
    game.eastCom_Click();  // onto the bridge from its west side
    EXPECT_EQ(state().side, "west");
    EXPECT_EQ(openWays(), "W");
    game.westCom_Click();
    EXPECT_EQ(state().side, "east");
    game.northCom_Click();
    EXPECT_EQ(state().side, "east");
    game.southCom_Click();
    EXPECT_EQ(state().side, "east");
}

struct LeaveCase {
    std::int16_t row;
    std::int16_t col;
    float r;
    const char* blow;
    int lost;
};

class LeavingAMonster : public GameTest, public ::testing::WithParamInterface<LeaveCase> {};

// Every leave goes east through a way opened by hand; the enemy always strikes.
TEST_P(LeavingAMonster, CostsHitPointsAndReportsThemLast) {
    const LeaveCase& c = GetParam();
    state().vroom = c.row;
    state().hroom = c.col;
    window.setTag(Button::eastCom, "True");
    random.push(c.r);
    game.eastCom_Click();
    EXPECT_EQ(state().hp, 35 - c.lost);
    EXPECT_EQ(panel(Panel::hp).text, std::to_string(35 - c.lost));
    EXPECT_EQ(panel(Panel::enemy).text, c.blow);
    EXPECT_FALSE(panel(Panel::enemy).enabled);
    const std::string leave =
        "You were attcked when you left the room. You lost " + std::to_string(c.lost) + " HP. ";
    ASSERT_GE(narrative().size(), leave.size());
    EXPECT_EQ(narrative().substr(narrative().size() - leave.size()), leave);
    EXPECT_EQ(random.draws, 1);
}

INSTANTIATE_TEST_SUITE_P(MonsterRooms, LeavingAMonster,
                         ::testing::Values(LeaveCase{0, 2, 0.0f, "snake: 2", 2},
                                           LeaveCase{0, 2, 0.99f, "snake: 2", 6},
                                           LeaveCase{1, 2, 0.0f, "scropion: 1", 1},
                                           LeaveCase{2, 3, 0.5f, "goblin: 6", 5},
                                           LeaveCase{5, 0, 0.2f, "snake: 2", 3},
                                           LeaveCase{6, 3, 0.99f, "scropion: 1", 3},
                                           LeaveCase{6, 5, 0.99f, "dragon: 10", 12}));

TEST_F(GameTest, LeavingADeadMonsterOrAnEmptyRoomCostsNothing) {
    state().enemyhp.at(2, 3) = 0;
    enter(2, 3);
    game.westCom_Click();
    EXPECT_EQ(narrative(),
              "You can go east, west, or south. There is a transporter in the room that will take "
              "you to another part of the maze. ");
    EXPECT_EQ(state().hp, 35);
    EXPECT_FALSE(game.leaveroom(2, 3));
    EXPECT_FALSE(game.leaveroom(0, 3));
    EXPECT_TRUE(game.leaveroom(6, 5));
}

TEST_F(GameTest, BlowOnLeavingComesBeforeTheNextRoomsEncounter) {
    state().hroom = 2;  // with the snake, unhurt
    window.setTag(Button::northCom, "True");
    random.push({0.0f, 0.0f});  // the snake's blow; the scorpion's coin
    game.northCom_Click();
    EXPECT_EQ(narrative(),
              "You can go north or west. There is a scropion in the room.  You have first move. "
              "You can leave or attack. If "
              "you leave, you might be attacked. You were attcked when you left the room. You lost "
              "2 HP. ");
    EXPECT_EQ(panel(Panel::enemy).text, "scropion: 1");
    EXPECT_TRUE(panel(Panel::enemy).enabled);
}

TEST_F(GameTest, DeathOnLeavingStopsTheMoveAndYesStartsAFreshGame) {
    state().hp = 2;
    state().vroom = 0;
    state().hroom = 2;
    window.setTag(Button::eastCom, "True");
    random.push(0.0f);
    game.eastCom_Click();
    EXPECT_EQ(window.questions, 1);
    EXPECT_EQ(narrative(), opening);
    EXPECT_EQ(action(), "Entered a maze");
    EXPECT_EQ(state().vroom, 0);
    EXPECT_EQ(state().hroom, 3);
    EXPECT_EQ(state().side, "");
    EXPECT_EQ(panel(Panel::hp).text, "35");
}

TEST_F(GameTest, DeathInTheNextRoomAddsNoLeaveMessage) {
    state().hp = 3;
    state().vroom = 0;
    state().hroom = 2;
    state().enemyhp.at(1, 2) = 1;
    window.setTag(Button::northCom, "True");
    std::string askedWith;
    window.onAsk = [&] {
        askedWith = narrative();
        return true;
    };
    random.push({0.0f, 0.9f, 0.0f});  // leave: 2; coin: the scorpion strikes; 1
    game.northCom_Click();
    EXPECT_EQ(askedWith, "You died from an enemy's attack. ");
    EXPECT_EQ(narrative(), opening);
    EXPECT_EQ(random.draws, 3);
}

TEST_F(GameTest, StepOutOfTheMazeEndsTheGameAsACurse) {
    state().vroom = 6;
    state().hroom = 5;
    state().enemyhp.at(6, 5) = 0;
    state().gold = vbTrue;
    window.setTag(Button::northCom, "True");
    std::string askedWith, actionAsked;
    window.onAsk = [&] {
        askedWith = narrative();
        actionAsked = action();
        return false;
    };
    game.northCom_Click();
    EXPECT_EQ(askedWith, "You died from a curse on the gold. ");
    EXPECT_EQ(actionAsked, "Went north(7,5)");
    EXPECT_TRUE(window.programEnded);
    EXPECT_TRUE(game.programEnded());
    EXPECT_EQ(state().vroom, 7);
    // Nothing runs once the program has ended.
    game.newMnu_Click();
    game.southCom_Click();
    EXPECT_EQ(narrative(), "You died from a curse on the gold. ");
}

}  // namespace
}  // namespace morvint::testing
