// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace morvint {

// The three text boxes of the main window.
enum class Box { mainTxt, actionTxt, itemTxt };

// The ten command buttons, in the order in which a room set-up enables them.
enum class Button {
    attackCom,
    crossCom,
    drinkCom,
    eastCom,
    northCom,
    pickupCom,
    southCom,
    useCom,
    unlockCom,
    westCom,
};

inline constexpr Button allButtons[] = {
    Button::attackCom, Button::crossCom, Button::drinkCom, Button::eastCom,   Button::northCom,
    Button::pickupCom, Button::southCom, Button::useCom,   Button::unlockCom, Button::westCom,
};

// The control name of a button ("northCom").
std::string_view buttonName(Button b);

// Status bar panels, numbered from 1 at the left.
enum class Panel { hp = 1, enemy = 2, time = 3 };

// Everything the game core may do to the main window. The core never reaches the
// toolkit any other way; the Qt window and the in-memory test window implement it.
class Window {
public:
    virtual ~Window() = default;

    // Replaces the whole text of a text box.
    virtual void setText(Box box, std::string_view text) = 0;
    // Adds text at the end of a text box, without reading the old text back.
    virtual void append(Box box, std::string_view text) = 0;

    // Whether a button can be pressed; a disabled button ignores clicks.
    virtual bool isEnabled(Button b) const = 0;
    virtual void setEnabled(Button b, bool enabled) = 0;

    // The free text Tag of a button; the direction buttons keep their exit flag here.
    virtual std::string tag(Button b) const = 0;
    virtual void setTag(Button b, std::string_view tag) = 0;

    // Text and enabled state of a status bar panel; a disabled panel shows greyed.
    virtual void setPanelText(Panel p, std::string_view text) = 0;
    virtual void setPanelEnabled(Panel p, bool enabled) = 0;

    // Asks "Would you like to play again?" in a modal box titled "New Game";
    // true for Yes. Returns only when the player has answered.
    virtual bool askPlayAgain() = 0;

    // Ends the program at once: every window closes and the event loop is left.
    // It returns to the core, which then changes nothing more.
    virtual void endProgram() = 0;
};

}  // namespace morvint
