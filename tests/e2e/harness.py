"""Runs the Windows build under Wine on a private virtual display, as a user's system would.

Each WineSession owns an X display (Xvfb), a Wine prefix cloned from the template that the
`prefix` fixture made, and the processes it started; close() removes all three.
"""
import os
import shutil
import signal
import subprocess
import tempfile
import time
import unittest
from urllib.parse import unquote

WINE = "/usr/lib/wine/wine64"
BIN = os.environ.get("POLKAMOOT_E2E_BIN", "")
TEMPLATE = os.environ.get("POLKAMOOT_E2E_TEMPLATE", "")
SCREEN = (800, 600)


def make_template(path):
    """A fresh prefix, booted once, on a machine without a debugger: a fault that nothing
    handles ends the process quietly instead of waking the platform's debugger."""
    shutil.rmtree(path, ignore_errors=True)
    env = dict(os.environ, WINEPREFIX=path, WINEDEBUG="-all")
    env.pop("DISPLAY", None)
    subprocess.run([WINE, "wineboot", "--init"], env=env, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run([WINE, "reg", "add", r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug",
                    "/v", "Debugger", "/t", "REG_SZ", "/d", "no-debugger.exe", "/f"], env=env,
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "-w"], env=env, check=True)


class WineSession:
    def __init__(self, depth=24):
        self.prefix = tempfile.mkdtemp(prefix="polkamoot-e2e-")
        # Hard links keep the clone cheap; the files Wine rewrites get copies of their own.
        subprocess.run(["cp", "-al", TEMPLATE + "/.", self.prefix], check=True)
        for root, _, files in os.walk(self.prefix):
            for name in files:
                if name.endswith((".reg", ".ini")):
                    path = os.path.join(root, name)
                    shutil.copy2(path, path + ".copy")
                    os.replace(path + ".copy", path)
        self.xvfb, self.display = self._start_display(depth)
        self.env = dict(os.environ, WINEPREFIX=self.prefix, WINEDEBUG="-all",
                        DISPLAY=self.display)
        self.processes = []

    @staticmethod
    def _start_display(depth):
        read, write = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "%dx%dx%d" % (SCREEN + (depth,)),
             "-nolisten", "tcp"], pass_fds=[write], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
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
    """One Wine session for all tests of a class, on a display of `depth` bits."""

    depth = 24

    @classmethod
    def setUpClass(cls):
        cls.wine = WineSession(cls.depth)

    @classmethod
    def tearDownClass(cls):
        cls.wine.close()


if __name__ == "__main__":
    import sys
    make_template(sys.argv[1])
