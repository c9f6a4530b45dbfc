// SPDX-License-Identifier: MIT
#include "scripted_random.h"

namespace morvint::replay {

float ScriptedRandom::next() {
    if (queue_.empty()) {
        throw QueueEmpty("random");
    }
    const float value = queue_.front();
    queue_.pop_front();
    ++draws;
    return value;
}

bool AnswerQueue::take() {
    if (queue_.empty()) {
        throw QueueEmpty("answer");
    }
    const bool yes = queue_.front();
    queue_.pop_front();
    return yes;
}

}  // namespace morvint::replay
