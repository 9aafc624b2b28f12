"""The Linux program from outside: a private Xvfb, the program and a plain window on it,
screenshots read as pixels, and the colors of the bears counted on them.

Reads POLKAMOOT_LINUX_BIN, the linux preset's build folder.
"""
import os
import re
import signal
import subprocess
import time

BIN = os.environ.get("POLKAMOOT_LINUX_BIN", os.path.join(
    os.path.dirname(os.path.abspath(__file__)), "..", "..", "build", "linux"))
PROGRAM = os.path.join(BIN, "polkamoot")
PLAIN_WINDOW = os.path.join(BIN, "tests", "linux", "plain_window")

# Body colors of the colorings; the body is the largest part of a bear.
BODIES = {"red": (255, 0, 0), "blue": (0, 0, 255), "green": (0, 255, 0),
          "yellow": (255, 255, 0), "magenta": (255, 0, 255), "cyan": (0, 255, 255)}
# A full-size bear shows 3786 to 4885 body pixels; its collar, which may wear another bear's
# body color, at most 1000.
BODY_PIXELS = 2500
# The most pixels a full-size bear shows other than black.
BEAR_PIXELS = 7800


def poll_until(predicate, timeout=10.0, step=0.1):
    end = time.monotonic() + timeout
    while True:
        value = predicate()
        if value or time.monotonic() > end:
            return value
        time.sleep(step)


class Shot:
    """A screenshot: width, height and its RGB bytes, rows from the top."""

    def __init__(self, ppm):
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)  # one blank ends it
        self.width, self.height = int(header[1]), int(header[2])
        self.rgb = ppm[header.end():]
        self.channels = (self.rgb[0::3], self.rgb[1::3], self.rgb[2::3])

    def count(self, color):
        """Pixels of exactly that color: one bit a pixel per channel that matches, ANDed."""
        matches = -1
        for channel, value in zip(self.channels, color):
            table = bytes(1 if i == value else 0 for i in range(256))
            matches &= int.from_bytes(channel.translate(table), "big")
        return matches.bit_count()

    def lit(self):
        """Pixels other than black."""
        return self.width * self.height - self.count((0, 0, 0))

    def bodies(self):
        """The colorings whose bodies show in full."""
        return {name for name, color in BODIES.items() if self.count(color) > BODY_PIXELS}


class Display:
    """A private Xvfb of the given size, and the programs started on it."""

    def __init__(self, width=800, height=600):
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "%dx%dx24" % (width, height),
             "-nolisten", "tcp", "-ac", "-br"], pass_fds=[write], stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as number:
            self.name = ":" + number.readline().strip()
        self.env = dict(os.environ, DISPLAY=self.name)
        self.env.pop("XSCREENSAVER_WINDOW", None)
        self.processes = []

    def start(self, command, env=None, **options):
        process = subprocess.Popen(command, env=dict(self.env, **(env or {})), **options)
        self.processes.append(process)
        return process

    def saver(self, *args, env=None):
        return self.start([PROGRAM] + list(args), env=env, stderr=subprocess.PIPE)

    def plain_window(self, width, height):
        """A window of another program; returns the process and its X window id."""
        process = self.start([PLAIN_WINDOW, str(width), str(height)], stdout=subprocess.PIPE,
                             text=True)
        return process, int(process.stdout.readline())

    def xdotool(self, *args):
        subprocess.run(["xdotool"] + [str(a) for a in args], env=self.env, check=True,
                       capture_output=True)

    def shot(self, window="root"):
        return Shot(subprocess.run(["import", "-window", str(window), "-depth", "8", "ppm:-"],
                                   env=self.env, check=True, capture_output=True).stdout)

    def close(self):
        for process in self.processes + [self.xvfb]:
            if process.poll() is None:
                process.kill()
            process.wait()
            for stream in (process.stdout, process.stderr):
                if stream:
                    stream.close()


def stop(process, sig=signal.SIGTERM, timeout=5):
    """Sends the signal and returns the exit status."""
    process.send_signal(sig)
    return process.wait(timeout)
