// SPDX-License-Identifier: MIT
#include <string>

#include "morvint/game.h"

namespace morvint {

void Game::attackCom_Click() {
    if (!begin()) {
        return;
    }
    std::int16_t& entry = s_.enemyhp.at(s_.vroom, s_.hroom);
    if (entry == 0) {
        w_.append(Box::mainTxt, "There is nothing to attack. ");
        w_.setEnabled(Button::attackCom, false);
        return;
    }

    const int damage = roll(random_.next(), 4) + 3;
    entry = static_cast<std::int16_t>(entry - damage);
    std::string_view closing;
    if (entry <= 0) {
        entry = 0;
        w_.setEnabled(Button::attackCom, false);
        closing = "It is now dead. ";
    }
    w_.setPanelText(Panel::enemy, std::to_string(entry));
    // The whole blow is reported, even when the enemy had fewer hit points left.
    w_.append(Box::mainTxt, "You attacked the enemy. It lost " + std::to_string(damage) + " HP. " +
                                std::string(closing));
    // A wounded enemy strikes back from the set-up.
    setenable(s_.vroom, s_.hroom, 1);
}

// Ends a game: Yes starts the next one in the same window, No ends the program.
void Game::endgame(std::string_view how) {
    ++endings_;
    w_.setText(Box::mainTxt, "You died " + std::string(how));
    showHp();
    if (w_.askPlayAgain()) {
        Form_Load();
    } else {
        endProgram();
    }
}

}  // namespace morvint
