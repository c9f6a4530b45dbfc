// SPDX-License-Identifier: MIT
// Entering a room: its ways, its items and its monster.
#include <stdexcept>
#include <string>

#include "morvint/game.h"

namespace morvint {

Button directionButton(Way way) {
    switch (way) {
        case Way::north:
            return Button::northCom;
        case Way::east:
            return Button::eastCom;
        case Way::south:
            return Button::southCom;
        case Way::west:
            return Button::westCom;
        case Way::none:
            break;
    }
    throw std::invalid_argument("no direction button for no way");
}

namespace {

constexpr std::string_view bridgePhrase = "There is a bridge that you must cross to go forward. ";
constexpr std::string_view ricketyPhrase =
    "There is a rickety bridge that you must cross to go forward. ";

}  // namespace

void Game::openWay(Way way) {
    view_.setTag(directionButton(way), "True");
}

// Puts the window into the state of room (v, h). With n = 1 the narrative is
// kept and the gated phrases are left out, because the caller has just written
// its own text for the same room.
void Game::setenable(std::int16_t v, std::int16_t h, std::int16_t n) {
    for (Button b : {Button::northCom, Button::eastCom, Button::southCom, Button::westCom}) {
        view_.setTag(b, "False");
    }
    view_.setPanelEnabled(Panel::enemy, false);
    if (n != 1) {
        clearNarrative();
    }

    const ThisGame game(*this);
    if (const Room* room = roomAt(v, h)) {
        for (char letter : room->open) {
            openWay(wayOfLetter(letter));
        }
        for (const Item& item : room->items) {
            addRoomItem(item, v, h, n);
            if (game.over()) {
                return;  // a blow ended the game; the new game is already set up
            }
        }
    }

    if (isWayOut(v, h)) {
        narrate("You made it out of the maze! ");
        endgame("from a curse on the gold. ");
        return;
    }

    for (Button b : allButtons) {
        view_.setEnabled(b, true);
    }
}

void Game::addRoomItem(const Item& item, std::int16_t v, std::int16_t h, std::int16_t n) {
    switch (item.kind) {
        case ItemKind::none:
            break;
        case ItemKind::phrase:
            narrate(item.text);
            break;
        case ItemKind::gated:
            if (n != 1) {
                narrate(item.text);
            }
            break;
        case ItemKind::well:
            narrate(
                "There is a well in the middle of the room but drink the water at your own "
                "risk. ");
            break;
        case ItemKind::potion:
            if (s_.potion(item.number) != vbFalse) {
                narrate(
                    "There is a potion in the middle of the room but drink it at your own "
                    "risk. ");
            }
            break;
        case ItemKind::key:
            if (s_.key(item.number) == vbFalse) {
                narrate("There is a key with the number " + std::to_string(item.number) +
                        " on it in the room. ");
            }
            break;
        case ItemKind::door: {
            if (s_.door(item.number) != vbFalse) {
                openWay(item.way);
            } else {
                narrate(item.way == Way::north ? "The door to the north is locked. "
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
                narrate(item.kind == ItemKind::soundBridge ? bridgePhrase : ricketyPhrase);
            }
            break;
        case ItemKind::transporter:
            narrate(
                "There is a transporter in the room that will take you to another part of "
                "the maze. ");
            break;
        case ItemKind::stairs:
            narrate(
                "There are stairs in the room that will take you to another part of the "
                "maze. ");
            break;
        case ItemKind::gold:
            if (s_.gold == vbFalse) {
                s_.gold = vbTrue;
                narrate("You found the gold. Now find the exit. ");
                view_.setText(Box::itemTxt, itemlist());
            }
            break;
        case ItemKind::monster:
            meetMonster(*item.monster, v, h);
            break;
    }
}

// A monster met for the first time is announced; a wounded one strikes at once.
void Game::meetMonster(const Monster& monster, std::int16_t v, std::int16_t h) {
    const std::int16_t e = s_.enemyhp.at(v, h);
    if (e > 0) {
        if (e == monster.start) {
            enemyroom(v, h, monster.st, monster.plus, monster.name);
        } else {
            attacked(v, h, monster.st, monster.plus, monster.name);
        }
        return;
    }
    switch (monster.after) {
        case AfterDeath::nothing:
            break;
        case AfterDeath::key:
            if (s_.key(monster.key) == vbFalse) {
                narrate("The " + std::string(monster.name) + " dropped a key with the number " +
                        std::to_string(monster.key) + " on it. ");
            }
            break;
        case AfterDeath::endOfMaze:
            if (s_.gold != vbFalse) {
                openWay(Way::north);
                narrate("You've found the end of the maze! ");
            } else {
                narrate(
                    "You beat the dragon but you haven't found the gold. Go back and find "
                    "it. ");
            }
            break;
    }
}

}  // namespace morvint
