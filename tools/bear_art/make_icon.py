"""Draws the program icon: the striding bear of frame 1 on a clear ground, at 32 pixels (the
image the dialog and the window class show, first in the file), 16, 48, 64, and 256 as four
times the 64 one; and the page's app icons, 192 and 512 pixels, as three and eight times it.

Run from anywhere: python3 tools/bear_art/make_icon.py [preview.png]
"""

import os
import sys

import check_art
from bear import COLLAR, FEATURE, build
from compose import BLACK, DARK_GREEN, DARK_RED, GREEN, RED, Group, Part, compose
from image_files import RGB, enlarge, icon_file, png
from poses import POSES
from shapes import Scaled

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
FACTOR = 0.262  # at 32 pixels; the other sizes scale it
OFFSET = (-3.4, -2.0)
# Lines go black on the icon; the bear itself stays red with a green collar.
ICON_COLORS = {RED: RED, DARK_RED: BLACK, GREEN: GREEN, DARK_GREEN: BLACK, BLACK: BLACK, None: None}


def bear_parts():
    parts, _ = build(POSES[0])
    return [p for p in parts if not p.detail]


def placed(shape, size, shift=0.0):
    f = size / 32
    return Scaled(shape, FACTOR * f, (OFFSET[0] * f + shift, OFFSET[1] * f + shift))


def spot(shape, size, shift=0.0):
    """The pixel under the centre of a feature."""
    at = placed(shape, size, shift)
    return (int(shape.cx * at.factor + at.offset[0]), int(shape.cy * at.factor + at.offset[1]))


def icon_32():
    parts = bear_parts()
    small = [Part(placed(p.shape, 32), p.group) for p in parts if p.group is not FEATURE]
    grid = compose(small, [], 32, 32, samples=8, ground=None, thin=True)
    grid = [[ICON_COLORS[c] for c in row] for row in grid]
    # Eyes and nose would blur into slants at this size: place them as whole pixels.
    for p in parts:
        if p.group is FEATURE:
            x, y = spot(p.shape, 32)
            wide = p.shape.rx > p.shape.ry
            for dx, dy in ((0, 0), (1, 0)) if wide else ((0, 0), (0, 1)):
                grid[y + dy][x + dx] = BLACK
    return grid


def icon_16():
    """A bear of a dozen pixels has no room for lines: a red shape with its collar, eyes and
    nose, a quarter pixel over to keep both ears."""
    body, collar = Group(RED), Group(GREEN)
    parts = bear_parts()
    small = [Part(placed(p.shape, 16, 0.25), collar if p.group is COLLAR else body)
             for p in parts if p.group is not FEATURE]
    grid = compose(small, [], 16, 16, samples=8, ground=None, thin=True)
    for p in parts:
        if p.group is FEATURE:
            x, y = spot(p.shape, 16, 0.25)
            grid[y][x] = BLACK
    return grid


def icon_drawn(size):
    """Large enough for the features to keep their own shapes."""
    small = [Part(placed(p.shape, size), p.group, p.threshold) for p in bear_parts()]
    grid = compose(small, [], size, size, samples=8, ground=None, thin=True)
    return [[ICON_COLORS[c] for c in row] for row in grid]


def main():
    large = icon_drawn(64)
    grids = [icon_32(), icon_16(), icon_drawn(48), large]
    rgba = {name: rgb + (255,) for name, rgb in RGB.items()}
    rgba[None] = (0, 0, 0, 0)
    folder = os.path.join(ROOT, "resources", "icon")
    with open(os.path.join(folder, "polkamoot.ico"), "wb") as f:
        f.write(icon_file(grids, enlarge(large, 4, rgba)))
    for size in (192, 512):
        with open(os.path.join(folder, "polkamoot-%d.png" % size), "wb") as f:
            f.write(png(enlarge(large, size // 64, rgba)))
    if len(sys.argv) > 1:
        shown = dict(RGB)
        shown[None] = (96, 96, 96)
        with open(sys.argv[1], "wb") as f:
            f.write(png(enlarge(grids[0], 8, shown)))
    check_art.main()


if __name__ == "__main__":
    main()
