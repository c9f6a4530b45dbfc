// SPDX-License-Identifier: MIT
// morvint-spoken-check SCRIPT: what a screen reader would hear, in the game core.
#include <cstdio>
#include <fstream>

#include "memory_target.h"
#include "spoken_check.h"

using namespace morvint;
using namespace morvint::replay;

int main(int argc, char** argv) {
    std::ifstream script(argc == 2 ? argv[1] : "");
    Session session;
    session.out = Output(std::tmpfile());  // the state lines are not checked here
    std::vector<std::string> heard;
    MemoryTarget game(session, [&heard](const View&, const Changes& changes) {
        if (!changes.spoken.empty()) {
            heard.push_back(changes.spoken);
        }
    });
    return checkSpoken(script, game, session, heard, argv[0]);
}
