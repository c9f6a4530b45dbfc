// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "morvint/game.h"
#include "morvint/view.h"

namespace morvint::replay {

// A JSON string literal for text.
std::string jsonString(std::string_view text);

// The window's view, the game state and the number of random draws as one compact
// JSON object.
std::string stateJson(const View& view, const Game& game, std::int64_t draws);

// The event lines.
std::string ignoredEvent(Button b);
std::string msgboxEvent(bool yes);
inline constexpr std::string_view endEvent = R"({"event":"end"})";

}  // namespace morvint::replay
