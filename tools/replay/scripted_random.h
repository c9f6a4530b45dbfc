// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <stdexcept>

#include "morvint/random.h"

namespace morvint::replay {

// Thrown when the game needs a value that the script has not given; what() names
// the queue ("random" or "answer").
struct QueueEmpty : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Hands out the values it was given, in order, and counts them.
class ScriptedRandom : public RandomSource {
public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<float> values) : queue_(values) {}

    void push(float value) { queue_.push_back(value); }
    void push(std::initializer_list<float> values) { queue_.insert(queue_.end(), values); }

    float next() override;
    void reseed() override { ++reseeds; }

    std::size_t pending() const { return queue_.size(); }
    std::int64_t draws = 0;
    int reseeds = 0;

private:
    std::deque<float> queue_;
};

// The answers to the play-again question, in order.
class AnswerQueue {
public:
    void push(bool yes) { queue_.push_back(yes); }
    // The next answer, true for Yes; QueueEmpty when there is none.
    bool take();
    std::size_t pending() const { return queue_.size(); }

private:
    std::deque<bool> queue_;
};

}  // namespace morvint::replay
