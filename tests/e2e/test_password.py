"""The password hooks with a stand-in for the platform's password library."""
import time
import unittest

from harness import PasswordedSaver, WineTestCase, wait_exit

SAVER_CLASS = "WindowsScreenSaverClass"


class PasswordHooks(WineTestCase):
    runs = 0

    def install(self, library="test_verifier.dll", script="1", use_password=1):
        PasswordHooks.runs += 1
        self.saver = PasswordedSaver(self.wine, "savers%d" % self.runs, library, script,
                                     use_password)

    def log(self):
        return self.saver.log()

    def verifications(self):
        return self.saver.verifications()

    def notice(self):
        return self.wine.driver("notice")[0]["running"]

    def start(self):
        process = self.wine.start(self.saver.scr, "/s")
        self.wine.driver("find", SAVER_CLASS, "Screen Saver", "20000")
        time.sleep(0.5)
        return process

    def test_refusal_keeps_the_saver_and_a_later_key_asks_again(self):
        self.install(script="0key 1")
        self.assertEqual("0", self.notice())
        process = self.start()
        self.assertEqual("1", self.notice())
        self.wine.xdotool("key", "a")
        time.sleep(1.0)
        # The key that arrived right behind the refusal asked nothing.
        self.assertEqual(1, len(self.verifications()))
        self.assertIsNone(wait_exit(process, timeout=0.5))
        self.wine.xdotool("key", "a")
        self.assertEqual(0, wait_exit(process))
        calls = self.verifications()
        self.assertEqual(2, len(calls))
        self.assertTrue(all(call["running"] == "1" for call in calls), calls)
        self.assertEqual("0", self.notice())

    def test_no_password_wanted_loads_nothing_and_the_first_key_closes(self):
        self.install(use_password=0)
        process = self.start()
        self.assertEqual("0", self.notice())
        self.wine.xdotool("key", "a")
        self.assertEqual(0, wait_exit(process))
        self.assertEqual([], self.log())

    def test_library_without_the_verifier_is_freed_and_the_notice_left_alone(self):
        self.install(library="test_no_verifier.dll")
        process = self.start()
        self.assertEqual("0", self.notice())
        self.assertEqual(["loaded", "unloaded"], [entry["event"] for entry in self.log()])
        self.wine.xdotool("key", "a")
        self.assertEqual(0, wait_exit(process))

    def test_preview_never_loads_the_verifier(self):
        self.install()
        lines = self.wine.driver("preview", self.saver.scr, "152", "112")
        self.assertEqual("0", lines[-1]["exit_code"])
        self.assertEqual([], self.log())

    def test_fault_in_the_run_switches_the_notice_off(self):
        self.install(script="crash")
        process = self.start()
        self.assertEqual("1", self.notice())
        self.wine.xdotool("key", "a")
        self.assertEqual(0xC0000005 & 0xFF, wait_exit(process))
        self.assertEqual(1, len(self.verifications()))
        self.assertEqual("0", self.notice())


if __name__ == "__main__":
    unittest.main()
