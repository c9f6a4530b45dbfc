#include "morvint/game.h"

namespace morvint {

void Game::useCom_Click() {
    if (!begin()) {
        return;
    }
    struct Link {
        std::int16_t fromRow, fromCol, toRow, toCol;
        std::string_view action;
    };
    static constexpr Link links[] = {
        {2, 2, 6, 6, "Used transporter"},
        {6, 6, 2, 2, "Used transporter"},
        {2, 4, 3, 5, "Used stairs"},
        {3, 5, 2, 4, "Used stairs"},
    };
    for (const Link& link : links) {
        if (link.fromRow == s_.vroom && link.fromCol == s_.hroom) {
            s_.vroom = link.toRow;
            s_.hroom = link.toCol;
            w_.setText(Box::actionTxt, link.action);
            setenable(s_.vroom, s_.hroom, 0);
            return;
        }
    }
    w_.append(Box::mainTxt, "There is nothing to use here. ");
    w_.setEnabled(Button::useCom, false);
}

}  // namespace morvint
