// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "morvint/game.h"
#include "morvint/window.h"

namespace morvint::replay {

// What a script's `show` reads from a main window, whichever toolkit draws it.
class WindowView {
public:
    virtual ~WindowView() = default;
    virtual std::string boxText(Box box) const = 0;
    virtual bool buttonEnabled(Button b) const = 0;
    virtual std::string buttonTag(Button b) const = 0;
    virtual std::string panelText(Panel p) const = 0;
    virtual bool panelEnabled(Panel p) const = 0;
};

// A JSON string literal for text.
std::string jsonString(std::string_view text);

// The window, the game state and the number of random draws as one compact JSON object.
std::string stateJson(const WindowView& window, const Game& game, std::int64_t draws);

// The event lines.
std::string ignoredEvent(Button b);
std::string msgboxEvent(bool yes);
inline constexpr std::string_view endEvent = R"({"event":"end"})";

}  // namespace morvint::replay
