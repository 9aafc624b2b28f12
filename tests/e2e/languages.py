"""The languages Polkamoot speaks, as the tests see them: each one's texts from its catalogue in
resources/po, and the Unix locale under which Wine shows a program in it."""
import contextlib
import gettext
import glob
import io
import os
import subprocess
import tempfile

from harness import TEMPLATE

PO = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "po")
LOCALES = {"de": "de_DE", "fr": "fr_FR", "es": "es_ES", "it": "it_IT", "pt_BR": "pt_BR",
           "nl": "nl_NL", "pl": "pl_PL", "ru": "ru_RU", "ja": "ja_JP", "zh_CN": "zh_CN"}
UNKNOWN = "sw_KE"  # a language Polkamoot does not carry
assert sorted(LOCALES) == sorted(os.path.basename(p)[:-3] for p in glob.glob(PO + "/*.po"))


def texts(language):
    """The language's translation of an English text, as msgfmt compiles its catalogue."""
    mo = subprocess.run(["msgfmt", "-o", "-", os.path.join(PO, language + ".po")], check=True,
                        capture_output=True).stdout
    return gettext.GNUTranslations(io.BytesIO(mo)).gettext


def locale_path(folder):
    """A folder for LOCPATH that holds every language's UTF-8 locale and the unknown one, each
    compiled once and moved in whole, so that runs side by side never see half of one."""
    os.makedirs(folder, exist_ok=True)
    for name in [*LOCALES.values(), UNKNOWN]:
        final = os.path.join(folder, name + ".UTF-8")
        if not os.path.isdir(final):
            with tempfile.TemporaryDirectory(dir=folder) as scratch:
                made = os.path.join(scratch, name + ".UTF-8")
                subprocess.run(["localedef", "-i", name, "-f", "UTF-8", made], check=True,
                               capture_output=True)
                try:
                    os.rename(made, final)
                except OSError:  # another run came first
                    pass
    return folder


@contextlib.contextmanager
def speaking(session, language):
    """What the Wine session starts meanwhile runs in that language (a key of LOCALES, or
    UNKNOWN; None leaves it English); yields the language's translation of an English text."""
    saved = dict(session.env)
    if language:
        name = LOCALES.get(language, language) + ".UTF-8"
        session.env.pop("LANGUAGE", None)
        session.env.update(LANG=name, LC_ALL=name, LOCPATH=locale_path(TEMPLATE + "-locales"))
    try:
        yield texts(language) if language in LOCALES else str
    finally:
        session.env.clear()
        session.env.update(saved)
