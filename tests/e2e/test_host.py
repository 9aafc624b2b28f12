"""The saver as the system starts it: exit codes, its windows, and what closes them."""
import time
import unittest

from harness import SCREEN, WineTestCase, wait_exit

SAVER_CLASS = "WindowsScreenSaverClass"


class CommandLines(WineTestCase):
    def test_unusable_text_and_preview_handles_exit_with_minus_one(self):
        for args in (["/x"], ["-?"], ["/p"], ["/p", "0"], ["/p:1234"], ["/p", "4000000000"],
                     ["/l", "77777"]):
            with self.subTest(args=args):
                self.assertEqual(255, self.wine.run_saver(*args))

    def test_change_password_exits_with_zero_whatever_the_handle(self):
        for args in (["/a"], ["/a", "0"], ["-A", "77777"]):
            with self.subTest(args=args):
                self.assertEqual(0, self.wine.run_saver(*args, timeout=30))


class FullScreen(WineTestCase):
    def start(self):
        process = self.wine.saver("/s")
        [window] = self.wine.driver("find", SAVER_CLASS, "Screen Saver", "20000")
        time.sleep(0.5)  # let the window take the input focus
        return process, window

    def assert_closes(self, process):
        self.assertEqual(0, wait_exit(process))

    def assert_stays(self, process):
        self.assertIsNone(wait_exit(process, timeout=1.5))

    def test_window_is_a_visible_topmost_popup_covering_the_screen(self):
        process, window = self.start()
        self.assertEqual("0x96000000", window["style"])
        self.assertTrue(int(window["exstyle"], 16) & 0x8, window)
        self.assertEqual("1", window["visible"])
        self.assertEqual(("0", "0", str(SCREEN[0]), str(SCREEN[1])),
                         (window["left"], window["top"], window["right"], window["bottom"]))
        self.wine.xdotool("key", "space")
        self.assert_closes(process)

    def test_a_key_closes(self):
        process, _ = self.start()
        self.wine.xdotool("key", "a")
        self.assert_closes(process)

    def test_a_button_closes(self):
        process, _ = self.start()
        self.wine.xdotool("click", "3")
        self.assert_closes(process)

    def test_mouse_travel_of_four_pixels_stays_and_five_closes(self):
        process, _ = self.start()
        self.wine.xdotool("mousemove_relative", "--", "3", "1")
        self.assert_stays(process)
        self.wine.xdotool("mousemove_relative", "--", "0", "1")
        self.assert_closes(process)

    def test_second_saver_brings_the_first_forward_and_exits_at_once(self):
        process, window = self.start()
        self.assertEqual(0, self.wine.run_saver("/s", timeout=20))
        [savers] = self.wine.driver("savers")
        self.assertEqual("1", savers["count"])
        self.assertEqual(window["hwnd"], savers["foreground"])
        self.assert_stays(process)
        self.wine.xdotool("key", "Escape")
        self.assert_closes(process)


class Preview(WineTestCase):
    def test_preview_fills_its_page_survives_input_and_ends_with_it(self):
        lines = self.wine.driver("preview", self.wine.path("polkamoot.scr"), "152", "112")
        child = next(line for line in lines if line.get("class") == SAVER_CLASS)
        self.assertEqual("Preview", child["title"])
        self.assertEqual("0x52000000", child["style"])
        self.assertEqual(("152", "112"), (child["client_right"], child["client_bottom"]))
        self.assertEqual(lines[0]["parent"], child["parent"])
        after = next(line for line in lines if "alive_after_input" in line)
        self.assertEqual("1", after["alive_after_input"])
        self.assertEqual("Preview", after["title_after"])
        self.assertEqual(("1", "1"), (after["context_menus"], after["naming_parent"]))
        end = lines[-1]
        self.assertEqual(("1", "0"), (end["exited"], end["exit_code"]))


if __name__ == "__main__":
    unittest.main()
