#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace morvint {

inline constexpr int mazeSize = 7;

enum class ItemKind : std::uint8_t {
    none,
    phrase,  // text appended on every set-up of the room
    gated,   // text appended only on a full set-up
    well,
    potion,  // number: 1 or 2
    key,     // number: 1 or 2 (key 3 is the goblin's)
    door,    // number: 1 to 3; way: the way it opens
    soundBridge,
    ricketyBridge,
    transporter,
    stairs,
    gold,
    monster,
};

// What a monster leaves behind once it is dead.
enum class AfterDeath : std::uint8_t { nothing, key3, endOfMaze };

enum class Way : std::uint8_t { none, north, east, south, west };

struct Item {
    ItemKind kind = ItemKind::none;
    std::string_view text = {};
    std::int16_t number = 0;
    Way way = Way::none;
    // Monsters only.
    std::int16_t st = 0;
    std::int16_t plus = 0;
    std::int16_t start = 0;
    AfterDeath after = AfterDeath::nothing;
};

struct Room {
    std::string_view open;  // the open ways, as letters of "NESW"
    std::array<Item, 4> items;
};

// The maze, row 0 (south) first, each row column 0 (west) first.
using MazeTable = std::array<std::array<Room, mazeSize>, mazeSize>;
extern const MazeTable maze;

// The monster item of a room, or nullptr when the room has none.
const Item* monsterOf(int row, int col);

}  // namespace morvint
