"""Private virtual displays with their screenshots, and the Windows builds run under Wine on
them as a user's system would. The Linux tests share the displays.

    harness.py template <folder>            makes the Wine prefix template
    harness.py run <tests>                  runs tests against POLKAMOOT_E2E_BUILD, or exits 77
                                            (skipped) when this machine cannot run that build
    harness.py builds <build>=<folder>...   says which builds this machine runs
"""
import collections
import inspect
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
from urllib.parse import unquote

LOADERS = {"x86_64": "/usr/lib/wine/wine64", "i686": "/usr/lib/wine/wine"}
BUILD = os.environ.get("POLKAMOOT_E2E_BUILD", "x86_64")
BIN = os.environ.get("POLKAMOOT_E2E_BIN", "")
TEMPLATE = os.environ.get("POLKAMOOT_E2E_TEMPLATE", "")
SAVER = ("WindowsScreenSaverClass", "Screen Saver")
BODIES = {"red": (255, 0, 0), "blue": (0, 0, 255), "green": (0, 255, 0), "yellow": (255, 255, 0),
          "magenta": (255, 0, 255), "cyan": (0, 255, 255)}
COLORS = dict(BODIES, **{"dark " + name: tuple(c and 128 for c in rgb)
                         for name, rgb in BODIES.items()})
BODY_PIXELS = 2500  # a full-size bear shows 3786 to 4885 of its body color, a collar under 1000
BEAR_PIXELS = 7800  # the most pixels a full-size bear shows other than black


def poll(check, timeout=30, interval=0.2):
    """The first true value of check(), or its last value once the time is up."""
    end = time.monotonic() + timeout
    while not (value := check()) and time.monotonic() < end:
        time.sleep(interval)
    return value


def changed(take, since):
    """The first screenshot take() gives that differs from `since`; None if none does."""
    return poll(lambda: (shot := take()).rgb != since.rgb and shot) or None


class Shot:
    """A screenshot: its size and RGB bytes, rows from the top."""

    def __init__(self, ppm):
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)  # one blank ends it
        self.width, self.height = int(header[1]), int(header[2])
        self.rgb = ppm[header.end():]

    def colors(self, left=0, right=None):
        """Pixels of each named color between those columns; "other" for the rest but black."""
        row = self.width * 3
        counts = collections.Counter(
            self.rgb[at:at + 3] for y in range(0, len(self.rgb), row)
            for at in range(y + left * 3, y + (right or self.width) * 3, 3))
        named = {name: counts.pop(bytes(rgb), 0) for name, rgb in COLORS.items()}
        named["other"] = sum(counts.values()) - counts[b"\0\0\0"]
        return {name: count for name, count in named.items() if count}

    def bodies(self):
        """The colorings whose bears show in full."""
        colors = self.colors()
        return {name for name in BODIES if colors.get(name, 0) > BODY_PIXELS}

    def in_blocks(self, k):
        """Whether every k x k block from the top left corner is of one color."""
        row, width = self.width * 3, self.width - self.width % k
        lines = [self.rgb[y * row:y * row + width * 3] for y in range(self.height - self.height % k)]
        return all(lines[y] == lines[y + i] and lines[y] == b"".join(
            lines[y][x:x + 3] * k for x in range(0, width * 3, 3 * k))
            for y in range(0, len(lines), k) for i in range(1, k))


class Display:
    """A private Xvfb, black, and the programs started on it. It never resets: by default Xvfb
    resets when its last client leaves, so that a client connecting meanwhile finds no server,
    and the resources and monitors set on it are lost."""

    def __init__(self, width=800, height=600):
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "%dx%dx24" % (width, height),
             "-nolisten", "tcp", "-ac", "-br", "-noreset"], pass_fds=[write],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as pipe:
            self.name = ":" + pipe.readline().strip()
        self.env = dict(os.environ, DISPLAY=self.name)
        self.env.pop("XSCREENSAVER_WINDOW", None)
        self.processes = []

    def start(self, command, env=None, **options):
        process = subprocess.Popen(command, env=dict(self.env, **(env or {})), **options)
        self.processes.append(process)
        return process

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True, capture_output=True)

    def shot(self, window="root"):
        return Shot(subprocess.run(["import", "-window", str(window), "-depth", "8", "ppm:-"],
                                   env=self.env, check=True, capture_output=True).stdout)

    def end_programs(self):
        """Ends what a test started, so that a test that failed leaves nothing on the screen."""
        for process in self.processes:
            if process.poll() is None:
                process.kill()
            process.communicate()
        self.processes = []

    def close(self):
        self.end_programs()
        self.xvfb.kill()
        self.xvfb.communicate()


def make_template(path):
    """A fresh prefix, booted once and kept while this recipe stays the same. No debugger, in
    the registry views of both builds: a fault that nothing handles ends the process quietly.
    No window manager: Wine would wait two seconds for one at the end of every window it lets
    one manage. Monitors as X reports them, not RandR's outputs."""
    recipe = pathlib.Path(path, "recipe")
    if recipe.exists() and recipe.read_text() == inspect.getsource(make_template):
        return
    shutil.rmtree(path, ignore_errors=True)
    env = dict(os.environ, WINEPREFIX=path, WINEDEBUG="-all")
    env.pop("DISPLAY", None)
    quiet = dict(env=env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run([LOADERS["x86_64"], "wineboot", "--init"], **quiet)
    debugger = r"Microsoft\Windows NT\CurrentVersion\AeDebug]" + '\n"Debugger"="no-debugger.exe"'
    with open(os.path.join(path, "settings.reg"), "w") as settings:
        settings.write("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\%s\n\n"
                       "[HKEY_LOCAL_MACHINE\\Software\\Wow6432Node\\%s\n\n"
                       '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n"Managed"="N"\n'
                       '"UseXRandR"="N"\n' % (debugger, debugger))
    subprocess.run([LOADERS["x86_64"], "regedit", "/S", "Z:" + path + "/settings.reg"], **quiet)
    subprocess.run(["wineserver", "-w"], env=env, check=True)
    recipe.write_text(inspect.getsource(make_template))


class WineSession(Display):
    """A display, a Wine prefix cloned from the template, and what runs there."""

    def __init__(self, width=800, height=600):
        super().__init__(width, height)
        # An empty name would clone the whole file system.
        assert os.path.isfile(os.path.join(TEMPLATE, "system.reg")), "no prefix template"
        self.prefix = tempfile.mkdtemp(prefix="polkamoot-e2e-")
        # Hard links keep the clone cheap; the files Wine rewrites get copies of their own.
        subprocess.run(["cp", "-al", TEMPLATE + "/.", self.prefix], check=True)
        for root, _, files in os.walk(self.prefix):
            for path in (os.path.join(root, n) for n in files if n.endswith((".reg", ".ini"))):
                shutil.copy2(path, path + ".copy")
                os.replace(path + ".copy", path)
        self.env.update(WINEPREFIX=self.prefix, WINEDEBUG="-all")
        self.profile = pathlib.Path(self.prefix, "drive_c", "windows", "control.ini")

    def focus_on(self, title):
        """Whether the window of that title gets the X input focus, which keys go to."""
        return poll(lambda: subprocess.run(
            ["xdotool", "getwindowfocus", "getwindowname"], env=self.env, capture_output=True,
            text=True).stdout.strip() == title)

    def path(self, name):
        return os.path.join(BIN, name)

    def wine(self, program, *args):
        return self.start([LOADERS[BUILD], program, *map(str, args)], stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, text=True)

    def run(self, program, *args, timeout=120):
        """Runs to the end; the exit code as the shell sees it, and the standard output."""
        process = self.wine(program, *args)
        out, _ = process.communicate(timeout=timeout)
        return process.returncode, out

    def saver(self, *args):
        return self.wine(self.path("polkamoot.scr"), *args)

    def driver(self, *steps):
        """What the test driver printed for those steps: a dictionary of words a line."""
        code, out = self.run(self.path("e2e_driver.exe"), *steps)
        assert code == 0, "driver %s failed (%d): %s" % (steps, code, out)
        return [dict(map(unquote, word.split("=", 1)) for word in line.split())
                for line in out.splitlines()]

    def write_profile(self, text):
        self.profile.write_bytes(("[ScreenSaver.Polkamoot]\r\n" + text).encode())

    def close(self):
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=self.env, stderr=subprocess.DEVNULL)
        super().close()
        shutil.rmtree(self.prefix, ignore_errors=True)


def wait_exit(process, timeout=30):
    """The exit code as the shell sees it (its low 8 bits), or None while it still runs."""
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        return None


class WineTestCase(unittest.TestCase):
    """One Wine session for all tests of a class, on a display of `screen`."""

    screen = (800, 600)

    @classmethod
    def setUpClass(cls):
        cls.wine = WineSession(*cls.screen)

    def tearDown(self):
        self.wine.end_programs()

    @classmethod
    def tearDownClass(cls):
        cls.wine.close()


def unrunnable(build, folder):
    """Why this machine cannot run the build's tests; None when it can."""
    if not os.path.isfile(os.path.join(folder, "polkamoot.scr")):
        return "%s is not built" % folder
    try:
        subprocess.run([LOADERS[build], "--version"], check=True, capture_output=True)
    except (OSError, subprocess.CalledProcessError) as error:  # no i386: "Exec format error"
        return "this machine cannot run %s: %s" % (LOADERS[build], error)
    return None


def main(command, *args):
    if command == "template":
        make_template(os.path.abspath(args[0]))
    elif command == "run":
        if reason := unrunnable(BUILD, BIN):
            print("skipped: " + reason)
            return 77
        tests = unittest.defaultTestLoader.loadTestsFromNames(args)
        return 0 if unittest.TextTestRunner(verbosity=2).run(tests).wasSuccessful() else 1
    elif command == "builds":
        for build, folder in (arg.split("=", 1) for arg in args):
            reason = unrunnable(build, folder)
            print("End to end, %s build: %s" % (build, "skipped, " + reason if reason else "run"))
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
