"""The full-screen saver as a user sees it: each bear in its own coloring, dancing."""
import time

from harness import BEAR_PIXELS, WineTestCase, changed, poll, wait_exit


class BlueAndMagenta(WineTestCase):
    def test_each_bear_wears_its_coloring_and_nothing_of_the_stored_one_and_they_move(self):
        self.wine.write_profile("Red=0\r\nBlue=1\r\nMagenta=1\r\n")
        process = self.wine.saver("/s")
        first = poll(lambda: (shot := self.wine.shot()).bodies() == {"blue", "magenta"} and shot,
                     timeout=90)
        self.assertTrue(first, "the bears never appeared")
        time.sleep(2)  # twenty steps, for anything left behind to add up
        later = changed(self.wine.shot, first)
        self.wine.xdotool("key", "Escape")
        self.assertEqual(0, wait_exit(process))

        colors = first.colors()
        # Blue and dark blue bodies, yellow collars; magenta bodies, cyan collars.
        self.assertEqual({"blue", "dark blue", "yellow", "dark yellow", "magenta", "dark magenta",
                          "cyan", "dark cyan"}, set(colors), colors)
        self.assertLessEqual(sum(colors.values()), 2 * BEAR_PIXELS, "two whole bears at most")
        self.assertTrue(later, "they move")
        self.assertLessEqual(sum(later.colors().values()), 2 * BEAR_PIXELS, "no trails")
