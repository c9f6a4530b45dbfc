#!/usr/bin/python3
"""Plays Morvint from outside, through the accessibility bus only.

    play_game.py PATH-TO-MORVINT

Starts a private X display, session bus and accessibility bus, starts the game,
and then reads and presses the window as a screen reader user would: the
opening, a refused way, a refused attack, File > New, the walk to the goblin and
the fight with it, then back and forth past the snake by the entrance until a
blow kills, Yes to play again, and File > Exit, after which the program must
end by itself. Every text, panel and button state is checked after every press.
"""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from morvint_session import Failure, Session, install_termination_handler  # noqa: E402
from morvint_window import ROOM_1_3, GameWindow, Player  # noqa: E402


def log(*args):
    print(*args, flush=True)


def play(program):
    with Session(log=log) as session:
        try:
            play_in(session, program)
        except BaseException:
            output = session.program_output() if session.program else ""
            if output:
                log("the program's output:")
                log(output)
            raise


def play_in(session, program):
    session.start()
    process = session.start_program([program])
    started = time.monotonic()
    app = session.find_application(process.pid)
    window = GameWindow(session, app, log=log)
    player = Player(window, started, log=log)

    log("the opening")
    player.expect_opening(first=True)
    player.expect_static_parts()

    log("refusals in the start room")
    player.refused("East", "You cannot go east from this room. ")
    player.refused("Attack", "There is nothing to attack. ")
    player.refused("Drink", "There is nothing to drink. ")

    log("north, then File > New")
    player.move("North", "Went north", (1, 3), ROOM_1_3)
    window.choose_menu("New")
    player.expect_opening(first=False)

    log("north twice, to the goblin, and the fight")
    if player.fight_the_goblin() == "dead":
        player.refused("Attack", "There is nothing to attack. ")
        log("back to the entrance, past the dead goblin")
        player.back_to_the_entrance()
        log("back and forth past the snake until a blow kills")
        player.die_at_the_snake()

    log("the play-again question: Yes")
    player.answer_yes()
    player.move("North", "Went north", (1, 3), ROOM_1_3)

    log("File > Exit")
    window.choose_menu("Exit")
    status = session.wait_program_exit()
    player.expect("exit status of the program", status, 0)

    log("")
    log(f"PASS: {player.checks} checks over {window.presses} presses through the "
        f"accessibility bus")
    log(f"  attacks dealt: {player.attacks}")
    log(f"  blows taken: {player.blows_taken}")
    log(f"  deaths: {player.deaths}; the program ended by itself with status 0")


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    install_termination_handler()
    try:
        play(sys.argv[1])
    except Failure as failure:
        log(f"FAIL: {failure}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
