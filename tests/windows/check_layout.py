# SPDX-License-Identifier: MIT
"""Checks the Win32 windows, as morvint-win32-probe read them from outside, against
the Qt windows' layout (the window transcript layout.out).

    check_layout.py LAYOUT.out PROBE_OUTPUT

Each window the probe found is the Qt window of the same title. Every control of
it that is on the screen must be a child at the same place in client pixels (the
main window's client area starts at the Qt client widget's corner), of the matching
class, with the same caption, taking the focus only when the Qt one does and the
default button only when the Qt one is; edit boxes are read-only; the status bar's
parts end where the Qt panels end and say the same. The About box stands where the
Qt one does, and the main window's client area is as large. No other child may
exist. (The focus and the Tab order are pressed with real keys in the window
scripts.)
"""

import json
import sys

CLASSES = {"QPlainTextEdit": "Edit", "QLineEdit": "Edit", "QPushButton": "Button",
           "QGroupBox": "Button", "QLabel": "Static", "QStatusBar": "msctls_statusbar32"}


def blocks(path):
    """The transcript's blocks as dictionaries of their values."""
    text = open(path, encoding="utf-8").read()
    return [{k: json.loads(v) for k, v in (line.split(" = ", 1) for line in b.split("\n"))}
            for b in text.strip("\n").split("\n\n")]


def main(layout_path, probe_path):
    qt = {b["control"]: b for b in blocks(layout_path) if "control" in b}
    rect = lambda name: list(map(int, qt[name]["rect"].split()))  # noqa: E731

    def top(name):
        while qt[name]["parent"]:
            name = qt[name]["parent"]
        return name

    def place(name):
        """The control's rectangle relative to its window's client area."""
        x, y, w, h = rect(name)
        parent = qt[name]["parent"]
        while qt[parent]["parent"] and parent != "client":
            x, y, parent = x + rect(parent)[0], y + rect(parent)[1], qt[parent]["parent"]
        if parent == "frmMain":
            x, y = x - rect("client")[0], y - rect("client")[1]
        return f"{x} {y} {w} {h}"

    windows, problems, names = {}, [], {}
    for line in open(probe_path, encoding="utf-8"):
        item = json.loads(line)
        if "window" in item:
            window = next(n for n in qt if not qt[n]["parent"] and qt[n]["text"] == item["window"])
            windows[window] = dict(item, children=[], parts=[])
        else:
            windows[window]["children" if "class" in item else "parts"].append(item)

    for window, found in windows.items():
        shown = [n for n in qt if qt[n]["kind"] in CLASSES and top(n) == window
                 and not place(n).startswith("-")]
        panels = [n for n in shown if qt[n]["parent"] == "stat"]
        children = found["children"]
        for name in (n for n in shown if n not in panels):
            q, at = qt[name], [c for c in children if c["rect"] == place(name)]
            if len(at) != 1:
                problems.append(f"{name}: {len(at)} children at {place(name)}")
                continue
            names[id(at[0])] = name
            want = {"class": CLASSES[q["kind"]], "tabstop": q["focus"] == "yes",
                    "default": q["default"] == "yes"}
            if want["class"] == "Edit":
                want["readOnly"] = True
            elif want["class"] != "msctls_statusbar32":
                want["text"] = q["text"]
            problems += [f"{name}: {key} is {at[0][key]!r}, not {value!r}"
                         for key, value in want.items() if at[0][key] != value]
        problems += [f"{window}: a child the Qt window has not: {c}"
                     for c in children if id(c) not in names]
        if len(found["parts"]) != len(panels):
            problems.append(f"{len(found['parts'])} status bar parts, not {len(panels)}")
        for part, name in zip(found["parts"], panels):
            x, _, w, _ = rect(name)
            if (part["right"], part["text"]) != (x + w, qt[name]["text"]):
                problems.append(f"{name}: {part}, not ending at {x + w} with {qt[name]['text']!r}")
        x, y, w, h = rect(window)
        if window == "frmMain" and found["client"] != f"{w} {h - rect('client')[1]}":
            problems.append(f"frmMain: client area {found['client']}, not {w} {h - rect('client')[1]}")
        if window != "frmMain" and found["rect"] != qt[window]["rect"]:
            problems.append(f"{window}: at {found['rect']}, not {qt[window]['rect']}")

    print("\n".join(problems) or f"{len(names)} controls of {' '.join(windows)} as in Qt")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
