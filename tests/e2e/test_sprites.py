"""Sprite frames recolored on the real GDI, read back by color, on true-color and 16-bit displays."""
import unittest

from harness import WineTestCase

FRAMES = ["bear%d%s" % (number, side) for side in "RL" for number in range(1, 6)]


def parse(out):
    lines = []
    for line in out.splitlines():
        kind, _, rest = line.partition(" ")
        words = dict(word.split("=", 1) for word in rest.split() if "=" in word)
        lines.append((kind, words))
    return lines


class SpriteRecoloring(WineTestCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        code, out = cls.wine.run(cls.wine.path("sprite_check.exe"), timeout=120)
        cls.code = code
        cls.lines = parse(out)

    def of_kind(self, kind):
        return [words for line_kind, words in self.lines if line_kind == kind]

    def test_ran_to_the_end_on_the_display_asked_for(self):
        self.assertEqual(0, self.code)
        self.assertEqual("done", self.lines[-1][0])
        expected = "32" if self.depth == 24 else str(self.depth)
        self.assertEqual(expected, self.of_kind("display")[0]["bits"])

    def test_every_frame_in_every_coloring_has_exactly_the_expected_colors(self):
        recolorings = self.of_kind("recolor")
        stored = int(self.of_kind("stored")[0]["frames"])
        self.assertEqual(6 * (3 + stored), len(recolorings))
        for words in recolorings:
            with self.subTest(frame=words["frame"], map=words["map"]):
                self.assertEqual("1", words["made"])
                self.assertEqual("0", words["mismatches"])
                if words["map"] == "0":
                    self.assertEqual("1", words["unchanged"])

    def test_four_bit_values_are_standard_table_positions(self):
        for words in self.of_kind("values"):
            with self.subTest(frame=words["frame"]):
                self.assertEqual("1", words["made"])
                self.assertEqual("0", words["mismatches"])
                if words["frame"] in FRAMES:
                    seen = set(words["seen"].split(","))
                    if words["frame"][4] == "4":  # frame 4 may hold blue in its collar
                        seen.discard("12")
                    self.assertEqual({"0", "1", "2", "9", "10"}, seen)

    def test_chain_of_swaps_equals_the_direct_recoloring(self):
        chains = self.of_kind("chain")
        self.assertTrue(chains)
        for words in chains:
            self.assertEqual("0", words["mismatches"])

    def test_other_depths_convert_there_and_back_unchanged(self):
        conversions = self.of_kind("conversion")
        self.assertEqual(3, len(conversions))
        for words in conversions:
            with self.subTest(bits=words["bits"]):
                self.assertEqual("1", words["made"])
                self.assertEqual("0", words["mismatches"])

    def test_every_stored_frame_was_checked(self):
        self.assertEqual(len(FRAMES), int(self.of_kind("stored")[0]["frames"]))


class SpriteRecoloringOn16BitDisplay(SpriteRecoloring):
    depth = 16


if __name__ == "__main__":
    unittest.main()
