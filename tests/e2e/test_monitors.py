"""The full-screen saver on two monitors: one wide display split into two RandR monitors, the
primary on the right, so that the virtual screen begins left of the primary's origin."""
import subprocess

from harness import SAVER, WineTestCase, poll, wait_exit

SECONDARY = 800  # display columns left of this are the secondary monitor, Wine's x below 0


def bears(colors):
    return set(colors) - {"other"}


class TwoMonitors(WineTestCase):
    screen = (1824, 768)

    def test_window_covers_both_black_with_bears_on_each_and_travel_across_closes(self):
        # Wine reads the monitors once, when it starts.
        for monitor in (["*P", "1024/270x768/203+800+0", "screen"],
                        ["S", "800/211x600/159+0+0", "none"]):
            subprocess.run(["xrandr", "--setmonitor", *monitor], env=self.wine.env, check=True,
                           stdout=subprocess.DEVNULL)
        subprocess.run(["xsetroot", "-solid", "grey50"], env=self.wine.env, check=True)
        self.wine.write_profile("Red=1\r\nBlue=1\r\nGreen=1\r\nYellow=1\r\nMagenta=1\r\n")
        process = self.wine.saver("/s")
        [window] = self.wine.driver("find", *SAVER)
        self.assertEqual(("-800", "0", "1024", "768", "1824", "768"), tuple(window[key] for key in (
            "left", "top", "right", "bottom", "width", "height")))

        first = poll(lambda: bears((shot := self.wine.shot()).colors()) and shot, timeout=90)
        self.assertTrue(first, "the bears never appeared")
        self.assertNotIn("other", first.colors(), "black everywhere but the bears")
        seen = set()

        def on_both():
            shot = self.wine.shot()
            seen.update(side for side, columns in (("secondary", (0, SECONDARY)),
                                                   ("primary", (SECONDARY, None)))
                        if bears(shot.colors(*columns)))
            return len(seen) == 2

        self.assertTrue(poll(on_both, timeout=90, interval=0.5), seen)
        self.wine.xdotool("mousemove", 100, 300)  # onto the secondary monitor
        self.assertEqual(0, wait_exit(process))
