// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <bitset>
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

inline constexpr Panel allPanels[] = {Panel::hp, Panel::enemy, Panel::time};

// Everything the main window shows, as the game core keeps it. It starts as the
// window is created, before the first game.
struct View {
    struct ButtonState {
        bool enabled = true;
        std::string tag;  // the direction buttons keep their exit flag here
    };
    struct PanelState {
        std::string text;
        bool enabled = true;  // a disabled panel shows greyed
    };

    View();

    const std::string& text(Box b) const { return boxes[static_cast<int>(b)]; }
    const ButtonState& button(Button b) const { return buttons[static_cast<int>(b)]; }
    const PanelState& panel(Panel p) const { return panels[static_cast<int>(p) - 1]; }

    std::array<std::string, 3> boxes;
    std::array<ButtonState, std::size(allButtons)> buttons;
    std::array<PanelState, 3> panels;
};

// What changed in the view since it was last shown, and what to say aloud.
struct Changes {
    // The narrative is either replaced by its whole text or has `appended` added at its end.
    bool narrativeReplaced = false;
    std::string appended;
    // The other controls whose values changed, by index.
    std::bitset<3> boxes;
    std::bitset<std::size(allButtons)> buttons;
    std::bitset<3> panels;
    // Buttons disabled at some moment, even if enabled again since: one that had the
    // focus has lost it.
    std::bitset<std::size(allButtons)> disabled;
    // What a screen reader says now, lines separated by "\n"; empty: nothing.
    std::string spoken;

    bool box(Box b) const { return boxes[static_cast<std::size_t>(b)]; }
    bool button(Button b) const { return buttons[static_cast<std::size_t>(b)]; }
    bool panel(Panel p) const { return panels[static_cast<std::size_t>(p) - 1]; }
    bool wasDisabled(Button b) const { return disabled[static_cast<std::size_t>(b)]; }
};

// The view as the core writes it, gathering what changed until it is shown.
class ViewWriter {
public:
    const View& view() const { return view_; }

    // Replaces the whole text of a text box.
    void setText(Box box, std::string_view text);
    // Adds text at the end of the narrative.
    void append(std::string_view text);
    void setEnabled(Button b, bool enabled);
    void setTag(Button b, std::string_view tag);
    void setPanelText(Panel p, std::string_view text);
    void setPanelEnabled(Panel p, bool enabled);

    // What changed since the last call, which starts the gathering over.
    Changes take();

private:
    View view_;
    Changes changes_;
};

}  // namespace morvint
