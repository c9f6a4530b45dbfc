// SPDX-License-Identifier: MIT
// A library that leaks one block when it is loaded, and nothing else. The
// leak-check test preloads it into the game to show that the leak check runs
// on the real window and that its suppressions let a leak of ours through.
#include <cstdlib>

extern "C" __attribute__((noinline, visibility("default"))) void* morvint_leak_canary() {
    return std::malloc(24);
}

namespace {

__attribute__((constructor)) void plant() {
    // Drop the only pointer to the block at once.
    void* volatile block = morvint_leak_canary();
    block = nullptr;
    (void)block;
}

}  // namespace
