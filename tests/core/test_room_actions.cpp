// Drinking, crossing bridges, keys and doors, stairs and transporters.
#include "fixture.h"

namespace morvint::testing {
namespace {

TEST_F(GameTest, WellWaterCostsOrGivesOneHitPointOnTheCoin) {
    enter(0, 0);
    random.push({0.49f, 0.5f});
    game.drinkCom_Click();
    EXPECT_EQ(state().hp, 34);
    EXPECT_TRUE(narrative().ends_with("own risk. You lost 1 HP. "));
    EXPECT_EQ(action(), "Drank from well");
    EXPECT_EQ(panel(Panel::hp).text, "34");
    EXPECT_FALSE(enabled(Button::drinkCom));
    enter(3, 4);
    game.drinkCom_Click();
    EXPECT_EQ(state().hp, 35);
    EXPECT_TRUE(narrative().ends_with("own risk. You gained 1 HP. "));
    EXPECT_EQ(game.wellcount(), 2);
}

TEST_F(GameTest, EleventhWellDrinkOfTheRunIsRefusedEvenInANewGame) {
    game.setWellcount(9);
    enter(3, 4);
    random.push(0.9f);
    game.drinkCom_Click();
    EXPECT_EQ(game.wellcount(), 10);
    game.newMnu_Click();
    enter(0, 0);
    window.setText(Box::actionTxt, "Went west(0,0)");
    window.setPanelText(Panel::hp, "stale");
    game.drinkCom_Click();
    EXPECT_TRUE(narrative().ends_with("I think you've had enough well water for one day. "));
    EXPECT_EQ(state().hp, 35);
    EXPECT_EQ(action(), "Went west(0,0)");
    EXPECT_EQ(panel(Panel::hp).text, "35");  // written again
    EXPECT_FALSE(enabled(Button::drinkCom));
    EXPECT_EQ(game.wellcount(), 10);
    EXPECT_EQ(random.draws, 1);
}

TEST_F(GameTest, WellMayLeaveZeroHitPointsAndTheGameGoesOn) {
    state().hp = 1;
    enter(0, 0);
    random.push(0.0f);
    game.drinkCom_Click();
    EXPECT_EQ(panel(Panel::hp).text, "0");
    EXPECT_EQ(window.questions, 0);
}

struct PotionCase {
    std::int16_t row;
    std::int16_t col;
    std::int16_t GameState::*flag;
    float r;
    int gain;
};

class Potions : public GameTest, public ::testing::WithParamInterface<PotionCase> {};

// A potion is drunk once; coming back finds nothing to drink.
TEST_P(Potions, GiveOneToSixHitPointsOnce) {
    const PotionCase& c = GetParam();
    enter(c.row, c.col);
    random.push(c.r);
    game.drinkCom_Click();
    const std::string gained = " You gained " + std::to_string(c.gain) + " HP. ";
    EXPECT_TRUE(narrative().ends_with("own risk. " + gained)) << narrative();
    EXPECT_EQ(state().hp, 35 + c.gain);
    EXPECT_EQ(panel(Panel::hp).text, std::to_string(35 + c.gain));
    EXPECT_EQ(action(), "Drank a magic potion");
    EXPECT_EQ(state().*c.flag, vbFalse);
    EXPECT_FALSE(enabled(Button::drinkCom));

    enter(c.row, c.col);
    EXPECT_EQ(narrative().find("potion"), std::string::npos);
    window.setText(Box::actionTxt, "Went north");
    game.drinkCom_Click();
    EXPECT_TRUE(narrative().ends_with(". There is nothing to drink. "));
    EXPECT_EQ(state().hp, 35 + c.gain);
    EXPECT_EQ(action(), "Went north");
    EXPECT_FALSE(enabled(Button::drinkCom));
    EXPECT_EQ(random.draws, 1);
}

INSTANTIATE_TEST_SUITE_P(Rooms, Potions,
                         ::testing::Values(PotionCase{1, 3, &GameState::potion1, 0.0f, 1},
                                           PotionCase{3, 0, &GameState::potion2, 0.8333333f, 6},
                                           PotionCase{1, 3, &GameState::potion1, 0.5f, 4}));

TEST_F(GameTest, NothingToDrinkElsewhere) {
    game.drinkCom_Click();
    EXPECT_EQ(narrative(), std::string(opening) + "There is nothing to drink. ");
    EXPECT_FALSE(enabled(Button::drinkCom));
    EXPECT_EQ(random.draws, 0);
}

TEST_F(GameTest, SoundBridgeSwapsTheSideBothWays) {
    enter(1, 0);
    game.eastCom_Click();
    game.crossCom_Click();
    EXPECT_EQ(action(), "Crossed a bridge");
    EXPECT_EQ(narrative(),
              "There is a bridge that you must cross to go forward.  You made it across. ");
    EXPECT_EQ(openWays(), "E");
    EXPECT_EQ(state().side, "east");
    EXPECT_TRUE(enabled(Button::crossCom));
    game.crossCom_Click();
    EXPECT_EQ(openWays(), "W");
    EXPECT_EQ(state().side, "west");
    EXPECT_EQ(state().vroom, 1);
    EXPECT_EQ(state().hroom, 1);
}

TEST_F(GameTest, CrossingWithNoSideOpensNothing) {
    enter(6, 1);
    game.crossCom_Click();
    EXPECT_EQ(narrative(),
              "There is a bridge that you must cross to go forward.  You made it across. ");
    EXPECT_EQ(openWays(), "");
    EXPECT_EQ(state().side, "");
}

class RicketyBridges : public GameTest,
                       public ::testing::WithParamInterface<std::tuple<int, const char*>> {};

TEST_P(RicketyBridges, KillAtOnceFromEitherSide) {
    const auto [col, side] = GetParam();
    state().side = side;
    enter(static_cast<std::int16_t>(col == 1 ? 0 : 2), static_cast<std::int16_t>(col));
    std::string askedWith, actionAsked, hpAsked;
    window.onAsk = [&] {
        askedWith = narrative();
        actionAsked = action();
        hpAsked = panel(Panel::hp).text;
        return true;
    };
    game.crossCom_Click();
    EXPECT_EQ(askedWith, "You died crossing a bad bridge. ");
    EXPECT_EQ(actionAsked, "Crossed a bridge");
    EXPECT_EQ(hpAsked, "0");
    EXPECT_EQ(narrative(), opening);
    // The side was swapped before the fall and carries into the new game.
    EXPECT_EQ(state().side, std::string(side) == "west" ? "east" : "west");
}

INSTANTIATE_TEST_SUITE_P(Bridges, RicketyBridges,
                         ::testing::Combine(::testing::Values(1, 5),
                                            ::testing::Values("west", "east")));

TEST_F(GameTest, NothingToCrossKeepsExitsAndSide) {
    state().side = "west";
    game.crossCom_Click();
    EXPECT_EQ(narrative(), std::string(opening) + "There is nothing to cross. ");
    EXPECT_FALSE(enabled(Button::crossCom));
    EXPECT_EQ(openWays(), "NW");
    EXPECT_EQ(state().side, "west");
}

TEST_F(GameTest, PickUpTakesTheRoomsKey) {
    enter(1, 0);
    game.pickupCom_Click();
    EXPECT_TRUE(narrative().ends_with("on it in the room. You picked up a key! "));
    EXPECT_EQ(action(), "Picked up a key");
    EXPECT_FALSE(enabled(Button::pickupCom));
    EXPECT_EQ(items(), "key1 ");
    EXPECT_EQ(state().k1, vbTrue);
    enter(1, 0);
    game.pickupCom_Click();  // again: the same text, the key stays taken
    EXPECT_EQ(narrative(), "You can go north, south, or east. You picked up a key! ");
    EXPECT_EQ(state().k1, vbTrue);
}

TEST_F(GameTest, KeyThreeCanBeTakenWhileItsGoblinLives) {
    random.push(0.0f);
    enter(6, 0);
    game.pickupCom_Click();
    EXPECT_EQ(state().k3, vbTrue);
    EXPECT_EQ(items(), "key3 ");
    EXPECT_EQ(state().enemyhp.at(6, 0), 6);
}

TEST_F(GameTest, NothingToPickUpRewritesTheItems) {
    window.setText(Box::itemTxt, "stale");
    state().k2 = vbTrue;
    game.pickupCom_Click();
    EXPECT_EQ(narrative(), std::string(opening) + "There is nothing to pick up. ");
    EXPECT_FALSE(enabled(Button::pickupCom));
    EXPECT_EQ(items(), "key2 ");
    EXPECT_EQ(action(), "Entered a maze");
}

TEST_F(GameTest, UnlockWithoutTheKeyIsRefused) {
    enter(3, 2);
    window.setEnabled(Button::northCom, false);
    game.unlockCom_Click();
    EXPECT_TRUE(narrative().ends_with("is locked. You don't have the key for this door. "));
    EXPECT_FALSE(enabled(Button::unlockCom));
    EXPECT_FALSE(enabled(Button::northCom));
    EXPECT_EQ(tag(Button::northCom), "False");
    EXPECT_EQ(state().d1, vbFalse);
}

struct DoorCase {
    std::int16_t row;
    std::int16_t col;
    std::int16_t GameState::*key;
    std::int16_t GameState::*door;
    Button way;
};

class Doors : public GameTest, public ::testing::WithParamInterface<DoorCase> {};

TEST_P(Doors, UnlockOpensTheWayAndUsesTheKey) {
    const DoorCase& c = GetParam();
    enter(c.row, c.col);
    state().k1 = state().k2 = state().k3 = vbTrue;
    window.setEnabled(c.way, false);
    game.unlockCom_Click();
    EXPECT_TRUE(narrative().ends_with("is locked. The door is now unlocked. "));
    EXPECT_EQ(action(), "Unlocked door");
    EXPECT_FALSE(enabled(Button::unlockCom));
    EXPECT_TRUE(enabled(c.way));
    EXPECT_EQ(tag(c.way), "True");
    EXPECT_EQ(state().*c.door, vbTrue);
    EXPECT_EQ(items().size(), 10u);  // two keys left
    EXPECT_EQ(items().find(c.key == &GameState::k1   ? "key1"
                           : c.key == &GameState::k2 ? "key2"
                                                     : "key3"),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Rooms, Doors,
    ::testing::Values(DoorCase{3, 2, &GameState::k1, &GameState::d1, Button::northCom},
                      DoorCase{6, 2, &GameState::k2, &GameState::d2, Button::southCom},
                      DoorCase{5, 5, &GameState::k3, &GameState::d3, Button::northCom}));

TEST_F(GameTest, UnlockOnAnOpenDoorRepeats) {
    state().k1 = state().d1 = vbTrue;
    enter(3, 2);
    game.unlockCom_Click();
    EXPECT_EQ(narrative(), "You can go north, west, or east. The door is now unlocked. ");
}

TEST_F(GameTest, NoDoorToUnlockElsewhere) {
    game.unlockCom_Click();
    EXPECT_EQ(narrative(), std::string(opening) + "There is no door to unlock here. ");
    EXPECT_FALSE(enabled(Button::unlockCom));
}

struct ItemsCase {
    std::int16_t k1, d1, k2, d2, k3, d3, gold;
    const char* items;
};

class ItemList : public GameTest, public ::testing::WithParamInterface<ItemsCase> {};

TEST_P(ItemList, ListsUnusedKeysThenTheGold) {
    const ItemsCase& c = GetParam();
    GameState& s = state();
    s.k1 = c.k1, s.d1 = c.d1, s.k2 = c.k2, s.d2 = c.d2, s.k3 = c.k3, s.d3 = c.d3, s.gold = c.gold;
    EXPECT_EQ(game.itemlist(), c.items);
}

INSTANTIATE_TEST_SUITE_P(Carried, ItemList,
                         ::testing::Values(ItemsCase{0, 0, 0, 0, 0, 0, 0, ""},
                                           ItemsCase{-1, 0, -1, 0, -1, 0, -1,
                                                     "key1 key2 key3 gold"},
                                           ItemsCase{-1, -1, -1, 0, 0, 0, -1, "key2 gold"},
                                           ItemsCase{0, -1, 0, 0, -1, 0, 0, "key3 "},
                                           ItemsCase{-1, 0, 0, -1, 0, 0, 0, "key1 "}));

struct LinkCase {
    std::int16_t row, col, toRow, toCol;
    const char* action;
};

class Links : public GameTest, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(Links, CarryThePlayerToTheOtherEnd) {
    const LinkCase& c = GetParam();
    enter(c.row, c.col);
    state().side = "west";
    game.useCom_Click();
    EXPECT_EQ(state().vroom, c.toRow);
    EXPECT_EQ(state().hroom, c.toCol);
    EXPECT_EQ(action(), c.action);
    EXPECT_EQ(state().side, "west");
    EXPECT_TRUE(narrative().find(c.toRow == 6 ? "You can go south. " : "You can go") == 0);
    EXPECT_EQ(narrative().find("You can go", 1), std::string::npos);  // only the new room
}

INSTANTIATE_TEST_SUITE_P(Pairs, Links,
                         ::testing::Values(LinkCase{2, 2, 6, 6, "Used transporter"},
                                           LinkCase{6, 6, 2, 2, "Used transporter"},
                                           LinkCase{2, 4, 3, 5, "Used stairs"},
                                           LinkCase{3, 5, 2, 4, "Used stairs"}));

TEST_F(GameTest, NothingToUseElsewhere) {
    game.useCom_Click();
    EXPECT_EQ(narrative(), std::string(opening) + "There is nothing to use here. ");
    EXPECT_FALSE(enabled(Button::useCom));
    EXPECT_EQ(state().vroom, 0);
    EXPECT_EQ(state().hroom, 3);
}

}  // namespace
}  // namespace morvint::testing
