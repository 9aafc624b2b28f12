"""Draws the ten sprite frames, the icon and the contact sheet.

Run from anywhere: python3 tools/bear_art/make_art.py
"""

import os
import subprocess
import sys
import tempfile

import check_art
from bear import HEIGHT, WIDTH, build
from compose import BLACK, compose
from image_files import RGB, enlarge, png, sprite_bmp
from poses import POSES

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
CYCLE = [1, 2, 3, 4, 5, 4, 3, 2]
GAP = (64, 64, 64)


def frame(pose):
    parts, marks = build(pose)
    grid = compose(parts, marks, WIDTH, HEIGHT)
    for y in range(HEIGHT):
        for x in range(WIDTH):
            edge = x in (0, WIDTH - 1) or y in (0, HEIGHT - 1)
            if edge and grid[y][x] != BLACK:
                sys.exit(f"pose reaches the frame edge at {x}, {y}")
    return grid


def mirrored(grid):
    return [list(reversed(row)) for row in grid]


def sheet(rows_of_grids, factor):
    """Grids laid out in rows, each enlarged, separated by gray gaps."""
    gap = 6
    width = max(len(r) for r in rows_of_grids) * (WIDTH * factor + gap) + gap
    rows = [[GAP] * width for _ in range(gap)]
    for grids in rows_of_grids:
        images = [enlarge(g, factor, RGB) for g in grids]
        for y in range(HEIGHT * factor):
            line = [GAP] * gap
            for img in images:
                line += img[y] + [GAP] * gap
            rows.append(line + [GAP] * (width - len(line)))
        rows.extend([GAP] * width for _ in range(gap))
    return rows


def write(path, data):
    full = os.path.join(ROOT, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "wb") as f:
        f.write(data)


def main():
    right = [frame(p) for p in POSES]
    left = [mirrored(g) for g in right]
    for n in range(5):
        write(f"resources/sprites/bear{n + 1}r.bmp", sprite_bmp(right[n]))
        write(f"resources/sprites/bear{n + 1}l.bmp", sprite_bmp(left[n]))
    cycle = [right[n - 1] for n in CYCLE]
    write("docs/bears-contact-sheet.png",
          png(sheet([right, left, cycle[:4], cycle[4:]], 2)))
    with tempfile.TemporaryDirectory() as tmp:
        names = []
        for i, g in enumerate(cycle):
            names.append(os.path.join(tmp, f"f{i}.png"))
            with open(names[-1], "wb") as f:
                f.write(png(enlarge(g, 2, RGB)))
        subprocess.run(["convert", "-delay", "10", "-loop", "0", *names, "-strip",
                        os.path.join(ROOT, "docs", "bears-cycle.gif")], check=True)
    check_art.main()


if __name__ == "__main__":
    main()
