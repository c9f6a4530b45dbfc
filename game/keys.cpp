// SPDX-License-Identifier: MIT
// Keys and doors: picking up, unlocking, and the items carried.
#include <string>

#include "morvint/game.h"

namespace morvint {

void Game::pickupCom_Click() {
    // The key is taken whether or not the monster that carries it is dead.
    const std::int16_t key = keyIn(s_.vroom, s_.hroom);
    if (key != 0) {
        s_.key(key) = vbTrue;
        view_.setEnabled(Button::pickupCom, false);
        narrate("You picked up a key! ");
        view_.setText(Box::actionTxt, "Picked up a key");
    } else {
        refuse(Button::pickupCom, "There is nothing to pick up. ");
    }
    view_.setText(Box::itemTxt, itemlist());
}

void Game::unlockCom_Click() {
    const Item* door = findItem(s_.vroom, s_.hroom, ItemKind::door);
    if (door == nullptr) {
        refuse(Button::unlockCom, "There is no door to unlock here. ");
        return;
    }
    if (s_.key(door->number) != vbTrue) {
        refuse(Button::unlockCom, "You don't have the key for this door. ");
        return;
    }
    narrate("The door is now unlocked. ");
    view_.setText(Box::actionTxt, "Unlocked door");
    view_.setEnabled(Button::unlockCom, false);
    const Button way = directionButton(door->way);
    view_.setEnabled(way, true);
    view_.setTag(way, "True");
    s_.door(door->number) = vbTrue;
    view_.setText(Box::itemTxt, itemlist());
}

// The keys carried and not yet used, then the gold.
std::string Game::itemlist() const {
    std::string items;
    if (s_.k1 != vbFalse && s_.d1 == vbFalse) {
        items += "key1 ";
    }
    if (s_.k2 != vbFalse && s_.d2 == vbFalse) {
        items += "key2 ";
    }
    if (s_.k3 != vbFalse && s_.d3 == vbFalse) {
        items += "key3 ";
    }
    if (s_.gold != vbFalse) {
        items += "gold";
    }
    return items;
}

}  // namespace morvint
