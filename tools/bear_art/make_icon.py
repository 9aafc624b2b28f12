"""Draws the program icon: the striding bear of frame 1, small, on a clear ground.

Run from anywhere: python3 tools/bear_art/make_icon.py [preview.png]
"""

import os
import sys

import check_art
from bear import FEATURE, build
from compose import BLACK, DARK_GREEN, DARK_RED, GREEN, RED, Part, compose
from image_files import RGB, enlarge, icon_file, png
from poses import POSES
from shapes import Scaled

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SIZE = 32
FACTOR = 0.262
OFFSET = (-3.4, -2.0)
# Lines go black on the icon; the bear itself stays red with a green collar.
ICON_COLORS = {RED: RED, DARK_RED: BLACK, GREEN: GREEN, DARK_GREEN: BLACK, BLACK: BLACK, None: None}


def icon_grid():
    parts, _ = build(POSES[0])
    shapes = [p for p in parts if not p.detail and p.group is not FEATURE]
    small = [Part(Scaled(p.shape, FACTOR, OFFSET), p.group) for p in shapes]
    grid = compose(small, [], SIZE, SIZE, samples=8, ground=None, thin=True)
    grid = [[ICON_COLORS[c] for c in row] for row in grid]
    # Eyes and nose would blur into slants at this size: place them as whole pixels.
    for p in parts:
        if p.group is FEATURE and not p.detail:
            x = int(p.shape.cx * FACTOR + OFFSET[0])
            y = int(p.shape.cy * FACTOR + OFFSET[1])
            wide = p.shape.rx > p.shape.ry
            for dx, dy in ((0, 0), (1, 0)) if wide else ((0, 0), (0, 1)):
                grid[y + dy][x + dx] = BLACK
    return grid


def main():
    grid = icon_grid()
    with open(os.path.join(ROOT, "resources", "icon", "polkamoot.ico"), "wb") as f:
        f.write(icon_file(grid))
    if len(sys.argv) > 1:
        shown = dict(RGB)
        shown[None] = (96, 96, 96)
        with open(sys.argv[1], "wb") as f:
            f.write(png(enlarge(grid, 8, shown)))
    check_art.main()


if __name__ == "__main__":
    main()
