"""The installer as an administrator runs it, signed: install, the same version rebuilt, an
upgrade, a refused downgrade, the uninstall."""
import os
import re
import shutil
import subprocess
import tempfile

from harness import BIN, BUILD, SAVER, WineTestCase, wait_exit

PACKAGE = os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "package")
ARCH, FOLDER = {"x86_64": ("x64", "system32"), "i686": ("x86", "syswow64")}[BUILD]
DESKTOP = r"HKCU\Control Panel\Desktop"
UNINSTALL = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall"


class Installer(WineTestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.mkdtemp(prefix="polkamoot-msi-")
        cls.addClassCleanup(shutil.rmtree, cls.folder)
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                        "-subj", "/CN=Polkamoot test", "-addext", "extendedKeyUsage=codeSigning",
                        "-keyout", cls.at("key.pem"), "-out", cls.at("cert.pem")],
                       check=True, capture_output=True)
        subprocess.run(["openssl", "pkcs12", "-export", "-inkey", cls.at("key.pem"), "-in",
                        cls.at("cert.pem"), "-out", cls.at("cert.pfx"), "-passout", "pass:pw"],
                       check=True)
        shutil.copy(os.path.join(BIN, "polkamoot.scr"), cls.at("polkamoot.scr"))
        cls.sign("polkamoot.scr")
        # A rebuild of a version is another product to the installer.
        for version, name in (("7.1", "7.1"), ("7.1", "7.1-again"), ("7.1.1", "7.1.1")):
            subprocess.run([PACKAGE, "msi", ARCH, version, cls.at("polkamoot.scr"),
                            cls.at(name + ".msi")], check=True, capture_output=True)
        cls.sign("7.1.msi", "7.1.1.msi")
        super().setUpClass()

    @classmethod
    def at(cls, name):
        return os.path.join(cls.folder, name)

    @classmethod
    def sign(cls, *names):
        env = dict(os.environ, POLKAMOOT_SIGN_PFX=cls.at("cert.pfx"), POLKAMOOT_SIGN_PASSWORD="pw")
        return subprocess.run([PACKAGE, "sign", *map(cls.at, names)], capture_output=True, env=env)

    def msiexec(self, action, name):
        """Its exit code whole, which a shell would cut to 8 bits."""
        msi = "Z:" + self.at(name).replace("/", "\\")
        [end] = self.wine.driver("launch", 'msiexec %s "%s" /qn' % (action, msi), "end")
        return int(end["exit_code"])

    def entries(self):
        """Each uninstall entry named Polkamoot: its publisher and version, in the view of the
        registry that the build's own programs see."""
        out = self.wine.run("reg", "query", UNINSTALL, "/s")[1]
        keys = [dict(re.findall(r"^ +(\w+) +REG_\w+ +(.*?)\s*$", text, re.M))
                for text in re.split(r"^HKEY\S+", out, flags=re.M)]
        return [(k["Publisher"], k["DisplayVersion"]) for k in keys
                if k.get("DisplayName") == "Polkamoot"]

    def installed(self):
        return [f for f in ("system32", "syswow64") if os.path.isfile(
            os.path.join(self.wine.prefix, "drive_c", "windows", f, "polkamoot.scr"))]

    def test_signed_files_verify_and_a_failed_signing_signs_none(self):
        for name in ("polkamoot.scr", "7.1.msi", "7.1.1.msi"):
            self.assertEqual(0, subprocess.run(["osslsigncode", "verify", "-CAfile", self.at(
                "cert.pem"), "-in", self.at(name)], capture_output=True).returncode, name)
        with open(self.at("7.1-again.msi"), "rb") as file:
            unsigned = file.read()
        self.assertNotEqual(0, self.sign("7.1-again.msi", "cert.pem").returncode)
        with open(self.at("7.1-again.msi"), "rb") as file:
            self.assertTrue(unsigned == file.read(), "signed although the other failed")

    def test_install_rebuild_upgrade_refused_downgrade_uninstall(self):
        self.wine.write_profile("Blue=1\r\n")
        profile = self.wine.profile.read_bytes()
        self.wine.run("reg", "add", DESKTOP, "/v", "SCRNSAVE.EXE", "/d", "other.scr", "/f")
        self.assertEqual(0, self.msiexec("/i", "7.1.msi"))
        self.assertEqual(([("Polkamoot team", "7.1")], [FOLDER]),
                         (self.entries(), self.installed()))
        process = self.wine.wine(os.path.join(self.wine.prefix, "drive_c", "windows", FOLDER,
                                              "polkamoot.scr"), "/s")
        self.wine.driver("find", *SAVER, "pester")
        self.assertEqual(0, wait_exit(process), "the installed saver, on a key")

        for name, code, version in (("7.1-again", 0, "7.1"), ("7.1.1", 0, "7.1.1"),
                                    ("7.1", 1603, "7.1.1")):
            self.assertEqual(code, self.msiexec("/i", name + ".msi"), name)
            self.assertEqual([(version, [FOLDER])], [
                (v, self.installed()) for *_, v in self.entries()], name)

        self.assertEqual(0, self.msiexec("/x", "7.1.1.msi"))
        self.assertEqual(([], []), (self.entries(), self.installed()))
        self.assertEqual(profile, self.wine.profile.read_bytes())
        self.assertIn("other.scr", self.wine.run("reg", "query", DESKTOP, "/v", "SCRNSAVE.EXE")[1])
