#pragma once

#include <string>
#include <string_view>

#include "memory_window.h"
#include "morvint/game.h"

namespace morvint::testing {

// A JSON string literal for text.
std::string jsonString(std::string_view text);

// The window and the game state as one compact JSON object.
std::string stateJson(const Game& game, const MemoryWindow& window, int draws);

}  // namespace morvint::testing
