#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Draws the window icon of Morvint and writes it as a 32x32, 16-colour XPM.

Black and dark-red diagonal strokes, each one shorter than the one before,
stepped into a triangle on a dark-cyan ground. Every pixel is opaque.

Run from this folder: python3 make_icon.py > morvint.xpm
"""

SIZE = 32

# The 16 colours of the classic 4-bit palette; the icon uses three of them.
PALETTE = [
    (".", "#008080"),  # dark cyan: the ground
    ("k", "#000000"),  # black
    ("r", "#800000"),  # dark red
    ("g", "#008000"),
    ("y", "#808000"),
    ("b", "#000080"),
    ("m", "#800080"),
    ("s", "#C0C0C0"),
    ("d", "#808080"),
    ("R", "#FF0000"),
    ("G", "#00FF00"),
    ("Y", "#FFFF00"),
    ("B", "#0000FF"),
    ("M", "#FF00FF"),
    ("C", "#00FFFF"),
    ("w", "#FFFFFF"),
]


def draw():
    grid = [["." for _ in range(SIZE)] for _ in range(SIZE)]
    # Strokes rise from the bottom edge to the upper right. Stroke i starts
    # 3 pixels further right and is 3 pixels shorter than stroke i - 1, so
    # their upper ends step down along the triangle's slanted side.
    strokes = 9
    for i in range(strokes):
        colour = "k" if i % 2 == 0 else "r"
        x0 = 2 + 3 * i
        length = 28 - 3 * i
        for t in range(length):
            x, y = x0 + t // 2, 29 - t
            for dx in (0, 1):
                if 0 <= x + dx < SIZE and 0 <= y < SIZE:
                    grid[y][x + dx] = colour
    # The base of the triangle.
    for x in range(2, 30):
        grid[30][x] = "k"
    return grid


def main():
    grid = draw()
    print("/* XPM */")
    print("static const char* const morvint_xpm[] = {")
    print(f'"{SIZE} {SIZE} {len(PALETTE)} 1",')
    for char, colour in PALETTE:
        print(f'"{char} c {colour}",')
    rows = ['"' + "".join(row) + '"' for row in grid]
    print(",\n".join(rows))
    print("};")


if __name__ == "__main__":
    main()
