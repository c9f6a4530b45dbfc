// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <random>

namespace morvint {

// The one source of random values of a game.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniform single-precision value in [0, 1).
    virtual float next() = 0;
    // Starts a new sequence; the new-game routine calls it.
    virtual void reseed() = 0;
};

// floor(r * k) with the product rounded to single precision first.
int roll(float r, int k);

// Seconds since local midnight, with their fraction.
float secondsSinceMidnight();

// The program's source: a Mersenne twister re-seeded from the time of day.
class ClockRandom final : public RandomSource {
public:
    using Clock = std::function<float()>;
    explicit ClockRandom(Clock clock = secondsSinceMidnight);
    float next() override;
    void reseed() override;

private:
    Clock clock_;
    std::mt19937 engine_;
};

}  // namespace morvint
