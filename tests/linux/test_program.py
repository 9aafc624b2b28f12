"""The Linux program under Xvfb: its command line, its own window, the full-screen saver,
drawing into another program's window, the cries, and what cmake --install lays out."""
import os
import signal
import subprocess
import tempfile
import time
import unittest
import xml.etree.ElementTree as ElementTree

from harness import (BEAR_PIXELS, BODIES, PROGRAM, Display, poll_until, stop)

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
CRIES = ["snd_ow", "snd_ooh", "snd_mmm", "snd_hey", "snd_ooh2"]


def setUpModule():
    global display
    display = Display(800, 600)


def tearDownModule():
    display.close()


def bodies_shown(expected, window="root"):
    """Waits until exactly those colorings show; returns the last screenshot."""
    shots = []
    poll_until(lambda: shots.append(display.shot(window)) or shots[-1].bodies() == expected)
    return shots[-1]


class CommandLine(unittest.TestCase):
    def test_bad_options_and_values_are_refused_with_status_2(self):
        cases = [(["-minutes", "0"], "-minutes"), (["--minutes", "61"], "-minutes"),
                 (["-minutes", "5x"], "-minutes"), (["-minutes"], "-minutes"),
                 (["-window-id", "0x"], "-window-id"), (["--window-id"], "-window-id"),
                 (["-fullscreen", "-root"], "-fullscreen"), (["-purple"], "-purple"),
                 (["red"], "red")]
        for args, named in cases:
            run = subprocess.run([PROGRAM] + args, env=display.env, capture_output=True,
                                 text=True, timeout=10)
            self.assertEqual(2, run.returncode, args)
            self.assertEqual(1, len(run.stderr.splitlines()), run.stderr)
            self.assertIn(named, run.stderr)
        run = subprocess.run([PROGRAM, "-root"], env=dict(display.env, XSCREENSAVER_WINDOW="w1"),
                             capture_output=True, text=True, timeout=10)
        self.assertEqual(2, run.returncode)
        self.assertIn("XSCREENSAVER_WINDOW", run.stderr)

    def test_help_lists_every_option(self):
        run = subprocess.run([PROGRAM, "--help"], capture_output=True, text=True, timeout=10)
        self.assertEqual(0, run.returncode)
        for option in ["-red", "-blue", "-green", "-yellow", "-magenta", "-random", "-minutes",
                       "-sound", "-root", "-window-id", "-fullscreen"]:
            self.assertIn(option, run.stdout)


class OwnWindow(unittest.TestCase):
    def test_shows_the_chosen_colorings_dancing_without_trails(self):
        for args, expected in [([], {"red"}), (["--blue", "-green", "-magenta"],
                                               {"blue", "green", "magenta"})]:
            saver = display.saver(*args)
            first = bodies_shown(expected)
            self.assertEqual(expected, first.bodies(), args)
            time.sleep(2)  # twenty steps, for anything left behind to add up
            later = display.shot()
            self.assertNotEqual(first.rgb, later.rgb, "the bears move")
            self.assertLessEqual(later.lit(), len(expected) * BEAR_PIXELS, "nothing left behind")
            self.assertEqual(0, stop(saver))

    def test_escape_q_and_the_signals_end_it_with_0(self):
        for key in ["Escape", "q", signal.SIGTERM, signal.SIGINT]:
            saver = display.saver("-yellow")
            bodies_shown({"yellow"})
            if isinstance(key, str):
                display.xdotool("key", key)
                self.assertEqual(0, saver.wait(5), key)
            else:
                self.assertEqual(0, stop(saver, key), key)

    def test_refits_when_resized(self):
        saver = display.saver("-red")
        bodies_shown({"red"})
        display.xdotool("search", "--sync", "--name", "Polkamoot", "windowsize", "%1", 150, 110)
        small = poll_until(lambda: 0 < display.shot().count(BODIES["red"]) < 500, timeout=5)
        self.assertTrue(small, "a bear shrunk to the window")
        display.xdotool("search", "--name", "Polkamoot", "windowsize", "%1", 700, 500)
        bodies_shown({"red"})
        self.assertEqual(0, stop(saver))


class FullScreen(unittest.TestCase):
    """As the Windows saver in /s: a key, a button or mouse travel over 4 pixels ends it."""

    def test_input_ends_it_small_moves_do_not(self):
        for action in [["key", "a"], ["click", "1"], ["click", "3"]]:
            saver = display.saver("-fullscreen", "-green")
            bodies_shown({"green"})
            display.xdotool(*action)
            self.assertEqual(0, saver.wait(5), action)

        saver = display.saver("-fullscreen", "-green")
        bodies_shown({"green"})
        display.xdotool("mousemove_relative", "--", 3, 1)
        display.xdotool("mousemove_relative", "--", -1, 0)
        self.assertRaises(subprocess.TimeoutExpired, saver.wait, 1)
        display.xdotool("mousemove_relative", "--", 2, 0)
        self.assertEqual(0, saver.wait(5), "5 pixels from where it started")


class ForeignWindow(unittest.TestCase):
    """Into a window of another program, as xscreensaver and its settings hand one over."""

    def test_window_id_draws_inside_refits_and_ends_with_the_window(self):
        owner, window = display.plain_window(400, 300)
        saver = display.saver("-window-id", hex(window), "-blue", "-yellow")
        bodies_shown({"blue", "yellow"}, window)
        display.xdotool("windowsize", window, 150, 110)
        small = poll_until(lambda: 0 < display.shot(window).count(BODIES["blue"]) < 500)
        self.assertTrue(small, "the bears shrunk to the window")
        owner.kill()
        self.assertEqual(0, saver.wait(5))
        self.assertEqual(b"", saver.stderr.read(), "gone quietly")

    def test_root_draws_on_xscreensaver_window_or_else_the_root(self):
        owner, window = display.plain_window(300, 200)
        saver = display.saver("-root", "-magenta", env={"XSCREENSAVER_WINDOW": str(window)})
        bodies_shown({"magenta"}, window)
        display.xdotool("mousemove", 100, 100, "click", 1, "key", "Escape")
        self.assertRaises(subprocess.TimeoutExpired, saver.wait, 1)  # input never closes it
        self.assertEqual(0, stop(saver))
        owner.kill()

        saver = display.saver("--root", "-green")
        bodies_shown({"green"})
        self.assertEqual(0, stop(saver))


class Cries(unittest.TestCase):
    """Through SDL's disk audio driver, which writes what it plays to a file."""

    def test_a_cry_after_an_edge_with_sound_silence_without(self):
        samples = []
        for name in CRIES:
            with open(os.path.join(ROOT, "resources", "sounds", name + ".wav"), "rb") as wave:
                image = wave.read()
            data = image.find(b"data") + 8
            samples.append(image[data:data + 500])
        with tempfile.TemporaryDirectory() as folder:
            for args, cries in [(["-sound"], True), ([], False)]:
                written = os.path.join(folder, "written%d" % len(args))
                saver = display.saver("-red", "-blue", "-green", "-yellow", "-magenta", *args, env={
                    "SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": written})

                def heard():
                    if not os.path.exists(written):
                        return False
                    with open(written, "rb") as audio:
                        played = audio.read()
                    return any(sample in played for sample in samples)
                self.assertEqual(cries, bool(poll_until(heard, timeout=20 if cries else 5)))
                self.assertEqual(0, stop(saver))
                if not cries and os.path.exists(written):
                    with open(written, "rb") as audio:
                        self.assertEqual(b"", audio.read().replace(b"\x80", b""), "silence")


class Installation(unittest.TestCase):
    def test_program_and_settings_go_where_xscreensaver_looks(self):
        with tempfile.TemporaryDirectory() as prefix:
            subprocess.run([os.environ.get("CMAKE_COMMAND", "cmake"), "--install",
                            os.path.dirname(PROGRAM), "--prefix", prefix], check=True,
                           capture_output=True)
            program = os.path.join(prefix, "libexec", "xscreensaver", "polkamoot")
            settings = ElementTree.parse(
                os.path.join(prefix, "share", "xscreensaver", "config", "polkamoot.xml"))
            self.assertEqual("polkamoot", settings.getroot().get("name"))
            args = [element.get("arg-set") or element.get("arg").replace("%", "60")
                    for element in settings.iter() if element.get("arg-set") or element.get("arg")]
            self.assertEqual(1 + 5 + 2 + 1, len(args), "-root, colors, sound, random, minutes")
            run = subprocess.run([program] + " ".join(args).split() + ["--help"],
                                 capture_output=True, timeout=10)
        self.assertEqual(0, run.returncode, "the program takes every option the settings give")


if __name__ == "__main__":
    unittest.main()
