#pragma once

#include <gtest/gtest.h>

#include <string>

#include "memory_window.h"
#include "morvint/game.h"
#include "scripted_random.h"

namespace morvint::testing {

using replay::MemoryWindow;
using replay::ScriptedRandom;

// A game started in the in-memory window, with a scripted random source.
class GameTest : public ::testing::Test {
protected:
    void SetUp() override { game.Form_Load(); }

    // Puts the player into a room by a full set-up, as a move there would.
    void enter(std::int16_t v, std::int16_t h) {
        game.state().vroom = v;
        game.state().hroom = h;
        game.setenable(v, h, 0);
    }

    const std::string& narrative() const { return window.text(Box::mainTxt); }
    const std::string& action() const { return window.text(Box::actionTxt); }
    const std::string& items() const { return window.text(Box::itemTxt); }
    const std::string& tag(Button b) const { return window.button(b).tag; }
    bool enabled(Button b) const { return window.button(b).enabled; }
    const MemoryWindow::PanelState& panel(Panel p) const { return window.panel(p); }
    GameState& state() { return game.state(); }

    // The open ways, as letters of "NESW".
    std::string openWays() const {
        std::string ways;
        if (tag(Button::northCom) == "True")
            ways += 'N';
        if (tag(Button::eastCom) == "True")
            ways += 'E';
        if (tag(Button::southCom) == "True")
            ways += 'S';
        if (tag(Button::westCom) == "True")
            ways += 'W';
        return ways;
    }

    MemoryWindow window;
    ScriptedRandom random;
    Game game{window, random};
};

inline constexpr const char* opening =
    "You are in a small room at the entrance of a maze. You have to find the gold and get out "
    "without dying. You can go north or west. ";

}  // namespace morvint::testing
