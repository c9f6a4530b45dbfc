// The room set-up over the whole maze: phrases, open ways, gated phrases,
// features that depend on the game state, and the encounter rule.
#include "fixture.h"

namespace morvint::testing {
namespace {

struct RoomCase {
    std::int16_t row;
    std::int16_t col;
    const char* open;
    const char* narrative;
};

// A full set-up of every room at the start of a game, with the monsters
// letting the player move first.
const RoomCase rooms[] = {
    {0, 0, "NE",
     "You are now in a large, open room. You can go north or east. There is a well in the middle "
     "of the room but drink the water at your own risk. "},
    {0, 1, "", "There is a rickety bridge that you must cross to go forward. "},
    {0, 2, "EW",
     "You can go west or east. There is a snake in the room.  You have first move. You can leave "
     "or attack. If you leave, you might be attacked. "},
    {0, 3, "NW", "You can go north or west. "},
    {0, 4, "E", "You can go east. "},
    {0, 5, "N", "You can go north. "},
    {0, 6, "NW", "You can go north or west. "},
    {1, 0, "NES",
     "You can go north, south, or east. There is a key with the number 1 on it in the room. "},
    {1, 1, "", "There is a bridge that you must cross to go forward. "},
    {1, 2, "NW",
     "You can go north or west. There is a scropion in the room.  You have first move. You can "
     "leave or attack. If you leave, you might be attacked. "},
    {1, 3, "NS",
     "You can go north or south. There is a potion in the middle of the room but drink it at your "
     "own risk. "},
    {1, 4, "NES", "You can go north, east, or south. "},
    {1, 5, "SW", "You can go west or south. "},
    {1, 6, "NS", "You can go north or south. "},
    {2, 0, "NS", "You can go north or south. "},
    {2, 1, "NE", "You can go north or east. "},
    {2, 2, "ESW",
     "You can go east, west, or south. There is a transporter in the room that will take you to "
     "another part of the maze. "},
    {2, 3, "NESW",
     "You can go any direction. There is a goblin in the room.  You have first move. You can leave "
     "or attack. If you leave, you might be attacked. "},
    {2, 4, "W",
     "You can go west. There are stairs in the room that will take you to another part of the "
     "maze. "},
    {2, 5, "", "There is a rickety bridge that you must cross to go forward. "},
    {2, 6, "NSW", "You can go north, south or west. "},
    {3, 0, "ES",
     "You can go south or east. There is a potion in the middle of the room but drink it at your "
     "own risk. "},
    {3, 1, "ESW", "You can go east, west, or south. "},
    {3, 2, "EW", "You can go north, west, or east. The door to the north is locked. "},
    {3, 3, "SW", "You can go west or south. "},
    {3, 4, "N",
     "You can go north. There is a well in the middle of the room but drink the water at your own "
     "risk. "},
    {3, 5, "N",
     "You can go north. There are stairs in the room that will take you to another part of the "
     "maze. "},
    {3, 6, "NS", "You can go north or south. "},
    {4, 0, "N", "You can go north. "},
    {4, 1, "EW", "You can go west or east. "},
    {4, 2, "ESW", "You can go west, south, or east. "},
    {4, 3, "NW", "You can go north or west. "},
    {4, 4, "ES", "You can go south or east. "},
    {4, 5, "ESW", "You can go south, west, or east. "},
    {4, 6, "SW", "You can go west or south. "},
    {5, 0, "E",
     "You can go east. There is a snake in the room.  You have first move. You can leave or "
     "attack. If you leave, you might be attacked. "},
    {5, 1, "S", "You can go south. "},
    {5, 2, "N", "You can go north. You found the gold. Now find the exit. "},
    {5, 3, "ES", "You can go south or east. "},
    {5, 4, "NEW", "You can go north, west, or east. "},
    {5, 5, "W", "You can go north or west. The door to the north is locked. "},
    {5, 6, "N", "You can go north. There is a key with the number 2 on it in the room. "},
    {6, 0, "E",
     "You can go east. There is a goblin in the room.  You have first move. You can leave or "
     "attack. If you leave, you might be attacked. "},
    {6, 1, "", "There is a bridge that you must cross to go forward. "},
    {6, 2, "EW", "You can go south, west, or east. The door to the south is locked. "},
    {6, 3, "EW",
     "You can go west or east. There is a scorpion in the room.  You have first move. You can "
     "leave or attack. If you leave, you might be attacked. "},
    {6, 4, "SW", "You can go west or south. "},
    {6, 5, "S",
     "You can go north or south. There is a dragon in the room.  You have first move. You can "
     "leave or attack. If you leave, you might be attacked. "},
    {6, 6, "S",
     "You can go south. There is a transporter in the room that will take you to another part of "
     "the maze. You can hear noises coming from the adjacent room. "},
};

class EveryRoom : public GameTest, public ::testing::WithParamInterface<RoomCase> {};

TEST_P(EveryRoom, FullSetUpShowsItsPhrasesAndOpensItsWays) {
    const RoomCase& room = GetParam();
    random.push(0.0f);  // the coin of a monster room: the player moves first
    window.setEnabled(Button::useCom, false);
    enter(room.row, room.col);
    EXPECT_EQ(narrative(), room.narrative);
    EXPECT_EQ(openWays(), room.open);
    for (Button b : {Button::northCom, Button::eastCom, Button::southCom, Button::westCom}) {
        EXPECT_TRUE(tag(b) == "True" || tag(b) == "False") << buttonName(b);
    }
    for (Button b : allButtons) {
        EXPECT_TRUE(enabled(b)) << buttonName(b);
    }
    EXPECT_FALSE(panel(Panel::enemy).enabled && monsterOf(room.row, room.col) == nullptr);
}

INSTANTIATE_TEST_SUITE_P(Maze, EveryRoom, ::testing::ValuesIn(rooms), [](const auto& info) {
    return "row" + std::to_string(info.param.row) + "col" + std::to_string(info.param.col);
});

TEST_F(GameTest, SetUpWithNOneKeepsTheNarrativeAndRepeatsUngatedPhrases) {
    window.setText(Box::mainTxt, "Before. ");
    game.setenable(0, 3, 1);
    EXPECT_EQ(narrative(), "Before. You can go north or west. ");
}

TEST_F(GameTest, SetUpWithNOneLeavesOutGatedPhrases) {
    state().enemyhp.at(0, 2) = 0;
    state().vroom = 0;
    state().hroom = 2;
    window.setText(Box::mainTxt, "Before. ");
    game.setenable(0, 2, 1);
    EXPECT_EQ(narrative(), "Before. ");
    EXPECT_EQ(openWays(), "EW");
}

TEST_F(GameTest, AnyNOtherThanOneIsAFullSetUp) {
    window.setText(Box::mainTxt, "Before. ");
    game.setenable(0, 3, 2);
    EXPECT_EQ(narrative(), "You can go north or west. ");
}

struct BridgeCase {
    std::int16_t row;
    std::int16_t col;
    const char* side;
    const char* open;
};

class BridgeSides : public GameTest, public ::testing::WithParamInterface<BridgeCase> {};

// Only the side the player came from is open; any other value of side opens neither.
TEST_P(BridgeSides, OpenTheWayBackOnly) {
    state().side = GetParam().side;
    enter(GetParam().row, GetParam().col);
    EXPECT_EQ(openWays(), GetParam().open);
}

INSTANTIATE_TEST_SUITE_P(Bridges, BridgeSides,
                         ::testing::Values(BridgeCase{1, 1, "west", "W"},
                                           BridgeCase{1, 1, "east", "E"}, BridgeCase{1, 1, "", ""},
                                           BridgeCase{6, 1, "West", ""},
                                           BridgeCase{0, 1, "east", "E"},
                                           BridgeCase{2, 5, "west", "W"}));

TEST_F(GameTest, UnlockedDoorOpensItsWayAndDropsThePhrase) {
    state().d1 = vbTrue;
    enter(3, 2);
    EXPECT_EQ(narrative(), "You can go north, west, or east. ");
    EXPECT_EQ(openWays(), "NEW");
    state().d2 = vbTrue;
    enter(6, 2);
    EXPECT_EQ(narrative(), "You can go south, west, or east. ");
    EXPECT_EQ(openWays(), "ESW");
}

TEST_F(GameTest, PotionAndKeysAreDescribedOnlyWhileThere) {
    state().potion1 = vbFalse;
    enter(1, 3);
    EXPECT_EQ(narrative(), "You can go north or south. ");
    state().k1 = vbTrue;
    enter(1, 0);
    EXPECT_EQ(narrative(), "You can go north, south, or east. ");
    state().k2 = vbTrue;
    enter(5, 6);
    EXPECT_EQ(narrative(), "You can go north. ");
}

TEST_F(GameTest, GoldIsTakenOnEnteringOnce) {
    state().k2 = vbTrue;
    enter(5, 2);
    EXPECT_EQ(state().gold, vbTrue);
    EXPECT_EQ(items(), "key2 gold");
    window.setText(Box::itemTxt, "stale");
    enter(5, 2);
    EXPECT_EQ(narrative(), "You can go north. ");
    EXPECT_EQ(items(), "stale");
}

TEST_F(GameTest, DeadMonsterNeitherAnnouncesItselfNorStrikes) {
    state().enemyhp.at(2, 3) = 0;
    enter(2, 3);
    EXPECT_EQ(narrative(), "You can go any direction. ");
    EXPECT_FALSE(panel(Panel::enemy).enabled);
    EXPECT_EQ(random.draws, 0);
}

TEST_F(GameTest, DeadGoblinShowsKeyThreeUntilItIsTaken) {
    state().enemyhp.at(6, 0) = 0;
    enter(6, 0);
    EXPECT_EQ(narrative(), "You can go east. The goblin dropped a key with the number 3 on it. ");
    state().k3 = vbTrue;
    enter(6, 0);
    EXPECT_EQ(narrative(), "You can go east. ");
}

TEST_F(GameTest, DeadDragonOpensTheWayOutOnlyWithTheGold) {
    state().enemyhp.at(6, 5) = 0;
    enter(6, 5);
    EXPECT_EQ(narrative(),
              "You can go north or south. You beat the dragon but you haven't found the gold. Go "
              "back and find it. ");
    EXPECT_EQ(openWays(), "S");
    state().gold = vbTrue;
    enter(6, 5);
    EXPECT_EQ(narrative(), "You can go north or south. You've found the end of the maze! ");
    EXPECT_EQ(openWays(), "NS");
}

TEST_F(GameTest, SetUpDisablesTheEnemyPanelAndKeepsItsText) {
    window.setPanelText(Panel::enemy, "goblin: 3");
    window.setPanelEnabled(Panel::enemy, true);
    enter(0, 4);
    EXPECT_FALSE(panel(Panel::enemy).enabled);
    EXPECT_EQ(panel(Panel::enemy).text, "goblin: 3");
}

TEST_F(GameTest, WoundedMonsterStrikesOnEverySetUp) {
    state().enemyhp.at(2, 3) = 2;
    random.push({0.0f, 0.99f});
    enter(2, 3);
    EXPECT_EQ(narrative(), "You can go any direction. The goblin attacked you. You lost 3 HP. ");
    EXPECT_EQ(panel(Panel::enemy).text, "goblin: 2");
    EXPECT_TRUE(panel(Panel::enemy).enabled);
    EXPECT_EQ(state().hp, 32);
    enter(2, 3);
    EXPECT_EQ(state().hp, 25);
    EXPECT_EQ(random.draws, 2);
}

TEST_F(GameTest, RoomOffTheGridOtherThanTheWayOutHasNoEntry) {
    game.setenable(-1, 3, 0);
    EXPECT_EQ(narrative(), "");
    EXPECT_EQ(openWays(), "");
    EXPECT_EQ(window.questions, 0);
}

}  // namespace
}  // namespace morvint::testing
