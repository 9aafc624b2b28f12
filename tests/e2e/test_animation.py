"""The full-screen saver as a user sees it: the bears' colorings, their places, their dance."""
import os
import time
import unittest

from harness import WineTestCase, poll_until, wait_exit

COLORS = {
    (255, 0, 0): "red", (128, 0, 0): "dark red", (0, 255, 0): "green", (0, 128, 0): "dark green",
    (0, 0, 255): "blue", (0, 0, 128): "dark blue", (255, 255, 0): "yellow",
    (128, 128, 0): "dark yellow", (255, 0, 255): "magenta", (128, 0, 128): "dark magenta",
    (0, 255, 255): "cyan", (0, 128, 128): "dark cyan",
}
SPRITE = (148, 127)
STEP = 10


def census(shot):
    """Pixel count and bounding box (left, top, right, bottom; edges included) of each named
    color, and of all colors that have no name."""
    width, _, data = shot
    counts, boxes = {}, {}
    for offset in range(0, len(data), 3):
        rgb = (data[offset], data[offset + 1], data[offset + 2])
        if rgb == (0, 0, 0):
            continue
        name = COLORS.get(rgb, "other")
        x, y = (offset // 3) % width, (offset // 3) // width
        counts[name] = counts.get(name, 0) + 1
        left, top, right, bottom = boxes.get(name, (x, y, x, y))
        boxes[name] = (min(left, x), min(top, y), max(right, x), max(bottom, y))
    return counts, boxes


def union(boxes, names):
    found = [boxes[name] for name in names if name in boxes]
    return (min(b[0] for b in found), min(b[1] for b in found),
            max(b[2] for b in found), max(b[3] for b in found)) if found else None


class SaverOnScreen(WineTestCase):
    """Starts `.scr /s` with the class's profile and keeps two screenshots half a second
    apart, taken once every bear of `shapes` is on the screen."""

    profile = None
    shapes = {}

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        if cls.profile is not None:
            with open(os.path.join(cls.wine.windows_dir, "control.ini"), "w", newline="") as f:
                f.write("[ScreenSaver.Polkamoot]\r\n" + "".join(
                    "%s=%d\r\n" % item for item in cls.profile.items()))
        cls.process = cls.wine.saver("/s")

        def all_bears_shown():
            shot = cls.wine.screenshot()
            counts, boxes = census(shot)
            whole = all(box and box[2] - box[0] > 40 and box[3] - box[1] > 80
                        for box in (union(boxes, names) for names in cls.shapes.values()))
            return (shot, counts, boxes) if whole else None

        cls.first = poll_until(all_bears_shown, timeout=90)
        time.sleep(0.5)
        cls.second = cls.wine.screenshot()
        cls.wine.xdotool("key", "Escape")
        cls.exit_code = wait_exit(cls.process)

    def setUp(self):
        self.assertIsNotNone(self.first, "the bears never appeared")
        self.shot, self.counts, self.boxes = self.first

    def assert_colors(self, present, absent):
        for name in present:
            self.assertGreater(self.counts.get(name, 0), 0, name)
        for name in absent:
            self.assertNotIn(name, self.counts)

    def test_each_bear_is_one_sprite_sized_shape_clear_of_the_others(self):
        shapes = {bear: union(self.boxes, names) for bear, names in self.shapes.items()}
        # One step of slack: the screen may show a bear drawn anew before its strips are.
        for bear, (left, top, right, bottom) in shapes.items():
            self.assertLessEqual(right - left + 1, SPRITE[0] + STEP, bear)
            self.assertLessEqual(bottom - top + 1, SPRITE[1] + STEP, bear)
        placed = list(shapes.values())
        for i, a in enumerate(placed):
            for b in placed[i + 1:]:
                apart = a[2] < b[0] or b[2] < a[0] or a[3] < b[1] or b[3] < a[1]
                self.assertTrue(apart, (a, b))

    def test_half_a_second_later_the_screen_has_changed(self):
        self.assertNotEqual(self.shot[2], self.second[2])

    def test_a_key_still_closes_it(self):
        self.assertEqual(0, self.exit_code)


class BlueAndMagenta(SaverOnScreen):
    profile = {"Red": 0, "Blue": 1, "Magenta": 1}
    # Not blue itself for the blue bear: frame 4 of every bear keeps two blue pixels.
    shapes = {"blue": ["dark blue", "yellow", "dark yellow"],
              "magenta": ["magenta", "dark magenta", "cyan", "dark cyan"]}

    def test_each_bear_wears_its_own_coloring_and_nothing_of_the_stored_one(self):
        self.assert_colors(
            ["blue", "dark blue", "yellow", "dark yellow",
             "magenta", "dark magenta", "cyan", "dark cyan"],
            ["red", "dark red", "green", "dark green", "other"])


class NoProfile(SaverOnScreen):
    shapes = {"red": ["red", "dark red", "green", "dark green"]}

    def test_one_red_bear_with_a_green_collar(self):
        self.assert_colors(["red", "dark red", "green", "dark green"],
                           ["yellow", "dark yellow", "magenta", "dark magenta", "cyan",
                            "dark cyan", "dark blue", "other"])
        self.assertLessEqual(self.counts.get("blue", 0), 2)
        left, top, right, bottom = self.boxes["red"]
        g_left, g_top, g_right, g_bottom = self.boxes["green"]
        self.assertTrue(left <= g_left and g_right <= right and top <= g_top and
                        g_bottom <= bottom, "the collar is the bear's own")


del SaverOnScreen

if __name__ == "__main__":
    unittest.main()
