// SPDX-License-Identifier: MIT
// The four direction buttons.
#include <string>

#include "morvint/game.h"

namespace morvint {

// What one direction button does; the four differ only in these values.
struct Game::Step {
    Button button;
    std::string_view refusal;
    std::int16_t dv;
    std::int16_t dh;
    std::string_view word;
    std::string_view sideAfter;  // empty: `side` stays as it is
};

void Game::northCom_Click() {
    move({Button::northCom, "You cannot go north from this room. ", 1, 0, "Went north", ""});
}

void Game::southCom_Click() {
    move({Button::southCom, "You cannot go south from this room. ", -1, 0, "Went south", ""});
}

void Game::eastCom_Click() {
    move({Button::eastCom, "You cannot go east from this room. ", 0, 1, "Went east", "west"});
}

void Game::westCom_Click() {
    move({Button::westCom, "You cannot go west from this room. ", 0, -1, "Went west", "east"});
}

void Game::move(const Step& step) {
    if (view().button(step.button).tag == "False") {
        refuse(step.button, step.refusal);
        return;
    }

    const ThisGame game(*this);

    // A living enemy always strikes the player who leaves its room.
    std::string leaveMessage;
    if (leaveroom(s_.vroom, s_.hroom)) {
        const std::int16_t before = s_.hp;
        const Monster& m = *monsterOf(s_.vroom, s_.hroom);
        attacked(s_.vroom, s_.hroom, m.st, m.plus, m.leaving);
        if (game.over()) {
            return;
        }
        leaveMessage = "You were attcked when you left the room. You lost " +
                       std::to_string(before - s_.hp) + " HP. ";
    }

    s_.vroom = static_cast<std::int16_t>(s_.vroom + step.dv);
    s_.hroom = static_cast<std::int16_t>(s_.hroom + step.dh);
    view_.setText(Box::actionTxt, std::string(step.word) + "(" + std::to_string(s_.vroom) + "," +
                                      std::to_string(s_.hroom) + ")");
    if (!step.sideAfter.empty()) {
        s_.side = step.sideAfter;
    }
    setenable(s_.vroom, s_.hroom, 0);
    if (game.over()) {
        return;
    }
    if (!leaveMessage.empty()) {
        narrate(leaveMessage);
    }
}

}  // namespace morvint
