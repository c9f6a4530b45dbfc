// SPDX-License-Identifier: MIT
#pragma once

#include "morvint/view.h"

namespace morvint {

// What the game core tells a main window; the window only draws and asks. Each
// call goes one way, from the core to the window.
class Window {
public:
    virtual ~Window() = default;

    // Draws the view after a command, a tick of the clock or before the play-again
    // question; `changes` says what differs from the last showing and what to say aloud.
    virtual void showView(const View& view, const Changes& changes) = 0;

    // Asks the play-again question in a modal box; true for Yes. Returns only when
    // the player has answered.
    virtual bool askPlayAgain() = 0;

    // The program has ended: every window closes and the event loop is left. The
    // core calls nothing more.
    virtual void programEnded() = 0;
};

}  // namespace morvint
