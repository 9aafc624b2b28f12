"""The password hooks with a stand-in for the platform's password library."""
import pathlib
import shutil
import time

from harness import SAVER, WineTestCase, poll, wait_exit


class PasswordHooks(WineTestCase):
    runs = 0

    def install(self, library="test_verifier.dll", script="1", use_password=1):
        """The saver in a folder of its own with the library beside it as PASSWORD.CPL."""
        PasswordHooks.runs += 1
        self.folder = pathlib.Path(self.wine.prefix, "drive_c", "saver%d" % self.runs)
        self.folder.mkdir()
        shutil.copy(self.wine.path("polkamoot.scr"), self.folder)
        shutil.copy(self.wine.path(library), self.folder / "PASSWORD.CPL")
        (self.folder / "verifier-script.txt").write_text(script)
        self.wine.run("reg", "add", r"HKCU\Control Panel\Desktop", "/v", "ScreenSaveUsePassword",
                      "/t", "REG_DWORD", "/d", use_password, "/f")
        return self.folder / "polkamoot.scr"

    def log(self):
        """The library's log: one "event running=0|1" a line; empty when it was never loaded."""
        log = self.folder / "verifier-log.txt"
        return log.read_text().splitlines() if log.exists() else []

    def notice(self):
        return self.wine.driver("notice")[0]["running"]

    def start(self, scr):
        process = self.wine.wine(scr, "/s")
        self.wine.driver("find", *SAVER)
        self.assertTrue(self.wine.focus_on(SAVER[1]))
        return process

    def test_refusal_keeps_the_saver_and_a_later_key_asks_again(self):
        process = self.start(self.install(script="0key 1"))
        self.assertEqual("1", self.notice())
        self.wine.xdotool("key", "a")
        self.assertTrue(poll(lambda: len(self.log()) > 1))
        time.sleep(0.5)  # for the key posted right behind the refusal, which must ask nothing
        self.assertEqual(["loaded running=0", "verify running=1"], self.log())
        self.assertIsNone(wait_exit(process, timeout=0.5))
        self.wine.xdotool("key", "a")
        self.assertEqual(0, wait_exit(process))
        self.assertEqual(["verify running=1", "unloaded running=1"], self.log()[2:])
        self.assertEqual("0", self.notice())

    def test_without_a_password_or_its_entry_the_first_key_closes(self):
        for library, use_password, log in (("test_verifier.dll", 0, []), (
                "test_no_verifier.dll", 1, ["loaded running=0", "unloaded running=0"])):
            process = self.start(self.install(library, use_password=use_password))
            self.assertEqual("0", self.notice())
            self.wine.xdotool("key", "a")
            self.assertEqual(0, wait_exit(process), library)
            self.assertEqual(log, self.log(), library)

    def test_preview_never_loads_the_verifier(self):
        scr = self.install()
        *_, end = self.wine.driver("page", 152, 112, "launch", '"%s" /p %%w' % scr, "child",
                                   SAVER[0], "end")
        self.assertEqual("0", end["exit_code"])
        self.assertEqual([], self.log())

    def test_fault_in_the_run_switches_the_notice_off(self):
        process = self.start(self.install(script="crash"))
        self.wine.xdotool("key", "a")
        self.assertEqual(0xC0000005 & 0xFF, wait_exit(process))
        self.assertEqual(["loaded running=0", "verify running=1"], self.log())
        self.assertEqual("0", self.notice())
