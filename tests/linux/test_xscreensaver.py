"""The real client: Debian's xscreensaver daemon under Xvfb with polkamoot in its programs,
activated and deactivated as a session would. It runs no display program as root, so as root
the daemon runs as nobody."""
import ctypes
import os
import shutil
import subprocess
import tempfile
import unittest

from harness import PROGRAM, Display, poll_until

NOBODY = 65534
PR_SET_CHILD_SUBREAPER = 36
SETTINGS = """\
mode: one
selected: 0
fade: False
unfade: False
lock: False
splash: False
timeout: 0:30:00
programs: polkamoot -root -blue -magenta
"""


def living(program):
    """Processes running that program file, zombies left out."""
    found = []
    for entry in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/stat" % entry) as stat:
                state = stat.read().rsplit(")", 1)[1].split()[0]
            if os.readlink("/proc/%s/exe" % entry) == program and state != "Z":
                found.append(int(entry))
        except OSError:
            pass
    return found


class XScreenSaver(unittest.TestCase):
    def setUp(self):
        # Orphans come to this process, so the program's own end can be awaited here once the
        # daemon's helper has gone.
        ctypes.CDLL(None).prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)
        self.display = Display(800, 600)
        self.addCleanup(self.display.close)
        self.home = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.home)
        os.chmod(self.home, 0o755)
        os.mkdir(os.path.join(self.home, "bin"))
        self.program = os.path.join(self.home, "bin", "polkamoot")
        shutil.copy(PROGRAM, self.program)
        with open(os.path.join(self.home, ".xscreensaver"), "w") as settings:
            settings.write(SETTINGS)
        user = []
        if os.getuid() == 0:
            for folder, _, files in os.walk(self.home):
                for path in [folder] + [os.path.join(folder, name) for name in files]:
                    os.chown(path, NOBODY, NOBODY)
            user = ["setpriv", "--reuid=%d" % NOBODY, "--regid=%d" % NOBODY, "--clear-groups"]
        env = {"DISPLAY": self.display.name, "HOME": self.home,
               "PATH": os.path.join(self.home, "bin") + ":/usr/bin:/bin"}
        self.daemon = self.display.start(user + ["xscreensaver", "--no-splash"], env=env,
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.assertTrue(poll_until(lambda: self.command("-time") == 0, timeout=30),
                        "the daemon answers")

    def command(self, *args):
        return subprocess.run(["xscreensaver-command"] + list(args), env=self.display.env,
                              capture_output=True).returncode

    def test_activation_shows_the_chosen_bears_and_deactivation_ends_the_program(self):
        self.assertEqual(0, self.command("-activate"))
        shown = poll_until(lambda: self.display.shot().bodies() == {"blue", "magenta"}, timeout=20)
        self.assertTrue(shown, "blue and magenta bears")
        [pid] = living(self.program)

        self.assertEqual(0, self.command("-deactivate"))

        def ended():
            try:
                reaped, status = os.waitpid(pid, os.WNOHANG)
                return reaped and ("exit status", os.waitstatus_to_exitcode(status))
            except ChildProcessError:  # not ours yet, or reaped by the daemon
                return not os.path.exists("/proc/%d" % pid) and ("gone", 0)
        end = poll_until(ended, timeout=10)
        self.assertEqual(0, end and end[1], end)
        self.assertEqual([], living(self.program), "no leftover process")


if __name__ == "__main__":
    unittest.main()
