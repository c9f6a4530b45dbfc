// SPDX-License-Identifier: MIT
// The commands as a front end runs them, and how their results are shown and heard.
#include <string>

#include "morvint/game.h"
#include "morvint/texts.h"

namespace morvint {

Game::Command::Command(Game& game) : game_(game) {
    if (game_.commands_++ == 0) {
        game_.startHearing();
    }
}

Game::Command::~Command() {
    if (--game_.commands_ == 0 && !game_.programEnded_) {
        game_.show();
    }
}

Game::Game(Window& window, RandomSource& random) : w_(window), random_(random) {}

bool Game::click(Button b) {
    // A disabled button ignores the click.
    if (programEnded_ || !view().button(b).enabled) {
        return false;
    }
    const Command command(*this);
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
    return true;
}

void Game::Timer1_Timer() {
    if (programEnded_) {
        return;
    }
    view_.setPanelText(Panel::time, clock_.tick());
    // The clock is never heard. A tick while the play-again question is open is
    // shown at once; the command around it has shown everything else already.
    w_.showView(view_.view(), view_.take());
}

void Game::endProgram() {
    if (programEnded_) {
        return;
    }
    programEnded_ = true;
    w_.programEnded();
}

void Game::narrate(std::string_view text) {
    view_.append(text);
    heard_.narrative += text;
}

void Game::clearNarrative() {
    view_.setText(Box::mainTxt, "");
    heard_.narrative.clear();
}

void Game::refuse(Button b, std::string_view refusal) {
    narrate(refusal);
    view_.setEnabled(b, false);
}

void Game::showHp() {
    view_.setPanelText(Panel::hp, std::to_string(s_.hp));
}

void Game::showEnemy(std::string_view text) {
    view_.setPanelText(Panel::enemy, text);
    heard_.enemyWritten = true;
}

void Game::show() {
    Changes changes = view_.take();
    changes.spoken = heard();
    w_.showView(view_.view(), changes);
    startHearing();
}

void Game::startHearing() {
    heard_ = {"", view().panel(Panel::hp).text, false};
}

// What the command wrote to the narrative, in order, then the hit points if they
// changed and the enemy's if the command wrote them and the enemy is still here,
// one line each. The clock is never heard.
std::string Game::heard() const {
    std::string text = heard_.narrative;
    const auto line = [&text](std::string_view prefix, const std::string& value) {
        if (!text.empty()) {
            text += '\n';
        }
        text += prefix;
        text += value;
    };
    const View::PanelState& hp = view().panel(Panel::hp);
    if (hp.text != heard_.hpBefore) {
        line(texts::panels[0].spoken, hp.text);
    }
    const View::PanelState& enemy = view().panel(Panel::enemy);
    if (heard_.enemyWritten && enemy.enabled) {
        line(texts::panels[1].spoken, enemy.text);
    }
    return text;
}

}  // namespace morvint
