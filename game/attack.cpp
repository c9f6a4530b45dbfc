// SPDX-License-Identifier: MIT
// The player's attack, and the end of a game.
#include <string>

#include "morvint/game.h"

namespace morvint {

void Game::attackCom_Click() {
    std::int16_t& entry = s_.enemyhp.at(s_.vroom, s_.hroom);
    if (entry == 0) {
        refuse(Button::attackCom, "There is nothing to attack. ");
        return;
    }

    const int damage = roll(random_.next(), 4) + 3;
    entry = static_cast<std::int16_t>(entry - damage);
    std::string_view closing;
    if (entry <= 0) {
        entry = 0;
        view_.setEnabled(Button::attackCom, false);
        closing = "It is now dead. ";
    }
    showEnemy(std::to_string(entry));
    // The whole blow is reported, even when the enemy had fewer hit points left.
    narrate("You attacked the enemy. It lost " + std::to_string(damage) + " HP. " +
            std::string(closing));
    // A wounded enemy strikes back from the set-up.
    setenable(s_.vroom, s_.hroom, 1);
}

// Ends a game: Yes starts the next one in the same window, No ends the program.
void Game::endgame(std::string_view how) {
    ++endings_;
    // The cause is heard after the blow that caused it, before the question.
    const std::string died = "You died " + std::string(how);
    view_.setText(Box::mainTxt, died);
    heard_.narrative += died;
    showHp();
    show();
    if (w_.askPlayAgain()) {
        Form_Load();
    } else {
        endProgram();
    }
}

}  // namespace morvint
