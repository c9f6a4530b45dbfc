// Plays many whole games by random clicks, draws and answers, a quarter of them
// first following the clicks of a won game, and checks after every click what
// must always hold.
//
//   morvint-random-play ROUTE [CLICKS] [SEED]   (ROUTE: a golden script of a won game)
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "memory_window.h"
#include "morvint/game.h"

namespace {

using namespace morvint;

std::vector<Button> routeOf(const char* path) {
    std::vector<Button> route;
    std::ifstream in(path);
    for (std::string line, command, name; std::getline(in, line);) {
        std::istringstream words(line);
        if (words >> command >> name && command == "click") {
            for (Button b : allButtons) {
                if (buttonName(b) == name) {
                    route.push_back(b);
                }
            }
        }
    }
    return route;
}

struct Player {
    std::mt19937 engine;
    std::vector<Button> route;
    ClockRandom random{[this] { return static_cast<float>(engine() % 8640000) / 100.0f; }};
    std::unique_ptr<replay::MemoryWindow> window;
    std::unique_ptr<Game> game;
    std::size_t step = 0;  // in the route; past its end when not following it
    long clicks = 0;
    long waysOut = 0;  // games won

    void start() {
        window = std::make_unique<replay::MemoryWindow>();
        window->onAsk = [this] {
            waysOut += window->text(Box::mainTxt) == "You died from a curse on the gold. ";
            return engine() % 10 != 0;
        };
        game = std::make_unique<Game>(*window, random);
        game->Form_Load();
    }

    Button pick() {
        const GameState& s = game->state();
        while (step < route.size()) {
            const Button b = route[step];
            // Attack again until the enemy is dead: the won game had other draws.
            if (b == Button::attackCom && s.enemyhp.at(s.vroom, s.hroom) > 0 &&
                window->isEnabled(b)) {
                return b;
            }
            ++step;
            if (b != Button::attackCom && window->isEnabled(b)) {
                return b;
            }
        }
        return allButtons[engine() % 10];
    }

    // An empty text when every rule holds.
    std::string play() {
        if (!game || game->programEnded()) {
            start();
        }
        const Button b = pick();
        if (!window->isEnabled(b)) {
            return {};
        }
        const replay::MemoryWindow& w = *window;
        const GameState& s = game->state();
        const int questions = w.questions;
        const int room = s.vroom * 10 + s.hroom;
        const std::string before = w.text(Box::mainTxt);
        const bool menu = engine() % 1000 == 0;
        menu ? game->newMnu_Click() : game->click(b);
        ++clicks;
        if (game->programEnded()) {
            return {};
        }
        const bool newGame = menu || w.questions != questions;
        if (newGame) {
            step = engine() % 4 == 0 ? 0 : route.size();
        }
        if (s.vroom < 0 || s.vroom >= mazeSize || s.hroom < 0 || s.hroom >= mazeSize) {
            return "the room left the grid";
        }
        for (int row = 0; row < mazeSize; ++row) {
            for (int col = 0; col < mazeSize; ++col) {
                const Monster* monster = monsterOf(row, col);
                const int e = s.enemyhp.at(row, col);
                if (e < 0 || e > (monster ? monster->start : 0)) {
                    return "enemy HP out of range in " + std::to_string(row * 10 + col);
                }
            }
        }
        if (w.panel(Panel::hp).text != std::to_string(s.hp)) {
            return "the HP panel shows " + w.panel(Panel::hp).text;
        }
        for (Button way : {Button::northCom, Button::eastCom, Button::southCom, Button::westCom}) {
            if (w.tag(way) != "True" && w.tag(way) != "False") {
                return "an exit flag reads " + w.tag(way);
            }
        }
        if (s.vroom * 10 + s.hroom != room || newGame) {
            for (Button any : allButtons) {
                if (!w.isEnabled(any)) {
                    return "a set-up left " + std::string(buttonName(any)) + " disabled";
                }
            }
        } else if (!w.text(Box::mainTxt).starts_with(before)) {
            return "the narrative lost text";
        }
        return {};
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: morvint-random-play ROUTE [CLICKS] [SEED]\n");
        return 2;
    }
    const long wanted = argc > 2 ? std::atol(argv[2]) : 20000;
    const unsigned seed = argc > 3 ? static_cast<unsigned>(std::atol(argv[3])) : 20261206u;
    Player player;
    player.engine.seed(seed);
    player.route = routeOf(argv[1]);
    if (player.route.empty()) {
        std::fprintf(stderr, "no clicks in %s\n", argv[1]);
        return 2;
    }
    while (player.clicks < wanted) {
        if (const std::string failure = player.play(); !failure.empty()) {
            std::fprintf(stderr, "after %ld clicks (seed %u): %s\n", player.clicks, seed,
                         failure.c_str());
            return 1;
        }
    }
    std::printf("%ld clicks, %ld games won\n", player.clicks, player.waysOut);
    return 0;
}
