"""A dense screen: at 192 dots per inch the bears are twice the size, in hard-edged blocks of
the colors the classic screen shows, and the configuration dialog shows every control whole."""
from harness import BEAR_PIXELS, BODY_PIXELS, WineTestCase, poll, wait_exit

# Controls whose text starts at the left or sits in the middle, by class and the style's low bits.
TEXT_CONTROLS = {("Button", 0x3), ("Static", 0x0), ("Static", 0x1)}


class DoubleDensity(WineTestCase):
    screen = (1920, 1080)

    def blue_bear(self, dpi):
        """A screenshot of the saver, started at that density, showing its one blue bear."""
        for key in (r"HKCU\Control Panel\Desktop",
                    r"HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts"):
            self.wine.run("reg", "add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d", dpi, "/f")
        process = self.wine.saver("/s")
        shot = poll(lambda: (shot := self.wine.shot()).bodies() == {"blue"} and shot, timeout=90)
        self.wine.xdotool("key", "Escape")
        self.assertEqual((0, True), (wait_exit(process), bool(shot)))
        return shot

    def test_bears_twice_the_size_in_blocks_of_the_classic_colors_and_the_dialog_whole(self):
        self.wine.write_profile("Red=0\r\nBlue=1\r\n")
        classic, dense = self.blue_bear(96).colors(), self.blue_bear(192)
        self.assertLessEqual(set(dense.colors()), set(classic), "no color blended in")
        self.assertGreater(dense.colors()["blue"], 4 * BODY_PIXELS)
        self.assertLessEqual(sum(dense.colors().values()), 4 * BEAR_PIXELS)
        self.assertTrue(dense.in_blocks(2), "hard edges")

        process = self.wine.saver("/c")
        dialog, *controls = self.wine.driver("find", "#32770", "Polkamoot Version 1.4", "controls")
        shot = self.wine.shot()
        self.wine.driver("find", "#32770", "Polkamoot Version 1.4", "click", 2, "gone")
        self.assertEqual(0, wait_exit(process))
        frame = [int(dialog[key]) for key in ("left", "top", "right", "bottom")]
        self.assertGreater(frame[2] - frame[0], 500, "340 pixels wide at 96 dots per inch")
        for control in controls:
            left, top, right, bottom = (int(control[k]) for k in ("left", "top", "right", "bottom"))
            self.assertTrue(frame[0] <= left < right <= frame[2] and
                            frame[1] <= top < bottom <= frame[3], control)
            if (control["class"], int(control["style"], 16) & 0xF) in TEXT_CONTROLS:
                # Text that meets the right edge was cut there: its last column is one colour.
                edge = {shot.rgb[at:at + 3] for at in ((y * shot.width + right - 1) * 3
                                                       for y in range(top, bottom))}
                self.assertEqual(1, len(edge), "cut off: %s" % control["text"])
