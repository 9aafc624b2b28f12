"""The full-screen saver on two monitors: one wide display split into two RandR monitors, the
primary on the right, so that the virtual screen begins left of the primary's origin."""
import os
import subprocess
import unittest

from harness import WineTestCase, poll_until, wait_exit
from test_animation import census

SECONDARY = 800  # display columns left of this are the secondary monitor, Wine's x below 0
FIVE_BEARS = "[ScreenSaver.Polkamoot]\r\nRed=1\r\nBlue=1\r\nGreen=1\r\nYellow=1\r\nMagenta=1\r\n"
SPRITE_AREA = 148 * 127


def bears(shot, left, right):
    """How many colour bytes between those display columns are the bears' own, 0x80 or 0xFF
    (grey50 of the bare display is 0x7F)."""
    width, height, data = shot
    count = 0
    for y in range(height):
        row = data[(y * width + left) * 3:(y * width + right) * 3]
        count += row.count(0x80) + row.count(0xFF)
    return count


class TwoMonitors(WineTestCase):
    screen = (1824, 768)

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        wine = cls.wine
        for monitor in (["*P", "1024/270x768/203+800+0", "screen"],
                        ["S", "800/211x600/159+0+0", "none"]):
            subprocess.run(["xrandr", "--setmonitor", *monitor], env=wine.env, check=True,
                           stdout=subprocess.DEVNULL)
        # Grey where no window covers the display.
        subprocess.run(["xsetroot", "-solid", "grey50"], env=wine.env, check=True)
        # Wine reads monitors from RandR's outputs, not its monitors, unless told otherwise;
        # and only when it starts.
        wine.reg_add(r"HKCU\Software\Wine\X11 Driver", "UseXRandR", "REG_SZ", "N")
        subprocess.run(["wineserver", "-k"], env=wine.env)
        subprocess.run(["wineserver", "-w"], env=wine.env)
        [cls.screens] = wine.driver("screens")
        with open(os.path.join(wine.windows_dir, "control.ini"), "w", newline="") as file:
            file.write(FIVE_BEARS)

        cls.process = wine.saver("/s")
        [cls.window] = wine.driver("find", "WindowsScreenSaverClass", "Screen Saver", "20000")

        def bears_shown():
            shot = wine.screenshot()
            return shot if bears(shot, 0, cls.screen[0]) else None

        seen = {"secondary": 0, "primary": 0}

        def on_both():
            shot = wine.screenshot()
            seen["secondary"] += bears(shot, 0, SECONDARY)
            seen["primary"] += bears(shot, SECONDARY, cls.screen[0])
            return all(seen.values())

        cls.first = poll_until(bears_shown, timeout=60)
        cls.on_both = poll_until(on_both, timeout=90, interval=0.5)
        # Onto the secondary monitor: travel in screen coordinates, across monitors, closes.
        wine.xdotool("mousemove", 100, 300)
        cls.exit_code = wait_exit(cls.process)

    def test_wine_reports_two_monitors_and_a_virtual_screen_left_of_the_primary(self):
        self.assertEqual({"monitors": "2", "left": "-800", "top": "0", "width": "1824",
                          "height": "768"}, self.screens)

    def test_window_covers_the_virtual_screen(self):
        self.assertEqual(("-800", "0", "1024", "768"), tuple(
            self.window[key] for key in ("left", "top", "right", "bottom")))
        self.assertEqual(("1824", "768"), (self.window["client_right"],
                                           self.window["client_bottom"]))

    def test_black_everywhere_but_the_bears(self):
        self.assertIsNotNone(self.first, "the bears never appeared")
        counts, _ = census(self.first)
        self.assertNotIn("other", counts, "something else shows")
        self.assertLessEqual(sum(counts.values()), 5 * SPRITE_AREA)

    def test_bears_dance_on_each_monitor_and_a_move_onto_the_other_ends_the_saver(self):
        self.assertTrue(self.on_both, "bears were not seen on both monitors")
        self.assertEqual(0, self.exit_code)


if __name__ == "__main__":
    unittest.main()
