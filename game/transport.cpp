// SPDX-License-Identifier: MIT
#include "morvint/game.h"

namespace morvint {

void Game::useCom_Click() {
    if (!begin()) {
        return;
    }
    const Item* link = findItem(s_.vroom, s_.hroom, ItemKind::transporter);
    std::string_view action = "Used transporter";
    if (link == nullptr) {
        link = findItem(s_.vroom, s_.hroom, ItemKind::stairs);
        action = "Used stairs";
    }
    if (link == nullptr) {
        w_.append(Box::mainTxt, "There is nothing to use here. ");
        w_.setEnabled(Button::useCom, false);
        return;
    }
    s_.vroom = link->to.row;
    s_.hroom = link->to.col;
    w_.setText(Box::actionTxt, action);
    setenable(s_.vroom, s_.hroom, 0);
}

}  // namespace morvint
