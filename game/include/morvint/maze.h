// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace morvint {

// The maze table: every fact of every room. No other part of the game knows
// where anything is; it asks the table about the room it is in.

inline constexpr int mazeSize = 7;

// A room by row (0 in the south, north adds 1) and column (0 in the west, east adds 1).
struct Place {
    std::int16_t row;
    std::int16_t col;
};

// Where every game starts, and with how many hit points.
inline constexpr Place startRoom = {0, 3};
inline constexpr std::int16_t startHp = 35;

// The way out lies north of the dragon's room; stepping there ends the game.
inline constexpr Place wayOut = {7, 5};

enum class ItemKind : std::uint8_t {
    none,
    phrase,  // text appended on every set-up of the room
    gated,   // text appended only on a full set-up
    well,
    potion,  // number: 1 or 2
    key,     // number: 1 or 2, lying in the room
    door,    // number: 1 to 3, the key that opens it; way: the way it opens
    soundBridge,
    ricketyBridge,
    transporter,  // to: the other transporter room
    stairs,       // to: the room at the other end
    gold,
    monster,  // monster: who lives here
};

// What a monster leaves behind once it is dead.
enum class AfterDeath : std::uint8_t { nothing, key, endOfMaze };

enum class Way : std::uint8_t { none, north, east, south, west };

struct Monster {
    std::string_view name;  // as the room announces it
    std::int16_t st;        // a blow deals floor(r * st) + plus
    std::int16_t plus;
    std::int16_t start;        // hit points at the start of a game
    std::string_view leaving;  // its name when it strikes a player who leaves
    AfterDeath after = AfterDeath::nothing;
    std::int16_t key = 0;  // the key it carries, for AfterDeath::key
};

struct Item {
    ItemKind kind = ItemKind::none;
    std::string_view text = {};
    std::int16_t number = 0;
    Way way = Way::none;
    Place to = {0, 0};
    const Monster* monster = nullptr;
};

// The way of a letter of "NESW"; Way::none for any other.
constexpr Way wayOfLetter(char letter) {
    switch (letter) {
        case 'N':
            return Way::north;
        case 'E':
            return Way::east;
        case 'S':
            return Way::south;
        case 'W':
            return Way::west;
        default:
            return Way::none;
    }
}

struct Room {
    std::string_view open;  // the open ways, as letters of "NESW"
    std::array<Item, 4> items;
};

// The maze, row 0 (south) first, each row column 0 (west) first. Every open way
// is a letter of "NESW" and every door opens a way (checked when it is built).
using MazeTable = std::array<std::array<Room, mazeSize>, mazeSize>;
extern const MazeTable maze;

// The room at (row, col), or nullptr outside the maze (the way out among others).
const Room* roomAt(int row, int col);
bool isWayOut(int row, int col);

// The first item of a kind in a room, or nullptr (also outside the maze).
const Item* findItem(int row, int col, ItemKind kind);

// The monster of a room, or nullptr when the room has none.
const Monster* monsterOf(int row, int col);

// The key that Pick Up takes in a room (lying there or carried by its monster), or 0.
std::int16_t keyIn(int row, int col);

}  // namespace morvint
