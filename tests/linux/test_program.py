"""The Linux program under Xvfb: its command line, its own window, full screen, other
programs' windows, its cries, and the bears' size on dense screens."""
import ctypes
import glob
import os
import pathlib
import signal
import subprocess
import tempfile
import time
import unittest

from harness import BEAR_PIXELS, Display, changed, poll

BIN = os.environ.get("POLKAMOOT_LINUX_BIN", "build/linux")
PROGRAM = os.path.join(BIN, "polkamoot")
X11 = ctypes.CDLL("libX11.so.6")
for name, restype, argtypes in (
        ("XOpenDisplay", ctypes.c_void_p, [ctypes.c_char_p]),
        ("XDefaultRootWindow", ctypes.c_ulong, [ctypes.c_void_p]),
        ("XCreateSimpleWindow", ctypes.c_ulong, [ctypes.c_void_p, ctypes.c_ulong] + [
            ctypes.c_int] * 2 + [ctypes.c_uint] * 3 + [ctypes.c_ulong] * 2),
        ("XMapWindow", ctypes.c_int, [ctypes.c_void_p, ctypes.c_ulong]),
        ("XSync", ctypes.c_int, [ctypes.c_void_p, ctypes.c_int]),
        ("XCloseDisplay", ctypes.c_int, [ctypes.c_void_p])):
    getattr(X11, name).restype, getattr(X11, name).argtypes = restype, argtypes


def setUpModule():
    global display
    display = Display()


def tearDownModule():
    display.close()


def saver(*args, env=None):
    return display.start([PROGRAM, *args], env=env, stderr=subprocess.PIPE)


def showing(expected, window="root"):
    """The first screenshot that shows exactly those colorings; None if none does."""
    return poll(lambda: (shot := display.shot(window)).bodies() == expected and shot) or None


def stop(process, sig=signal.SIGTERM):
    process.send_signal(sig)
    return process.wait(10)


connections = []  # the test's own, each closed at its end at the latest


def foreign_window(width, height, background=0, left=0, top=0):
    """A window of another X client, as xscreensaver hands one over; closing the connection
    that made it destroys it."""
    connection = X11.XOpenDisplay(display.name.encode())
    assert connection, "no connection to " + display.name
    connections.append(connection)
    window = X11.XCreateSimpleWindow(connection, X11.XDefaultRootWindow(connection), left, top,
                                     width, height, 0, 0, background)
    X11.XMapWindow(connection, window)
    X11.XSync(connection, 0)
    return connection, window


def disconnect(connection):
    connections.remove(connection)
    X11.XCloseDisplay(connection)


class Program(unittest.TestCase):
    def tearDown(self):
        display.end_programs()
        for connection in connections[:]:
            disconnect(connection)

    def test_bad_options_values_and_windows_end_in_one_line_with_status_2_or_1(self):
        for args, named, env in (
                (["-minutes", "0"], "-minutes", {}), (["--minutes", "61"], "-minutes", {}),
                (["-minutes"], "-minutes", {}), (["-window-id", "0x"], "-window-id", {}),
                (["-fullscreen", "-root"], "-fullscreen", {}), (["-purple"], "-purple", {}),
                (["-scale", "0"], "-scale", {}), (["-scale", "9"], "-scale", {}),
                (["-root"], "XSCREENSAVER_WINDOW", {"XSCREENSAVER_WINDOW": "w1"}),
                (["-window-id", "0x7ffffff"], "0x7ffffff", {}),  # no such window: status 1
                (["-root"], "0x7ffffff", {"XSCREENSAVER_WINDOW": "0x7ffffff"})):
            run = subprocess.run([PROGRAM, *args], env=dict(display.env, **env),
                                 capture_output=True, text=True, timeout=10)
            status = 1 if named == "0x7ffffff" else 2
            self.assertEqual((status, 1), (run.returncode, len(run.stderr.splitlines())), args)
            self.assertTrue(run.stderr.startswith("polkamoot: ") and named in run.stderr)

    def test_an_uncovered_part_is_painted_again_black_with_the_bears_still_dancing(self):
        for own in (False, True):
            connection, window = (0, "root") if own else foreign_window(600, 450, 0xFFFFFF)
            process = saver(*([] if own else ["-window-id", hex(window)]), "-blue")
            self.assertTrue(showing({"blue"}, window), own)
            disconnect(foreign_window(300, 200, 0xFFFFFF, 100, 100)[0])  # a white cover
            repainted = poll(lambda: "other" not in (shot := display.shot(window)).colors()
                             and shot, timeout=5)
            self.assertTrue(repainted, "the uncovered part is left as it was: %s" % own)
            self.assertTrue(changed(lambda: display.shot(window), repainted), "the bear dances")
            self.assertEqual(0, stop(process))
            if connection:
                disconnect(connection)

    def test_own_window_shows_the_colorings_dancing_without_trails_till_escape_or_q(self):
        for args, key in (([], "Escape"), (["--blue", "-green", "-magenta"], "q")):
            expected = {arg.strip("-") for arg in args} or {"red"}
            process = saver(*args)
            first = showing(expected)
            self.assertTrue(first, args)
            time.sleep(2)  # twenty steps, for anything left behind to add up
            later = changed(display.shot, first)
            self.assertTrue(later, "the bears move")
            self.assertLessEqual(sum(later.colors().values()), len(expected) * BEAR_PIXELS)
            display.xdotool("key", key)
            self.assertEqual(0, process.wait(10), (key, process.stderr.read()))

    def test_full_screen_ends_on_a_key_or_travel_over_four_pixels(self):
        for travel in ([], [(3, 1), (-1, 0)]):
            process = saver("-fullscreen", "-green")
            self.assertTrue(showing({"green"}))
            for step in travel:
                display.xdotool("mousemove_relative", "--", *step)
            self.assertRaises(subprocess.TimeoutExpired, process.wait, 1)
            display.xdotool(*(["mousemove_relative", "--", 2, 0] if travel else ["key", "a"]))
            self.assertEqual(0, process.wait(10))

    def test_window_id_draws_inside_refits_and_ends_quietly_with_the_window(self):
        connection, window = foreign_window(200, 150)
        process = saver("-window-id", hex(window), "-blue")
        self.assertTrue(showing({"blue"}, window))
        display.xdotool("windowsize", window, 600, 450)
        self.assertTrue(poll(lambda: display.shot(window).colors(200)), "the bear takes the room")
        disconnect(connection)
        self.assertEqual(0, process.wait(10))
        self.assertEqual(b"", process.stderr.read())

    def test_root_draws_on_the_root_or_xscreensaver_window_and_input_never_ends_it(self):
        for color in ("green", "magenta"):
            connection, window = foreign_window(300, 200) if color == "magenta" else (0, "root")
            env = {"XSCREENSAVER_WINDOW": str(window)} if connection else {}
            process = saver("-root", "-" + color, env=env)
            self.assertTrue(showing({color}, window), color)
            display.xdotool("mousemove", 100, 100, "click", 1, "key", "Escape")
            self.assertRaises(subprocess.TimeoutExpired, process.wait, 1)
            self.assertEqual(0, stop(process))

    def test_a_cry_after_an_edge_with_sound_and_silence_without(self):
        cries = [pathlib.Path(path).read_bytes() for path in glob.glob(os.path.join(
            os.path.dirname(__file__), "../../resources/sounds/*.wav"))]
        samples = [cry[cry.find(b"data") + 8:][:500] for cry in cries]
        with tempfile.TemporaryDirectory() as folder:
            written = [pathlib.Path(folder, name) for name in ("sound", "silent")]
            runs = [saver("-red", "-blue", "-green", "-yellow", "-magenta", *args, env={
                "SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": str(file)})
                for file, args in zip(written, (["-sound"], []))]
            start = time.monotonic()
            self.assertTrue(poll(lambda: written[0].exists() and any(
                sample in written[0].read_bytes() for sample in samples)), "a cry")
            time.sleep(max(0, start + 3 - time.monotonic()))  # the silent bears meet edges too
            self.assertEqual([0, 0], [stop(run) for run in runs])
            self.assertTrue(not written[1].exists() or not written[1].read_bytes().replace(
                b"\x80", b""), "silence")



def scale_of(shot):
    """How many times its size the one green bear shows: a bear's body has 3786 to 4885 pixels
    drawn as it is, k² times as many at k times its size."""
    count = shot.colors().get("green", 0)
    return next((k for k in range(1, 5) if 3786 * k * k <= count <= 4885 * k * k), 0)


class Scale(unittest.TestCase):
    def test_the_bears_grow_with_the_screen_with_xft_dpi_and_as_scale_says(self):
        for size, resources, args, expected in (((3840, 2160), "", [], 2),
                                                ((1920, 1080), "Xft.dpi: 192\n", [], 2),
                                                ((1920, 1080), "", ["-scale", "3"], 3)):
            screen = Display(*size)
            self.addCleanup(screen.close)
            if resources:
                subprocess.run(["xrdb", "-nocpp", "-merge"], input=resources, text=True,
                               env=screen.env, check=True)
            screen.start([PROGRAM, "-root", "-green", *args])
            # A screenshot of 3840 x 2160 and its count take seconds on a loaded machine.
            self.assertTrue(poll(lambda: scale_of(screen.shot()) == expected, timeout=60),
                            (size, resources, args, scale_of(screen.shot())))
            screen.close()


def holds(process, prefix):
    """Whether the running process has a file open whose name starts with prefix."""
    folder = "/proc/%d/fd" % process.pid
    for fd in os.listdir(folder):
        try:
            if os.readlink(os.path.join(folder, fd)).startswith(prefix):
                return True
        except FileNotFoundError:  # closed meanwhile
            pass
    return False


class SignalsSizesAndSound(unittest.TestCase):
    def tearDown(self):
        for process in display.processes:
            if process.poll() is None:
                process.kill()

    def test_term_hup_and_quit_end_it_cleanly_as_soon_as_it_connects(self):
        for sig in (signal.SIGTERM, signal.SIGHUP, signal.SIGQUIT):
            process = saver()
            # Its first socket is its connection to the X server: SDL has only begun.
            self.assertTrue(poll(lambda: holds(process, "socket:"), timeout=10, interval=0.001))
            self.assertEqual(0, stop(process, sig), sig.name)

    def test_a_window_larger_than_any_screen_ends_it_in_one_line_with_status_1(self):
        process = display.start(["prlimit", "--as=%d" % 2**31, PROGRAM, "-blue"],
                                stderr=subprocess.PIPE, text=True)
        self.assertTrue(showing({"blue"}))
        display.xdotool("search", "--name", "^Polkamoot$", "windowsize", 30000, 30000)
        self.assertEqual(1, process.wait(10))
        self.assertRegex(process.stderr.read(), r"^polkamoot: .*30000 x 30000[^\n]*\n$")

    def test_a_scale_too_large_for_the_window_gives_the_largest_that_fits(self):
        process = saver("-green", "-scale", "8")
        self.assertTrue(poll(lambda: scale_of(display.shot()) == 4), scale_of(display.shot()))
        self.assertEqual(0, stop(process))

    def test_the_audio_device_opens_only_for_a_cry_and_its_absence_is_said_once(self):
        process = saver("-sound", env={"SDL_AUDIODRIVER": "alsa", "ALSA_CONFIG_PATH": os.devnull})
        self.assertTrue(showing({"red"}))
        self.assertEqual(0, stop(process))
        self.assertEqual(b"polkamoot: sound is off: there is no audio device\n",
                         process.stderr.read())
        with tempfile.TemporaryDirectory() as folder:
            file = pathlib.Path(folder, "stream").resolve()
            process = saver("-sound", env={"SDL_AUDIODRIVER": "disk",
                                           "SDL_DISKAUDIOFILE": str(file)})
            self.assertTrue(poll(lambda: file.exists() and file.read_bytes().strip(b"\x80")),
                            "a cry")
            self.assertTrue(poll(lambda: not holds(process, str(file)), timeout=10),
                            "the device still open after the cry")
            self.assertEqual(0, stop(process))
