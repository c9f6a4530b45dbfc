# SPDX-License-Identifier: MIT
"""Checks the Win32 main window, as morvint-win32-probe read it from outside, against
the Qt window's layout and Tab order (the window transcripts layout.out and keys.out).

    check_layout.py LAYOUT.out KEYS.out PROBE_OUTPUT

Every control of the Qt main window that is on the screen must be a child of the
Win32 window at the same place in client pixels (the Qt client widget's corner is
the Win32 client area's), of the matching class, with the same caption, taking the
focus only when the Qt one does; edit boxes read-only; the status bar's parts end
where the Qt panels end and say the same. The narrative has the focus, and the
children that take it follow the Qt Tab order. No other child may exist.
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


def main(layout_path, keys_path, probe_path):
    qt = {b["control"]: b for b in blocks(layout_path) if "control" in b}

    def place(name):
        """The control's rectangle relative to the main window's client widget."""
        x, y, w, h = map(int, qt[name]["rect"].split())
        parent = qt[name]["parent"]
        while parent not in ("client", "frmMain"):
            px, py, _, _ = map(int, qt[parent]["rect"].split())
            x, y, parent = x + px, y + py, qt[parent]["parent"]
        if parent == "frmMain":
            cx, cy, _, _ = map(int, qt["client"]["rect"].split())
            x, y = x - cx, y - cy
        return f"{x} {y} {w} {h}"

    def in_main(name):
        while qt[name]["parent"] not in ("", "frmMain"):
            name = qt[name]["parent"]
        return qt[name]["parent"] == "frmMain" and not place(name).startswith("-")

    shown = [n for n in qt if qt[n]["kind"] in CLASSES and in_main(n)]
    panels = [n for n in shown if qt[n]["parent"] == "stat"]
    controls = [n for n in shown if n not in panels]
    probe = [json.loads(line) for line in open(probe_path, encoding="utf-8")]
    children = [c for c in probe if "class" in c]
    parts = [p for p in probe if "part" in p]
    problems, names = [], {}

    for name in controls:
        q, found = qt[name], [c for c in children if c["rect"] == place(name)]
        if len(found) != 1:
            problems.append(f"{name}: {len(found)} children at {place(name)}")
            continue
        c = found[0]
        names[id(c)] = name
        want = {"class": CLASSES[q["kind"]], "tabstop": q["focus"] == "yes"}
        if want["class"] == "Edit":
            want["readOnly"] = True
        elif want["class"] != "msctls_statusbar32":
            want["text"] = q["text"]
        for key, value in want.items():
            if c[key] != value:
                problems.append(f"{name}: {key} is {c[key]!r}, not {value!r}")
    problems += [f"a child the Qt window has not: {c}" for c in children if id(c) not in names]

    if len(parts) != len(panels):
        problems.append(f"{len(parts)} status bar parts, not {len(panels)}")
    for part, name in zip(parts, panels):
        x, _, w, _ = map(int, qt[name]["rect"].split())
        if (part["right"], part["text"]) != (x + w, qt[name]["text"]):
            problems.append(f"{name}: part {part}, not ending at {x + w} saying {qt[name]['text']!r}")

    focus = [b["control"] for b in blocks(keys_path) if b.get("event") == "focus"]
    order = focus[: focus.index(focus[0], 1)]
    focused = [names.get(id(c)) for c in children if c["focused"]]
    tabbed = [names.get(id(c)) for c in children if c["tabstop"]]
    if focused != order[:1]:
        problems.append(f"the focus is on {focused}, not on {order[0]}")
    if tabbed != order:
        problems.append(f"the Tab order is {tabbed}, not {order}")

    print("\n".join(problems) or f"{len(controls)} controls and {len(parts)} parts as in Qt")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
