// SPDX-License-Identifier: MIT
#include "morvint/window.h"

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

}  // namespace morvint
