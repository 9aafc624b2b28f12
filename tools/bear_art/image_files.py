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


def _icon_image(grid):
    """A 16-color icon image of a square grid: header, table, pixels and the mask of clear ones."""
    index = {name: i for i, (name, _) in enumerate(STANDARD_TABLE)}
    size = len(grid)
    image = _nibble_rows([[0 if c is None else index[c] for c in row] for row in grid],
                         (4 * size + 31) // 32 * 4)
    mask = bytearray()
    for row in reversed(grid):
        bits = 0
        for c in row:
            bits = bits << 1 | (c is None)
        mask += (bits << -size % 32).to_bytes((size + 31) // 32 * 4, "big")
    info = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0, len(image) + len(mask),
                       0, 0, 0, 0)
    return info + _table_bytes(STANDARD_TABLE) + image + bytes(mask)


def icon_file(grids, large):
    """An icon of 16-color images of the grids, in their order (None is clear), then of rows of
    (red, green, blue, alpha) as a PNG image."""
    images = [(len(g), 16, 4, _icon_image(g)) for g in grids] + [(len(large), 0, 32, png(large))]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    directory = b""
    for size, colors, bits, data in images:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, colors, 0, 1, bits,
                                 len(data), offset)
        offset += len(data)
    return header + directory + b"".join(data for *_, data in images)


def png(rgb_rows):
    """An RGB PNG from rows of (r, g, b) tuples, or an RGBA one from (r, g, b, a)."""
    height, width = len(rgb_rows), len(rgb_rows[0])
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rgb_rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    color_type = 2 if len(rgb_rows[0][0]) == 3 else 6
    ihdr = struct.pack(">IIBBBBB", width, height, 8, color_type, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def enlarge(grid, factor, palette):
    """Rows of the palette's tuples for a color-name grid scaled up by pixel repetition."""
    rows = []
    for row in grid:
        line = [palette[c] for c in row for _ in range(factor)]
        rows.extend([line] * factor)
    return rows
