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


def compact(value):
    return json.dumps(value, separators=(",", ":"), ensure_ascii=False)


def scalar_rows(value):
    return all(not isinstance(v, (dict, list)) for v in value)


def pairs(value, path=()):
    """The (path, value) pairs of one JSON value, path components in order."""
    if isinstance(value, dict) and value:
        items = sorted(value.items())
    elif isinstance(value, list) and value and not scalar_rows(value):
        items = list(enumerate(value))
        if all(isinstance(v, list) and scalar_rows(v) for v in value):
            return [(path + (i,), v) for i, v in items]
    else:
        return [(path, value)]
    return [p for key, v in items for p in pairs(v, path + (key,))]


def flatten(line):
    try:
        value = json.loads(line)
    except ValueError:
        return ["not JSON = " + compact(line)]
    return [".".join(map(str, path)) + " = " + compact(v) for path, v in pairs(value)]


def unflatten(block):
    """One block of `key = value` lines back into the JSON object."""
    root = {}
    for row in block:
        key, value = row.split(" = ", 1)
        *parents, last = key.split(".")
        node = root
        for part in parents:
            node = node.setdefault(part, {})
        node[last] = json.loads(value)
    return listed(root)


def listed(node):
    if not isinstance(node, dict):
        return node
    node = {key: listed(v) for key, v in node.items()}
    if node and all(key.isdigit() for key in node):
        return [node[str(i)] for i in range(len(node))]
    return node


def blocks(text):
    return [b.split("\n") for b in text.strip("\n").split("\n\n") if b]


def run(command, script):
    done = subprocess.run(command + [str(script)], capture_output=True)
    text = done.stdout.decode("utf-8").replace("\r\n", "\n")
    flat = "\n\n".join("\n".join(flatten(line)) for line in text.splitlines())
    return done, flat + "\n" if flat else ""


def check(command, script):
    done, flat = run(command, script)
    problems = []
    status_file = script.with_suffix(".status")
    status = int(status_file.read_text()) if status_file.exists() else 0
    if done.returncode != status:
        problems.append(f"exit status {done.returncode}, expected {status}")
    want, got = blocks(script.with_suffix(".out").read_text()), blocks(flat)
    if len(want) != len(got):
        problems.append(f"{len(got)} blocks, expected {len(want)}")
    for number, (w, g) in enumerate(zip(want, got), 1):
        w, g = dict(r.split(" = ", 1) for r in w), dict(r.split(" = ", 1) for r in g)
        for key in sorted(w.keys() | g.keys()):
            if w.get(key) != g.get(key):
                problems.append(f"block {number}, {key}: expected {w.get(key)}, got {g.get(key)}")
    exact = script.with_suffix(".json")
    if exact.exists() and done.stdout != exact.read_bytes():
        problems.append(f"the output is not byte for byte {exact.name}")
    for p in problems:
        print(f"{script.name}: {p}", file=sys.stderr)
    return 1 if problems else 0


def update(command, script):
    done, flat = run(command, script)
    script.with_suffix(".out").write_text(flat)
    status = script.with_suffix(".status")
    if done.returncode:
        status.write_text(f"{done.returncode}\n")
    else:
        status.unlink(missing_ok=True)


def main(argv):
    action, rest = argv[0], argv[1:]
    split = rest.index("--")
    command, scripts = rest[:split], [Path(s) for s in rest[split + 1 :]]
    if action == "check":
        return max(check(command, s) for s in scripts)
    for s in scripts:
        update(command, s)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
