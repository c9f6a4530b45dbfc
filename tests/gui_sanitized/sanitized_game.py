#!/usr/bin/python3
"""Plays a golden script in the real window of the sanitizer build, and requires
a clean end: exit status 0, no AddressSanitizer or UndefinedBehaviorSanitizer
report, and LeakSanitizer clean apart from the suppressed system libraries.

    sanitized_game.py [--canary LIB] WINDOW-REPLAY LSAN-SUPPRESSIONS ENDING

WINDOW-REPLAY is the sanitizer build's morvint-window-replay, serving the real
window. ENDING is how the game ends:
  keys   spoken_results.script through the accessibility bus, then F2 (a new
         game) and Ctrl+Q (Exit) typed into the focused window
  no     death_then_yes_then_no.script: a death answered No ends the program

With --canary, LIB (which leaks one block from its function
morvint_leak_canary when it is loaded) is preloaded into the program, and the
run passes only if the leak check reports exactly that leak: proof that the
check runs and that the suppressions do not hide a leak of ours.
"""

import argparse
import os
import re
import sys

here = os.path.dirname(os.path.abspath(__file__))
tests = os.path.dirname(here)
sys.path.insert(0, os.path.join(tests, "atspi"))

from morvint_session import Failure, log, run, wait_for  # noqa: E402
from play_script import Player  # noqa: E402

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


def play_in(session, program, suppressions, ending, canary):
    session.start()
    name = "spoken_results" if ending == "keys" else "death_then_yes_then_no"
    script = os.path.join(tests, "golden", name + ".script")
    session.start_program([program, "--serve", script], sanitizer_env(suppressions, canary))
    player = Player(session, timeout=120)
    log(f"{name}.script through the accessibility bus")
    player.play(script)
    if ending == "keys":
        log("F2 and Ctrl+Q typed into the window: a new game, then Exit")
        player.xdotool("key", "F2")
        wait_for("the new game after F2", lambda: player.text("Last Action") == "Entered a maze")
        player.xdotool("key", "ctrl+q")

    status = session.wait_program_exit(timeout=120)
    output = session.program_output()
    found = [line for line in output.splitlines() if any(r.search(line) for r in REPORTS)]
    suppressed = [
        line
        for line in output.splitlines()
        if re.match(r"\s*\d+\s+\d+\s+\S+", line) or "Suppressions used" in line
    ]
    if canary:
        check_canary(status, output, found)
        return
    if status != 0 or found:
        raise Failure(
            f"the program ended with status {status} and " f"{len(found)} sanitizer report line(s)"
        )
    log("")
    log(
        f"PASS: {player.checks} checks, "
        f"ended by {'F2 and Ctrl+Q' if ending == 'keys' else 'a death answered No'}; "
        f"exit status 0, no sanitizer report, leak check clean"
    )
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
    parser.add_argument("program", type=os.path.abspath)
    parser.add_argument("suppressions")
    parser.add_argument("ending", choices=["keys", "no"])
    args = parser.parse_args()
    if not os.path.isfile(args.suppressions):
        sys.exit(f"no suppressions file {args.suppressions}")
    canary = os.path.abspath(args.canary) if args.canary else None
    return run(play_in, args.program, os.path.abspath(args.suppressions), args.ending, canary)


if __name__ == "__main__":
    sys.exit(main())
