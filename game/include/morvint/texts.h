// SPDX-License-Identifier: MIT
// The texts that every front end shows besides the game's own: its boxes, the
// About box and the window's texts before the first game.
#pragma once

#include <string>
#include <string_view>

namespace morvint::texts {

// The play-again question at the end of every game.
inline constexpr std::string_view playAgainTitle = "New Game";
inline constexpr std::string_view playAgainQuestion = "Would you like to play again?";

// File > Undo.
inline constexpr std::string_view cheaterTitle = "Cheater!";
inline constexpr std::string_view cheaterMessage = "Cheaters never prosper!";

// The short help that F1 shows on top of the play-again question; paragraphs are
// separated by an empty line.
inline constexpr std::string_view helpTitle = "Morvint";
inline constexpr std::string_view helpText =
    "Find the gold and get out of the maze without dying.\n\n"
    "N, S, E and W take you to the next room. Attack fights the enemy in the room, "
    "Drink drinks from a well or a potion, Cross crosses a bridge, Pick Up takes a key, "
    "Unlock opens a door with a key you carry, and Use takes stairs or a transporter.\n\n"
    "The status bar shows your hit points, the enemy's hit points and the time played.";

// The About box. Its caption is never seen (the box has no title bar); a screen
// reader names it after the game instead.
inline constexpr std::string_view aboutCaption = "About MyApp";
inline constexpr std::string_view aboutName = "About Morvint";
inline constexpr std::string_view aboutTitle = "Morvint";
inline constexpr std::string_view aboutVersion = "Version";  // then " major.minor.patch"
// "Version major.minor.patch" of this build.
std::string aboutVersionLine();
inline constexpr std::string_view aboutDescription =
    "A text-based maze which you navigate your way through. The object is to find the gold "
    "and escape the maze alive. Be careful though, monsters lurk within the maze.";
inline constexpr std::string_view aboutOk = "OK";
inline constexpr std::string_view aboutSysInfo = "&System Info...";  // & marks the access key

// The window before the first game: the last action box and the status bar's panels.
inline constexpr std::string_view actionStart = "Action";

struct PanelTexts {
    std::string_view start;    // shown before the first value
    std::string_view meaning;  // tool tip, and what a screen reader calls it
    std::string_view spoken;   // said before a value ("Hit Points: 35")
};
// By panel, from the left: hit points, enemy's hit points, time.
inline constexpr PanelTexts panels[] = {
    {"HP: ", "Hit Points", "Hit Points: "},
    {"Enemy HP:", "Enemy's Hit Points", "Enemy's Hit Points: "},
    {"Time:", "Total Time", "Total Time: "},
};

// What a screen reader calls a control, and what it tells of it.
struct ControlTexts {
    std::string_view name;
    std::string_view description;
};
// By box: the narrative, the last action, the items.
inline constexpr ControlTexts boxes[] = {
    {"Narrative", "What you see in the room and what happened after each command."},
    {"Last Action", "The last thing you did."},
    {"Items", "The keys and the gold you carry."},
};
// By button, in the order of morvint::Button.
inline constexpr ControlTexts buttons[] = {
    {"Attack", "Strike the enemy in this room."},
    {"Cross", "Cross the bridge in this room."},
    {"Drink", "Drink from the well or the potion in this room."},
    {"East", "Go east"},
    {"North", "Go north"},
    {"Pick Up", "Pick up the key in this room."},
    {"South", "Go south"},
    {"Use", "Use the stairs or the transporter in this room."},
    {"Unlock", "Unlock the door in this room with a key you carry."},
    {"West", "Go west"},
};

}  // namespace morvint::texts
