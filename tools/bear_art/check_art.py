"""Checks the committed sprites and icon against what the saver relies on: the packed 4-bit
layout, the stored and standard color tables, only the role colors on a black border, and left
frames that mirror the right ones. The generators run it after writing.

Run from anywhere: python3 tools/bear_art/check_art.py
"""

import os
import struct
import sys

from compose import BLACK, DARK_GREEN, DARK_RED, GREEN, RED
from image_files import SPRITE_TABLE, STANDARD_TABLE

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
ROLES = {BLACK, RED, DARK_RED, GREEN, DARK_GREEN}
WIDTH, HEIGHT, STRIDE = 148, 127, 76


def read(path):
    with open(os.path.join(ROOT, path), "rb") as f:
        return f.read()


def table(data, at):
    """Color names of a 16-entry table of blue, green, red, zero."""
    names = {rgb: name for name, rgb in STANDARD_TABLE}
    entries = [struct.unpack_from("<4B", data, at + 4 * i) for i in range(16)]
    return [names.get((r, g, b)) if zero == 0 else None for b, g, r, zero in entries]


def nibble(data, rows, stride, x, y, height):
    """The 4-bit value at column x of row y from the top, rows stored bottom-up."""
    byte = data[rows + (height - 1 - y) * stride + x // 2]
    return byte >> 4 if x % 2 == 0 else byte & 15


def sprite(path):
    """Color names by row from the top, after checking the file's layout."""
    data = read(path)
    fields = struct.unpack_from("<2sIHHIIiiHHIIiiII", data)
    expected = (b"BM", 14 + 9756, 0, 0, 118, 40, WIDTH, HEIGHT, 1, 4, 0, 9652, 3780, 3780, 0, 0)
    names = table(data, 54)
    problems = []
    if len(data) != 14 + 9756 or fields != expected:
        problems.append(f"header {fields}")
    if names != [name for name, _ in SPRITE_TABLE]:
        problems.append(f"stored table {names}")
    if any(data[118 + row * STRIDE + 74:118 + (row + 1) * STRIDE] != b"\0\0" for row in range(HEIGHT)):
        problems.append("padding is not zero")
    grid = [[names[nibble(data, 118, STRIDE, x, y, HEIGHT)] for x in range(WIDTH)]
            for y in range(HEIGHT)]
    others = {c for row in grid for c in row} - ROLES
    if others:
        problems.append(f"colors beyond the roles: {others}")
    edges = grid[0] + grid[-1] + [row[0] for row in grid] + [row[-1] for row in grid]
    if set(edges) != {BLACK}:
        problems.append("the border is not black")
    return grid, [f"{path}: {p}" for p in problems]


def icon(path):
    """The 32-pixel image first, as the dialog and the window class have always had it, then
    16, 48 and 64 in the same colors, and a 256-pixel PNG."""
    data = read(path)
    count = struct.unpack_from("<H", data, 4)[0]
    entries = [struct.unpack_from("<4B2H2I", data, 6 + 16 * i) for i in range(count)]
    problems = []
    if [e[0] or 256 for e in entries] != [32, 16, 48, 64, 256]:
        return [f"{path}: sizes {[e[0] for e in entries]}"]
    if entries[0] != (32, 32, 16, 0, 1, 4, 744, 6 + 16 * count):
        problems.append(f"first entry {entries[0]}")
    for size, _, _, _, _, bits, length, at in entries[:4]:
        stride, mask_stride = (4 * size + 31) // 32 * 4, (size + 31) // 32 * 4
        header = struct.unpack_from("<IiiHHI", data, at)
        if (bits, length, header) != (4, 104 + (stride + mask_stride) * size,
                                      (40, size, 2 * size, 1, 4, 0)):
            problems.append(f"{size} pixels: header {header}")
        if table(data, at + 40) != [name for name, _ in STANDARD_TABLE]:
            problems.append(f"{size} pixels: table {table(data, at + 40)}")
        image, mask = at + 104, at + 104 + stride * size
        for y in range(size):
            for x in range(size):
                clear = data[mask + (size - 1 - y) * mask_stride + x // 8] & (0x80 >> x % 8)
                value = nibble(data, image, stride, x, y, size)
                if value not in ((0,) if clear else (0, 9, 10)):
                    problems.append(f"{size} pixels: value {value} at {x}, {y}")
    at = entries[4][7]
    if data[at:at + 8] != b"\x89PNG\r\n\x1a\n" or struct.unpack_from(
            ">4x4sIIBB", data, at + 8) != (b"IHDR", 256, 256, 8, 6):
        problems.append("256 pixels: not an RGBA PNG")
    return [f"{path}: {p}" for p in problems]


def main():
    problems = icon("resources/icon/polkamoot.ico")
    for n in range(1, 6):
        right, found = sprite(f"resources/sprites/bear{n}r.bmp")
        left, more = sprite(f"resources/sprites/bear{n}l.bmp")
        problems += found + more
        if left != [list(reversed(row)) for row in right]:
            problems.append(f"bear{n}l is not bear{n}r mirrored")
    for problem in problems:
        print(problem, file=sys.stderr)
    if problems:
        sys.exit(1)
    print("sprites and icon: as the saver needs them")


if __name__ == "__main__":
    main()
