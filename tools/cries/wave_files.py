"""RIFF WAVE containers for 8-bit mono PCM, in the three chunk layouts the cries use."""

import enum
import struct


class Layout(enum.Enum):
    PLAIN = 1  # 16-byte "fmt ", "data"
    FACT = 2  # 18-byte "fmt " with extra size 0, "fact" with the sample count, "data"
    UNPADDED = 3  # as PLAIN, but an odd "data" chunk ends the file without a pad byte


def chunk(tag, body):
    return tag + struct.pack("<I", len(body)) + body


def wave_file(samples, rate, layout):
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate, 1, 8)
    if layout is Layout.FACT:
        chunks = chunk(b"fmt ", fmt + struct.pack("<H", 0))
        chunks += chunk(b"fact", struct.pack("<I", len(samples)))
    else:
        chunks = chunk(b"fmt ", fmt)
    chunks += chunk(b"data", samples)
    if len(samples) % 2 and layout is not Layout.UNPADDED:
        chunks += b"\0"
    return b"RIFF" + struct.pack("<I", 4 + len(chunks)) + b"WAVE" + chunks
