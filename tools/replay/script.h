// SPDX-License-Identifier: MIT
// The script runner of morvint-replay, shared with any front end that plays the
// same scripts through another window: it reads the script, keeps the queues of
// random values and answers, and prints the lines; the window is a Target.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "scripted_random.h"
#include "state_json.h"

namespace morvint::replay {

enum Status { exitOk = 0, exitBadLine = 2, exitQueueDry = 3, exitOutputFailed = 4 };

// Where the lines go: one line per call; a failed write is remembered.
class Output {
public:
    explicit Output(std::FILE* file = stdout) : file_(file) {}
    void line(std::string_view text);
    // Writes out what is buffered; false once anything could not be written.
    bool flush();
    bool failed() const { return failed_; }

private:
    std::FILE* file_;
    bool failed_ = false;
};

// What a front end plugs into its game and window: the scripted random source,
// the answer queue and the output.
struct Session {
    Output out;
    ScriptedRandom random;
    AnswerQueue answers;

    // For the window's play-again question: takes the next answer and prints its
    // msgbox line; an empty queue, or one that ran dry before, prints nothing.
    bool askPlayAgain();
    // For the window's end of the program: prints the end line.
    void endProgram() { out.line(endEvent); }
    // Prints the state line.
    void show(const View& view, const Game& game) { out.line(stateJson(view, game, random.draws)); }
};

// The window a script plays, created in the state of program start with the
// new-game routine run.
class Target {
public:
    virtual ~Target() = default;
    // A user's click on the button: false when it was disabled and ran nothing.
    virtual bool click(Button b) = 0;
    // File > New.
    virtual void newGame() = 0;
    // Prints the state line (Session::show).
    virtual void show() = 0;
    // True once the program has ended.
    virtual bool ended() const = 0;
};

// A front end's own commands: runs the line (words[0] is the command) and returns
// true, or returns false when the line is none of them. Called only for lines the
// script table refuses; a line refused by both stops the script with status 2.
using ExtraCommands = std::function<bool(const std::vector<std::string>& words)>;

// Runs the script read from `in` line by line and returns the exit status;
// messages on standard error start with `name`.
int runScript(std::istream& in, Target& target, Session& session, std::string_view name,
              const ExtraCommands& extra = {});

// The whole tool: `name [FILE]`, the script from FILE or standard input.
using MakeTarget = std::function<std::unique_ptr<Target>(Session&)>;
int replayMain(int argc, char** argv, std::string_view name, const MakeTarget& makeTarget,
               const ExtraCommands& extra = {});

// A random value as a script writes it, rounded to single precision; false when
// the text is not one or the value is not below 1.
bool parseValue(std::string_view text, float& value);

}  // namespace morvint::replay
