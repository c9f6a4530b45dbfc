// SPDX-License-Identifier: MIT
#include "memory_target.h"

namespace morvint::replay {

MemoryTarget::MemoryTarget(Session& session) : session_(session), game_(window_, session.random) {
    window_.onAsk = [this] { return session_.askPlayAgain(); };
    window_.onEnd = [this] { session_.endProgram(); };
    game_.Form_Load();
}

bool MemoryTarget::click(Button b) {
    if (!window_.isEnabled(b)) {
        return false;
    }
    game_.click(b);
    return true;
}

}  // namespace morvint::replay
