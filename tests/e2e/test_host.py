"""The saver as the system starts it: exit codes, its windows, and what closes them."""
from harness import SAVER, WineTestCase, wait_exit


class Host(WineTestCase):
    def test_command_lines_without_a_window_exit_at_once(self):
        for args, code in ((["/x"], 255), (["/p", "0"], 255), (["/l", "77777"], 255),
                           (["/p:1234"], 255), (["/a"], 0), (["-A", "77777"], 0)):
            self.assertEqual(code, self.wine.run(self.wine.path("polkamoot.scr"), *args)[0], args)

    def full_screen(self):
        process = self.wine.saver("/s")
        [window] = self.wine.driver("find", *SAVER)
        self.assertTrue(self.wine.focus_on(SAVER[1]))
        return process, window

    def test_full_screen_is_a_topmost_popup_over_the_screen_that_input_closes(self):
        for close in (["key", "a"], ["click", 3], ["mousemove_relative", "--", 3, 1]):
            process, window = self.full_screen()
            self.assertEqual(("0x96000000", "0", "0", "800", "600"), tuple(window[key] for key in (
                "style", "left", "top", "right", "bottom")))
            self.assertTrue(int(window["exstyle"], 16) & 0x8, "topmost")
            self.wine.xdotool(*close)
            if close[0] == "mousemove_relative":
                self.assertIsNone(wait_exit(process, timeout=1.5), "4 pixels of travel")
                self.wine.xdotool("mousemove_relative", "--", 0, 1)
            self.assertEqual(0, wait_exit(process), close)

    def test_second_saver_brings_the_first_forward_and_exits_at_once(self):
        process, window = self.full_screen()
        self.assertEqual(0, self.wine.run(self.wine.path("polkamoot.scr"), "/s")[0])
        [again] = self.wine.driver("find", *SAVER)
        self.assertEqual((window["hwnd"], "1"), (again["hwnd"], again["foreground"]))
        self.assertIsNone(wait_exit(process, timeout=1))
        self.wine.xdotool("key", "Escape")
        self.assertEqual(0, wait_exit(process))

    def test_preview_fills_its_page_survives_input_and_ends_with_it(self):
        page, child, alive, end = self.wine.driver(
            "page", 152, 112, "launch", '"%s" /p %%w' % self.wine.path("polkamoot.scr"),
            "child", SAVER[0], "pester", "end")
        self.assertEqual(("Preview", "0x52000000", "152", "112", page["hwnd"]), tuple(
            child[key] for key in ("title", "style", "width", "height", "parent")))
        self.assertEqual({"alive": "1"}, alive)
        self.assertEqual({"ended": "1", "exit_code": "0"}, end)
