# SPDX-License-Identifier: MIT
"""Bad input to the replay tool: the status of each case, how many lines it printed
(what came before a bad line is kept), and what it said. Usage: bad_input.py CMD..."""

import subprocess
import sys

REFUSED = ["rand", "rand .5", "rand 5.", "rand +0.5", "rand -0", "rand 5e-1", "rand 0.99999999"]
REFUSED += ["rand 1", "rand 0.5 x", "rand 0,5", "answer", "answer Yes", "answer yes maybe"]
REFUSED += ["click", "click NorthCom", "click northCom westCom", "click Frame1", "menu"]
REFUSED += ["menu undoMnu", "menu newMnu now", "show all", "Show", "jump", "show\v", "\fshow"]
REFUSED += ["show\r\r", "sh\row", "rand 0.5\0"]
# Just below and just above the midpoint between the singles on either side of
# 1/3, written out long: a potion of 2 or of 3; then long runs of digits.
MID = "0.33333332836627960205078125"
POTION = "rand %s\nclick northCom\nclick drinkCom\nshow\n"
BLANKS = "  rand\t0.9   0.1 \r\n\tclick westCom\r\n# done\n  show  \r\n"

# (after the command, standard input, status, lines printed, in the output, in the error)
CASES = [("", f"show\n# a comment\n{r}\nshow\n", 2, 1, "", "line 3") for r in REFUSED]
CASES += [("", POTION % MID, 0, 1, '"hp":37,', ""), ("", BLANKS, 0, 1, '"hp":33,', "")]
CASES += [("", POTION % (MID + "0" * 400 + "1"), 0, 1, '"hp":38,', "")]
CASES += [("", POTION % ("0." + "0" * 26000 + "1"), 0, 1, '"hp":36,', "")]
CASES += [("", POTION % ("0." + "9" * 26000 + "8"), 2, 0, "", "line 1")]
CASES += [(">&-", "show\n", 4, 0, "", "write"), (">/dev/full", "show\n", 4, 0, "", "write")]
CASES += [(".", "", 2, 0, "", "cannot read"), ("x y", "", 2, 0, "", "usage")]


def main(cmd):
    failed = 0
    for after, text, status, lines, said, why in CASES:
        shell = ["sh", "-c", '"$@" ' + after, "sh", *cmd]
        ran = subprocess.run(shell, input=text.encode("latin-1"), capture_output=True)
        out, err = ran.stdout.decode(), ran.stderr.decode()
        got = (ran.returncode, len(out.splitlines()), said in out, why in err)
        if got != (status, lines, True, True):
            print(f"{after} {text[:40]!r}: status {got[0]}, {got[1]} lines, stderr {err[:80]!r}")
            failed = 1
    return failed


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
