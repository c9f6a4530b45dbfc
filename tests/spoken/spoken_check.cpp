// SPDX-License-Identifier: MIT
#include "spoken_check.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <utility>

namespace morvint::replay {

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

int checkSpoken(std::istream& script, Target& game, Session& session,
                const std::vector<std::string>& heard, const char* name) {
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
            if (runScript(run, game, session, name) != exitOk) {
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
    const int status = runScript(rest, game, session, name);
    return !script.eof() || expected.empty() || !heardAsExpected(number) ? 1 : status;
}

}  // namespace morvint::replay
