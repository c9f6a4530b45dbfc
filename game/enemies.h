#pragma once

#include <cstdint>
#include <string_view>

namespace morvint {

// A monster room as the direction commands know it: who strikes the player who
// leaves it. Both scorpions are called "scropion" here.
struct Attacker {
    std::int16_t row;
    std::int16_t col;
    std::string_view enemytype;
    std::int16_t st;
    std::int16_t plus;
};

// In the order in which the rooms are tested.
inline constexpr Attacker attackers[] = {
    {0, 2, "snake", 5, 2},  {1, 2, "scropion", 3, 1}, {2, 3, "goblin", 5, 3}, {5, 0, "snake", 5, 2},
    {6, 0, "goblin", 5, 3}, {6, 3, "scropion", 3, 1}, {6, 5, "dragon", 9, 4},
};

}  // namespace morvint
