// SPDX-License-Identifier: MIT
#pragma once

#include "morvint/game.h"
#include "script.h"

namespace morvint::replay {

// The game without a window of its own: what morvint-replay plays. Its state
// line prints the view the core keeps.
class MemoryTarget : public Target, public Window {
public:
    explicit MemoryTarget(Session& session);

    bool click(Button b) override { return game_.click(b); }
    void newGame() override { game_.newMnu_Click(); }
    void show() override { session_.show(game_.view(), game_); }
    bool ended() const override { return game_.programEnded(); }

    void showView(const View&, const Changes&) override {}
    bool askPlayAgain() override { return session_.askPlayAgain(); }
    void programEnded() override { session_.endProgram(); }

private:
    Session& session_;
    Game game_;
};

}  // namespace morvint::replay
