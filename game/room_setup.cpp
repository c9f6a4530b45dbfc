#include "morvint/game.h"

namespace morvint {
namespace {

constexpr std::string_view bridgePhrase = "There is a bridge that you must cross to go forward. ";
constexpr std::string_view ricketyPhrase =
    "There is a rickety bridge that you must cross to go forward. ";

Button directionButton(Way way) {
    switch (way) {
        case Way::north:
            return Button::northCom;
        case Way::east:
            return Button::eastCom;
        case Way::south:
            return Button::southCom;
        default:
            return Button::westCom;
    }
}

Way wayOfLetter(char letter) {
    switch (letter) {
        case 'N':
            return Way::north;
        case 'E':
            return Way::east;
        case 'S':
            return Way::south;
        default:
            return Way::west;
    }
}

}  // namespace

void Game::openWay(Way way) {
    w_.setTag(directionButton(way), "True");
}

// Puts the window into the state of room (v, h). With n = 1 the narrative is
// kept and the gated phrases are left out, because the caller has just written
// its own text for the same room.
void Game::setenable(std::int16_t v, std::int16_t h, std::int16_t n) {
    for (Button b : {Button::northCom, Button::eastCom, Button::southCom, Button::westCom}) {
        w_.setTag(b, "False");
    }
    w_.setPanelEnabled(Panel::enemy, false);
    if (n != 1) {
        w_.setText(Box::mainTxt, "");
    }

    const unsigned endings = endings_;
    if (v >= 0 && v < mazeSize && h >= 0 && h < mazeSize) {
        const Room& room = maze[v][h];
        for (char letter : room.open) {
            openWay(wayOfLetter(letter));
        }
        for (const Item& item : room.items) {
            addRoomItem(item, v, h, n);
            if (endings_ != endings) {
                return;  // a blow ended the game; the new game is already set up
            }
        }
    }

    if (v == 7 && h == 5) {
        w_.append(Box::mainTxt, "You made it out of the maze! ");
        endgame("from a curse on the gold. ");
        return;
    }

    for (Button b : allButtons) {
        w_.setEnabled(b, true);
    }
}

void Game::addRoomItem(const Item& item, std::int16_t v, std::int16_t h, std::int16_t n) {
    switch (item.kind) {
        case ItemKind::none:
            break;
        case ItemKind::phrase:
            w_.append(Box::mainTxt, item.text);
            break;
        case ItemKind::gated:
            if (n != 1) {
                w_.append(Box::mainTxt, item.text);
            }
            break;
        case ItemKind::well:
            w_.append(Box::mainTxt,
                      "There is a well in the middle of the room but drink the water at your own "
                      "risk. ");
            break;
        case ItemKind::potion:
            if ((item.number == 1 ? s_.potion1 : s_.potion2) != vbFalse) {
                w_.append(Box::mainTxt,
                          "There is a potion in the middle of the room but drink it at your own "
                          "risk. ");
            }
            break;
        case ItemKind::key:
            if ((item.number == 1 ? s_.k1 : s_.k2) == vbFalse) {
                w_.append(Box::mainTxt,
                          item.number == 1
                              ? "There is a key with the number 1 on it in the room. "
                              : "There is a key with the number 2 on it in the room. ");
            }
            break;
        case ItemKind::door: {
            const std::int16_t unlocked = item.number == 1   ? s_.d1
                                          : item.number == 2 ? s_.d2
                                                             : s_.d3;
            if (unlocked != vbFalse) {
                openWay(item.way);
            } else {
                w_.append(Box::mainTxt, item.way == Way::north
                                            ? "The door to the north is locked. "
                                            : "The door to the south is locked. ");
            }
            break;
        }
        case ItemKind::soundBridge:
        case ItemKind::ricketyBridge:
            // The player can only go back the way they came until they cross.
            if (s_.side == "west") {
                openWay(Way::west);
            } else if (s_.side == "east") {
                openWay(Way::east);
            }
            if (n != 1) {
                w_.append(Box::mainTxt,
                          item.kind == ItemKind::soundBridge ? bridgePhrase : ricketyPhrase);
            }
            break;
        case ItemKind::transporter:
            w_.append(Box::mainTxt,
                      "There is a transporter in the room that will take you to another part of "
                      "the maze. ");
            break;
        case ItemKind::stairs:
            w_.append(Box::mainTxt,
                      "There are stairs in the room that will take you to another part of the "
                      "maze. ");
            break;
        case ItemKind::gold:
            if (s_.gold == vbFalse) {
                s_.gold = vbTrue;
                w_.append(Box::mainTxt, "You found the gold. Now find the exit. ");
                w_.setText(Box::itemTxt, itemlist());
            }
            break;
        case ItemKind::monster:
            meetMonster(item, v, h);
            break;
    }
}

// A monster met for the first time is announced; a wounded one strikes at once.
void Game::meetMonster(const Item& monster, std::int16_t v, std::int16_t h) {
    const std::int16_t e = s_.enemyhp.at(v, h);
    if (e > 0) {
        if (e == monster.start) {
            enemyroom(v, h, monster.st, monster.plus, monster.text);
        } else {
            attacked(v, h, monster.st, monster.plus, monster.text);
        }
        return;
    }
    switch (monster.after) {
        case AfterDeath::nothing:
            break;
        case AfterDeath::key3:
            if (s_.k3 == vbFalse) {
                w_.append(Box::mainTxt, "The goblin dropped a key with the number 3 on it. ");
            }
            break;
        case AfterDeath::endOfMaze:
            if (s_.gold != vbFalse) {
                openWay(Way::north);
                w_.append(Box::mainTxt, "You've found the end of the maze! ");
            } else {
                w_.append(Box::mainTxt,
                          "You beat the dragon but you haven't found the gold. Go back and find "
                          "it. ");
            }
            break;
    }
}

}  // namespace morvint
