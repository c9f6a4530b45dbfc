// SPDX-License-Identifier: MIT
// The maze table, and what the rest of the game asks it.
#include "morvint/maze.h"

namespace morvint {
namespace {

constexpr Item say(std::string_view text) {
    return {ItemKind::phrase, text};
}
constexpr Item gated(std::string_view text) {
    return {ItemKind::gated, text};
}
constexpr Item well() {
    return {ItemKind::well};
}
constexpr Item potion(std::int16_t n) {
    return {ItemKind::potion, {}, n};
}
constexpr Item key(std::int16_t n) {
    return {ItemKind::key, {}, n};
}
constexpr Item door(std::int16_t n, Way way) {
    return {ItemKind::door, {}, n, way};
}
constexpr Item soundBridge() {
    return {ItemKind::soundBridge};
}
constexpr Item ricketyBridge() {
    return {ItemKind::ricketyBridge};
}
constexpr Item transporter(Place to) {
    return {ItemKind::transporter, {}, 0, Way::none, to};
}
constexpr Item stairs(Place to) {
    return {ItemKind::stairs, {}, 0, Way::none, to};
}
constexpr Item gold() {
    return {ItemKind::gold};
}
constexpr Item monster(const Monster& m) {
    return {ItemKind::monster, {}, 0, Way::none, {}, &m};
}

// The monsters. Whoever strikes a player leaving a scorpion's room is called
// "scropion", whatever the room called it.
constexpr Monster snake = {"snake", 5, 2, 2, "snake"};
constexpr Monster scropion = {"scropion", 3, 1, 1, "scropion"};
constexpr Monster scorpion = {"scorpion", 3, 1, 1, "scropion"};
constexpr Monster goblin = {"goblin", 5, 3, 6, "goblin"};
constexpr Monster keyGoblin = {"goblin", 5, 3, 6, "goblin", AfterDeath::key, 3};
constexpr Monster dragon = {"dragon", 9, 4, 10, "dragon", AfterDeath::endOfMaze};

}  // namespace

// clang-format off
constexpr MazeTable maze = {{
    // row 0, the southern edge; the entrance is column 3
    {{
        {"NE", {say("You are now in a large, open room. "), say("You can go north or east. "), well()}},
        {"",   {ricketyBridge()}},
        {"WE", {gated("You can go west or east. "), monster(snake)}},
        {"NW", {say("You can go north or west. ")}},
        {"E",  {say("You can go east. ")}},
        {"N",  {say("You can go north. ")}},
        {"NW", {say("You can go north or west. ")}},
    }},
    // row 1
    {{
        {"NES", {say("You can go north, south, or east. "), key(1)}},
        {"",    {soundBridge()}},
        {"NW",  {gated("You can go north or west. "), monster(scropion)}},
        {"NS",  {say("You can go north or south. "), potion(1)}},
        {"NES", {say("You can go north, east, or south. ")}},
        {"SW",  {say("You can go west or south. ")}},
        {"NS",  {say("You can go north or south. ")}},
    }},
    // row 2
    {{
        {"NS",   {say("You can go north or south. ")}},
        {"NE",   {say("You can go north or east. ")}},
        {"ESW",  {say("You can go east, west, or south. "), transporter({6, 6})}},
        {"NESW", {gated("You can go any direction. "), monster(goblin)}},
        {"W",    {say("You can go west. "), stairs({3, 5})}},
        {"",     {ricketyBridge()}},
        {"NSW",  {say("You can go north, south or west. ")}},
    }},
    // row 3
    {{
        {"ES",  {say("You can go south or east. "), potion(2)}},
        {"ESW", {say("You can go east, west, or south. ")}},
        {"EW",  {say("You can go north, west, or east. "), door(1, Way::north)}},
        {"SW",  {say("You can go west or south. ")}},
        {"N",   {say("You can go north. "), well()}},
        {"N",   {say("You can go north. "), stairs({2, 4})}},
        {"NS",  {say("You can go north or south. ")}},
    }},
    // row 4
    {{
        {"N",   {say("You can go north. ")}},
        {"EW",  {say("You can go west or east. ")}},
        {"ESW", {say("You can go west, south, or east. ")}},
        {"NW",  {say("You can go north or west. ")}},
        {"ES",  {say("You can go south or east. ")}},
        {"ESW", {say("You can go south, west, or east. ")}},
        {"SW",  {say("You can go west or south. ")}},
    }},
    // row 5
    {{
        {"E",   {gated("You can go east. "), monster(snake)}},
        {"S",   {say("You can go south. ")}},
        {"N",   {say("You can go north. "), gold()}},
        {"ES",  {say("You can go south or east. ")}},
        {"NEW", {say("You can go north, west, or east. ")}},
        {"W",   {say("You can go north or west. "), door(3, Way::north)}},
        {"N",   {say("You can go north. "), key(2)}},
    }},
    // row 6, the northern edge; the way out lies north of the dragon
    {{
        {"E",  {gated("You can go east. "), monster(keyGoblin)}},
        {"",   {soundBridge()}},
        {"EW", {say("You can go south, west, or east. "), door(2, Way::south)}},
        {"EW", {gated("You can go west or east. "), monster(scorpion)}},
        {"SW", {say("You can go west or south. ")}},
        {"S",  {gated("You can go north or south. "), monster(dragon)}},
        {"S",  {say("You can go south. "), transporter({2, 2}), say("You can hear noises coming from the adjacent room. ")}},
    }},
}};
// clang-format on

namespace {

// A typo in the table stops the build.
constexpr bool waysAreLetters() {
    for (const auto& row : maze) {
        for (const Room& room : row) {
            for (char letter : room.open) {
                if (wayOfLetter(letter) == Way::none) {
                    return false;
                }
            }
        }
    }
    return true;
}
static_assert(waysAreLetters(), "a room opens a way that is none of N, E, S and W");

constexpr bool doorsOpenAWay() {
    for (const auto& row : maze) {
        for (const Room& room : row) {
            for (const Item& item : room.items) {
                if (item.kind == ItemKind::door && item.way == Way::none) {
                    return false;
                }
            }
        }
    }
    return true;
}
static_assert(doorsOpenAWay(), "a door opens no way");

}  // namespace

const Room* roomAt(int row, int col) {
    if (row < 0 || row >= mazeSize || col < 0 || col >= mazeSize) {
        return nullptr;
    }
    return &maze[row][col];
}

bool isWayOut(int row, int col) {
    return row == wayOut.row && col == wayOut.col;
}

const Item* findItem(int row, int col, ItemKind kind) {
    if (const Room* room = roomAt(row, col)) {
        for (const Item& item : room->items) {
            if (item.kind == kind) {
                return &item;
            }
        }
    }
    return nullptr;
}

const Monster* monsterOf(int row, int col) {
    const Item* item = findItem(row, col, ItemKind::monster);
    return item != nullptr ? item->monster : nullptr;
}

std::int16_t keyIn(int row, int col) {
    if (const Item* key = findItem(row, col, ItemKind::key)) {
        return key->number;
    }
    const Monster* m = monsterOf(row, col);
    return m != nullptr && m->after == AfterDeath::key ? m->key : 0;
}

}  // namespace morvint
