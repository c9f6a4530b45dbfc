// SPDX-License-Identifier: MIT
#include "morvint/game.h"

namespace morvint {

void Game::crossCom_Click() {
    if (!begin()) {
        return;
    }
    const std::int16_t v = s_.vroom;
    const std::int16_t h = s_.hroom;
    const bool rickety = findItem(v, h, ItemKind::ricketyBridge) != nullptr;
    const bool sound = findItem(v, h, ItemKind::soundBridge) != nullptr;
    if (!rickety && !sound) {
        w_.append(Box::mainTxt, "There is nothing to cross. ");
        w_.setEnabled(Button::crossCom, false);
        return;
    }

    if (s_.side == "west") {
        w_.setTag(Button::eastCom, "True");
        w_.setTag(Button::westCom, "False");
        s_.side = "east";
    } else if (s_.side == "east") {
        w_.setTag(Button::eastCom, "False");
        w_.setTag(Button::westCom, "True");
        s_.side = "west";
    }

    w_.setText(Box::actionTxt, "Crossed a bridge");
    if (rickety) {
        s_.hp = 0;
        endgame("crossing a bad bridge. ");
        return;
    }
    w_.append(Box::mainTxt, " You made it across. ");
    setenable(v, h, 1);
}

}  // namespace morvint
