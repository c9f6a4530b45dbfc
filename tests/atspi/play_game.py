#!/usr/bin/python3
"""Plays Morvint from outside, through the accessibility bus only.

    play_game.py PATH-TO-MORVINT

Starts a private X display, session bus and accessibility bus, starts the game,
and then reads and presses the window as a screen reader user would: the
opening, a refused way, File > New, the walk to the goblin and the fight with
it, a refused attack, then back and forth past the snake by the entrance until
a blow kills, Yes to play again, and File > Exit, after which the program must
end by itself. Every text, panel and button state is checked after every press.
"""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from morvint_session import log, run  # noqa: E402
from morvint_window import ROOM_1_3, GameWindow, Player  # noqa: E402


def play(session, program):
    session.start()
    session.start_program([program])
    started = time.monotonic()
    window = GameWindow(session.find_application())
    player = Player(window, started)

    log("the opening, and a refusal")
    player.expect_opening(first=True)
    player.expect_static_parts()
    player.refused("East", "You cannot go east from this room. ")

    log("north, then File > New")
    player.move("North", (1, 3), ROOM_1_3)
    window.choose_menu("New")
    player.expect_opening(first=False)

    log("north twice, to the goblin, the fight, and nothing left to attack")
    player.fight_the_goblin()
    player.refused("Attack", "There is nothing to attack. ")

    log("back to the entrance, then back and forth past the snake until a blow kills")
    player.back_to_the_entrance()
    player.die_at_the_snake()

    log("the play-again question: Yes")
    player.answer_yes()
    player.move("North", (1, 3), ROOM_1_3)

    log("File > Exit")
    window.choose_menu("Exit")
    player.expect("exit status of the program", session.wait_program_exit(), 0)
    log(f"PASS: {player.checks} checks over {window.presses} presses through the "
        f"accessibility bus; the program ended by itself with status 0")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    sys.exit(run(play, sys.argv[1]))
