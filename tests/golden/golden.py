# SPDX-License-Identifier: MIT
"""Golden transcripts of replay scripts, stored one key per line.

Each output line (one JSON object) becomes a block of `key = value` lines, keys
sorted, nested objects flattened with "." and arrays of objects indexed from 0;
an array of scalars, or each row of an array of such arrays, stays whole as
compact JSON. Blocks are separated by one empty line.

    golden.py check CMD... -- SCRIPT      runs CMD SCRIPT, compares with NAME.out/.status
    golden.py update CMD... -- SCRIPT...  rewrites NAME.out and NAME.status

When NAME.json exists, the raw output must also equal it byte for byte.
"""

import json
import subprocess
import sys
from pathlib import Path


compact = json.JSONEncoder(separators=(",", ":"), ensure_ascii=False).encode


def pairs(value, path=()):
    """The (path, value) pairs of one JSON value; a list of scalars is one value."""
    if isinstance(value, dict) and value:
        items = sorted(value.items())
    elif isinstance(value, list) and any(isinstance(v, (dict, list)) for v in value):
        items = enumerate(value)
    else:
        return [(path, value)]
    return [p for key, v in items for p in pairs(v, path + (key,))]


def flatten(line):
    try:
        return [".".join(map(str, k)) + " = " + compact(v) for k, v in pairs(json.loads(line))]
    except ValueError:
        return ["not JSON = " + compact(line)]


def blocks(text):
    return [b.split("\n") for b in text.strip("\n").split("\n\n") if b]


def main(action, *rest):
    split, problems = rest.index("--"), []
    for script in map(Path, rest[split + 1 :]):
        ran = subprocess.run([*rest[:split], script], capture_output=True)
        lines = ran.stdout.decode("utf-8").splitlines()
        flat = "".join("\n".join(flatten(line)) + "\n\n" for line in lines)[:-1]
        out, status, exact = (script.with_suffix(s) for s in (".out", ".status", ".json"))
        if action == "update":
            out.write_text(flat)
            status.unlink(missing_ok=True)
            if ran.returncode:
                status.write_text(f"{ran.returncode}\n")
            continue
        at, code = script.name + ": ", int(status.read_text()) if status.exists() else 0
        if ran.returncode != code:
            problems.append(f"{at}exit {ran.returncode}, expected {code}")
        want, got = blocks(out.read_text()), blocks(flat)
        if len(got) != len(want):
            problems.append(f"{at}{len(got)} blocks, expected {len(want)}")
        for n, (w, g) in enumerate(zip(want, got), 1):
            w, g = (dict(row.split(" = ", 1) for row in b) for b in (w, g))
            for key in sorted(k for k in w.keys() | g.keys() if w.get(k) != g.get(k)):
                problems.append(f"{at}block {n}, {key}: expected {w.get(key)}, got {g.get(key)}")
        if exact.exists() and ran.stdout != exact.read_bytes():
            problems.append(f"{at}the output is not byte for byte {exact.name}")
    sys.stderr.write("".join(p + "\n" for p in problems))
    return bool(problems)


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
