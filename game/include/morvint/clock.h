// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace morvint {

// The game clock: counts the ticks of a one-minute timer from the moment the
// window opens. A new game does not reset it.
class GameClock {
public:
    // A clock that reads hours:minutes; the window's starts at 0:00.
    explicit GameClock(std::int32_t hours = 0, std::int16_t minutes = 0)
        : minutes_(minutes), hours_(hours) {}

    // One more minute; returns the time panel's text: hours without a leading
    // zero, a colon, minutes with two digits ("0:09", "1:00", "10:00").
    std::string tick();

private:
    // The minutes stay within 0..59 between ticks. The hours are 32 bits wide
    // and stop at their top, which no window lives to see.
    std::int16_t minutes_ = 0;
    std::int32_t hours_ = 0;
};

}  // namespace morvint
