// SPDX-License-Identifier: MIT
// morvint-replay: runs a script of clicks and menu commands against the game in
// an in-memory window and prints what the window and the game state hold.
#include "memory_target.h"

int main(int argc, char** argv) {
    using namespace morvint::replay;
    return replayMain(argc, argv, "morvint-replay",
                      [](Session& session) { return std::make_unique<MemoryTarget>(session); });
}
