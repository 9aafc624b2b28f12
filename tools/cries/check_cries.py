"""Checks the committed cries against what the saver relies on: RIFF WAVE images of 8-bit mono
PCM at 22050 Hz in their chunk layouts, lasting 117 to 321 ms. make_cries.py runs it after
writing.

Run from anywhere: python3 tools/cries/check_cries.py
"""

import os
import struct
import sys

from make_cries import CRIES, LONGEST, RATE, ROOT, SHORTEST
from wave_files import Layout

TAGS = {Layout.PLAIN: [b"fmt ", b"data"], Layout.FACT: [b"fmt ", b"fact", b"data"],
        Layout.UNPADDED: [b"fmt ", b"data"]}


def chunks(data):
    """(tag, body) in order; a pad byte follows an odd body unless the file ends."""
    found, at = [], 12
    while at + 8 <= len(data):
        tag, size = struct.unpack_from("<4sI", data, at)
        found.append((tag, data[at + 8:at + 8 + size]))
        at += 8 + size + size % 2
    return found


def problems_of(cry):
    with open(os.path.join(ROOT, "resources", "sounds", cry.name + ".wav"), "rb") as f:
        data = f.read()
    riff, size, wave = struct.unpack_from("<4sI4s", data)
    found = chunks(data)
    tags = [tag for tag, _ in found]
    if (riff, size, wave) != (b"RIFF", len(data) - 8, b"WAVE") or tags != TAGS[cry.layout]:
        return [f"container {riff} {size} {wave} {tags}"]
    problems = []
    fmt, samples = found[0][1], found[-1][1]
    extra = b"\0\0" if cry.layout is Layout.FACT else b""
    if fmt != struct.pack("<HHIIHH", 1, 1, RATE, RATE, 1, 8) + extra:
        problems.append(f"format {fmt.hex()}")
    if cry.layout is Layout.FACT and found[1][1] != struct.pack("<I", len(samples)):
        problems.append("the fact chunk does not count the samples")
    if not data.endswith(samples) or len(samples) % 2 != cry.odd:
        problems.append("the data chunk does not end the file as its layout says")
    if not SHORTEST <= len(samples) / RATE <= LONGEST:
        problems.append(f"lasts {len(samples) * 1000 / RATE:.0f} ms")
    return problems


def main():
    problems = [f"{cry.name}: {p}" for cry in CRIES for p in problems_of(cry)]
    for problem in problems:
        print(problem, file=sys.stderr)
    if problems:
        sys.exit(1)
    print("cries: as the saver needs them")


if __name__ == "__main__":
    main()
