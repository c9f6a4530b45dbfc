// SPDX-License-Identifier: MIT
#include "memory_target.h"

namespace morvint::replay {

MemoryTarget::MemoryTarget(Session& session) : session_(session), game_(*this, session.random) {
    game_.Form_Load();
}

}  // namespace morvint::replay
