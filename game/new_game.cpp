// SPDX-License-Identifier: MIT
#include <string>

#include "morvint/game.h"

namespace morvint {

Game::Game(Window& window, RandomSource& random) : w_(window), random_(random) {}

bool Game::begin() {
    return !programEnded_;
}

void Game::endProgram() {
    if (programEnded_) {
        return;
    }
    programEnded_ = true;
    w_.endProgram();
}

void Game::showHp() {
    w_.setPanelText(Panel::hp, std::to_string(s_.hp));
}

// The new-game routine: runs when the window opens, for File > New and for Yes
// at the end of a game. `side`, the items box and the well count carry over.
void Game::Form_Load() {
    if (!begin()) {
        return;
    }
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

    w_.setText(Box::mainTxt, "You are in a small room at the entrance of a maze. ");
    w_.append(Box::mainTxt, "You have to find the gold and get out ");
    w_.append(Box::mainTxt, "without dying. ");
    w_.setText(Box::actionTxt, "Entered a maze");
    setenable(s_.vroom, s_.hroom, 1);
    showHp();
    w_.setPanelEnabled(Panel::enemy, false);
    w_.setPanelText(Panel::time, "0:00");
}

void Game::newMnu_Click() {
    if (begin()) {
        Form_Load();
    }
}

void Game::click(Button b) {
    switch (b) {
        case Button::attackCom:
            attackCom_Click();
            break;
        case Button::crossCom:
            crossCom_Click();
            break;
        case Button::drinkCom:
            drinkCom_Click();
            break;
        case Button::eastCom:
            eastCom_Click();
            break;
        case Button::northCom:
            northCom_Click();
            break;
        case Button::pickupCom:
            pickupCom_Click();
            break;
        case Button::southCom:
            southCom_Click();
            break;
        case Button::useCom:
            useCom_Click();
            break;
        case Button::unlockCom:
            unlockCom_Click();
            break;
        case Button::westCom:
            westCom_Click();
            break;
    }
}

}  // namespace morvint
