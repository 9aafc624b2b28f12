"""A dense screen: at 192 dots per inch the bears are twice the size, in hard-edged blocks of
the colors the classic screen shows, and the configuration dialog shows every control whole."""
from harness import BEAR_PIXELS, BODY_PIXELS, WineTestCase, poll, wait_exit

FONTS = r"HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts"
DIALOG = ("#32770", "Polkamoot Version 1.4")
# Controls whose text starts at the left or sits in the middle, by class and the style's low bits.
TEXT_CONTROLS = {("Button", 0x3), ("Static", 0x0), ("Static", 0x1)}


class DoubleDensity(WineTestCase):
    screen = (1920, 1080)

    def set_density(self, dpi):
        """Read by every program that starts after it."""
        for key in (r"HKCU\Control Panel\Desktop", FONTS):
            self.wine.run("reg", "add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d", dpi, "/f")

    def blue_bear(self):
        process = self.wine.saver("/s")
        shot = poll(lambda: (shot := self.wine.shot()).bodies() == {"blue"} and shot, timeout=90)
        self.wine.xdotool("key", "Escape")
        self.assertEqual(0, wait_exit(process))
        self.assertTrue(shot, "the bear never appeared")
        return shot

    def test_bears_are_twice_the_size_in_blocks_of_two_by_two_of_the_classic_colors(self):
        self.wine.write_profile("Red=0\r\nBlue=1\r\n")
        classic = self.blue_bear().colors()
        self.set_density(192)
        dense = self.blue_bear()
        self.assertLessEqual(set(dense.colors()), set(classic), "no color blended in")
        self.assertGreater(dense.colors()["blue"], 4 * BODY_PIXELS)
        self.assertLessEqual(sum(dense.colors().values()), 4 * BEAR_PIXELS)
        row = dense.width * 3
        for y in range(0, dense.height, 2):
            top, bottom = dense.rgb[y * row:(y + 1) * row], dense.rgb[(y + 1) * row:(y + 2) * row]
            self.assertEqual(top, bottom, "row %d" % y)
            self.assertTrue(all(top[x:x + 3] == top[x + 3:x + 6] for x in range(0, row, 6)), y)

    def test_the_dialog_holds_every_control_and_no_text_reaches_its_edge(self):
        self.set_density(192)
        process = self.wine.saver("/c")
        dialog, *controls = self.wine.driver("find", *DIALOG, "controls")
        shot = self.wine.shot()
        self.wine.driver("find", *DIALOG, "click", 2, "gone")
        self.assertEqual(0, wait_exit(process))
        frame = [int(dialog[key]) for key in ("left", "top", "right", "bottom")]
        self.assertGreater(frame[2] - frame[0], 500, "340 pixels wide at 96 dots per inch")

        def ink(x, top, bottom):
            """Whether the column holds anything but the colour at its middle."""
            at = [(y * shot.width + x) * 3 for y in range(top, bottom)]
            middle = at[len(at) // 2]
            return any(shot.rgb[a:a + 3] != shot.rgb[middle:middle + 3] for a in at)

        for control in controls:
            left, top, right, bottom = (int(control[key]) for key in (
                "left", "top", "right", "bottom"))
            self.assertTrue(frame[0] <= left < right <= frame[2] and
                            frame[1] <= top < bottom <= frame[3], control)
            if (control["class"], int(control["style"], 16) & 0xF) in TEXT_CONTROLS:
                self.assertFalse(ink(right - 1, top, bottom), "cut off: %s" % control["text"])
