// SPDX-License-Identifier: MIT
// The view of the main window and the record of what changed in it.
#include "morvint/view.h"

#include "morvint/texts.h"

namespace morvint {

std::string_view buttonName(Button b) {
    switch (b) {
        case Button::attackCom:
            return "attackCom";
        case Button::crossCom:
            return "crossCom";
        case Button::drinkCom:
            return "drinkCom";
        case Button::eastCom:
            return "eastCom";
        case Button::northCom:
            return "northCom";
        case Button::pickupCom:
            return "pickupCom";
        case Button::southCom:
            return "southCom";
        case Button::useCom:
            return "useCom";
        case Button::unlockCom:
            return "unlockCom";
        case Button::westCom:
            return "westCom";
    }
    return {};
}

View::View() : boxes{"", std::string(texts::actionStart), ""} {
    for (std::size_t i = 0; i < panels.size(); ++i) {
        panels[i].text = texts::panels[i].start;
    }
}

void ViewWriter::setText(Box box, std::string_view text) {
    const auto i = static_cast<std::size_t>(box);
    if (box == Box::mainTxt) {
        changes_.narrativeReplaced = true;
        changes_.appended.clear();
    } else if (view_.boxes[i] != text) {
        changes_.boxes.set(i);
    }
    view_.boxes[i] = text;
}

void ViewWriter::append(std::string_view text) {
    view_.boxes[static_cast<std::size_t>(Box::mainTxt)] += text;
    if (!changes_.narrativeReplaced) {
        changes_.appended += text;
    }
}

void ViewWriter::setEnabled(Button b, bool enabled) {
    const auto i = static_cast<std::size_t>(b);
    if (!enabled) {
        changes_.disabled.set(i);
    }
    if (view_.buttons[i].enabled != enabled) {
        view_.buttons[i].enabled = enabled;
        changes_.buttons.set(i);
    }
}

void ViewWriter::setTag(Button b, std::string_view tag) {
    const auto i = static_cast<std::size_t>(b);
    if (view_.buttons[i].tag != tag) {
        view_.buttons[i].tag = tag;
        changes_.buttons.set(i);
    }
}

void ViewWriter::setPanelText(Panel p, std::string_view text) {
    const auto i = static_cast<std::size_t>(p) - 1;
    if (view_.panels[i].text != text) {
        view_.panels[i].text = text;
        changes_.panels.set(i);
    }
}

void ViewWriter::setPanelEnabled(Panel p, bool enabled) {
    const auto i = static_cast<std::size_t>(p) - 1;
    if (view_.panels[i].enabled != enabled) {
        view_.panels[i].enabled = enabled;
        changes_.panels.set(i);
    }
}

Changes ViewWriter::take() {
    Changes taken = std::move(changes_);
    changes_ = {};
    return taken;
}

}  // namespace morvint
