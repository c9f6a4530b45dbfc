#include <string>

#include "morvint/game.h"

namespace morvint {

void Game::drinkCom_Click() {
    if (!begin()) {
        return;
    }
    const bool well = (s_.vroom == 0 && s_.hroom == 0) || (s_.vroom == 3 && s_.hroom == 4);
    std::int16_t* potion = nullptr;
    if (s_.vroom == 1 && s_.hroom == 3) {
        potion = &s_.potion1;
    } else if (s_.vroom == 3 && s_.hroom == 0) {
        potion = &s_.potion2;
    }

    if (well) {
        // Ten drinks of well water in all, for every game of this run.
        if (wellcount_ >= 10) {
            w_.append(Box::mainTxt, "I think you've had enough well water for one day. ");
        } else {
            ++wellcount_;
            w_.setText(Box::actionTxt, "Drank from well");
            if (roll(random_.next(), 2) == 0) {
                --s_.hp;
                w_.append(Box::mainTxt, "You lost 1 HP. ");
            } else {
                ++s_.hp;
                w_.append(Box::mainTxt, "You gained 1 HP. ");
            }
        }
        showHp();
        w_.setEnabled(Button::drinkCom, false);
        return;
    }

    // A potion that has been drunk is gone, even when the room is set up again.
    if (potion != nullptr && *potion != vbFalse) {
        w_.setText(Box::actionTxt, "Drank a magic potion");
        const int gain = roll(random_.next(), 6) + 1;
        s_.hp = static_cast<std::int16_t>(s_.hp + gain);
        w_.append(Box::mainTxt, " You gained " + std::to_string(gain) + " HP. ");
        showHp();
        *potion = vbFalse;
        w_.setEnabled(Button::drinkCom, false);
        return;
    }

    w_.append(Box::mainTxt, "There is nothing to drink. ");
    w_.setEnabled(Button::drinkCom, false);
}

}  // namespace morvint
