"""Bad input to the replay tool: the status of each case, and what was printed
before a bad line is kept. Usage: bad_input.py CMD..."""

import os
import subprocess
import sys
import tempfile

REFUSED = ["rand", "rand .5", "rand 5.", "rand +0.5", "rand -0", "rand 5e-1", "rand 0.99999999"]
REFUSED += ["rand 1", "rand 0.5 x", "rand 0,5", "answer", "answer Yes", "answer yes maybe"]
REFUSED += ["click", "click NorthCom", "click northCom westCom", "click Frame1", "menu"]
REFUSED += ["menu undoMnu", "menu newMnu now", "show all", "Show", "jump", "show\v", "\fshow"]
REFUSED += ["show\r\r", "sh\row", "rand 0.5\0"]
# Just below and just above the midpoint between the singles on either side of
# 1/3, written out long: a potion of 2 or of 3.
MID = "0.33333332836627960205078125"
LONG = [("rand " + MID, 37), ("rand " + MID + "0" * 400 + "1", 38)]
LONG += [("rand 0." + "0" * 26000 + "1", 36), ("rand 0." + "9" * 26000 + "8", None)]


def run(args, script, stdout=subprocess.PIPE, **kw):
    with tempfile.NamedTemporaryFile(suffix=".script") as f:
        f.write(script.encode("latin-1"))
        f.flush()
        args = args + [f.name] if script else args
        done = subprocess.run(args, stdout=stdout, stderr=subprocess.PIPE, **kw)
        return done.returncode, (done.stdout or b"").decode().splitlines(), done.stderr.decode()


def cases(cmd):
    for line in REFUSED:
        yield repr(line), run(cmd, f"show\n# a comment\n{line}\nshow\n"), (2, 1, "line 3")
    for line, hp in LONG:
        status, out, err = run(cmd, f"{line}\nclick northCom\nclick drinkCom\nshow\n")
        got = out and f'"hp":{hp},' in out[0]
        yield line[:40], (status, [got] if got else [], err), (0, 1, "") if hp else (2, 0, "line 1")
    yield "closed", run(cmd, "show\n", preexec_fn=lambda: os.close(1)), (4, 0, "write")
    with open("/dev/full", "w") as full:
        yield "full", run(cmd, "show\n", stdout=full), (4, 0, "write")
    yield "folder", run(cmd + [os.curdir], ""), (2, 0, "cannot read")
    yield "two files", run(cmd + ["x", "y"], ""), (2, 0, "usage")
    blanks = "  rand\t0.9   0.1 \r\n\tclick westCom\r\n# done\n  show  \r\n"
    done = subprocess.run(cmd, input=blanks.encode(), capture_output=True)
    out = [line for line in done.stdout.decode().splitlines() if '"hp":33,' in line]
    yield "blanks", (done.returncode, out, done.stderr.decode()), (0, 1, "")


def main(cmd):
    failed = 0
    for name, (status, out, err), (want, lines, message) in cases(cmd):
        if status != want or len(out) != lines or message not in err:
            print(f"{name}: status {status}, {len(out)} lines, stderr {err[:80]!r}")
            failed = 1
    return failed


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
