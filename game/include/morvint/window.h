// SPDX-License-Identifier: MIT
#pragma once

#include "morvint/view.h"

namespace morvint {

// What the game core tells a main window, one way: the window draws and asks, and
// the core calls nothing more once the program has ended. The core shows the view
// after each command, each tick of the clock and before the play-again question.
class Window {
public:
    virtual ~Window() = default;

    // Draws `view`; `changes` says what differs from the last showing and what to say.
    virtual void showView(const View& view, const Changes& changes) = 0;
    // Asks the play-again question in a modal box and returns the answer, true for Yes.
    virtual bool askPlayAgain() = 0;
    // The program has ended: close every window and leave the event loop.
    virtual void programEnded() = 0;
};

}  // namespace morvint
