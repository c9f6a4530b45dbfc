// SPDX-License-Identifier: MIT
// The enemies: meeting one, and its blows.
#include <string>

#include "morvint/game.h"

namespace morvint {
namespace {

std::string enemyPanel(std::string_view enemytype, std::int16_t hp) {
    return std::string(enemytype) + ": " + std::to_string(hp);
}

}  // namespace

// Is a living enemy in this room, ready to strike the player who leaves?
bool Game::leaveroom(std::int16_t v, std::int16_t h) const {
    return monsterOf(v, h) != nullptr && s_.enemyhp.at(v, h) > 0;
}

// The first meeting with an unhurt enemy: a coin decides who moves first.
void Game::enemyroom(std::int16_t v, std::int16_t h, std::int16_t st, std::int16_t plus,
                     std::string_view enemytype) {
    view_.setPanelEnabled(Panel::enemy, true);
    showEnemy(enemyPanel(enemytype, s_.enemyhp.at(v, h)));
    narrate("There is a " + std::string(enemytype) + " in the room. ");
    if (roll(random_.next(), 2) == 0) {
        narrate(
            " You have first move. You can leave or attack. If you leave, you might be "
            "attacked. ");
        return;
    }
    blow(random_.next(), st, plus, enemytype);
}

// The enemy strikes at once.
void Game::attacked(std::int16_t v, std::int16_t h, std::int16_t st, std::int16_t plus,
                    std::string_view enemytype) {
    view_.setPanelEnabled(Panel::enemy, true);
    showEnemy(enemyPanel(enemytype, s_.enemyhp.at(v, h)));
    blow(random_.next(), st, plus, enemytype);
}

void Game::blow(float r, std::int16_t st, std::int16_t plus, std::string_view enemytype) {
    const int damage = roll(r, st) + plus;
    s_.hp = static_cast<std::int16_t>(s_.hp - damage);
    showHp();
    narrate("The " + std::string(enemytype) + " attacked you. You lost " + std::to_string(damage) +
            " HP. ");
    if (s_.hp <= 0) {
        endgame("from an enemy's attack. ");
    }
}

}  // namespace morvint
