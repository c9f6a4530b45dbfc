// Plays many whole games by random clicks, random draws and random answers,
// and checks after every click what must always hold.
//
//   morvint-random-play [CLICKS] [SEED]
#include <bitset>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "memory_window.h"
#include "morvint/game.h"

namespace {

using namespace morvint;
using morvint::replay::MemoryWindow;

// Uniform draws from a seeded engine, with the edges of [0, 1) now and then.
class FuzzRandom : public RandomSource {
public:
    explicit FuzzRandom(std::mt19937& engine) : engine_(engine) {}
    float next() override {
        switch (engine_() % 64) {
            case 0:
                return 0.0f;
            case 1:
                return 0.99999994f;
            case 2:
                return 0.5f;
            default:
                return static_cast<float>(engine_() >> 8) / 16777216.0f;
        }
    }
    void reseed() override {}

private:
    std::mt19937& engine_;
};

struct Failure {
    std::string what;
};

void check(bool ok, const std::string& what) {
    if (!ok) {
        throw Failure{what};
    }
}

bool inGrid(int v, int h) {
    return v >= 0 && v < mazeSize && h >= 0 && h < mazeSize;
}

// The ways a set-up of the player's room opens, from the maze table and the
// state of its doors, bridge and dragon.
std::string expectedWays(const GameState& s) {
    const Room& room = maze[s.vroom][s.hroom];
    bool open[4] = {};  // N E S W
    auto set = [&](char c) { open[std::string_view("NESW").find(c)] = true; };
    for (char c : room.open) {
        set(c);
    }
    for (const Item& item : room.items) {
        if (item.kind == ItemKind::door) {
            const std::int16_t d = item.number == 1 ? s.d1 : item.number == 2 ? s.d2 : s.d3;
            if (d != 0) {
                set(item.way == Way::north ? 'N' : 'S');
            }
        } else if (item.kind == ItemKind::soundBridge || item.kind == ItemKind::ricketyBridge) {
            if (s.side == "west")
                set('W');
            if (s.side == "east")
                set('E');
        } else if (item.kind == ItemKind::monster && item.monster->after == AfterDeath::endOfMaze &&
                   s.enemyhp.at(s.vroom, s.hroom) <= 0 && s.gold != 0) {
            set('N');
        }
    }
    std::string ways;
    for (int i = 0; i < 4; ++i) {
        if (open[i])
            ways += "NESW"[i];
    }
    return ways;
}

std::string tagWays(const MemoryWindow& w) {
    std::string ways;
    const Button order[] = {Button::northCom, Button::eastCom, Button::southCom, Button::westCom};
    for (int i = 0; i < 4; ++i) {
        const std::string& tag = w.button(order[i]).tag;
        check(tag == "True" || tag == "False", "a Tag is neither True nor False: " + tag);
        if (tag == "True")
            ways += "NESW"[i];
    }
    return ways;
}

// The way through a won game, a letter a click (d: Drink, a: Attack until the
// enemy is dead, c: Cross, p: Pick Up, u: Unlock, U: Use). Some games follow it
// with random draws, so that the dragon and the way out are reached too.
constexpr std::string_view route = "NdNaNWWWdSSpNNEEuNSESWUSpNUENWNENENWaWuSNWcWapEcEEESEuNaN";

Button routeButton(char c) {
    switch (c) {
        case 'N':
            return Button::northCom;
        case 'S':
            return Button::southCom;
        case 'E':
            return Button::eastCom;
        case 'W':
            return Button::westCom;
        case 'd':
            return Button::drinkCom;
        case 'a':
            return Button::attackCom;
        case 'c':
            return Button::crossCom;
        case 'p':
            return Button::pickupCom;
        case 'u':
            return Button::unlockCom;
        default:
            return Button::useCom;
    }
}

class Player {
public:
    Player(std::mt19937& engine) : engine_(engine), random_(engine) { startProgram(); }

    void startProgram() {
        window_ = std::make_unique<MemoryWindow>();
        window_->onAsk = [this] {
            ++endings_;
            if (window_->text(Box::mainTxt) == "You died from a curse on the gold. ") {
                ++waysOut;
            }
            return engine_() % 10 != 0;
        };
        game_ = std::make_unique<Game>(*window_, random_);
        game_->Form_Load();
        ++programs;
        newGameStarted();
    }

    void newGameStarted() { routeStep_ = engine_() % 4 == 0 ? 0 : route.size(); }

    // The next click of the route, or nothing once the route is left behind.
    std::optional<Button> routeClick() {
        while (routeStep_ < route.size()) {
            const Button b = routeButton(route[routeStep_]);
            const GameState& s = game_->state();
            if (b == Button::attackCom && s.enemyhp.at(s.vroom, s.hroom) > 0 &&
                window_->isEnabled(b)) {
                return b;  // again, until the enemy is dead
            }
            ++routeStep_;
            if (window_->isEnabled(b) && b != Button::attackCom) {
                return b;
            }
        }
        return std::nullopt;
    }

    void step() {
        if (game_->programEnded()) {
            startProgram();
        }
        const GameState before = game_->state();
        const std::string narrativeBefore = window_->text(Box::mainTxt);
        const std::string actionBefore = window_->text(Box::actionTxt);
        const unsigned endingsBefore = endings_;

        // Many clicks take an open way, so that games get deep into the maze.
        const unsigned pick = engine_() % 1000;
        bool newGame = false;
        Button button = allButtons[engine_() % 10];
        if (pick == 0) {
            game_->newMnu_Click();
            newGame = true;
        } else if (const auto next = routeClick()) {
            button = *next;
            game_->click(button);
        } else {
            if (pick < 400) {
                const Button ways[] = {Button::northCom, Button::eastCom, Button::southCom,
                                       Button::westCom};
                const Button way = ways[engine_() % 4];
                if (window_->button(way).tag == "True") {
                    button = way;
                }
            }
            if (!window_->isEnabled(button)) {
                return;  // the window ignores it
            }
            game_->click(button);
        }
        ++clicks;
        if (game_->programEnded()) {
            return;
        }
        newGame = newGame || endings_ != endingsBefore;
        if (newGame) {
            newGameStarted();
        }
        const GameState& s = game_->state();
        const std::string& narrative = window_->text(Box::mainTxt);

        check(inGrid(s.vroom, s.hroom), "the room left the grid");
        visited[s.vroom * mazeSize + s.hroom] = true;
        check(tagWays(*window_) == expectedWays(s),
              "exits " + tagWays(*window_) + " but the room " + std::to_string(s.vroom) + "," +
                  std::to_string(s.hroom) + " has " + expectedWays(s));
        for (int row = 0; row < mazeSize; ++row) {
            for (int col = 0; col < mazeSize; ++col) {
                const Monster* monster = monsterOf(row, col);
                const std::int16_t e = s.enemyhp.at(row, col);
                check(e >= 0 && e <= (monster ? monster->start : 0),
                      "enemy HP " + std::to_string(e) + " in " + std::to_string(row) + "," +
                          std::to_string(col));
            }
        }
        check(window_->panel(Panel::hp).text == std::to_string(s.hp) || newGame,
              "the HP panel shows " + window_->panel(Panel::hp).text);

        const bool moved = s.vroom != before.vroom || s.hroom != before.hroom ||
                           window_->text(Box::actionTxt) != actionBefore;
        const bool fullSetUp =
            newGame || (moved && (button == Button::northCom || button == Button::southCom ||
                                  button == Button::eastCom || button == Button::westCom ||
                                  button == Button::useCom));
        if (!fullSetUp) {
            check(narrative.starts_with(narrativeBefore), "the narrative lost text");
        }
        if (fullSetUp || (button == Button::crossCom && moved) ||
            (button == Button::attackCom && narrative.size() > narrativeBefore.size() &&
             !narrative.ends_with("There is nothing to attack. "))) {
            for (Button b : allButtons) {
                check(window_->isEnabled(b), "a set-up left a button disabled");
            }
        }
        if (newGame) {
            check(s.hp == 35 && s.vroom == 0 && s.hroom == 3, "a new game is not at the start");
        } else if (s.hp != before.hp) {
            const std::size_t from = fullSetUp ? 0 : narrativeBefore.size();
            const bool blow =
                narrative.find("attacked you. You lost ", from) != std::string::npos ||
                narrative.find("attcked when you left", from) != std::string::npos;
            const int delta = s.hp - before.hp;
            const bool drink = button == Button::drinkCom && delta >= -1 && delta <= 6 && delta;
            check(blow || drink,
                  "hit points changed by " + std::to_string(delta) + " without cause");
        }
        const bool unlocked =
            button == Button::unlockCom && narrative.ends_with("The door is now unlocked. ");
        if (!newGame && (button == Button::pickupCom || unlocked || (s.gold && !before.gold))) {
            check(window_->text(Box::itemTxt) == game_->itemlist(), "the items box is stale");
        }
    }

    long clicks = 0;
    long programs = 0;
    long waysOut = 0;
    std::bitset<mazeSize * mazeSize> visited;
    unsigned endings_ = 0;

private:
    std::mt19937& engine_;
    FuzzRandom random_;
    std::unique_ptr<MemoryWindow> window_;
    std::unique_ptr<Game> game_;
    std::size_t routeStep_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const long wanted = argc > 1 ? std::atol(argv[1]) : 20000;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atol(argv[2])) : 20261206u;
    std::mt19937 engine(seed);
    Player player(engine);
    const auto start = std::chrono::steady_clock::now();
    try {
        while (player.clicks < wanted) {
            player.step();
        }
    } catch (const Failure& f) {
        std::fprintf(stderr, "after %ld clicks (seed %u): %s\n", player.clicks, seed,
                     f.what.c_str());
        return 1;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf(
        "%ld clicks, %u games ended (%ld by the way out), %ld program runs, %zu of 49 rooms "
        "visited, %.0f clicks per second\n",
        player.clicks, player.endings_, player.waysOut, player.programs, player.visited.count(),
        player.clicks / seconds);
    for (int i = 0; i < mazeSize * mazeSize; ++i) {
        if (!player.visited[i]) {
            std::printf("never visited: row %d, column %d\n", i / mazeSize, i % mazeSize);
        }
    }
    return 0;
}
