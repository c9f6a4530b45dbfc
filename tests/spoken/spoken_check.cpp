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

#include "morvint/game.h"
#include "script.h"

using namespace morvint;
using namespace morvint::replay;

namespace {

// The game core, keeping every non-empty text it gives to be said.
class Listener : public Target, public Window {
public:
    explicit Listener(Session& session) : session_(session), game_(*this, session.random) {
        game_.Form_Load();
    }
    bool click(Button b) override { return game_.click(b); }
    void newGame() override { game_.newMnu_Click(); }
    void show() override {}
    bool ended() const override { return game_.programEnded(); }

    void showView(const View&, const Changes& changes) override {
        if (!changes.spoken.empty()) {
            heard.push_back(changes.spoken);
        }
    }
    bool askPlayAgain() override { return session_.askPlayAgain(); }
    void programEnded() override {}

    std::vector<std::string> heard;

private:
    Session& session_;
    Game game_;
};

// The text of a "#>" line: a JSON string with \" \\ and \n escapes only.
std::string unquote(std::string_view json) {
    std::string text;
    for (std::size_t i = 1; i + 1 < json.size(); ++i) {
        if (json[i] == '\\') {
            ++i;
            text += json[i] == 'n' ? '\n' : json[i];
        } else {
            text += json[i];
        }
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    std::ifstream script(argc == 2 ? argv[1] : "");
    if (!script) {
        std::cerr << "usage: morvint-spoken-check SCRIPT\n";
        return 2;
    }
    Session session;
    session.out = Output(std::tmpfile());  // the state lines are not checked here
    Listener listener(session);
    std::vector<std::string> expected;
    // What was heard must be what the lines above expect.
    const auto check = [&](int number) {
        if (listener.heard == expected) {
            return true;
        }
        const auto last = [](const std::vector<std::string>& texts) {
            return texts.empty() ? std::string("(nothing)") : texts.back();
        };
        std::cerr << "before line " << number << ": heard " << listener.heard.size()
                  << " texts, expected " << expected.size() << "\nthe last heard:\n"
                  << last(listener.heard) << "\nthe last expected:\n"
                  << last(expected) << "\n";
        return false;
    };
    const auto run = [&](std::string& commands) {
        std::istringstream in(std::exchange(commands, {}));
        return runScript(in, listener, session, "morvint-spoken-check");
    };
    std::string commands;
    bool checkNext = false;  // "#>" lines were read since the last check
    int number = 0;
    for (std::string line; std::getline(script, line);) {
        ++number;
        if (line.starts_with("#>")) {
            if (!commands.empty() && run(commands) != exitOk) {
                return 1;
            }
            checkNext = true;
            if (line.starts_with("#>~")) {
                expected = listener.heard;
            } else {
                expected.push_back(unquote(line.substr(3)));
            }
        } else if (line.find_first_not_of(" \t") != std::string::npos && !line.starts_with("#")) {
            if (std::exchange(checkNext, false) && !check(number)) {
                return 1;
            }
            commands += line + "\n";
        }
    }
    const int status = run(commands);
    if (!expected.empty() && !check(number + 1)) {
        return 1;
    }
    std::printf("%zu texts heard as expected\n", expected.size());
    return status;
}
