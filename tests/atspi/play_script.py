#!/usr/bin/python3
"""Plays a golden script in the real window, through the accessibility bus only.

    play_script.py WINDOW-REPLAY SCRIPT

Starts a private X display, session bus and accessibility bus, and
`WINDOW-REPLAY --serve SCRIPT` (the real window, drawing the script's random
values). Then walks the script as a screen reader user would: `click NAME`
presses the button of that name, `menu newMnu` types F2, `show` compares what the
window exposes with the next block of SCRIPT's .out, a question in the .out is
answered in the real box, and every notice the window says must be the script's
next "#>" line, none more, none less.
"""

import json
import os
import subprocess
import sys
import warnings

here = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [here, os.path.join(os.path.dirname(here), "golden")]

from golden import blocks, unflatten  # noqa: E402
from morvint_session import Failure, log, run, wait_for  # noqa: E402

warnings.filterwarnings("ignore", category=DeprecationWarning)
import pyatspi  # noqa: E402
from gi.repository import Atspi, GLib  # noqa: E402

BUTTONS = {
    "northCom": "North",
    "southCom": "South",
    "eastCom": "East",
    "westCom": "West",
    "attackCom": "Attack",
    "drinkCom": "Drink",
    "crossCom": "Cross",
    "pickupCom": "Pick Up",
    "unlockCom": "Unlock",
    "useCom": "Use",
}
BOXES = {"mainTxt": "Narrative", "actionTxt": "Last Action", "itemTxt": "Items"}
# The status panels by their description, and the first text each shows before a value.
PANELS = [("Hit Points", "HP: "), ("Enemy's Hit Points", "Enemy HP:"), ("Total Time", "Time:")]


def find(root, role, name=None, description=None):
    found, stack = [], [root]
    while stack:
        node = stack.pop()
        stack.extend(node.getChildAtIndex(i) for i in range(node.childCount))
        if (
            node.getRole() == role
            and name in (None, node.name)
            and description in (None, node.description)
        ):
            found.append(node)
    if len(found) != 1:
        raise Failure(f"{len(found)} controls of role {role} named {name!r}")
    return found[0]


def enabled(acc):
    return acc.getState().contains(pyatspi.STATE_ENABLED)


class Player:
    def __init__(self, session, timeout=60):
        self.session, self.checks, self.heard = session, 0, []
        self.app = session.find_application(timeout)
        self.frame = wait_for(
            "the main window", lambda: find(self.app, pyatspi.ROLE_FRAME, "Morvint")
        )
        # Every showing of the notice is one thing said, even the same text twice.
        self.listener = Atspi.EventListener.new(self._shown)
        self.listener.register("object:state-changed:showing")
        self.focus_window("^Morvint$")

    def _shown(self, event):
        if event.detail1 and event.source.get_role() == Atspi.Role.NOTIFICATION:
            self.heard.append(event.source.get_name())

    def wait(self, what, condition):
        def pumped():
            while GLib.MainContext.default().iteration(False):
                pass
            return condition()

        return wait_for(what, pumped)

    def expect(self, what, got, wanted):
        if got != wanted:
            raise Failure(f"{what}: expected {wanted!r}, got {got!r}")
        self.checks += 1

    def xdotool(self, *args):
        done = subprocess.run(
            ["xdotool", *args],
            capture_output=True,
            text=True,
            env=dict(os.environ, DISPLAY=self.session.display),
        )
        return done.stdout.split() if done.returncode == 0 else None

    def focus_window(self, title):
        """Gives a window the keyboard focus, as a window manager would."""
        window = self.wait(
            f"the window {title}",
            lambda: self.xdotool(
                "search", "--onlyvisible", "--pid", str(self.session.program.pid), "--name", title
            ),
        )
        self.xdotool("windowfocus", "--sync", window[0])

    def press(self, acc):
        action = acc.queryAction()
        action.doAction([action.getName(i) for i in range(action.nActions)].index("Press"))

    def text(self, label):
        return find(self.frame, pyatspi.ROLE_TEXT, label).queryText().getText(0, -1)

    def show(self, want):
        for name, label in BOXES.items():
            self.expect(label, self.text(label), want[name])
        for name, label in BUTTONS.items():
            acc = find(self.frame, pyatspi.ROLE_PUSH_BUTTON, label)
            self.expect(f"{label} enabled", enabled(acc), want["buttons"][name]["enabled"])
        for (description, first), panel in zip(PANELS, want["stat"]):
            acc = find(self.frame, pyatspi.ROLE_LABEL, description=description)
            name = description if panel["text"] == first else f"{description}: {panel['text']}"
            self.expect(f"panel {description}", acc.name, name)
            self.expect(f"panel {description} enabled", enabled(acc), panel["enabled"])

    def alert(self):
        windows = map(self.app.getChildAtIndex, range(self.app.childCount))
        return next((w for w in windows if w.getRole() == pyatspi.ROLE_ALERT), None)

    def answer(self, want):
        self.expect("the question", want["event"], "msgbox")
        box = self.wait("the play-again box", self.alert)
        self.expect("title of the box", box.name, want["title"])
        find(box, pyatspi.ROLE_LABEL, want["prompt"])
        button = find(box, pyatspi.ROLE_PUSH_BUTTON, want["answer"].capitalize())
        if want["answer"] == "no":
            try:
                self.press(button)
            except Exception:
                pass  # the program may end before it answers
            self.expect("exit status after No", self.session.wait_program_exit(), 0)
            return False
        self.press(button)
        self.wait("the box to close", lambda: self.alert() is None)
        self.focus_window("^Morvint$")
        return True

    def play(self, script):
        said, lines = [], open(script).readlines()
        out = [unflatten(b) for b in blocks(open(script[: -len(".script")] + ".out").read())]
        for line in lines:
            words = line.split()
            if line.startswith("#>"):
                said.append(json.loads(line[2:]))
                self.wait(f"the notice {said[-1]!r}", lambda: len(self.heard) >= len(said))
                self.expect("what the window said", self.heard, said)
            elif words[:1] == ["click"]:
                acc = find(self.frame, pyatspi.ROLE_PUSH_BUTTON, BUTTONS[words[1]])
                self.press(acc)
                self.wait(
                    f"the press of {words[1]}",
                    lambda: not acc.getState().contains(pyatspi.STATE_PRESSED),
                )
                # A game that ended shows its cause while the question is open.
                if self.text("Narrative").startswith("You died ") and not self.answer(out.pop(0)):
                    return
            elif words[:2] == ["menu", "newMnu"]:
                self.xdotool("key", "F2")
            elif words[:1] == ["show"]:
                self.show(out.pop(0))
        if said:
            GLib.usleep(500000)
            self.wait("the last notices", lambda: True)
            self.expect("everything the window said", self.heard, said)


def main(session, program, script):
    session.start()
    session.start_program([program, "--serve", script])
    player = Player(session)
    player.play(script)
    log(f"PASS: {player.checks} checks, {len(player.heard)} notices heard")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(run(main, os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])))
