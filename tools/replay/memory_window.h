// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <functional>
#include <string>

#include "morvint/window.h"
#include "state_json.h"

namespace morvint::replay {

// The main window held in memory, in the state in which the real window is
// created. The play-again answer and the end of the program are pluggable.
class MemoryWindow : public Window, public WindowView {
public:
    struct ButtonState {
        bool enabled = true;
        std::string tag;
    };
    struct PanelState {
        std::string text;
        bool enabled = true;
    };

    MemoryWindow();

    void setText(Box box, std::string_view text) override;
    void append(Box box, std::string_view text) override;
    bool isEnabled(Button b) const override;
    void setEnabled(Button b, bool enabled) override;
    std::string tag(Button b) const override;
    void setTag(Button b, std::string_view tag) override;
    void setPanelText(Panel p, std::string_view text) override;
    void setPanelEnabled(Panel p, bool enabled) override;
    bool askPlayAgain() override;
    void endProgram() override;

    std::string boxText(Box box) const override { return text(box); }
    bool buttonEnabled(Button b) const override { return button(b).enabled; }
    std::string buttonTag(Button b) const override { return button(b).tag; }
    std::string panelText(Panel p) const override { return panel(p).text; }
    bool panelEnabled(Panel p) const override { return panel(p).enabled; }

    const std::string& text(Box box) const { return texts_[static_cast<int>(box)]; }
    const ButtonState& button(Button b) const { return buttons_[static_cast<int>(b)]; }
    const PanelState& panel(Panel p) const { return panels_[static_cast<int>(p) - 1]; }

    // Called for every play-again question; its result is the answer. Unset, the
    // answer is Yes.
    std::function<bool()> onAsk;
    // Called when the program is ended.
    std::function<void()> onEnd;

    int questions = 0;          // how many times the question was asked
    bool programEnded = false;  // endProgram ran

private:
    std::array<std::string, 3> texts_;
    std::array<ButtonState, 10> buttons_;
    std::array<PanelState, 3> panels_;
};

}  // namespace morvint::replay
