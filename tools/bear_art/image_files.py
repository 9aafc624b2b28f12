"""Writers for the sprite bitmaps, the icon and PNG previews."""

import struct
import zlib

# Stored color table of the sprites: (name, (red, green, blue)) by stored index.
SPRITE_TABLE = [
    ("black", (0, 0, 0)), ("dark blue", (0, 0, 128)), ("dark green", (0, 128, 0)),
    ("dark cyan", (0, 128, 128)), ("dark red", (128, 0, 0)), ("dark magenta", (128, 0, 128)),
    ("dark yellow", (128, 128, 0)), ("dark gray", (128, 128, 128)),
    ("light gray", (192, 192, 192)), ("blue", (0, 0, 255)), ("green", (0, 255, 0)),
    ("cyan", (0, 255, 255)), ("red", (255, 0, 0)), ("magenta", (255, 0, 255)),
    ("yellow", (255, 255, 0)), ("white", (255, 255, 255)),
]

# The order in which the program reads 4-bit values; the icon carries it.
STANDARD_TABLE = [
    ("black", (0, 0, 0)), ("dark red", (128, 0, 0)), ("dark green", (0, 128, 0)),
    ("dark yellow", (128, 128, 0)), ("dark blue", (0, 0, 128)), ("dark magenta", (128, 0, 128)),
    ("dark cyan", (0, 128, 128)), ("light gray", (192, 192, 192)),
    ("dark gray", (128, 128, 128)), ("red", (255, 0, 0)), ("green", (0, 255, 0)),
    ("yellow", (255, 255, 0)), ("blue", (0, 0, 255)), ("magenta", (255, 0, 255)),
    ("cyan", (0, 255, 255)), ("white", (255, 255, 255)),
]

RGB = dict(SPRITE_TABLE)


def _table_bytes(table):
    return b"".join(struct.pack("<4B", b, g, r, 0) for _, (r, g, b) in table)


def _nibble_rows(rows, stride):
    """4-bit rows, bottom-up, left pixel in the high nibble, padded with zeros."""
    out = bytearray()
    for row in reversed(rows):
        packed = bytearray(stride)
        for x, v in enumerate(row):
            packed[x // 2] |= v << 4 if x % 2 == 0 else v
        out += packed
    return bytes(out)


def sprite_bmp(grid):
    """A bitmap file of a grid of color names, in the sprites' stored table."""
    index = {name: i for i, (name, _) in enumerate(SPRITE_TABLE)}
    width, height = len(grid[0]), len(grid)
    stride = (4 * width + 31) // 32 * 4
    pixels = _nibble_rows([[index[c] for c in row] for row in grid], stride)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 3780, 3780, 0, 0)
    dib = info + _table_bytes(SPRITE_TABLE) + pixels
    offset = 14 + 40 + 64
    return struct.pack("<2sIHHI", b"BM", 14 + len(dib), 0, 0, offset) + dib


def icon_file(grid):
    """A one-image 32 x 32 16-color icon; None in the grid is transparent."""
    index = {name: i for i, (name, _) in enumerate(STANDARD_TABLE)}
    size = len(grid)
    image = _nibble_rows([[0 if c is None else index[c] for c in row] for row in grid], 16)
    mask = bytearray()
    for row in reversed(grid):
        bits = 0
        for c in row:
            bits = bits << 1 | (c is None)
        mask += bits.to_bytes(size // 8, "big")
    info = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0, len(image) + len(mask),
                       0, 0, 0, 0)
    entry = info + _table_bytes(STANDARD_TABLE) + image + bytes(mask)
    header = struct.pack("<HHH", 0, 1, 1)
    directory = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(entry), 6 + 16)
    return header + directory + entry


def png(rgb_rows):
    """An RGB PNG from rows of (r, g, b) tuples."""
    height, width = len(rgb_rows), len(rgb_rows[0])
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rgb_rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    ihdr = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def enlarge(grid, factor, palette):
    """RGB rows of a color-name grid scaled up by pixel repetition."""
    rows = []
    for row in grid:
        line = [palette[c] for c in row for _ in range(factor)]
        rows.extend([line] * factor)
    return rows
