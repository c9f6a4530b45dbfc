#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Plays a golden script in the real window, through the accessibility bus only.

    play_script.py WINDOW-REPLAY REPLAY SCRIPT

Starts a private X display, session bus and accessibility bus, and
`WINDOW-REPLAY --serve SCRIPT` (the real window, drawing the script's random
values). Then walks the script as a screen reader user would: `click NAME`
presses the button of that name, `menu newMnu` types F2, `show` compares what the
window exposes with the next line that `REPLAY SCRIPT` prints (the game core in
memory, pinned by the script's .out), a question is answered in the real box as
that line says, and every notice the window says must be the script's next "#>"
line, none more, none less ("#>~" lets pass what was said before it). Everything started (some of it by D-Bus
activation) is stopped by process id, found by the private runtime directory in
its environment.
"""

import contextlib, ctypes, json, os, shutil, signal, sys, tempfile, time
from subprocess import DEVNULL, Popen, run

import pyatspi
from gi.repository import Atspi, GLib

NAMES = "northCom southCom eastCom westCom attackCom drinkCom crossCom pickupCom unlockCom useCom"
LABELS = "North,South,East,West,Attack,Drink,Cross,Pick Up,Unlock,Use"
BUTTONS = dict(zip(NAMES.split(), LABELS.split(",")))
BOXES = {"mainTxt": "Narrative", "actionTxt": "Last Action", "itemTxt": "Items"}
# The status panels by their description, and the first text each shows before a value.
PANELS = [("Hit Points", "HP: "), ("Enemy's Hit Points", "Enemy HP:"), ("Total Time", "Time:")]
libc = ctypes.CDLL("libc.so.6")
checks, heard = [], []


def expect(what, got, wanted):
    if got != wanted:
        raise AssertionError(f"{what}: expected {wanted!r}, got {got!r}")
    checks.append(what)


def wait(what, condition, timeout=60):
    """Polls condition(), delivering the bus's events in between; an error means "not yet"."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        while GLib.MainContext.default().iteration(False):
            pass
        with contextlib.suppress(Exception):
            if value := condition():
                return value
        time.sleep(0.02)
    raise AssertionError(f"timed out waiting for {what}")


def find(root, role, name=None, description=None):
    """The one control under root of that role, and of that name and description when given."""
    same = lambda n: (n.getRole(), name and n.name, description and n.description)  # noqa: E731
    found = pyatspi.findAllDescendants(root, lambda n: same(n) == (role, name, description))
    expect(f"controls of role {role} named {name or description!r}", len(found), 1)
    return found[0]


def enabled(acc):
    return acc.getState().contains(pyatspi.STATE_ENABLED)


def said_aloud(event):  # every showing of the hidden notice is one thing said
    if event.detail1 and event.source.get_role() == Atspi.Role.NOTIFICATION:
        heard.append(event.source.get_name())


def start(argv, **kwargs):  # PR_SET_PDEATHSIG: it ends with this test, even a killed one
    return Popen(argv, preexec_fn=lambda: libc.prctl(1, signal.SIGKILL), **kwargs)


def announced(command):
    """Starts command, where FD stands for a pipe on which it writes one line once it is ready."""
    read_end, write_end = os.pipe()
    start(command.replace("FD", str(write_end)).split(), pass_fds=[write_end], stderr=DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as f:
        return f.readline().strip()


def stop(marker):
    """Stops everything whose environment holds marker, and reaps it: we are its subreaper."""
    for pid in filter(str.isdigit, os.listdir("/proc")):
        with contextlib.suppress(OSError):
            if marker in open(f"/proc/{pid}/environ", "rb").read().split(b"\0"):
                os.kill(int(pid), signal.SIGTERM)
    with contextlib.suppress(ChildProcessError):
        while os.wait():
            pass


def press(acc):
    acc.queryAction().doAction(0)  # "Press", the first action of an enabled button
    wait(f"the press of {acc.name}", lambda: not acc.getState().contains(pyatspi.STATE_PRESSED))


def text(frame, label):
    return find(frame, pyatspi.ROLE_TEXT, label).queryText().getText(0, -1)


def show(frame, want):
    for name, label in BOXES.items():
        expect(label, text(frame, label), want[name])
    for name, label in BUTTONS.items():
        acc = find(frame, pyatspi.ROLE_PUSH_BUTTON, label)
        expect(f"{label} enabled", enabled(acc), want["buttons"][name]["enabled"])
    for (description, first), panel in zip(PANELS, want["stat"]):
        acc = find(frame, pyatspi.ROLE_LABEL, description=description)
        value = description if panel["text"] == first else f"{description}: {panel['text']}"
        expect(f"panel {description}", acc.name, value)
        expect(f"panel {description} enabled", enabled(acc), panel["enabled"])


def answer(app, program, focus, want):
    """Answers the play-again box as the .out says; False when the program ends."""
    alert = lambda: next((w for w in app if w.getRole() == pyatspi.ROLE_ALERT), None)  # noqa
    box = wait("the play-again box", alert)
    expect("title of the box", box.name, want["title"])
    find(box, pyatspi.ROLE_LABEL, want["prompt"])
    button = find(box, pyatspi.ROLE_PUSH_BUTTON, want["answer"].capitalize())
    if want["answer"] == "no":
        with contextlib.suppress(Exception):  # the program may end before it answers
            button.queryAction().doAction(0)
        expect("exit status after No", program.wait(60), 0)
        return False
    press(button)
    wait("the box to close", lambda: alert() is None)
    run(["xdotool", *focus.split()], check=True)
    return True


def play(program, script, expected):
    mine = lambda: [a for a in Atspi.get_desktop(0) if a.get_process_id() == program.pid][0]  # noqa
    app = wait("the program on the accessibility desktop", mine)
    app.set_cache_mask(Atspi.Cache.NONE)  # read names and states afresh every time
    frame = wait("the main window", lambda: find(app, pyatspi.ROLE_FRAME, "Morvint"))
    pyatspi.Registry.registerEventListener(said_aloud, "object:state-changed:showing")
    # With no window manager, keys go nowhere until the window is given the focus.
    focus = f"search --sync --onlyvisible --pid {program.pid} --name ^Morvint$ windowfocus --sync"
    run(["xdotool", *focus.split()], check=True)
    said, out = [], [json.loads(line) for line in expected.splitlines()]
    lines = open(script).read().splitlines()

    def hear(line):
        said.append(json.loads(line[2:]))
        wait(f"the notice {said[-1]!r}", lambda: len(heard) >= len(said))
        expect("what the window said", heard, said)

    while lines:
        line = lines.pop(0)
        if line.startswith("#>~"):  # what was said so far is not checked
            time.sleep(0.5)
            wait("the notices so far", lambda: True)
            said[:] = heard
        elif line.startswith("#>"):
            hear(line)
        elif line.startswith("click "):
            press(find(frame, pyatspi.ROLE_PUSH_BUTTON, BUTTONS[line.split()[1]]))
            # A game that ended shows its cause while the question is open, and
            # says it before the question is answered.
            if text(frame, "Narrative").startswith("You died "):
                if lines and lines[0].startswith("#>"):
                    hear(lines.pop(0))
                if not answer(app, program, focus, out.pop(0)):
                    return
        elif line.split() == ["menu", "newMnu"]:
            run(["xdotool", "key", "F2"], check=True)
        elif line.split() == ["show"]:
            show(frame, out.pop(0))
    if said:
        time.sleep(0.5)  # then nothing more may have been said
        wait("the last notices", lambda: True)
        expect("everything the window said", heard, said)


def main(program, replay, script):
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("terminated"))  # so that stop() runs
    libc.prctl(36, 1)  # PR_SET_CHILD_SUBREAPER: what D-Bus starts is ours to reap
    # The private runtime directory marks everything this test starts.
    runtime = tempfile.mkdtemp(prefix="morvint-atspi-")
    os.environ.pop("AT_SPI_BUS_ADDRESS", None)
    os.environ.update(LC_ALL="C.UTF-8", GSETTINGS_BACKEND="memory", XDG_RUNTIME_DIR=runtime)
    try:
        xvfb = "Xvfb -displayfd FD -screen 0 1280x1024x24 -nolisten tcp -noreset"
        os.environ["DISPLAY"] = ":" + announced(xvfb)
        bus = f"dbus-daemon --session --nofork --nopidfile --address=unix:path={runtime}/bus"
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = announced(bus + " --print-address=FD")
        # Qt 6.4 never registers when handed the accessibility bus: it must find it itself.
        qt = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        # What the window must show and ask: what the replay tool prints for the script.
        expected = run([replay, script], capture_output=True, text=True).stdout
        program = start([program, "--serve", script], env=qt)
        # D-Bus activation starts the accessibility bus; libatspi reads its address once.
        get = "dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus"
        got = run([*get.split(), "org.a11y.Bus.GetAddress"], capture_output=True, check=True)
        os.environ["AT_SPI_BUS_ADDRESS"] = got.stdout.decode().strip()
        Atspi.init()
        play(program, script, expected)
    except Exception as e:
        print(f"FAIL: {e!r}", flush=True)
        return 1
    finally:
        stop(f"XDG_RUNTIME_DIR={runtime}".encode())
        shutil.rmtree(runtime, ignore_errors=True)
    print(f"PASS: {len(checks)} checks, {len(heard)} notices heard")
    return 0


if __name__ == "__main__":
    sys.exit(main(*map(os.path.abspath, sys.argv[1:4])))
