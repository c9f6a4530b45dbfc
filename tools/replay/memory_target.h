// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

#include "morvint/game.h"
#include "script.h"

namespace morvint::replay {

// The game without a window of its own: what morvint-replay plays. Its state
// line prints the view the core keeps; what the core would show and say goes to
// `onShow`, when there is one.
class MemoryTarget : public Target, public Window {
public:
    using Shown = std::function<void(const View&, const Changes&)>;
    explicit MemoryTarget(Session& session, Shown onShow = {});

    bool click(Button b) override { return game_.click(b); }
    void newGame() override { game_.newMnu_Click(); }
    void show() override { session_.show(game_.view(), game_); }
    bool ended() const override { return game_.programEnded(); }

    void showView(const View& view, const Changes& changes) override {
        if (onShow_) {
            onShow_(view, changes);
        }
    }
    bool askPlayAgain() override { return session_.askPlayAgain(); }
    void programEnded() override { session_.endProgram(); }

private:
    Session& session_;
    Shown onShow_;
    Game game_;
};

}  // namespace morvint::replay
