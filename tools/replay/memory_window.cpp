// SPDX-License-Identifier: MIT
#include "memory_window.h"

namespace morvint::replay {

MemoryWindow::MemoryWindow()
    : texts_{"", "Action", ""}, panels_{{{"HP: ", true}, {"Enemy HP:", true}, {"Time:", true}}} {}

void MemoryWindow::setText(Box box, std::string_view text) {
    texts_[static_cast<int>(box)] = text;
}

void MemoryWindow::append(Box box, std::string_view text) {
    texts_[static_cast<int>(box)] += text;
}

bool MemoryWindow::isEnabled(Button b) const {
    return button(b).enabled;
}

void MemoryWindow::setEnabled(Button b, bool enabled) {
    buttons_[static_cast<int>(b)].enabled = enabled;
}

std::string MemoryWindow::tag(Button b) const {
    return button(b).tag;
}

void MemoryWindow::setTag(Button b, std::string_view tag) {
    buttons_[static_cast<int>(b)].tag = tag;
}

void MemoryWindow::setPanelText(Panel p, std::string_view text) {
    panels_[static_cast<int>(p) - 1].text = text;
}

void MemoryWindow::setPanelEnabled(Panel p, bool enabled) {
    panels_[static_cast<int>(p) - 1].enabled = enabled;
}

bool MemoryWindow::askPlayAgain() {
    ++questions;
    return onAsk ? onAsk() : true;
}

void MemoryWindow::endProgram() {
    programEnded = true;
    if (onEnd) {
        onEnd();
    }
}

}  // namespace morvint::replay
