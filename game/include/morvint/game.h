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
constexpr std::int16_t truth(bool b) {
    return b ? vbTrue : vbFalse;
}

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
    // True once the player has answered No: the program is over.
    bool programEnded() const { return programEnded_; }

private:
    struct Step;
    void move(const Step& step);
    void blow(float r, std::int16_t st, std::int16_t plus, std::string_view enemytype);
    void addRoomItem(const Item& item, std::int16_t v, std::int16_t h, std::int16_t n);
    void meetMonster(const Item& monster, std::int16_t v, std::int16_t h);
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
