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
constexpr Item transporter() {
    return {ItemKind::transporter};
}
constexpr Item stairs() {
    return {ItemKind::stairs};
}
constexpr Item gold() {
    return {ItemKind::gold};
}
constexpr Item monster(std::string_view name, std::int16_t st, std::int16_t plus,
                       std::int16_t start, AfterDeath after = AfterDeath::nothing) {
    return {ItemKind::monster, name, 0, Way::none, st, plus, start, after};
}

}  // namespace

// clang-format off
const MazeTable maze = {{
    // row 0, the southern edge; the entrance is column 3
    {{
        {"NE", {say("You are now in a large, open room. "), say("You can go north or east. "), well()}},
        {"",   {ricketyBridge()}},
        {"WE", {gated("You can go west or east. "), monster("snake", 5, 2, 2)}},
        {"NW", {say("You can go north or west. ")}},
        {"E",  {say("You can go east. ")}},
        {"N",  {say("You can go north. ")}},
        {"NW", {say("You can go north or west. ")}},
    }},
    // row 1
    {{
        {"NES", {say("You can go north, south, or east. "), key(1)}},
        {"",    {soundBridge()}},
        {"NW",  {gated("You can go north or west. "), monster("scropion", 3, 1, 1)}},
        {"NS",  {say("You can go north or south. "), potion(1)}},
        {"NES", {say("You can go north, east, or south. ")}},
        {"SW",  {say("You can go west or south. ")}},
        {"NS",  {say("You can go north or south. ")}},
    }},
    // row 2
    {{
        {"NS",   {say("You can go north or south. ")}},
        {"NE",   {say("You can go north or east. ")}},
        {"ESW",  {say("You can go east, west, or south. "), transporter()}},
        {"NESW", {gated("You can go any direction. "), monster("goblin", 5, 3, 6)}},
        {"W",    {say("You can go west. "), stairs()}},
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
        {"N",   {say("You can go north. "), stairs()}},
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
        {"E",   {gated("You can go east. "), monster("snake", 5, 2, 2)}},
        {"S",   {say("You can go south. ")}},
        {"N",   {say("You can go north. "), gold()}},
        {"ES",  {say("You can go south or east. ")}},
        {"NEW", {say("You can go north, west, or east. ")}},
        {"W",   {say("You can go north or west. "), door(3, Way::north)}},
        {"N",   {say("You can go north. "), key(2)}},
    }},
    // row 6, the northern edge; the way out lies north of the dragon
    {{
        {"E",  {gated("You can go east. "), monster("goblin", 5, 3, 6, AfterDeath::key3)}},
        {"",   {soundBridge()}},
        {"EW", {say("You can go south, west, or east. "), door(2, Way::south)}},
        {"EW", {gated("You can go west or east. "), monster("scorpion", 3, 1, 1)}},
        {"SW", {say("You can go west or south. ")}},
        {"S",  {gated("You can go north or south. "), monster("dragon", 9, 4, 10, AfterDeath::endOfMaze)}},
        {"S",  {say("You can go south. "), transporter(), say("You can hear noises coming from the adjacent room. ")}},
    }},
}};
// clang-format on

const Item* monsterOf(int row, int col) {
    for (const Item& item : maze.at(row).at(col).items) {
        if (item.kind == ItemKind::monster) {
            return &item;
        }
    }
    return nullptr;
}

}  // namespace morvint
