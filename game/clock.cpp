// SPDX-License-Identifier: MIT
// The game clock's counting.
#include "morvint/clock.h"

#include <limits>

namespace morvint {

std::string GameClock::tick() {
    minutes_ += 1;
    if (minutes_ > 59) {
        if (hours_ < std::numeric_limits<std::int32_t>::max()) {
            hours_ += 1;
        }
        minutes_ = 0;
    }
    return std::to_string(hours_) + (minutes_ <= 9 ? ":0" : ":") + std::to_string(minutes_);
}

}  // namespace morvint
