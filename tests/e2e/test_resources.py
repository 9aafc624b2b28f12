"""The resources the Windows build carries, found by the names the saver asks for."""
import unittest

from harness import WineTestCase


class CarriedResources(WineTestCase):
    def setUp(self):
        self.lines = self.wine.driver("resources", self.wine.path("polkamoot.scr"))

    def test_frames_are_found_without_regard_to_case(self):
        frames = {line["bitmap"]: int(line["size"]) for line in self.lines if "bitmap" in line}
        self.assertEqual(10, len(frames))
        self.assertEqual({9756}, set(frames.values()), frames)
        self.assertIn("bear3L", frames)

    def test_every_cry_is_found_by_its_name(self):
        waves = {line["wave"]: int(line["size"]) for line in self.lines if "wave" in line}
        self.assertEqual(5, len(waves))
        self.assertTrue(all(size > 44 for size in waves.values()), waves)

    def test_strings_load(self):
        strings = {line["string"]: line["text"] for line in self.lines if "string" in line}
        self.assertEqual({"1": "Polkamoot", "1001": "control.ini", "1002": "ScreenSaver",
                          "1007": "ScreenSaver.Polkamoot"}, strings)


if __name__ == "__main__":
    unittest.main()
