// SPDX-License-Identifier: MIT
// Stairs and transporters.
#include "morvint/game.h"

namespace morvint {

void Game::useCom_Click() {
    const Item* link = findItem(s_.vroom, s_.hroom, ItemKind::transporter);
    std::string_view action = "Used transporter";
    if (link == nullptr) {
        link = findItem(s_.vroom, s_.hroom, ItemKind::stairs);
        action = "Used stairs";
    }
    if (link == nullptr) {
        refuse(Button::useCom, "There is nothing to use here. ");
        return;
    }
    s_.vroom = link->to.row;
    s_.hroom = link->to.col;
    view_.setText(Box::actionTxt, action);
    setenable(s_.vroom, s_.hroom, 0);
}

}  // namespace morvint
