"""The real client: Debian's xscreensaver daemon under Xvfb with polkamoot in its programs,
activated and deactivated as a session would. It runs no display program as root, so as root
the daemon runs as nobody."""
import ctypes
import os
import pathlib
import shutil
import subprocess
import tempfile
import unittest

from harness import Display, poll

NOBODY = 65534
SETTINGS = """mode: one
selected: 0
fade: False
unfade: False
lock: False
splash: False
timeout: 0:30:00
programs: %s -root -blue -magenta
"""


def living(program):
    """Processes running that program file, zombies left out."""
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/stat" % pid) as stat:
                if os.readlink("/proc/%s/exe" % pid) == program and " Z " not in stat.read():
                    found.append(int(pid))
        except OSError:
            pass
    return found


class XScreenSaver(unittest.TestCase):
    def test_activation_shows_the_chosen_bears_and_deactivation_ends_the_program(self):
        # Orphans come to this process, so that the program's end can be awaited here.
        ctypes.CDLL(None).prctl(36, 1, 0, 0, 0)  # PR_SET_CHILD_SUBREAPER
        display = Display()
        self.addCleanup(display.close)
        home = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, home)
        os.chmod(home, 0o755)
        program = os.path.join(home, "polkamoot")
        shutil.copy(os.path.join(os.environ["POLKAMOOT_LINUX_BIN"], "polkamoot"), program)
        with open(os.path.join(home, ".xscreensaver"), "w") as settings:
            # By its path: the daemon looks where packages install before it looks on $PATH.
            settings.write(SETTINGS % program)
        user = []
        if os.getuid() == 0:
            for path in (home, program, settings.name):
                os.chown(path, NOBODY, NOBODY)
            user = ["setpriv", "--reuid=%d" % NOBODY, "--regid=%d" % NOBODY, "--clear-groups"]
        log = open(os.path.join(home, "daemon.log"), "w")
        self.addCleanup(log.close)

        def command(*args):
            return subprocess.run(["xscreensaver-command", *args], env=display.env,
                                  capture_output=True).returncode == 0

        # Under load the daemon has stalled for a minute before answering: a second one then.
        for attempt in range(2):
            daemon = display.start(user + ["xscreensaver", "--no-splash"], stdout=log,
                                   stderr=log, env={"HOME": home, "PATH": "/usr/bin:/bin"})
            if poll(lambda: command("-time"), timeout=30):
                break
            daemon.kill()
            daemon.wait()
        else:
            self.fail(pathlib.Path(log.name).read_text()[-500:])
        self.assertTrue(command("-activate"))
        self.assertTrue(poll(lambda: display.shot().bodies() == {"blue", "magenta"}))
        [pid] = living(program)
        self.assertTrue(command("-deactivate"))

        def ended():
            try:
                reaped, status = os.waitpid(pid, os.WNOHANG)
                return reaped and ("exit status", os.waitstatus_to_exitcode(status))
            except ChildProcessError:  # not ours yet, or reaped by the daemon
                return not os.path.exists("/proc/%d" % pid) and ("gone", 0)
        end = poll(ended, timeout=10)
        self.assertEqual(0, end and end[1], end)
        self.assertEqual([], living(program), "no leftover process")
