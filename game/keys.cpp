#include <string>

#include "morvint/game.h"

namespace morvint {

void Game::pickupCom_Click() {
    if (!begin()) {
        return;
    }
    const std::int16_t v = s_.vroom;
    const std::int16_t h = s_.hroom;
    std::int16_t* key = nullptr;
    if (v == 1 && h == 0) {
        key = &s_.k1;
    } else if (v == 5 && h == 6) {
        key = &s_.k2;
    } else if (v == 6 && h == 0) {
        key = &s_.k3;  // the goblin need not be dead
    }

    if (key != nullptr) {
        *key = vbTrue;
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
    struct Door {
        std::int16_t row, col;
        std::int16_t GameState::*key;
        std::int16_t GameState::*door;
        Button way;
    };
    static constexpr Door doors[] = {
        {3, 2, &GameState::k1, &GameState::d1, Button::northCom},
        {6, 2, &GameState::k2, &GameState::d2, Button::southCom},
        {5, 5, &GameState::k3, &GameState::d3, Button::northCom},
    };

    for (const Door& d : doors) {
        if (d.row != s_.vroom || d.col != s_.hroom) {
            continue;
        }
        if (s_.*d.key != vbTrue) {
            w_.append(Box::mainTxt, "You don't have the key for this door. ");
            w_.setEnabled(Button::unlockCom, false);
            return;
        }
        w_.append(Box::mainTxt, "The door is now unlocked. ");
        w_.setText(Box::actionTxt, "Unlocked door");
        w_.setEnabled(Button::unlockCom, false);
        w_.setEnabled(d.way, true);
        w_.setTag(d.way, "True");
        s_.*d.door = vbTrue;
        w_.setText(Box::itemTxt, itemlist());
        return;
    }
    w_.append(Box::mainTxt, "There is no door to unlock here. ");
    w_.setEnabled(Button::unlockCom, false);
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
