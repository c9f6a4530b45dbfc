// SPDX-License-Identifier: MIT
// The game core's speed in scripted play: random clicks on enabled buttons,
// random draws and Yes to every play-again question, with a window that draws
// nothing.
//
//   morvint-core-throughput [CLICKS] [SEED]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "morvint/game.h"

namespace {

using namespace morvint;

class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(std::mt19937& engine) : engine_(engine) {}
    float next() override { return static_cast<float>(engine_() >> 8) / 16777216.0f; }
    void reseed() override {}

private:
    std::mt19937& engine_;
};

// Counts the questions and answers Yes.
class NoWindow : public Window {
public:
    void showView(const View&, const Changes&) override {}
    bool askPlayAgain() override {
        ++questions;
        return true;
    }
    void programEnded() override {}
    int questions = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const long wanted = argc > 1 ? std::atol(argv[1]) : 2000000;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atol(argv[2])) : 6u;
    if (wanted < 1) {
        std::fprintf(stderr, "usage: morvint-core-throughput [CLICKS] [SEED]\n");
        return 2;
    }
    std::mt19937 engine(seed);
    SeededRandom random(engine);
    NoWindow window;
    Game game(window, random);
    game.Form_Load();

    const Button ways[] = {Button::northCom, Button::eastCom, Button::southCom, Button::westCom};
    long clicks = 0;
    long refused = 0;
    const auto start = std::chrono::steady_clock::now();
    while (clicks < wanted) {
        // Half the clicks take an open way, so that play moves through the maze.
        Button button = allButtons[engine() % 10];
        if (engine() % 2 == 0) {
            const Button way = ways[engine() % 4];
            if (game.view().button(way).tag == "True") {
                button = way;
            }
        }
        if (!game.click(button)) {
            ++refused;  // a disabled button ignores the click
            continue;
        }
        ++clicks;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (game.programEnded() || window.questions == 0) {
        std::fprintf(stderr, "the scripted play never reached the end of a game\n");
        return 1;
    }
    std::printf(
        "core throughput: %ld clicks (%ld on disabled buttons skipped), %d games ended, "
        "%.3f s, %.0f clicks per second\n",
        clicks, refused, window.questions, seconds, static_cast<double>(clicks) / seconds);
    return 0;
}
