"""Runs a Windows build under Wine on a private virtual display, as a user's system would.

Each WineSession owns an X display (Xvfb), a Wine prefix cloned from the template that the
`prefix` fixture made, and the processes it started; close() removes all three.

    harness.py template <folder>        makes the prefix template
    harness.py run <tests>              runs a test module, class or case against
                                        POLKAMOOT_E2E_BUILD, or exits with 77 (skipped) when this
                                        machine cannot run that build
    harness.py builds <build>=<folder>...   says which builds this machine runs
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest
from urllib.parse import unquote

LOADERS = {"x86_64": "/usr/lib/wine/wine64", "i686": "/usr/lib/wine/wine"}
BUILD = os.environ.get("POLKAMOOT_E2E_BUILD", "x86_64")
WINE = LOADERS[BUILD]
BIN = os.environ.get("POLKAMOOT_E2E_BIN", "")
TEMPLATE = os.environ.get("POLKAMOOT_E2E_TEMPLATE", "")
SCREEN = (800, 600)
SKIPPED = 77


def make_template(path):
    """A fresh prefix, booted once. No debugger, in the registry views of both builds: a fault
    that nothing handles ends the process quietly. No window manager on these displays: Wine
    would wait two seconds for one at the end of every window it lets one manage."""
    path = os.path.abspath(path)
    shutil.rmtree(path, ignore_errors=True)
    env = dict(os.environ, WINEPREFIX=path, WINEDEBUG="-all")
    env.pop("DISPLAY", None)
    quiet = dict(env=env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wine = LOADERS["x86_64"]
    subprocess.run([wine, "wineboot", "--init"], **quiet)
    debugger = r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug"
    for view in ("/reg:64", "/reg:32"):
        subprocess.run([wine, "reg", "add", debugger, "/v", "Debugger", "/t", "REG_SZ", "/d",
                        "no-debugger.exe", "/f", view], **quiet)
    subprocess.run([wine, "reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed",
                    "/t", "REG_SZ", "/d", "N", "/f"], **quiet)
    subprocess.run(["wineserver", "-w"], env=env, check=True)


def unrunnable(build, folder):
    """Why this machine cannot run the build's tests; None when it can."""
    if not os.path.isfile(os.path.join(folder, "polkamoot.scr")):
        return "%s is not built" % folder
    try:
        subprocess.run([LOADERS[build], "--version"], check=True, capture_output=True)
    except (OSError, subprocess.CalledProcessError) as error:
        # Without i386 support in the kernel: "Exec format error".
        return "this machine cannot run %s: %s" % (LOADERS[build], getattr(
            error, "strerror", None) or error)
    return None


class WineSession:
    def __init__(self, depth=24, screen=SCREEN):
        # An empty name would clone the whole file system.
        assert os.path.isfile(os.path.join(TEMPLATE, "system.reg")), "no prefix template"
        self.prefix = tempfile.mkdtemp(prefix="polkamoot-e2e-")
        # Hard links keep the clone cheap; the files Wine rewrites get copies of their own.
        subprocess.run(["cp", "-al", TEMPLATE + "/.", self.prefix], check=True)
        for root, _, files in os.walk(self.prefix):
            for name in files:
                if name.endswith((".reg", ".ini")):
                    path = os.path.join(root, name)
                    shutil.copy2(path, path + ".copy")
                    os.replace(path + ".copy", path)
        self.xvfb, self.display = self._start_display(depth, screen)
        self.env = dict(os.environ, WINEPREFIX=self.prefix, WINEDEBUG="-all",
                        DISPLAY=self.display)
        self.processes = []

    @staticmethod
    def _start_display(depth, screen):
        # -noreset: what a client set up (monitors) outlives the client.
        read, write = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "%dx%dx%d" % (screen + (depth,)),
             "-nolisten", "tcp", "-noreset"], pass_fds=[write], stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as pipe:
            number = pipe.readline().strip()
        return xvfb, ":" + number

    def path(self, *parts):
        return os.path.join(BIN, *parts)

    @property
    def windows_dir(self):
        return os.path.join(self.prefix, "drive_c", "windows")

    def start(self, program, *args):
        process = subprocess.Popen([WINE, program, *args], env=self.env,
                                   stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.processes.append(process)
        return process

    def run(self, program, *args, timeout=60):
        """Runs to the end; returns (exit code as the shell sees it, standard output)."""
        process = self.start(program, *args)
        out, _ = process.communicate(timeout=timeout)
        return process.returncode, out

    def saver(self, *args):
        return self.start(self.path("polkamoot.scr"), *args)

    def run_saver(self, *args, timeout=60):
        return self.run(self.path("polkamoot.scr"), *args, timeout=timeout)[0]

    def driver(self, *args, timeout=60):
        """The test driver's output lines as dictionaries of key=value words."""
        code, out = self.run(self.path("e2e_driver.exe"), *args, timeout=timeout)
        if code != 0:
            raise AssertionError("driver %s failed (%d): %s" % (args, code, out))
        return [{key: unquote(value) for key, value in
                 (word.split("=", 1) for word in line.split() if "=" in word)}
                for line in out.splitlines()]

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True)

    def reg_add(self, key, name, kind, data):
        self.run("reg", "add", key, "/v", name, "/t", kind, "/d", str(data), "/f")

    def screenshot(self):
        """The whole screen as (width, height, RGB bytes)."""
        ppm = subprocess.run(["import", "-display", self.display, "-window", "root", "-depth", "8",
                              "ppm:-"],
                             check=True, capture_output=True).stdout
        fields = ppm.split(maxsplit=4)
        return int(fields[1]), int(fields[2]), fields[4]

    def close(self):
        for process in self.processes:
            if process.poll() is None:
                process.kill()
            process.communicate()
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=self.env, stderr=subprocess.DEVNULL)
        self.xvfb.send_signal(signal.SIGTERM)
        self.xvfb.wait()
        shutil.rmtree(self.prefix, ignore_errors=True)


class PasswordedSaver:
    """A folder holding the saver and, as PASSWORD.CPL beside it, a stand-in password library
    (tests/e2e/verifier) answering from `script`; the user asks for the password or not."""

    def __init__(self, session, name, library="test_verifier.dll", script="1", use_password=1):
        self.session = session
        self.folder = os.path.join(session.prefix, "drive_c", name)
        os.makedirs(self.folder)
        shutil.copy(session.path("polkamoot.scr"), self.folder)
        shutil.copy(session.path(library), os.path.join(self.folder, "PASSWORD.CPL"))
        with open(os.path.join(self.folder, "verifier-script.txt"), "w") as file:
            file.write(script)
        session.reg_add(r"HKCU\Control Panel\Desktop", "ScreenSaveUsePassword", "REG_DWORD",
                        use_password)

    @property
    def scr(self):
        return os.path.join(self.folder, "polkamoot.scr")

    def log(self):
        """The library's log lines as dictionaries; none when it was never loaded."""
        path = os.path.join(self.folder, "verifier-log.txt")
        if not os.path.exists(path):
            return []
        with open(path) as file:
            return [dict(word.split("=", 1) for word in line.split()) for line in file]

    def verifications(self):
        return [entry for entry in self.log() if entry["event"] == "verify"]


def wait_exit(process, timeout=20):
    """The exit code as the shell sees it (the low 8 bits), or None if still running."""
    try:
        return process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        return None


def poll_until(check, timeout=20, interval=0.2):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = check()
        if value:
            return value
        time.sleep(interval)
    return check()


class WineTestCase(unittest.TestCase):
    """One Wine session for all tests of a class, on a display of `screen` and `depth` bits."""

    depth = 24
    screen = SCREEN

    @classmethod
    def setUpClass(cls):
        cls.wine = WineSession(cls.depth, cls.screen)

    @classmethod
    def tearDownClass(cls):
        cls.wine.close()


def main(command, *args):
    if command == "template":
        make_template(args[0])
    elif command == "run":
        reason = unrunnable(BUILD, BIN)
        if reason:
            print("skipped: " + reason)
            return SKIPPED
        tests = unittest.defaultTestLoader.loadTestsFromName(args[0])
        return 0 if unittest.TextTestRunner(verbosity=2).run(tests).wasSuccessful() else 1
    elif command == "builds":
        for build, folder in (arg.split("=", 1) for arg in args):
            reason = unrunnable(build, folder)
            print("End to end, %s build: %s" % (build, "skipped, " + reason if reason else "run"))
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
