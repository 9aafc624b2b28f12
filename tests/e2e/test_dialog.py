"""The configuration dialog driven through its own controls, and the profile file it keeps."""
import os
import unittest
from urllib.parse import quote

from harness import WineTestCase, wait_exit

CAPTION = "Polkamoot Version 1.4"
SECTION = "[ScreenSaver.Polkamoot]\r\n"
ESCAPE, ENTER = "key:0x1b", "key:0x0d"
WS_POPUP, WS_CAPTION, WS_SYSMENU, DS_MODALFRAME = 0x80000000, 0x00C00000, 0x00080000, 0x80
WS_DISABLED = 0x08000000
BS_AUTOCHECKBOX, BS_DEFPUSHBUTTON, BS_GROUPBOX, SS_ICON = 3, 1, 7, 3
NO_ID = 65535

# Template order: (id, class, text); None where the text is not the system's own.
CONTROLS = [
    (103, "Button", "&Blue"), (104, "Button", "&Green"), (105, "Button", "&Yellow"),
    (102, "Button", "&Red"), (106, "Button", "&Magenta"), (100, "Button", "&Sound"),
    (1005, "Button", "Change color every"), (1001, "Edit", None), (1, "Button", "OK"),
    (2, "Button", "Cancel"), (NO_ID, "Button", "Favorite Bears"), (NO_ID, "Static", None),
    (NO_ID, "Static", None), (NO_ID, "Static", None), (NO_ID, "Static", "minutes"),
]
COLORS = [102, 103, 104, 105, 106]
MINUTES, RANDOM, SOUND, OK, CANCEL, BLUE, RED = 1001, 1005, 100, 1, 2, 103, 102


def text_of(line, key="text"):
    return line[key].replace("\x00", "")


class DialogCase(WineTestCase):
    """Starts the saver in configure mode and acts on its dialog through the test driver."""

    def setUp(self):
        self.set_profile(None)

    def tearDown(self):
        for process in self.wine.processes:
            if process.poll() is None:
                process.kill()
                process.wait()

    @property
    def profile(self):
        return os.path.join(self.wine.windows_dir, "control.ini")

    def set_profile(self, text):
        if text is None:
            if os.path.exists(self.profile):
                os.remove(self.profile)
        else:
            with open(self.profile, "wb") as out:
                out.write(text.encode())

    def profile_bytes(self):
        if not os.path.exists(self.profile):
            return None
        with open(self.profile, "rb") as source:
            return source.read()

    def configure(self, *steps, args=("/c",)):
        """(exit code, the driver's lines) for a run of the dialog driven by `steps`."""
        process = self.wine.saver(*args)
        lines = self.wine.driver("dialog", "wait", *steps, "gone")
        self.assertEqual("1", lines[-1].get("gone"), "the dialog ended")
        return wait_exit(process), lines

    @staticmethod
    def controls(lines):
        """The driver's control listings, one dictionary of id -> line per `controls` step."""
        listings, current = [], None
        for line in lines:
            if "index" in line:
                if line["index"] == "1":
                    current = {}
                    listings.append(current)
                current[int(line["id"]) if line["id"] != str(NO_ID) else line["index"]] = line
        return listings

    @staticmethod
    def boxes(lines):
        return [line for line in lines if "caption" in line]


class ConfigDialog(DialogCase):
    def test_layout_and_opening_state_without_a_file(self):
        code, lines = self.configure("controls", ESCAPE)
        self.assertEqual(0, code)
        frame = lines[0]
        self.assertEqual(CAPTION, text_of(frame, "title"))
        self.assertEqual("#32770", frame["class"])
        style = int(frame["style"], 16)
        for bit in (WS_POPUP, WS_CAPTION, WS_SYSMENU, DS_MODALFRAME):
            self.assertTrue(style & bit, hex(bit))
        listed = [line for line in lines if "index" in line]
        self.assertEqual(len(CONTROLS), len(listed))
        for (id_, class_name, text), line in zip(CONTROLS, listed):
            self.assertEqual((id_, class_name), (int(line["id"]), line["class"]), line)
            if text is not None:
                self.assertEqual(text, text_of(line))
        types = [int(line["style"], 16) & 0xF for line in listed]
        self.assertEqual([BS_AUTOCHECKBOX] * 7, types[:7])
        self.assertEqual((BS_DEFPUSHBUTTON, BS_GROUPBOX, SS_ICON), (types[8], types[10], types[11]))

        state = self.controls(lines)[0]
        self.assertEqual({RED: "1", 103: "0", 104: "0", 105: "0", 106: "0"},
                         {id_: state[id_]["checked"] for id_ in COLORS})
        self.assertTrue(all(state[id_]["enabled"] == "1" for id_ in COLORS))
        self.assertEqual(("0", "5", "0"), (state[RANDOM]["checked"], text_of(state[MINUTES]),
                                           state[MINUTES]["enabled"]))
        self.assertEqual(("0", "0"), (state[SOUND]["checked"], state[SOUND]["enabled"]),
                         "no wave-output device")
        self.assertIsNone(self.profile_bytes())

    def test_random_box_swaps_what_is_enabled(self):
        code, lines = self.configure("click:%d" % RANDOM, "controls", "click:%d" % RANDOM,
                                     "controls", ESCAPE)
        self.assertEqual(0, code)
        on, off = self.controls(lines)
        self.assertEqual("1", on[RANDOM]["checked"])
        self.assertEqual(["0"] * 5, [on[id_]["enabled"] for id_ in COLORS])
        self.assertEqual("1", on[MINUTES]["enabled"])
        self.assertEqual("0", off[RANDOM]["checked"])
        self.assertEqual(["1"] * 5, [off[id_]["enabled"] for id_ in COLORS])
        self.assertEqual("0", off[MINUTES]["enabled"])
        for state in (on, off):
            self.assertEqual(["1", "0", "0", "0", "0"], [state[id_]["checked"] for id_ in COLORS],
                             "no box changes its check")

    def test_minutes_outside_one_to_sixty_are_refused(self):
        before = SECTION + "Red = 1\r\n\r\nMinutes=5\r\n"
        self.set_profile(before)
        steps = ["click:%d" % RANDOM]
        texts = ["0", "61", "", "abc"]
        for text in texts:
            steps += ["text:%d:%s" % (MINUTES, quote(text, safe="")), "post-click:%d" % OK, "box",
                      "focus"]
        code, lines = self.configure(*steps, "post-click:%d" % CANCEL)
        self.assertEqual(0, code)
        boxes = self.boxes(lines)
        self.assertEqual(len(texts), len(boxes))
        for box in boxes:
            self.assertEqual(("Invalid Value", "Valid values: 1-60"),
                             (text_of(box, "caption"), text_of(box)))
            self.assertEqual(("1", "1"), (box["owner_is_dialog"], box["icons"]))
        self.assertEqual([str(MINUTES)] * len(texts), [l["focus"] for l in lines if "focus" in l])
        self.assertEqual(before.encode(), self.profile_bytes())

    def test_no_bear_is_refused_before_the_minutes(self):
        code, lines = self.configure("click:%d" % RED, "text:%d:0" % MINUTES,
                                     "post-click:%d" % OK, "box", "focus", ESCAPE)
        self.assertEqual(0, code)
        boxes = self.boxes(lines)
        self.assertEqual(1, len(boxes))
        self.assertEqual(("Missing Bear Alert!", "You must select at least one Bear!"),
                         (text_of(boxes[0], "caption"), text_of(boxes[0])))
        self.assertEqual("1", boxes[0]["owner_is_dialog"])
        self.assertEqual([str(BLUE)], [line["focus"] for line in lines if "focus" in line])
        self.assertIsNone(self.profile_bytes())

    def test_ok_writes_the_eight_keys(self):
        self.set_profile("[Desktop]\r\nWallpaper=none\r\n" + SECTION + "Other=4\r\nSound=1\r\n")
        code, lines = self.configure("controls", "click:103", "click:106", "click:%d" % RANDOM,
                                     "text:%d:60" % MINUTES, "post-click:%d" % OK)
        self.assertEqual(1, code)
        state = self.controls(lines)[0]
        self.assertEqual(("0", "0"), (state[SOUND]["checked"], state[SOUND]["enabled"]),
                         "Sound 1 without a device")
        self.assertEqual(("[Desktop]\r\nWallpaper=none\r\n" + SECTION +
                          "Other=4\r\nSound=0\r\nRed=1\r\nBlue=1\r\nYellow=0\r\nGreen=0\r\n"
                          "Magenta=1\r\nRandom=1\r\nMinutes=60\r\n").encode(),
                         self.profile_bytes())

    def test_enter_saves_the_defaults(self):
        code, _ = self.configure(ENTER)
        self.assertEqual(1, code)
        self.assertEqual((SECTION + "Red=1\r\nBlue=0\r\nYellow=0\r\nGreen=0\r\nMagenta=0\r\n"
                          "Random=0\r\nMinutes=5\r\nSound=0\r\n").encode(), self.profile_bytes())

    def test_cancel_escape_and_close_box_leave_the_file_as_it_was(self):
        before = "; mine\r\n\r\n" + SECTION + "Red = 1\r\nBlue=0\r\n\r\n"
        for leave in ("post-click:%d" % CANCEL, ESCAPE, "close"):
            self.set_profile(before)
            code, lines = self.configure("click:%d" % RED, "post-click:%d" % OK, "box", leave)
            self.assertEqual(0, code, leave)
            self.assertEqual(1, len(self.boxes(lines)), leave)
            self.assertEqual(before.encode(), self.profile_bytes(), leave)

    def test_every_configure_command_line_opens_the_dialog(self):
        saver = "Z:" + self.wine.path("polkamoot.scr").replace("/", "\\")
        for args, over_ours in ((("/c",), True), (("/c:1234",), True), ((), False)):
            lines = self.wine.driver("configure", saver, "1", *args)
            ours, dialog, exit_code = lines
            self.assertNotEqual("0", dialog["dialog"], args)
            self.assertEqual(ours["ours"] if over_ours else "0", dialog["owner"], args)
            self.assertEqual("0", exit_code["exit_code"], args)


class ConfigDialogWithSound(DialogCase):
    """Wine's ALSA driver offers one wave-output device when the default device is a null one."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        home = os.path.join(cls.wine.prefix, "home")
        os.makedirs(home, exist_ok=True)
        with open(os.path.join(home, ".asoundrc"), "w") as out:
            out.write("pcm.!default {\n  type null\n}\n")
        cls.wine.env = dict(cls.wine.env, HOME=home)

    def test_sound_box_is_enabled_and_saved(self):
        self.set_profile(SECTION + "Sound=1\r\n")
        code, lines = self.configure("controls", "click:%d" % SOUND, "controls",
                                     "post-click:%d" % OK)
        self.assertEqual(1, code)
        opened, clicked = self.controls(lines)
        self.assertEqual(("1", "1"), (opened[SOUND]["checked"], opened[SOUND]["enabled"]))
        self.assertEqual("0", clicked[SOUND]["checked"])
        self.assertTrue(self.profile_bytes().endswith(b"Sound=0\r\nRed=1\r\nBlue=0\r\nYellow=0\r\n"
                                                      b"Green=0\r\nMagenta=0\r\nRandom=0\r\n"
                                                      b"Minutes=5\r\n"))

    def test_sound_box_turns_sound_on(self):
        code, _ = self.configure("click:%d" % SOUND, "post-click:%d" % OK)
        self.assertEqual(1, code)
        self.assertTrue(self.profile_bytes().endswith(b"Minutes=5\r\nSound=1\r\n"))


if __name__ == "__main__":
    unittest.main()
