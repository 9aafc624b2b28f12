"""Speaks the bears' five cries and writes them as 8-bit mono WAVE files.

Needs espeak-ng and sox on the path. Run from anywhere:
    python3 tools/cries/make_cries.py
"""

import array
import os
import subprocess
import tempfile

from wave_files import Layout, wave_file

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
RATE = 22050
PEAK = 0.9  # of full scale, leaving room below clipping
FADE_MS = 6
SHORTEST, LONGEST = 0.117, 0.321


class Cry:
    def __init__(self, name, phonemes, voice, pitch, speed, shift, tempo, layout, odd=False):
        self.name, self.phonemes, self.voice = name, phonemes, voice
        self.pitch, self.speed = pitch, speed  # espeak-ng pitch 0-99, words per minute
        self.shift, self.tempo = shift, tempo  # sox pitch shift in cents, tempo factor
        self.layout, self.odd = layout, odd


# A deep, quick bear voice; the second "ooh" is a cub, higher and rounder.
CRIES = [
    Cry("snd_ow", "[['aU]]", "en-us+m3", 15, 170, -300, 1.2, Layout.FACT),
    Cry("snd_ooh", "[['u:]]", "en-us+m3", 15, 200, -300, 1.3, Layout.PLAIN),
    Cry("snd_mmm", "[[m'm:m]]", "en-us+m3", 15, 170, -300, 1.2, Layout.PLAIN),
    Cry("snd_hey", "[[h'eI]]", "en-us+m3", 15, 220, -300, 1.4, Layout.UNPADDED, odd=True),
    Cry("snd_ooh2", "[['u:]]", "en-us+f2", 60, 200, 200, 1.2, Layout.PLAIN),
]


def spoken(cry, tmp):
    """Float samples of the cry, pitched, sped up and trimmed of silence at both ends."""
    said = os.path.join(tmp, cry.name + ".wav")
    subprocess.run(["espeak-ng", "-v", cry.voice, "-p", str(cry.pitch), "-s", str(cry.speed),
                    "-w", said, cry.phonemes], check=True)
    trim = ["silence", "1", "0.01", "2%"]
    out = subprocess.run(["sox", "-R", said, "-t", "raw", "-e", "floating-point", "-b", "32",
                          "-c", "1", "-r", str(RATE), "-", "pitch", str(cry.shift),
                          "tempo", str(cry.tempo), *trim, "reverse", *trim, "reverse"],
                         check=True, stdout=subprocess.PIPE).stdout
    return list(array.array("f", out))


def to_unsigned_bytes(samples, odd):
    if len(samples) % 2 != odd:
        samples = samples[:-1]
    top = max(abs(s) for s in samples)
    if top < 1e-3:
        raise SystemExit("cry is silent")
    fade = RATE * FADE_MS // 1000
    n = len(samples)
    out = bytearray(n)
    for i, s in enumerate(samples):
        gain = min(1.0, (i + 1) / fade, (n - i) / fade)
        out[i] = max(0, min(255, round(128 + 127 * PEAK * gain * s / top)))
    return bytes(out)


def main():
    with tempfile.TemporaryDirectory() as tmp:
        for cry in CRIES:
            data = to_unsigned_bytes(spoken(cry, tmp), cry.odd)
            seconds = len(data) / RATE
            if not SHORTEST <= seconds <= LONGEST:
                raise SystemExit(f"{cry.name} lasts {seconds * 1000:.0f} ms")
            path = os.path.join(ROOT, "resources", "sounds", cry.name + ".wav")
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "wb") as f:
                f.write(wave_file(data, RATE, cry.layout))
            print(f"{cry.name}: {len(data)} samples, {seconds * 1000:.0f} ms")
    import check_cries  # here, since it reads the cries of this module
    check_cries.main()


if __name__ == "__main__":
    main()
