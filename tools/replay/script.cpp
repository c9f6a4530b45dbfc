// SPDX-License-Identifier: MIT
#include "script.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace morvint::replay {

void Output::line(std::string_view text) {
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() ||
        std::fputc('\n', file_) == EOF) {
        failed_ = true;
    }
}

bool Output::flush() {
    if (std::fflush(file_) != 0 || std::ferror(file_)) {
        failed_ = true;
    }
    return !failed_;
}

bool Session::askPlayAgain() {
    // Once a queue has run dry nothing more is printed, and the script stops.
    if (!random.dry.empty() || answers.empty()) {
        random.ranDry("answer");
        return true;
    }
    const bool yes = answers.take();
    out.line(msgboxEvent(yes));
    return yes;
}

bool parseValue(std::string_view text, float& value) {
    const auto digits = [](std::string_view s) {
        return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (!digits(whole) || (point != std::string_view::npos && !digits(fraction))) {
        return false;
    }
    if (whole.find_first_not_of('0') != std::string_view::npos) {
        return false;  // 1 or more
    }
    // Every single-precision value below 1, and every midpoint between two of
    // them, has at most 150 decimals: the first 160 with a 1 after them when
    // anything non-zero follows round exactly as the whole text does.
    constexpr std::size_t kept = 160;
    std::string exact = "0." + std::string(fraction.substr(0, kept));
    if (fraction.size() > kept && fraction.find_first_not_of('0', kept) != std::string_view::npos) {
        exact += '1';
    }
    value = std::strtof(exact.c_str(), nullptr);
    return value < 1.0f;
}

namespace {

std::vector<std::string> words(std::string_view line) {
    std::vector<std::string> out;
    std::size_t at = 0;
    while ((at = line.find_first_not_of(" \t", at)) != std::string_view::npos) {
        const std::size_t end = std::min(line.find_first_of(" \t", at), line.size());
        out.emplace_back(line.substr(at, end - at));
        at = end;
    }
    return out;
}

std::optional<Button> parseButton(std::string_view name) {
    for (Button b : allButtons) {
        if (buttonName(b) == name) {
            return b;
        }
    }
    return std::nullopt;
}

// Runs one line of the script table; false when it is not one of its commands.
bool runCommand(const std::vector<std::string>& w, Target& target, Session& session) {
    const std::string& command = w[0];
    if (command == "rand" && w.size() > 1) {
        std::vector<float> values(w.size() - 1);
        for (std::size_t i = 1; i < w.size(); ++i) {
            if (!parseValue(w[i], values[i - 1])) {
                return false;
            }
        }
        for (float v : values) {
            session.random.push(v);
        }
    } else if (command == "answer" && w.size() > 1) {
        for (std::size_t i = 1; i < w.size(); ++i) {
            if (w[i] != "yes" && w[i] != "no") {
                return false;
            }
        }
        for (std::size_t i = 1; i < w.size(); ++i) {
            session.answers.push(w[i] == "yes");
        }
    } else if (command == "click" && w.size() == 2) {
        const auto button = parseButton(w[1]);
        if (!button) {
            return false;
        }
        if (!target.click(*button)) {
            session.out.line(ignoredEvent(*button));
        }
    } else if (command == "menu" && w.size() == 2 && w[1] == "newMnu") {
        target.newGame();
    } else if (command == "show" && w.size() == 1) {
        target.show();
    } else {
        return false;
    }
    return true;
}

// Ends the run: what was printed is written out before any message.
int finish(Session& session, std::string_view name, int status, const std::string& message = {}) {
    if (!session.out.flush()) {
        std::cerr << name << ": cannot write the output\n";
        return exitOutputFailed;
    }
    if (!message.empty()) {
        std::cerr << name << ": " << message << "\n";
    }
    return status;
}

}  // namespace

int runScript(std::istream& in, Target& target, Session& session, std::string_view name,
              const ExtraCommands& extra) {
    std::string line;
    for (std::uint64_t number = 1; std::getline(in, line); ++number) {
        std::string_view text = line;
        if (text.ends_with('\r')) {
            text.remove_suffix(1);
        }
        const auto w = words(text);
        if (w.empty() || w[0][0] == '#') {
            continue;
        }
        const std::string where = "line " + std::to_string(number) + ": ";
        if (!runCommand(w, target, session) && !(extra && extra(w))) {
            return finish(session, name, exitBadLine, where + "not a command: " + line);
        }
        if (!session.random.dry.empty()) {
            return finish(session, name, exitQueueDry,
                          where + "the " + session.random.dry + " queue ran dry: " + line);
        }
        if (session.out.failed()) {
            return finish(session, name, exitOutputFailed);
        }
        if (target.ended()) {
            break;
        }
    }
    if (in.bad()) {
        return finish(session, name, exitBadLine, "cannot read the script");
    }
    return finish(session, name, exitOk);
}

int replayMain(int argc, char** argv, std::string_view name, const MakeTarget& makeTarget,
               const ExtraCommands& extra) {
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_IGN);  // a closed pipe is an output that cannot be written
#endif
#ifdef _WIN32
    // The same bytes on every system: no carriage returns added or taken away.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    if (argc > 2) {
        std::cerr << "usage: " << name << " [FILE]\n";
        return exitBadLine;
    }
    std::ifstream file;
    if (argc == 2) {
        std::error_code error;
        if (!std::filesystem::is_directory(argv[1], error)) {
            file.open(argv[1], std::ios::binary);
        }
        if (!file.is_open()) {
            std::cerr << name << ": cannot read " << argv[1] << "\n";
            return exitBadLine;
        }
    }
    Session session;
    const std::unique_ptr<Target> target = makeTarget(session);
    return runScript(argc == 2 ? file : std::cin, *target, session, name, extra);
}

}  // namespace morvint::replay
