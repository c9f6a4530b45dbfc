#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Converts the program's 32x32, 16-colour XPM icon into a Windows .ico file.

The icon keeps the XPM's 16-colour palette and is stored as one 4-bit image
with an all-opaque mask.

Usage: xpm_to_ico.py INPUT.xpm OUTPUT.ico
"""

import re
import struct
import sys


def read_xpm(path):
    with open(path, encoding="ascii") as f:
        strings = re.findall(r'"([^"]*)"', f.read())
    width, height, ncolours, cpp = (int(v) for v in strings[0].split()[:4])
    palette, index = [], {}
    for line in strings[1 : 1 + ncolours]:
        key, rest = line[:cpp], line[cpp:].split()
        colour = rest[rest.index("c") + 1]
        if not re.fullmatch(r"#[0-9A-Fa-f]{6}", colour):
            raise SystemExit(f"{path}: colour {colour!r} is not #RRGGBB")
        index[key] = len(palette)
        palette.append(tuple(int(colour[i : i + 2], 16) for i in (1, 3, 5)))
    rows = strings[1 + ncolours : 1 + ncolours + height]
    pixels = [[index[row[x * cpp : (x + 1) * cpp]] for x in range(width)] for row in rows]
    return width, height, palette, pixels


def ico(width, height, palette, pixels):
    if len(palette) > 16:
        raise SystemExit("the icon has more than 16 colours")
    palette = palette + [(0, 0, 0)] * (16 - len(palette))
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    xor_stride = ((width * 4 + 31) // 32) * 4
    and_stride = ((width + 31) // 32) * 4
    xor = b""
    for row in reversed(pixels):  # bottom-up
        packed = bytearray(xor_stride)
        for x, p in enumerate(row):
            packed[x // 2] |= p << (4 if x % 2 == 0 else 0)
        xor += bytes(packed)
    mask = bytes(and_stride * height)  # every pixel opaque
    image = header + colours + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack(
        "<BBBBHHII", width % 256, height % 256, 16, 0, 1, 4, len(image), 6 + 16
    )
    return directory + image


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    data = ico(*read_xpm(sys.argv[1]))
    with open(sys.argv[2], "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
