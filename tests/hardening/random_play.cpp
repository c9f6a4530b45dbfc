// SPDX-License-Identifier: MIT
// Plays many whole games by random clicks and draws, answering Yes, a quarter of
// them first following the clicks of a won game, and checks after every click what
// must always hold.
//
//   morvint-random-play ROUTE [CLICKS] [SEED]   (ROUTE: a golden script of a won game)
#include <cstdio>
#include <fstream>
#include <functional>
#include <random>

#include "morvint/game.h"

using namespace morvint;

namespace {

// Answers Yes to every question, after `onAsk` has looked at the game.
class Player : public Window {
public:
    void showView(const View&, const Changes&) override {}
    bool askPlayAgain() override {
        ++questions;
        onAsk();
        return true;
    }
    void programEnded() override {}

    std::function<void()> onAsk;
    int questions = 0;
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<Button> route;
    std::ifstream script(argc > 1 ? argv[1] : "");
    for (std::string word; script >> word;) {
        for (Button b : allButtons) {
            if (word == buttonName(b)) {
                route.push_back(b);
            }
        }
    }
    const long clicks = argc > 2 ? std::atol(argv[2]) : 20000;
    const unsigned seed = argc > 3 ? static_cast<unsigned>(std::atol(argv[3])) : 20261206u;
    std::mt19937 engine(seed);
    ClockRandom random([&] { return static_cast<float>(engine() % 8640000) / 100.0f; });
    Player player;
    Game game(player, random);
    const View& view = game.view();
    long won = 0, click = 0;
    const auto check = [&](bool holds, const char* what) {
        if (!holds) {
            std::fprintf(stderr, "after %ld clicks (seed %u): %s\n", click, seed, what);
            std::exit(1);
        }
    };
    const GameState& s = game.state();
    // A game is won only on the way out, with the gold and the dragon dead.
    player.onAsk = [&] {
        if (view.text(Box::mainTxt) == "You died from a curse on the gold. ") {
            ++won;
            check(isWayOut(s.vroom, s.hroom) && s.gold == vbTrue &&
                      s.enemyhp.at(wayOut.row - 1, wayOut.col) == 0,
                  "a game was won without the gold, past a living dragon or elsewhere");
        }
    };
    game.Form_Load();
    std::size_t step = 0;  // in the route; past its end when not following it
    while (click < clicks) {
        Button b = allButtons[engine() % 10];
        // The route's next click, which is attack again while its enemy lives, as the won
        // game had other draws.
        if (step < route.size()) {
            b = route[step];
            const bool fightOn = b == Button::attackCom && view.button(b).enabled &&
                                 s.enemyhp.at(s.vroom, s.hroom) > 0;
            if (!fightOn) {
                ++step;
            }
        }
        if (!view.button(b).enabled) {
            continue;
        }
        const int questions = player.questions;
        const int room = s.vroom * 10 + s.hroom;
        const std::string before = view.text(Box::mainTxt);
        const bool menu = engine() % 1000 == 0;
        if (menu) {
            game.newMnu_Click();
        } else {
            game.click(b);
        }
        ++click;
        const bool newGame = menu || player.questions != questions;
        if (newGame) {
            step = engine() % 4 == 0 ? 0 : route.size();
        }
        check(s.vroom >= 0 && s.vroom < mazeSize && s.hroom >= 0 && s.hroom < mazeSize,
              "the room left the grid");
        for (int cell = 0; cell < mazeSize * mazeSize; ++cell) {
            const Monster* monster = monsterOf(cell / mazeSize, cell % mazeSize);
            const int e = s.enemyhp.at(cell / mazeSize, cell % mazeSize);
            check(e >= 0 && e <= (monster ? monster->start : 0), "enemy HP out of range");
        }
        for (Button way : {Button::northCom, Button::eastCom, Button::southCom, Button::westCom}) {
            const std::string& tag = view.button(way).tag;
            check(tag == "True" || tag == "False", "an exit flag reads otherwise");
        }
        const bool setUp = newGame || s.vroom * 10 + s.hroom != room;
        for (Button any : allButtons) {
            check(!setUp || view.button(any).enabled, "a set-up left a button disabled");
        }
        check(view.panel(Panel::hp).text == std::to_string(s.hp),
              "the HP panel is not the hit points");
        check(setUp || view.text(Box::mainTxt).starts_with(before), "the narrative lost text");
    }
    // The route is followed in a quarter of the games, and its draws are kind enough.
    check(won > 0, "no game was won along the route");
    std::printf("%ld clicks, %ld games won\n", clicks, won);
}
