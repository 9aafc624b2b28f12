"""The Debian package, as CPack makes it from the linux build (or the one POLKAMOOT_DEB names),
checked without installing it; the program, manual page and settings description in it have to
list the same options."""
import glob
import os
import re
import subprocess
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

FILES = ["usr/libexec/xscreensaver/polkamoot", "usr/share/doc/polkamoot/changelog.gz",
         "usr/share/doc/polkamoot/copyright", "usr/share/man/man6/polkamoot.6.gz",
         "usr/share/xscreensaver/config/polkamoot.xml"]


def run(*command, **options):
    return subprocess.run(command, capture_output=True, text=True, check=True, **options).stdout


def setUpModule():
    global deb, root
    folder = tempfile.TemporaryDirectory()
    unittest.addModuleCleanup(folder.cleanup)
    deb = os.environ.get("POLKAMOOT_DEB")
    if not deb:
        run(os.environ.get("CPACK_COMMAND", "cpack"), "-B", folder.name,
            cwd=os.environ.get("POLKAMOOT_LINUX_BIN", "build/linux"))
        [deb] = glob.glob(os.path.join(folder.name, "polkamoot_*_amd64.deb"))
    root = os.path.join(folder.name, "root")
    run("dpkg-deb", "-x", deb, root)


def entries(pattern, text):
    """{option: what it does}, spaces and the manual page's markup left out."""
    return {" ".join(re.sub(r'\\|"', "", option).split()): " ".join(what.split())
            for option, what in re.findall(pattern, text, re.M)}


class Package(unittest.TestCase):
    def test_contents_fields_and_lintian(self):
        self.assertEqual(FILES, sorted(re.findall(r"\./(\S*[^/\s])$", run("dpkg-deb", "-c", deb),
                                                  re.M)))
        fields = dict(re.findall(r"^(\S+): (.*)$", run("dpkg-deb", "-f", deb), re.M))
        self.assertEqual(("amd64", "x11", "xscreensaver"),
                         (fields["Architecture"], fields["Section"], fields["Enhances"]))
        self.assertRegex(fields["Maintainer"] + fields["Description"], r"^\S.* <\S+@\S+>\S")
        for library in re.findall(r"NEEDED.*\[(.+)\]", run("readelf", "-d", root + "/" + FILES[0])):
            package = run("dpkg", "-S", "*/x86_64-linux-gnu/" + library).split(":")[0]
            self.assertRegex(fields["Depends"], r"(^|, )%s( |,|$)" % re.escape(package))
        verdict = subprocess.run(["lintian", deb], capture_output=True, text=True).stdout
        self.assertNotIn("E:", verdict, verdict)

    def test_program_page_and_settings_list_the_same_options(self):
        usage = run(root + "/" + FILES[0], "--help")
        page = run("gzip", "-dc", root + "/" + FILES[3])
        rendering = subprocess.run(["man", "--warnings", "-l", "-"], input=page, text=True,
                                   capture_output=True, env=dict(os.environ, MANPAGER="cat"))
        self.assertEqual("", rendering.stderr)
        options = entries(r"^  (-.*?)(?:  +|\n +)(.*(?:\n {18}.*)*)", usage)
        self.assertEqual(options, entries(r"^\.TP\n\.BI? (.*)\n((?:[^.].*\n)*)",
                                          page.split(".SH OPTIONS")[1].split(".SH")[0]))
        settings = ElementTree.parse(root + "/" + FILES[4]).getroot()
        args = [e.get("arg-set") or e.get("arg").replace("%", "5") for e in settings.iter()
                if e.get("arg-set") or e.get("arg")]
        self.assertEqual({word for option in options for word in option.split() if word[0] == "-"}
                         - {"-window-id", "-fullscreen", "--help"}, {a.split()[0] for a in args})
        taken = subprocess.run([root + "/" + FILES[0], *" ".join(args).split(), "--help"],
                               stdout=subprocess.DEVNULL)
        self.assertEqual(0, taken.returncode, "the program takes every option the settings give")
