// SPDX-License-Identifier: MIT
#pragma once

#include "memory_window.h"
#include "morvint/game.h"
#include "script.h"

namespace morvint::replay {

// The game in the in-memory window: what morvint-replay plays.
class MemoryTarget : public Target {
public:
    explicit MemoryTarget(Session& session);
    bool click(Button b) override;
    void newGame() override { game_.newMnu_Click(); }
    void show() override { session_.show(window_, game_); }
    bool ended() const override { return game_.programEnded(); }

private:
    Session& session_;
    MemoryWindow window_;
    Game game_;
};

}  // namespace morvint::replay
