"""Lists the entries of a compiled .res file and decodes its dialog, strings and icon group.

For checking what the resource compiler made of resources/polkamoot.rc:
    x86_64-w64-mingw32-windres resources/polkamoot.rc -O res -o /tmp/polkamoot.res
    python3 tools/res_dump/dump_res.py /tmp/polkamoot.res
"""

import struct
import sys

TYPES = {1: "CURSOR", 2: "BITMAP", 3: "ICON", 4: "MENU", 5: "DIALOG", 6: "STRING",
         14: "GROUP_ICON", 24: "MANIFEST"}
ATOMS = {0x80: "BUTTON", 0x81: "EDIT", 0x82: "STATIC", 0x83: "LISTBOX", 0x84: "SCROLLBAR",
         0x85: "COMBOBOX"}


def name_or_number(data, pos):
    """A 0xFFFF-prefixed number or a zero-ended UTF-16 text, and the position behind it."""
    if struct.unpack_from("<H", data, pos)[0] == 0xFFFF:
        return struct.unpack_from("<H", data, pos + 2)[0], pos + 4
    end = pos
    while struct.unpack_from("<H", data, end)[0]:
        end += 2
    return data[pos:end].decode("utf-16-le"), end + 2


def entries(data):
    pos = 0
    while pos < len(data):
        size, header = struct.unpack_from("<II", data, pos)
        kind, at = name_or_number(data, pos + 8)
        name, at = name_or_number(data, at)
        at = (at + 3) & ~3
        _, flags, language = struct.unpack_from("<IHH", data, at)
        body = data[pos + header:pos + header + size]
        yield kind, name, language, flags, body
        pos = (pos + header + size + 3) & ~3


def dialog(body):
    style, ex, count, x, y, cx, cy = struct.unpack_from("<IIHhhhh", body, 0)
    menu, at = name_or_number(body, 18)
    cls, at = name_or_number(body, at)
    title, at = name_or_number(body, at)
    print(f"  style {style:#010x} ex {ex:#x} at {x},{y} size {cx}x{cy} menu {menu!r}"
          f" class {cls!r} caption {title!r}")
    if style & 0x40:
        points = struct.unpack_from("<H", body, at)[0]
        face, at = name_or_number(body, at + 2)
        print(f"  font {points} {face!r}")
    for _ in range(count):
        at = (at + 3) & ~3
        style, ex, x, y, cx, cy, ident = struct.unpack_from("<IIhhhhH", body, at)
        cls, at = name_or_number(body, at + 18)
        text, at = name_or_number(body, at)
        extra = struct.unpack_from("<H", body, at)[0]
        at += 2 + extra
        ident = ident - 0x10000 if ident >= 0x8000 else ident
        print(f"  {ident:5} {ATOMS.get(cls, cls)!s:7} {text!r:22} style {style:#010x} ex {ex:#x}"
              f" {x},{y},{cx},{cy}")


def strings(block, body):
    at = 0
    for i in range(16):
        n = struct.unpack_from("<H", body, at)[0]
        if n:
            print(f"  {16 * (block - 1) + i}: {body[at + 2:at + 2 + 2 * n].decode('utf-16-le')!r}")
        at += 2 + 2 * n


def main(path):
    data = open(path, "rb").read()
    for kind, name, language, flags, body in entries(data):
        if kind == 0 and name == 0:
            continue
        print(f"{TYPES.get(kind, kind)!s:10} {name!s:8} lang {language:#06x} flags {flags:#06x}"
              f" {len(body)} bytes")
        if kind == 5:
            dialog(body)
        elif kind == 6:
            strings(name, body)
        elif kind == 14:
            reserved, typ, count = struct.unpack_from("<HHH", body, 0)
            for i in range(count):
                w, h, colors, _, planes, bits, size, ident = struct.unpack_from(
                    "<BBBBHHIH", body, 6 + 14 * i)
                w, h = w or 256, h or 256  # a byte of 0 stands for 256
                print(f"  {w}x{h} {colors} colors, {planes} plane, {bits} bits, {size} bytes,"
                      f" icon {ident}")


if __name__ == "__main__":
    main(sys.argv[1])
