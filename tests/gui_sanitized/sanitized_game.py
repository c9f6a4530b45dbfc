#!/usr/bin/python3
"""Plays a scripted game in the real window of the sanitizer build, and requires
a clean end: exit status 0, no AddressSanitizer or UndefinedBehaviorSanitizer
report, and LeakSanitizer clean apart from the suppressed system libraries.

    sanitized_game.py [--canary LIB] PATH-TO-MORVINT LSAN-SUPPRESSIONS ENDING

ENDING is how the game ends:
  keys   moves and a fight through the accessibility bus, then F2 (a new game)
         and Ctrl+Q (Exit) typed into the focused window with xdotool
  no     moves, a fight and a death, answered No: the program ends at once

With --canary, LIB (which leaks one block from its function
morvint_leak_canary when it is loaded) is preloaded into the program, and the
run passes only if the leak check reports exactly that leak: proof that the
check runs and that the suppressions do not hide a leak of ours.
"""

import argparse
import os
import re
import subprocess
import sys
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(here), "atspi"))

from morvint_session import Failure, log, run, wait_for  # noqa: E402
from morvint_window import ROOM_1_3, GameWindow, Player  # noqa: E402

# What a sanitizer writes when it finds something.
REPORTS = [
    re.compile(r"ERROR: AddressSanitizer"),
    re.compile(r"ERROR: LeakSanitizer"),
    re.compile(r"SUMMARY: (Address|Undefined|Leak)Sanitizer"),
    re.compile(r"runtime error: "),
    re.compile(r"WARNING: AddressSanitizer"),
]


def sanitizer_env(suppressions, canary=None):
    # Later options win: leak checking stays on whatever the caller set.
    asan = os.environ.get("ASAN_OPTIONS", "")
    asan = ":".join(filter(None, [asan, "detect_leaks=1", "abort_on_error=1"]))
    ubsan = os.environ.get("UBSAN_OPTIONS", "")
    ubsan = ":".join(filter(None, [ubsan, "print_stacktrace=1", "halt_on_error=1"]))
    env = {
        "ASAN_OPTIONS": asan,
        "UBSAN_OPTIONS": ubsan,
        "LSAN_OPTIONS": f"suppressions={suppressions}:print_suppressions=1",
    }
    if canary:
        # The sanitizer runtime is linked into the program; a library preloaded
        # ahead of it is fine for this one check.
        env["ASAN_OPTIONS"] += ":verify_asan_link_order=0"
        env["LD_PRELOAD"] = canary
    return env


def xdotool(session, *args):
    done = subprocess.run(["xdotool", *args], env=dict(os.environ, DISPLAY=session.display),
                          capture_output=True, text=True, timeout=60)
    return done.stdout.strip() if done.returncode == 0 else None


def type_keys(session, pid, keys):
    """Types keys into the program's main window after giving it the keyboard focus.

    With no window manager, keys sent before the focus is set are lost.
    """
    window = wait_for("the program's window on the display", lambda: xdotool(
        session, "search", "--onlyvisible", "--pid", str(pid), "--name", "^Morvint$"))
    for args in [("windowfocus", "--sync", window.split()[0])] + [
            ("key", "--clearmodifiers", key) for key in keys]:
        if xdotool(session, *args) is None:
            raise Failure(f"xdotool {' '.join(args)} failed")


def play_in(session, program, suppressions, ending, canary):
    session.start()
    process = session.start_program([program], sanitizer_env(suppressions, canary))
    started = time.monotonic()
    window = GameWindow(session.find_application(timeout=120))
    player = Player(window, started)

    log("the opening, a refusal, and the walk to the goblin")
    player.expect_opening(first=True)
    player.refused("East", "You cannot go east from this room. ")
    player.fight_the_goblin()

    if ending == "keys":
        log("F2 typed into the window: a new game")
        type_keys(session, process.pid, ["F2"])
        wait_for("the new game after F2", lambda: window.text("Last Action") == "Entered a maze")
        player.expect_opening(first=False)
        player.move("North", (1, 3), ROOM_1_3)
        log("Ctrl+Q typed into the window: Exit")
        type_keys(session, process.pid, ["ctrl+q"])
    else:
        player.back_to_the_entrance()
        player.die_at_the_snake()
        log("the play-again question: No")
        player.answer_no()

    status = session.wait_program_exit(timeout=120)
    output = session.program_output()
    found = [line for line in output.splitlines() if any(r.search(line) for r in REPORTS)]
    suppressed = [line for line in output.splitlines()
                  if re.match(r"\s*\d+\s+\d+\s+\S+", line) or "Suppressions used" in line]
    if canary:
        check_canary(status, output, found)
        return
    if status != 0 or found:
        raise Failure(f"the program ended with status {status} and "
                      f"{len(found)} sanitizer report line(s)")
    log("")
    log(f"PASS: {player.checks} checks over {window.presses} presses, "
        f"ended by {'F2 and Ctrl+Q' if ending == 'keys' else 'a death answered No'}; "
        f"exit status 0, no sanitizer report, leak check clean")
    if suppressed:
        log("  leaks suppressed in system libraries:")
        for line in suppressed:
            log("  " + line)


def check_canary(status, output, found):
    """The run with the leaking library: the one leak, and nothing else, is reported."""
    leaks = re.findall(r"^(Direct|Indirect) leak of .*$", output, re.MULTILINE)
    if status == 0:
        raise Failure("the program ended with status 0 although a leak was planted")
    if "ERROR: LeakSanitizer: detected memory leaks" not in output:
        raise Failure("the leak check did not report the planted leak")
    if "morvint_leak_canary" not in output:
        raise Failure("the leak report does not name morvint_leak_canary")
    if leaks != ["Direct"]:
        raise Failure(f"expected the one planted leak, the report has {len(leaks)}")
    if any("runtime error" in line or "ERROR: AddressSanitizer" in line for line in found):
        raise Failure("a sanitizer report other than the planted leak")
    log("")
    log(f"PASS: the planted leak was reported (exit status {status}) and nothing else")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--canary")
    parser.add_argument("program")
    parser.add_argument("suppressions")
    parser.add_argument("ending", choices=["keys", "no"])
    args = parser.parse_args()
    if not os.path.isfile(args.suppressions):
        sys.exit(f"no suppressions file {args.suppressions}")
    canary = os.path.abspath(args.canary) if args.canary else None
    return run(play_in, args.program, os.path.abspath(args.suppressions), args.ending, canary)


if __name__ == "__main__":
    sys.exit(main())
