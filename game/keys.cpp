// SPDX-License-Identifier: MIT
#include <string>

#include "morvint/game.h"

namespace morvint {

void Game::pickupCom_Click() {
    if (!begin()) {
        return;
    }
    // The key is taken whether or not the monster that carries it is dead.
    const std::int16_t key = keyIn(s_.vroom, s_.hroom);
    if (key != 0) {
        s_.key(key) = vbTrue;
        w_.setEnabled(Button::pickupCom, false);
        w_.append(Box::mainTxt, "You picked up a key! ");
        w_.setText(Box::actionTxt, "Picked up a key");
    } else {
        w_.append(Box::mainTxt, "There is nothing to pick up. ");
        w_.setEnabled(Button::pickupCom, false);
    }
    w_.setText(Box::itemTxt, itemlist());
}

void Game::unlockCom_Click() {
    if (!begin()) {
        return;
    }
    const Item* door = findItem(s_.vroom, s_.hroom, ItemKind::door);
    if (door == nullptr) {
        w_.append(Box::mainTxt, "There is no door to unlock here. ");
        w_.setEnabled(Button::unlockCom, false);
        return;
    }
    if (s_.key(door->number) != vbTrue) {
        w_.append(Box::mainTxt, "You don't have the key for this door. ");
        w_.setEnabled(Button::unlockCom, false);
        return;
    }
    w_.append(Box::mainTxt, "The door is now unlocked. ");
    w_.setText(Box::actionTxt, "Unlocked door");
    w_.setEnabled(Button::unlockCom, false);
    const Button way = directionButton(door->way);
    w_.setEnabled(way, true);
    w_.setTag(way, "True");
    s_.door(door->number) = vbTrue;
    w_.setText(Box::itemTxt, itemlist());
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
