// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "morvint/maze.h"
#include "morvint/random.h"
#include "morvint/window.h"

namespace morvint {

// Truth values are 16-bit integers: true is -1, false is 0.
inline constexpr std::int16_t vbTrue = -1;
inline constexpr std::int16_t vbFalse = 0;

// The direction button of a way.
Button directionButton(Way way);

// One entry per room, above 0 while the room's monster lives.
class EnemyTable {
public:
    // Both indexes must lie in 0..6; any other is an internal error (std::out_of_range).
    std::int16_t& at(int row, int col) { return cells_.at(row).at(col); }
    std::int16_t at(int row, int col) const { return cells_.at(row).at(col); }

private:
    std::array<std::array<std::int16_t, mazeSize>, mazeSize> cells_{};
};

// Everything a game is made of, besides what the window's controls hold.
struct GameState {
    std::int16_t hp = 0;
    std::int16_t vroom = 0;  // row, 0 in the south
    std::int16_t hroom = 0;  // column, 0 in the west
    std::string side;        // "west" or "east": the side of a bridge the player stands on
    std::int16_t potion1 = vbFalse;
    std::int16_t potion2 = vbFalse;
    std::int16_t k1 = vbFalse;
    std::int16_t d1 = vbFalse;
    std::int16_t k2 = vbFalse;
    std::int16_t d2 = vbFalse;
    std::int16_t k3 = vbFalse;
    std::int16_t d3 = vbFalse;
    std::int16_t gold = vbFalse;
    EnemyTable enemyhp;

    // The flags of potion, key and door number n (1 to 3; potions 1 and 2).
    std::int16_t& potion(int n) { return n == 1 ? potion1 : potion2; }
    std::int16_t& key(int n) { return n == 1 ? k1 : n == 2 ? k2 : k3; }
    std::int16_t& door(int n) { return n == 1 ? d1 : n == 2 ? d2 : d3; }
};

// The game: the main window's handlers and routines, working on the game state
// and on the window's controls through the Window interface.
class Game {
public:
    Game(Window& window, RandomSource& random);

    // Handlers. After the program has ended (No to the play-again question)
    // every handler returns at once.
    void Form_Load();
    void newMnu_Click();
    void northCom_Click();
    void southCom_Click();
    void eastCom_Click();
    void westCom_Click();
    void attackCom_Click();
    void drinkCom_Click();
    void crossCom_Click();
    void pickupCom_Click();
    void unlockCom_Click();
    void useCom_Click();

    // Runs the Click handler of a button; the caller checks that it is enabled.
    void click(Button b);

    // Routines of the window.
    void setenable(std::int16_t v, std::int16_t h, std::int16_t n);
    bool leaveroom(std::int16_t v, std::int16_t h) const;
    void enemyroom(std::int16_t v, std::int16_t h, std::int16_t st, std::int16_t plus,
                   std::string_view enemytype);
    void attacked(std::int16_t v, std::int16_t h, std::int16_t st, std::int16_t plus,
                  std::string_view enemytype);
    void endgame(std::string_view how);
    std::string itemlist() const;

    GameState& state() { return s_; }
    const GameState& state() const { return s_; }
    // Drinks taken from the wells in this run of the program, by every game.
    std::int16_t wellcount() const { return wellcount_; }
    void setWellcount(std::int16_t count) { wellcount_ = count; }
    // True once the program is over (No to the play-again question, or Undo);
    // from then on every handler, of the core and of the window, does nothing.
    bool programEnded() const { return programEnded_; }
    // Ends the program at once: no handler runs any more and the window closes.
    void endProgram();

private:
    struct Step;
    // Tells a command whether the game it started in is over: endgame ran
    // inside one of its calls (and a new game may already be set up).
    class ThisGame {
    public:
        explicit ThisGame(const Game& game) : game_(game), number_(game.endings_) {}
        bool over() const { return game_.endings_ != number_; }

    private:
        const Game& game_;
        unsigned number_;
    };

    void move(const Step& step);
    void blow(float r, std::int16_t st, std::int16_t plus, std::string_view enemytype);
    void addRoomItem(const Item& item, std::int16_t v, std::int16_t h, std::int16_t n);
    void meetMonster(const Monster& monster, std::int16_t v, std::int16_t h);
    void openWay(Way way);
    void showHp();
    // Starts a command: false when the program has ended and nothing may run.
    bool begin();

    Window& w_;
    RandomSource& random_;
    GameState s_;
    std::int16_t wellcount_ = 0;
    unsigned endings_ = 0;  // how many times endgame has run
    bool programEnded_ = false;
};

}  // namespace morvint
