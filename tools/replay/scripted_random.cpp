// SPDX-License-Identifier: MIT
#include "scripted_random.h"

namespace morvint::replay {

float ScriptedRandom::next() {
    if (!dry.empty() || queue_.empty()) {
        ranDry("random");
        return 0.0f;
    }
    const float value = queue_.front();
    queue_.pop_front();
    ++draws;
    return value;
}

bool AnswerQueue::take() {
    const bool yes = queue_.front();
    queue_.pop_front();
    return yes;
}

}  // namespace morvint::replay
