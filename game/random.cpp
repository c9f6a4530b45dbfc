// SPDX-License-Identifier: MIT
// The random source and the rolls made from its draws.
#include "morvint/random.h"

#include <bit>
#include <chrono>
#include <ctime>
#include <utility>

namespace morvint {

int roll(float r, int k) {
    // The product is rounded to single precision before the floor; it is never
    // negative, so truncation is the floor.
    const float product = r * static_cast<float>(k);
    return static_cast<int>(product);
}

float secondsSinceMidnight() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    const double whole = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
    const auto fraction = duration<double>(now.time_since_epoch()) -
                          duration<double>(duration_cast<seconds>(now.time_since_epoch()));
    return static_cast<float>(whole + fraction.count());
}

ClockRandom::ClockRandom(Clock clock) : clock_(std::move(clock)) {
    reseed();
}

float ClockRandom::next() {
    // 24 random bits make every single-precision step in [0, 1), and never 1.
    constexpr float step = 1.0f / 16777216.0f;
    return static_cast<float>(engine_() >> 8) * step;
}

void ClockRandom::reseed() {
    engine_.seed(std::bit_cast<std::uint32_t>(clock_()));
}

}  // namespace morvint
