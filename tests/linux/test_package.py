"""The Debian package, as CPack makes it from the linux build (or the one POLKAMOOT_DEB names):
what it holds, its control fields, lintian's verdict, and the program, the manual page and the
settings description unpacked from it, which have to list the same options. Nothing is
installed."""
import glob
import os
import re
import shlex
import subprocess
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

BIN = os.environ.get("POLKAMOOT_LINUX_BIN", "build/linux")
FILES = ["usr/libexec/xscreensaver/polkamoot", "usr/share/doc/polkamoot/changelog.gz",
         "usr/share/doc/polkamoot/copyright", "usr/share/man/man6/polkamoot.6.gz",
         "usr/share/xscreensaver/config/polkamoot.xml"]
NO_SETTING = {"-window-id", "-fullscreen", "--help"}  # xscreensaver chooses the window


def run(*command, **options):
    return subprocess.run(command, capture_output=True, text=True, check=True, **options).stdout


def setUpModule():
    global deb, unpacked
    folder = tempfile.TemporaryDirectory()
    unittest.addModuleCleanup(folder.cleanup)
    deb = os.environ.get("POLKAMOOT_DEB")
    if not deb:
        run(os.environ.get("CPACK_COMMAND", "cpack"), "-B", folder.name, cwd=BIN)
        [deb] = glob.glob(os.path.join(folder.name, "polkamoot_*_amd64.deb"))
    unpacked = os.path.join(folder.name, "root")
    run("dpkg-deb", "-x", deb, unpacked)


def help_entries(usage):
    """--help's entries: an option two spaces in, its text after a gap and on the lines below."""
    found, key = {}, None
    for line in usage.splitlines():
        if line.startswith("  -"):
            key, _, text = line.strip().partition("  ")
            found[key] = text
        elif line.startswith("   ") and key:
            found[key] += " " + line
        else:
            key = None
    return {key: " ".join(text.split()) for key, text in found.items()}


def page_entries(page):
    """The manual page's OPTIONS: a .TP, the option in bold, its text below."""
    section = page.split(".SH OPTIONS", 1)[1].split("\n.SH", 1)[0].replace("\\-", "-")
    found = {}
    for item in section.split(".TP\n")[1:]:
        tag, text = item.split("\n", 1)
        macro, words = tag.split(" ", 1)
        found[(" " if macro == ".B" else "").join(shlex.split(words))] = " ".join(text.split())
    return found


class Package(unittest.TestCase):
    def test_holds_the_program_its_settings_page_and_copyright_with_fields_that_fit(self):
        listing = run("dpkg-deb", "-c", deb)
        self.assertEqual(FILES, sorted(re.findall(r"\./(\S*[^/\s])$", listing, re.M)))
        fields = dict(re.findall(r"^(\S+): (.*)$", run("dpkg-deb", "-f", deb), re.M))
        self.assertEqual(("polkamoot", "amd64", "x11", "xscreensaver"), (
            fields["Package"], fields["Architecture"], fields["Section"], fields["Enhances"]))
        self.assertRegex(fields["Maintainer"], r"^\S.* <\S+@\S+>$")
        self.assertTrue(fields["Description"])
        # Every library the program links comes from a package it depends on.
        program = os.path.join(unpacked, FILES[0])
        depends = {part.split()[0] for part in fields["Depends"].split(",")}
        for library in re.findall(r"\(NEEDED\).*\[(.+)\]", run("readelf", "-d", program)):
            owner = run("dpkg", "-S", "*/x86_64-linux-gnu/" + library).split(":")[0]
            self.assertIn(owner, depends, library)

    def test_lintian_finds_no_error(self):
        verdict = subprocess.run(["lintian", deb], capture_output=True, text=True)
        self.assertNotIn("E:", verdict.stdout, verdict.stdout)

    def test_program_page_and_settings_describe_the_same_options(self):
        program = os.path.join(unpacked, FILES[0])
        usage = run(program, "--help")
        page = run("gzip", "-dc", os.path.join(unpacked, FILES[3]))
        with tempfile.NamedTemporaryFile("w", suffix=".6") as source:
            source.write(page)
            source.flush()
            rendering = subprocess.run(["man", "--warnings", "-l", source.name],
                                       capture_output=True, text=True, env=dict(
                                           os.environ, MANPAGER="cat", MANWIDTH="80"))
        self.assertEqual("", rendering.stderr)
        self.assertEqual(help_entries(usage), page_entries(page))
        settings = ElementTree.parse(os.path.join(unpacked, FILES[4])).getroot()
        args = [element.get("arg-set") or element.get("arg").replace("%", "5")
                for element in settings.iter() if element.get("arg-set") or element.get("arg")]
        options = {word for entry in help_entries(usage) for word in entry.split() if
                   word.startswith("-")}
        self.assertEqual(options - NO_SETTING, {arg.split()[0] for arg in args})
        taken = subprocess.run([program, *" ".join(args).split(), "--help"], capture_output=True)
        self.assertEqual(0, taken.returncode, "the program takes every option the settings give")
