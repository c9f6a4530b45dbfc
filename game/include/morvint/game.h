// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "morvint/clock.h"
#include "morvint/maze.h"
#include "morvint/random.h"
#include "morvint/view.h"
#include "morvint/window.h"

namespace morvint {

// Truth values are 16-bit integers: true is -1, false is 0.
inline constexpr std::int16_t vbTrue = -1;
inline constexpr std::int16_t vbFalse = 0;

// The direction button of a way; there is none for Way::none (std::invalid_argument).
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

// Everything a game is made of, besides what the window shows.
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
// and on the view, which is shown through the Window interface at the end of
// every command.
class Game {
public:
    Game(Window& window, RandomSource& random);

    // What a front end runs. After the program has ended (No to the play-again
    // question, or Undo) each of them returns at once.
    // The new-game routine: when the window opens, for File > New and for Yes.
    void Form_Load();
    void newMnu_Click();
    // A click on a button: false when it is disabled and ran nothing.
    bool click(Button b);
    // One minute more on the clock's panel.
    void Timer1_Timer();
    // Ends the program at once: nothing runs any more and the window closes.
    void endProgram();

    const GameState& state() const { return s_; }
    const View& view() const { return view_.view(); }
    // Drinks taken from the wells in this run of the program, by every game.
    std::int16_t wellcount() const { return wellcount_; }
    // True once the program is over; from then on every handler, of the core and
    // of the window, does nothing.
    bool programEnded() const { return programEnded_; }

private:
    struct Step;
    // One command: what it changes is shown once, at its end. A command run inside
    // another (the new game after Yes) is part of it.
    class Command {
    public:
        explicit Command(Game& game);
        ~Command();
        Command(const Command&) = delete;
        Command& operator=(const Command&) = delete;

    private:
        Game& game_;
    };
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
    // What a screen reader hears of the command that runs: what it wrote to the
    // narrative, the hit points it started with, whether it wrote the enemy panel.
    struct Heard {
        std::string narrative;
        std::string hpBefore;
        bool enemyWritten = false;
    };

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

    // Routines of the window.
    void setenable(std::int16_t v, std::int16_t h, std::int16_t n);
    bool leaveroom(std::int16_t v, std::int16_t h) const;
    void enemyroom(std::int16_t v, std::int16_t h, std::int16_t st, std::int16_t plus,
                   std::string_view enemytype);
    void attacked(std::int16_t v, std::int16_t h, std::int16_t st, std::int16_t plus,
                  std::string_view enemytype);
    void endgame(std::string_view how);
    std::string itemlist() const;

    void move(const Step& step);
    void blow(float r, std::int16_t st, std::int16_t plus, std::string_view enemytype);
    void addRoomItem(const Item& item, std::int16_t v, std::int16_t h, std::int16_t n);
    void meetMonster(const Monster& monster, std::int16_t v, std::int16_t h);
    void openWay(Way way);
    void showHp();
    void showEnemy(std::string_view text);
    // Adds to the narrative; a reader hears it.
    void narrate(std::string_view text);
    // Empties the narrative: what follows (a room, a game) is heard whole.
    void clearNarrative();
    // A command's answer that leaves everything else alone: said, and its button
    // disabled until the next set-up.
    void refuse(Button b, std::string_view refusal);
    // Shows the view with what was heard since the last showing, then starts over.
    void show();
    std::string heard() const;
    void startHearing();

    Window& w_;
    RandomSource& random_;
    ViewWriter view_;
    GameState s_;
    GameClock clock_;
    Heard heard_;
    std::int16_t wellcount_ = 0;
    unsigned endings_ = 0;  // how many times endgame has run
    int commands_ = 0;      // commands running, one inside another
    bool programEnded_ = false;
};

}  // namespace morvint
