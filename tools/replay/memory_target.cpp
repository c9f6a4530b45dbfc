// SPDX-License-Identifier: MIT
#include "memory_target.h"

#include <utility>

namespace morvint::replay {

MemoryTarget::MemoryTarget(Session& session, Shown onShow)
    : session_(session), onShow_(std::move(onShow)), game_(*this, session.random) {
    game_.Form_Load();
}

}  // namespace morvint::replay
