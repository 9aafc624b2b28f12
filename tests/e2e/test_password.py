"""The password hooks with a stand-in for the platform's password library."""
import os
import shutil
import time
import unittest

from harness import WineTestCase, wait_exit

DESKTOP = r"HKCU\Control Panel\Desktop"
SAVER_CLASS = "WindowsScreenSaverClass"


class PasswordHooks(WineTestCase):
    runs = 0

    def setUp(self):
        PasswordHooks.runs += 1
        self.folder = os.path.join(self.wine.prefix, "drive_c", "savers%d" % self.runs)
        os.makedirs(self.folder)
        shutil.copy(self.wine.path("polkamoot.scr"), self.folder)

    def install(self, library="test_verifier.dll", script="1", use_password=1):
        shutil.copy(self.wine.path(library), os.path.join(self.folder, "PASSWORD.CPL"))
        with open(os.path.join(self.folder, "verifier-script.txt"), "w") as file:
            file.write(script)
        self.wine.reg_add(DESKTOP, "ScreenSaveUsePassword", "REG_DWORD", use_password)

    def log(self):
        path = os.path.join(self.folder, "verifier-log.txt")
        if not os.path.exists(path):
            return []
        with open(path) as file:
            return [dict(word.split("=", 1) for word in line.split()) for line in file]

    def verifications(self):
        return [entry for entry in self.log() if entry["event"] == "verify"]

    def notice(self):
        return self.wine.driver("notice")[0]["running"]

    def start(self):
        process = self.wine.start(os.path.join(self.folder, "polkamoot.scr"), "/s")
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
        lines = self.wine.driver("preview", os.path.join(self.folder, "polkamoot.scr"), "152",
                                 "112")
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
