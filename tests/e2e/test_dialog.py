"""The configuration dialog driven through its own controls, and the profile file it keeps; the
dialog and its refusals in each language."""
from harness import WineTestCase, wait_exit
from languages import LOCALES, UNKNOWN, speaking

DIALOG = ("#32770", "Polkamoot Version 1.4")
OK, CANCEL, SOUND, RED, BLUE, MAGENTA, MINUTES, RANDOM = 1, 2, 100, 102, 103, 106, 1001, 1005
COLORS = [102, 103, 104, 105, 106]
ENGLISH = ["&Blue", "&Green", "&Yellow", "&Red", "&Magenta", "&Sound", "Change color every", "5",
           "OK", "Cancel", "Favorite Bears"]


def windows(lines):
    """The driver's lines as each window found, with the controls listed after it."""
    found = []
    for line in lines:
        if "title" in line:
            found.append((line, []))
        elif "id" in line:
            found[-1][1].append(line)
    return found


class Dialog(WineTestCase):
    def configure(self, *steps):
        """The exit code of a dialog run under those steps, and the controls it opened with."""
        process = self.wine.saver("/c")
        lines = self.wine.driver("find", *DIALOG, "controls", *steps, "gone")
        return wait_exit(process), {int(line["id"]): line for line in lines if "checked" in line}

    def profile(self):
        return self.wine.profile.read_bytes() if self.wine.profile.exists() else None

    def test_ok_saves_what_the_controls_say_and_they_show_it_next_time(self):
        self.wine.write_profile("Other=4\r\nSound=1\r\n")
        code, opened = self.configure("click", BLUE, "click", MAGENTA, "click", RANDOM,
                                      "text", MINUTES, 60, "click", OK)
        self.assertEqual(1, code)
        self.assertEqual((["1", "0", "0", "0", "0"], "5", "0", "0"), (
            [opened[box]["checked"] for box in COLORS], opened[MINUTES]["text"],
            opened[MINUTES]["enabled"], opened[SOUND]["enabled"]), "no wave device under test")
        saved = ("[ScreenSaver.Polkamoot]\r\nOther=4\r\nSound=0\r\nRed=1\r\nBlue=1\r\nYellow=0\r\n"
                 "Green=0\r\nMagenta=1\r\nRandom=1\r\nMinutes=60\r\n").encode()
        self.assertEqual(saved, self.profile())

        code, opened = self.configure("click", CANCEL)
        self.assertEqual(0, code)
        self.assertEqual((["1", "1", "0", "0", "1"], "1", "60", "1", ["0"] * 5), (
            [opened[box]["checked"] for box in COLORS], opened[RANDOM]["checked"],
            opened[MINUTES]["text"], opened[MINUTES]["enabled"],
            [opened[box]["enabled"] for box in COLORS]))
        self.assertEqual(saved, self.profile())

    def test_no_bear_is_refused_in_a_box_over_the_dialog_and_nothing_written(self):
        self.wine.profile.unlink(missing_ok=True)
        process = self.wine.saver("/c")
        dialog, box, *_ = self.wine.driver(
            "find", *DIALOG, "click", RED, "click", OK, "find", "#32770", "Missing Bear Alert!",
            "click", OK, "find", *DIALOG, "click", CANCEL, "gone")
        self.assertEqual(dialog["hwnd"], box["owner"])
        self.assertEqual(0, wait_exit(process))
        self.assertIsNone(self.profile())

    def test_slash_c_opens_over_the_window_in_front_and_no_switch_over_none(self):
        for switch, over_page in (("/c", True), ("", False)):
            page, dialog, end = self.wine.driver(
                "page", 200, 100, "launch", '"%s" %s' % (self.wine.path("polkamoot.scr"), switch),
                "find", *DIALOG, "click", CANCEL, "end")
            self.assertEqual(page["hwnd"] if over_page else "0", dialog["owner"], switch)
            self.assertEqual({"ended": "1", "exit_code": "0"}, end)

    def test_each_language_its_dialog_and_refusals_on_the_english_controls(self):
        self.wine.profile.unlink(missing_ok=True)
        english = None
        for language in [UNKNOWN, *LOCALES]:
            with speaking(self.wine, language) as tr:
                dialog = ("#32770", tr(DIALOG[1]))
                process = self.wine.saver("/c")
                found = windows(self.wine.driver(
                    "find", *dialog, "controls", "click", RED, "click", OK,
                    "find", "#32770", tr("Missing Bear Alert!"), "controls", "click", OK,
                    "find", *dialog, "click", RED, "text", MINUTES, 0, "click", OK,
                    "find", "#32770", tr("Invalid Value"), "controls", "click", OK,
                    "find", *dialog, "click", CANCEL, "gone"))
                self.assertEqual(0, wait_exit(process), language)
            controls, no_bear, bad_minutes = (found[i][1] for i in (0, 1, 3))
            shown = [(c["id"], c["class"], c["style"], c["text"]) for c in controls]
            if english is None:
                english = shown
                self.assertEqual(ENGLISH, [text for *_, text in shown[:len(ENGLISH)]])
            self.assertEqual([(*control, tr(text)) for *control, text in english], shown, language)
            self.assertIn(tr("You must select at least one Bear!"),
                          [c["text"] for c in no_bear], language)
            self.assertIn(tr("Valid values: 1-60"), [c["text"] for c in bad_minutes], language)
        self.assertIsNone(self.profile())
