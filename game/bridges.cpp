// SPDX-License-Identifier: MIT
// Crossing a bridge.
#include "morvint/game.h"

namespace morvint {

void Game::crossCom_Click() {
    const std::int16_t v = s_.vroom;
    const std::int16_t h = s_.hroom;
    const bool rickety = findItem(v, h, ItemKind::ricketyBridge) != nullptr;
    const bool sound = findItem(v, h, ItemKind::soundBridge) != nullptr;
    if (!rickety && !sound) {
        refuse(Button::crossCom, "There is nothing to cross. ");
        return;
    }

    if (s_.side == "west") {
        view_.setTag(Button::eastCom, "True");
        view_.setTag(Button::westCom, "False");
        s_.side = "east";
    } else if (s_.side == "east") {
        view_.setTag(Button::eastCom, "False");
        view_.setTag(Button::westCom, "True");
        s_.side = "west";
    }

    view_.setText(Box::actionTxt, "Crossed a bridge");
    if (rickety) {
        s_.hp = 0;
        endgame("crossing a bad bridge. ");
        return;
    }
    narrate(" You made it across. ");
    setenable(v, h, 1);
}

}  // namespace morvint
