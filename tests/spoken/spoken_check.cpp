// SPDX-License-Identifier: MIT
// Plays a golden script in the game core and checks what a screen reader would
// hear: after the commands above one or more "#>" lines, and at the end, all
// that was said must be the script's "#>" lines so far, in order ("#>~" takes
// what was said so far as said).
//
//   morvint-spoken-check SCRIPT
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <utility>

#include "memory_target.h"

using namespace morvint;
using namespace morvint::replay;

namespace {

// The text of a "#>" line's JSON string, which escapes only \ " and line breaks.
std::string unquote(const std::string& line) {
    std::string text;
    for (std::size_t i = 4; i + 1 < line.size(); ++i) {
        if (line[i] == '\\') {
            ++i;
            text += line[i] == 'n' ? '\n' : line[i];
        } else {
            text += line[i];
        }
    }
    return text;
}

}  // namespace

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
    std::vector<std::string> expected;
    std::string commands;    // not run yet
    bool checkNext = false;  // "#>" lines were read since the last check
    const auto heardAsExpected = [&](int number) {
        if (heard == expected) {
            return true;
        }
        const auto last = [](const auto& texts) { return texts.empty() ? "" : texts.back(); };
        std::cerr << "before line " << number << ", the last of " << heard.size()
                  << " texts heard:\n"
                  << last(heard) << "\nthe last of " << expected.size() << " expected:\n"
                  << last(expected) << "\n";
        return false;
    };
    int number = 1;
    for (std::string line; std::getline(script, line); ++number) {
        if (line.starts_with("#>")) {
            std::istringstream run(std::exchange(commands, {}));
            if (runScript(run, game, session, argv[0]) != exitOk) {
                return 1;
            }
            checkNext = true;
            if (line.starts_with("#>~")) {
                expected = heard;
            } else {
                expected.push_back(unquote(line));
            }
        } else if (const auto at = line.find_first_not_of(" \t");
                   at != std::string::npos && line[at] != '#') {
            if (std::exchange(checkNext, false) && !heardAsExpected(number)) {
                return 1;
            }
            commands += line + "\n";
        }
    }
    std::istringstream rest(commands);
    const int status = runScript(rest, game, session, argv[0]);
    return !script.eof() || expected.empty() || !heardAsExpected(number) ? 1 : status;
}
