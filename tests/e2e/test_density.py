"""A dense screen: at 192 dots per inch the bears are twice the size, in hard-edged blocks of
the colors the classic screen shows; and the configuration dialog in every language shows every
control whole, on a classic screen and on a dense one."""
import itertools

from harness import BEAR_PIXELS, BODY_PIXELS, WineTestCase, poll, wait_exit
from languages import LOCALES, speaking

# Controls whose text starts at the left or sits in the middle, by class and the style's low bits.
TEXT_CONTROLS = {("Button", 0x3), ("Static", 0x0), ("Static", 0x1)}
SS_ICON = 0x3


class DoubleDensity(WineTestCase):
    screen = (1920, 1080)

    def density(self, dpi):
        for key in (r"HKCU\Control Panel\Desktop",
                    r"HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts"):
            self.wine.run("reg", "add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d", dpi, "/f")

    def blue_bear(self, dpi):
        """A screenshot of the saver, started at that density, showing its one blue bear."""
        self.density(dpi)
        process = self.wine.saver("/s")
        shot = poll(lambda: (shot := self.wine.shot()).bodies() == {"blue"} and shot, timeout=90)
        self.wine.xdotool("key", "Escape")
        self.assertEqual((0, True), (wait_exit(process), bool(shot)))
        return shot

    def test_bears_twice_the_size_in_blocks_of_the_classic_colors(self):
        self.wine.write_profile("Red=0\r\nBlue=1\r\n")
        classic, dense = self.blue_bear(96).colors(), self.blue_bear(192)
        self.assertLessEqual(set(dense.colors()), set(classic), "no color blended in")
        self.assertGreater(dense.colors()["blue"], 4 * BODY_PIXELS)
        self.assertLessEqual(sum(dense.colors().values()), 4 * BEAR_PIXELS)
        self.assertTrue(dense.in_blocks(2), "hard edges")

    def test_the_dialog_whole_in_every_language_on_classic_and_dense_screens(self):
        for dpi, language in itertools.product((96, 192), [None, *LOCALES]):
            if language is None:  # English, first at each density
                self.density(dpi)
            with speaking(self.wine, language) as tr:
                caption = tr("Polkamoot Version 1.4")
                process = self.wine.saver("/c")
                dialog, *controls = self.wine.driver("find", "#32770", caption, "controls")
                shot = self.wine.shot()
                self.wine.driver("find", "#32770", caption, "click", 2, "gone")
                self.assertEqual(0, wait_exit(process))
            self.assert_whole(dialog, controls, shot, "%s at %d" % (language or "en", dpi))
            if (language, dpi) == (None, 192):
                self.assertGreater(int(dialog["right"]) - int(dialog["left"]), 500,
                                   "340 pixels wide at 96 dots per inch")

    def assert_whole(self, dialog, controls, shot, where):
        """Every control inside the dialog, none over another but a frame over what it holds,
        and every text in its control. The icon's window takes the system's icon size, whatever
        the template says, and overlaps nothing it draws over."""
        frame = [int(dialog[key]) for key in ("left", "top", "right", "bottom")]
        boxes = []
        for control in controls:
            left, top, right, bottom = box = [int(control[k]) for k in ("left", "top", "right",
                                                                        "bottom")]
            what = "%s: %s" % (where, control["text"])
            self.assertTrue(frame[0] <= left < right <= frame[2] and
                            frame[1] <= top < bottom <= frame[3], what)
            kind = (control["class"], int(control["style"], 16) & 0xF)
            if kind != ("Static", SS_ICON):
                boxes.append(box)
            if kind in TEXT_CONTROLS:
                # Text that meets the right edge was cut there: its last column is one colour.
                edge = {shot.rgb[at:at + 3] for at in ((y * shot.width + right - 1) * 3
                                                       for y in range(top, bottom))}
                self.assertEqual(1, len(edge), "cut off: " + what)
            if kind[0] == "Static" and kind in TEXT_CONTROLS:
                width, height = (int(n) for n in control["room"].split("x"))
                self.assertTrue(width <= right - left and height <= bottom - top,
                                "broken or cut: %s needs %s" % (what, control["room"]))
        for a, b in itertools.combinations(boxes, 2):
            inside = [min(a[0], b[0]), min(a[1], b[1]), max(a[2], b[2]), max(a[3], b[3])]
            # Touching edges may meet in one column: dialog units round to pixels one by one.
            apart = a[2] <= b[0] + 1 or b[2] <= a[0] + 1 or a[3] <= b[1] + 1 or b[3] <= a[1] + 1
            self.assertTrue(apart or inside in (a, b), "%s: %s over %s" % (where, a, b))
