#include "scripted_random.h"

namespace morvint::testing {

float ScriptedRandom::next() {
    if (queue_.empty()) {
        throw QueueEmpty("random");
    }
    const float value = queue_.front();
    queue_.pop_front();
    ++draws;
    return value;
}

}  // namespace morvint::testing
