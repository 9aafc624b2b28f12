"""The platform's private-profile and dialog-item conversions that the fake backend copies
(tests/unit/fake_profile_test.cpp and fake_dialog_test.cpp hold it to the same tables)."""
import os
import unittest
from urllib.parse import quote

from harness import WineTestCase

# Text of a key -> GetPrivateProfileIntA with default 99, as an unsigned number.
PROFILE_CONVERSIONS = [
    ("-5", 4294967291),
    (" 7", 7),
    ("7abc", 7),
    ("abc", 0),
    ("4294967301", 5),
    ("", 99),
    ("+7", 7),
    ("0x10", 16),
    ("0X1F", 0),
    ("-0x10", 4294967280),
    ("0b101", 5),
    ("0o17", 15),
    ("007", 7),
    ("010", 10),
    ("2147483648", 2147483648),
    ("99999999999999999999", 1661992959),
    ("12345678901234567890123456789012345", 1849262357),  # cut to 29 characters
    ("12.5", 12),
    ("1e3", 1),
    ("- 5", 0),
    ("+-5", 0),
    ('"7"', 7),
    ("'7'", 7),
    ('" 7 "', 7),
    ('"7', 0),
    ('""', 99),
    ("7;c", 7),
    ("0x", 0),
    ("\t7\t", 7),
]

# (file before, section, key, text, file after) for one WritePrivateProfileStringA.
PROFILE_REWRITES = [
    ("; top comment\r\n\r\n[ Sec ]\r\n  Red  =  1  \r\n;comment\r\n\r\nnoeq\r\nBlue=1\r\nBlue=2\r\n"
     "[Other]\r\nA=1\r\n[Sec]\r\nRed=9\r\nZ=3\r\n",
     "Sec", "Blue", "0",
     "; top comment\r\n[Sec]\r\nRed=1\r\n;comment\r\nnoeq\r\nBlue=0\r\nBlue=2\r\n[Other]\r\nA=1\r\n"
     "[Sec]\r\nRed=9\r\nZ=3\r\n"),
    ("[Sec]\nRed=1\nBlue=1", "Sec", "Green", "1", "[Sec]\r\nRed=1\r\nBlue=1\r\nGreen=1\r\n"),
    ("[Sec]\r\nRed = 1\r\n", "Sec", "Red", "1", "[Sec]\r\nRed = 1\r\n"),
    ("Loose=1\r\n[Sec]\r\nRed=1\r\n", "Sec", "Blue", "1", "Loose=1\r\n[Sec]\r\nRed=1\r\nBlue=1\r\n"),
    ('[Sec]\r\nRed="5"\r\n[Sec2\r\nA=1\r\n', "Sec", "Blue", "1",
     '[Sec]\r\nRed="5"\r\n[Sec2\r\nA=1\r\nBlue=1\r\n'),
    ("\ufeff[Sec]\r\nRed=3\r\n", "Sec", "Blue", "1", "\ufeff[Sec]\r\nRed=3\r\nBlue=1\r\n"),
    ("[Sec]\r\nRed=1\r\n\r\n[Next]\r\nA=1\r\n", "Sec", "Blue", "1",
     "[Sec]\r\nRed=1\r\nBlue=1\r\n[Next]\r\nA=1\r\n"),
    ("[Sec]\r\nA=1\r\n[sec]\r\nB=2\r\n", "SEC", "B", "5", "[Sec]\r\nA=1\r\nB=5\r\n[sec]\r\nB=2\r\n"),
    ("=5\r\n=6\r\n[Sec] trailing\r\nA=1\r\n=7\r\n=8\r\n[Two]]\r\n\tT\t=\t4\t\r\n", "Sec", "Z",
     "  9  ", "=5\r\n[Sec]\r\nA=1\r\n=7\r\nZ=9  \r\n[Two]]\r\nT=4\r\n"),
    ("[Sec]\r\n", "  New  ", "  K  ", "1", "[Sec]\r\n[New  ]\r\nK  =1\r\n"),
]

# Edit text -> GetDlgItemInt unsigned: (value, translated). An overflow leaves an error behind
# that fails a later 4294967295, so those come first.
DIALOG_CONVERSIONS = [
    ("5", 5, 1),
    (" 7", 7, 1),
    ("\t7", 7, 1),
    ("7 ", 7, 1),
    ("7abc", 7, 1),
    ("abc", 0, 0),
    ("", 0, 0),
    ("+7", 7, 1),
    ("-5", 4294967291, 1),
    ("-0", 0, 1),
    ("0", 0, 1),
    ("61", 61, 1),
    ("007", 7, 1),
    ("0x10", 0, 1),
    ("4294967295", 4294967295, 1),
    ("-1", 4294967295, 1),
    ("12.5", 12, 1),
    ("1,000", 1, 1),
    ("- 5", 0, 0),
    ("+-5", 0, 0),
    (" " * 28 + "7", 7, 1),
    (" " * 29 + "7", 0, 0),  # cut to 29 characters
    ("000000000000000000000000000042", 4, 1),
    ("4294967296", 0, 0),
    ("99999999999999999999", 0, 0),
    ("-4294967295", 1, 1),
    ("-4294967296", 1, 1),
    ("-99999999999999999999", 1, 1),
]


def encode(text):
    return quote(text, safe="")


class PlatformConversions(WineTestCase):
    def profile_path(self, name="probe.ini"):
        return os.path.join(self.wine.windows_dir, name)

    def put(self, text, name="probe.ini"):
        with open(self.profile_path(name), "wb") as out:
            out.write(text.encode("utf-8"))

    def read(self, name="probe.ini"):
        with open(self.profile_path(name), "rb") as source:
            return source.read().decode("utf-8")

    def test_profile_integers(self):
        lines = ["[S]"] + ["k%d=%s" % (i, text) for i, (text, _) in enumerate(PROFILE_CONVERSIONS)]
        self.put("\r\n".join(lines + ["bare", ""]))
        keys = ["k%d" % i for i in range(len(PROFILE_CONVERSIONS))] + ["missing", "bare"]
        got = {line["key"]: int(line["value"])
               for line in self.wine.driver("profile-ints", "probe.ini", "S", "99", *keys)}
        for i, (text, value) in enumerate(PROFILE_CONVERSIONS):
            self.assertEqual(value, got["k%d" % i], "text %r" % text)
        self.assertEqual(99, got["missing"])
        self.assertEqual(99, got["bare"], "a line without =")

    def test_profile_names_match_without_case_or_blanks(self):
        self.put("[ Sec ]\r\n  CaseKey  =  12  \r\n[Sec]\r\nLater=1\r\n", "Names.ini")
        got = [int(line["value"]) for line in self.wine.driver(
            "profile-ints", "NAMES.INI", "sec", "99", "CASEKEY", "Later")]
        self.assertEqual([12, 99], got, "the first of two equal sections wins")

    def test_profile_rewrites(self):
        for before, section, key, text, after in PROFILE_REWRITES:
            self.put(before)
            result = self.wine.driver("profile-write", "probe.ini", encode(section),
                                      encode(key), encode(text))
            self.assertEqual("1", result[0]["result"])
            self.assertEqual(after, self.read(), "from %r" % before)

    def test_profile_built_key_by_key(self):
        path = self.profile_path("fresh.ini")
        if os.path.exists(path):
            os.remove(path)
        steps = [
            ("Sec", "Red", "1", "[Sec]\r\nRed=1\r\n"),
            ("Sec", "Blue", "0", "[Sec]\r\nRed=1\r\nBlue=0\r\n"),
            ("Other", "X", "5", "[Sec]\r\nRed=1\r\nBlue=0\r\n[Other]\r\nX=5\r\n"),
            ("sec", "RED", "7", "[Sec]\r\nRed=7\r\nBlue=0\r\n[Other]\r\nX=5\r\n"),
            ("Sec", "Green", "2", "[Sec]\r\nRed=7\r\nBlue=0\r\nGreen=2\r\n[Other]\r\nX=5\r\n"),
        ]
        for section, key, text, after in steps:
            self.wine.driver("profile-write", "fresh.ini", section, key, text)
            self.assertEqual(after, self.read("fresh.ini"))

    def test_dialog_item_integers(self):
        texts = [encode(text) for text, _, _ in DIALOG_CONVERSIONS]
        lines = self.wine.driver("dlgitemint", *texts)
        self.assertEqual(len(DIALOG_CONVERSIONS), len(lines))
        for (text, value, translated), line in zip(DIALOG_CONVERSIONS, lines):
            self.assertEqual((value, translated),
                             (int(line["value"]), int(line["translated"])), "text %r" % text)


if __name__ == "__main__":
    unittest.main()
