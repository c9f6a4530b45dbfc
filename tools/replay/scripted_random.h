// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "morvint/random.h"

namespace morvint::replay {

// Hands out the values it was given, in order, and counts them. A script whose
// queue runs dry stops after its line; until then every draw gives 0, so that
// nothing is thrown through a window's code.
class ScriptedRandom : public RandomSource {
public:
    void push(float value) { queue_.push_back(value); }

    float next() override;
    void reseed() override {}

    // The queue of the script that ran dry first ("random" or "answer"), or empty.
    void ranDry(const char* queue) {
        if (dry.empty()) {
            dry = queue;
        }
    }
    std::string dry;

    std::int64_t draws = 0;

private:
    std::deque<float> queue_;
};

// The answers to the play-again question, in order.
class AnswerQueue {
public:
    void push(bool yes) { queue_.push_back(yes); }
    bool empty() const { return queue_.empty(); }
    // The next answer, true for Yes; the queue must not be empty.
    bool take();

private:
    std::deque<bool> queue_;
};

}  // namespace morvint::replay
