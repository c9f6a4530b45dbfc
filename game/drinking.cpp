// SPDX-License-Identifier: MIT
// Drinking from a well or a potion.
#include <string>

#include "morvint/game.h"

namespace morvint {

void Game::drinkCom_Click() {
    const std::int16_t v = s_.vroom;
    const std::int16_t h = s_.hroom;

    if (findItem(v, h, ItemKind::well) != nullptr) {
        // Ten drinks of well water in all, for every game of this run.
        if (wellcount_ >= 10) {
            narrate("I think you've had enough well water for one day. ");
        } else {
            ++wellcount_;
            view_.setText(Box::actionTxt, "Drank from well");
            if (roll(random_.next(), 2) == 0) {
                --s_.hp;
                narrate("You lost 1 HP. ");
            } else {
                ++s_.hp;
                narrate("You gained 1 HP. ");
            }
        }
        showHp();
        view_.setEnabled(Button::drinkCom, false);
        return;
    }

    // A potion that has been drunk is gone, even when the room is set up again.
    const Item* potion = findItem(v, h, ItemKind::potion);
    if (potion != nullptr && s_.potion(potion->number) != vbFalse) {
        view_.setText(Box::actionTxt, "Drank a magic potion");
        const int gain = roll(random_.next(), 6) + 1;
        s_.hp = static_cast<std::int16_t>(s_.hp + gain);
        narrate(" You gained " + std::to_string(gain) + " HP. ");
        showHp();
        s_.potion(potion->number) = vbFalse;
        view_.setEnabled(Button::drinkCom, false);
        return;
    }

    refuse(Button::drinkCom, "There is nothing to drink. ");
}

}  // namespace morvint
