// morvint-replay: runs a script of clicks and menu commands against the game in
// an in-memory window and prints what the window and the game state hold.
#include <cstdlib>
#include <deque>
#include <fstream>
#include <iostream>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "memory_window.h"
#include "morvint/game.h"
#include "scripted_random.h"
#include "state_json.h"

namespace {

using namespace morvint;
using morvint::testing::MemoryWindow;
using morvint::testing::QueueEmpty;
using morvint::testing::ScriptedRandom;

constexpr int exitBadLine = 2;
constexpr int exitQueueDry = 3;

// The answer queue ran dry.
struct AnswersEmpty {};
// The player answered No: the program is over.
struct ProgramEnded {};

std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> out;
    std::istringstream in(line);
    for (std::string word; in >> word;) {
        out.push_back(word);
    }
    return out;
}

// A random value as the script writes it, or nothing when it is not one.
std::optional<float> parseValue(const std::string& text) {
    static const std::regex number("[0-9]+(\\.[0-9]+)?");
    if (!std::regex_match(text, number)) {
        return std::nullopt;
    }
    const float value = std::strtof(text.c_str(), nullptr);
    if (!(value < 1.0f)) {
        return std::nullopt;
    }
    return value;
}

std::optional<Button> parseButton(const std::string& name) {
    for (Button b : allButtons) {
        if (buttonName(b) == name) {
            return b;
        }
    }
    return std::nullopt;
}

class Replay {
public:
    Replay() : game_(window_, random_) {
        window_.onAsk = [this] { return ask(); };
        window_.onEnd = [] { std::cout << "{\"event\":\"end\"}\n"; };
        game_.Form_Load();
    }

    // Runs one line; returns false when the line is not a command.
    bool run(const std::vector<std::string>& w) {
        const std::string& command = w[0];
        if (command == "rand" && w.size() > 1) {
            std::vector<float> values;
            for (std::size_t i = 1; i < w.size(); ++i) {
                const auto value = parseValue(w[i]);
                if (!value) {
                    return false;
                }
                values.push_back(*value);
            }
            for (float v : values) {
                random_.push(v);
            }
        } else if (command == "answer" && w.size() > 1) {
            std::vector<bool> answers;
            for (std::size_t i = 1; i < w.size(); ++i) {
                if (w[i] != "yes" && w[i] != "no") {
                    return false;
                }
                answers.push_back(w[i] == "yes");
            }
            answers_.insert(answers_.end(), answers.begin(), answers.end());
        } else if (command == "click" && w.size() == 2) {
            const auto button = parseButton(w[1]);
            if (!button) {
                return false;
            }
            if (!window_.isEnabled(*button)) {
                std::cout << "{\"event\":\"ignored\",\"click\":" << testing::jsonString(w[1])
                          << "}\n";
            } else {
                game_.click(*button);
            }
        } else if (command == "menu" && w.size() == 2 && w[1] == "newMnu") {
            game_.newMnu_Click();
        } else if (command == "show" && w.size() == 1) {
            std::cout << testing::stateJson(game_, window_, random_.draws) << "\n";
        } else {
            return false;
        }
        return true;
    }

    bool ended() const { return game_.programEnded(); }

private:
    bool ask() {
        if (answers_.empty()) {
            throw AnswersEmpty{};
        }
        const bool yes = answers_.front();
        answers_.pop_front();
        std::cout << "{\"event\":\"msgbox\",\"prompt\":\"Would you like to play again?\","
                     "\"title\":\"New Game\",\"style\":4,\"answer\":\""
                  << (yes ? "yes" : "no") << "\"}\n";
        return yes;
    }

    MemoryWindow window_;
    ScriptedRandom random_;
    Game game_;
    std::deque<bool> answers_;
};

int replay(std::istream& in) {
    Replay replay;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const auto w = words(line);
        if (w.empty() || w[0][0] == '#') {
            continue;
        }
        try {
            if (!replay.run(w)) {
                std::cout.flush();
                std::cerr << "morvint-replay: line " << number << ": not a command: " << line
                          << "\n";
                return exitBadLine;
            }
        } catch (const QueueEmpty&) {
            std::cout.flush();
            std::cerr << "morvint-replay: line " << number << ": the random queue ran dry: " << line
                      << "\n";
            return exitQueueDry;
        } catch (const AnswersEmpty&) {
            std::cout.flush();
            std::cerr << "morvint-replay: line " << number << ": the answer queue ran dry: " << line
                      << "\n";
            return exitQueueDry;
        }
        if (replay.ended()) {
            return 0;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    if (argc > 2) {
        std::cerr << "usage: morvint-replay [FILE]\n";
        return exitBadLine;
    }
    if (argc == 2) {
        std::ifstream file(argv[1]);
        if (!file) {
            std::cerr << "morvint-replay: cannot read " << argv[1] << "\n";
            return exitBadLine;
        }
        return replay(file);
    }
    return replay(std::cin);
}
