// SPDX-License-Identifier: MIT
// A new game: the start of every game, by the window's opening, File > New or Yes.
#include <string>

#include "morvint/game.h"

namespace morvint {

// The new-game routine: runs when the window opens, for File > New and for Yes
// at the end of a game. `side`, the items box and the well count carry over.
void Game::Form_Load() {
    if (programEnded_) {
        return;
    }
    const Command command(*this);
    s_.potion1 = vbTrue;
    s_.potion2 = vbTrue;
    s_.vroom = startRoom.row;
    s_.hroom = startRoom.col;
    s_.hp = startHp;
    for (int row = 0; row < mazeSize; ++row) {
        for (int col = 0; col < mazeSize; ++col) {
            if (const Monster* monster = monsterOf(row, col)) {
                s_.enemyhp.at(row, col) = monster->start;
            }
        }
    }
    s_.k1 = s_.d1 = s_.k2 = s_.d2 = s_.k3 = s_.d3 = s_.gold = vbFalse;
    random_.reseed();

    // The opening is heard whole.
    clearNarrative();
    narrate("You are in a small room at the entrance of a maze. ");
    narrate("You have to find the gold and get out ");
    narrate("without dying. ");
    view_.setText(Box::actionTxt, "Entered a maze");
    setenable(s_.vroom, s_.hroom, 1);
    showHp();
    view_.setPanelEnabled(Panel::enemy, false);
    view_.setPanelText(Panel::time, "0:00");
}

void Game::newMnu_Click() {
    Form_Load();
}

}  // namespace morvint
