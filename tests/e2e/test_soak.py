"""A long run of the real saver: five bears, then Random mode changing colors every minute, with
small mouse moves that must not close it and a password library that refuses the first close
requests. The process must not grow, must keep its ten ticks a second, and must end with 0.

POLKAMOOT_SOAK_SECONDS sets the length of each run (default 40; Random mode runs at least 70 so
that its colors change at least once): `POLKAMOOT_SOAK_SECONDS=1800 ctest --preset win64 -R soak`.
"""
import os
import time
import unittest

from harness import PasswordedSaver, WineTestCase, wait_exit

SECONDS = float(os.environ.get("POLKAMOOT_SOAK_SECONDS", "40"))
REFUSALS = 3
SECTION = "[ScreenSaver.Polkamoot]\r\n"
FIVE_BEARS = SECTION + "Red=1\r\nBlue=1\r\nGreen=1\r\nYellow=1\r\nMagenta=1\r\nRandom=0\r\n"
RANDOM_EVERY_MINUTE = SECTION + "Random=1\r\nMinutes=1\r\n"
GROWTH_LIMIT_KB = 2048
BODY_COLORS = {(255, 0, 0): "red", (0, 0, 255): "blue", (0, 255, 0): "green",
               (255, 255, 0): "yellow", (255, 0, 255): "magenta", (0, 255, 255): "cyan"}


def resident_kb(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


class Soak(WineTestCase):
    runs = 0

    def body_color(self):
        """The bright color most of the screen's bear pixels have."""
        _, _, rgb = self.wine.screenshot()
        counts = {}
        for at in range(0, len(rgb), 3 * 7):  # every seventh pixel is plenty
            name = BODY_COLORS.get(tuple(rgb[at:at + 3]))
            if name:
                counts[name] = counts.get(name, 0) + 1
        return max(counts, key=counts.get) if counts else None

    def soak(self, profile, seconds):
        """Runs the saver for that long; returns the body colors seen along the way."""
        Soak.runs += 1
        saver_folder = PasswordedSaver(self.wine, "soak%d" % self.runs,
                                       script="0 " * REFUSALS + "1")
        with open(os.path.join(self.wine.windows_dir, "control.ini"), "w", newline="") as file:
            file.write(profile)

        saver = self.wine.start(saver_folder.scr, "/s")
        self.wine.driver("find", "WindowsScreenSaverClass", "Screen Saver", "30000")
        time.sleep(3)  # past the start-up
        samples, colors = [], []
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            for step in (2, -1, -1):  # never more than 2 pixels from where it started
                self.wine.xdotool("mousemove_relative", "--", step, 0)
            samples.append(resident_kb(saver.pid))
            colors.append(self.body_color())
            time.sleep(2)
        self.assertIsNone(saver.poll(), "the saver ended by itself")

        for _ in range(REFUSALS + 1):
            self.wine.xdotool("key", "a")
            time.sleep(0.5)
        self.assertEqual(0, wait_exit(saver))

        entries = saver_folder.log()
        calls = saver_folder.verifications()
        self.assertEqual(REFUSALS + 1, len(calls))
        first = calls[0]
        ticks_per_second = int(first["frames"]) * 1000 / (
            int(first["tick"]) - int(entries[0]["tick"]))
        warm = samples[len(samples) // 4:]
        growth = max(warm) - warm[0]
        print("\n%.0f s: %.2f ticks a second, resident %d kB, growth %d kB after warm-up" %
              (seconds, ticks_per_second, warm[0], growth))
        self.assertLess(growth, GROWTH_LIMIT_KB)
        self.assertGreater(int(first["frames"]), 0)
        return colors

    def test_five_bears(self):
        self.soak(FIVE_BEARS, SECONDS)

    def test_random_mode_changing_every_minute(self):
        colors = self.soak(RANDOM_EVERY_MINUTE, max(SECONDS, 70))
        changes = sum(1 for a, b in zip(colors, colors[1:]) if a and b and a != b)
        self.assertGreaterEqual(changes, 1, colors)


if __name__ == "__main__":
    unittest.main()
