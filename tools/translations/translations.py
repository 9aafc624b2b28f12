"""The saver's texts in every language it carries, made from the catalogues in resources/po.

    translations.py pot                       writes resources/po/polkamoot.pot: every text a
                                              person reads, from the English dialog and strings
                                              of resources/polkamoot.rc and from the page
    translations.py rc <out.rc> <x.mo>...     the dialog and the refusals in each language, with
                                              the English layout widened where a text needs room
    translations.py js <out.js> <language.js> <x.mo>...
                                              the page's script: each language's catalogue, then
                                              language.js

The build runs the last two on catalogues that msgfmt compiled and checked; a language is
named by its catalogue's file name (de.mo, pt_BR.mo).
"""
import html.parser
import json
import math
import os
import re
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
RC = os.path.join(ROOT, "resources", "polkamoot.rc")
IDS = os.path.join(ROOT, "resources", "resource_ids.h")
PAGE = os.path.join(ROOT, "src", "platform", "web", "index.html")
PAGE_SCRIPT = os.path.join(ROOT, "src", "platform", "web", "start.js")
FIRST_TEXT_ID = 2000  # strings from here on are read by a person; those below are data

# The resource language of each catalogue. A neutral sublanguage, so that the platform picks it
# for every region of the language.
LANGUAGES = {"de": "LANG_GERMAN", "fr": "LANG_FRENCH", "es": "LANG_SPANISH",
             "it": "LANG_ITALIAN", "pt_BR": "LANG_PORTUGUESE", "nl": "LANG_DUTCH",
             "pl": "LANG_POLISH", "ru": "LANG_RUSSIAN", "ja": "LANG_JAPANESE",
             "zh_CN": "LANG_CHINESE"}

RC_TEXT = r'"((?:[^"]|"")*)"'
CONTROL = re.compile(r'^(?P<head>\s*CONTROL\s+)(?P<text>"(?:[^"]|"")*"|\w+)'
                     r"(?P<middle>,\s*\S+,\s*\w+,\s*(?P<style>[^,]+),\s*)"
                     r"(?P<x>\d+),\s*(?P<y>\d+),\s*(?P<w>\d+),\s*(?P<h>\d+)\s*$")


def rc_text(quoted):
    return quoted[1:-1].replace('""', '"') if quoted.startswith('"') else None


def rc_quote(text):
    return '"%s"' % text.replace('"', '""')


def english():
    """The English dialog (its lines from DIALOG to END) and the strings a person reads."""
    with open(RC, encoding="utf-8") as file:
        source = file.read()
    dialog = re.search(r"^\w+ DIALOG .*?^END$", source, re.S | re.M).group(0).splitlines()
    with open(IDS) as file:
        ids = dict(re.findall(r"#define (\w+) (\d+)", file.read()))
    strings = [(name, text.replace('""', '"')) for name, text in
               re.findall(r"^\s*(IDS_\w+)\s+%s\s*$" % RC_TEXT, source, re.M)
               if int(ids[name]) >= FIRST_TEXT_ID]
    return dialog, strings


class Control:
    def __init__(self, match):
        self.text = rc_text(match["text"])
        self.style = match["style"]
        self.x, self.y, self.w, self.h = (int(match[k]) for k in "xywh")
        self.nx, self.nw = self.x, self.w

    def right(self, new=False):
        return self.nx + self.nw if new else self.x + self.w

    def centred(self):
        return "SS_CENTER" in self.style or "SS_ICON" in self.style

    def beside(self, other):
        """Whether this stands left of the other on some of its rows."""
        return self.right() <= other.x and self.y < other.y + other.h and other.y < self.y + self.h

    def holds(self, other):
        return (self is not other and self.x <= other.x and other.right() <= self.right() and
                self.y <= other.y and other.y + other.h <= self.y + self.h)


def text_width(text):
    """Roughly how many dialog units the dialog's 8-point font takes for the text."""
    width = 0
    for c in text.replace("&", ""):
        if ord(c) >= 0x2E80:
            width += 8  # a full-width glyph
        elif c in "fijlrtI!'’(),./:;[]| ":
            width += 2.5
        elif c in "mwMWЖШЩЮжшщю":
            width += 6
        else:
            width += 5 if c.isupper() else 4
    return width


def needed_width(control):
    if control.text is None:
        return control.w
    width = text_width(control.text)
    for style, room in (("BS_AUTOCHECKBOX", 14), ("BS_GROUPBOX", 12), ("PUSHBUTTON", 10),
                        ("SS_", 2)):
        if style in control.style:
            return width + room
    return control.w


def lay_out(controls):
    """Each control widens to fit its text and a frame with what it holds. What stands to the
    right on the same rows moves along; controls that share a left edge, or a centre, keep
    sharing it. The new right edge of the widest."""
    for control in controls:
        control.nw = max(control.w, math.ceil(needed_width(control)))
    for frame in controls:
        if held := [c for c in controls if frame.holds(c)]:
            margin = frame.right() - max(c.right() for c in held)
            frame.nw = max(frame.nw, max(c.x + c.nw for c in held) + margin - frame.x)
    columns = {}
    for c in controls:
        columns.setdefault(("centre", c.x + c.w / 2) if c.centred() else ("left", c.x), []).append(c)
    for (kind, at), column in sorted(columns.items(), key=lambda i: min(c.x for c in i[1])):
        floors = [max([a.right(True) + c.x - a.right() for a in controls if a.beside(c)] + [0])
                  for c in column]
        if kind == "left":
            for c in column:
                c.nx = max([at] + floors)
        else:
            axis = max([at] + [f + c.nw / 2 for f, c in zip(floors, column)])
            for c in column:
                c.nx = round(axis - c.nw / 2)
    return max(c.right(True) for c in controls)


def translated_dialog(lines, translate, language):
    controls = [Control(m) for m in map(CONTROL.match, lines) if m]
    for c in controls:
        if c.text is not None:
            c.text = translate(c.text)
    keys = [m.lower() for c in controls if c.text for m in re.findall(r"&([^&])", c.text)]
    if repeated := sorted({key for key in keys if keys.count(key) > 1}):
        sys.exit("%s.po: more than one control of the dialog has the mnemonic %s" % (
            language, " and ".join(repeated)))
    english_right = max(c.right() for c in controls)
    right = lay_out(controls)
    out = []
    for line in lines:
        if head := re.match(r"(\w+ DIALOG \d+, \d+, )(\d+)(, \d+)$", line):
            width = int(head.group(2)) + max(0, right - english_right)
            line = head.group(1) + str(width) + head.group(3)
        elif line.startswith("CAPTION "):
            line = "CAPTION " + rc_quote(translate(rc_text(line[8:])))
        elif m := CONTROL.match(line):
            c = controls.pop(0)
            text = m["text"] if c.text is None else rc_quote(c.text)
            line = "%s%s%s%d, %d, %d, %d" % (m["head"], text, m["middle"], c.nx, c.y, c.nw, c.h)
        out.append(line)
    return out


def read_mo(path):
    """A compiled catalogue's translations by English text, its header left out."""
    with open(path, "rb") as file:
        data = file.read()
    magic, _, count, originals, translations = struct.unpack_from("<5I", data)
    assert magic == 0x950412DE, "%s: not a little-endian catalogue" % path

    def text(table, i):
        length, at = struct.unpack_from("<II", data, table + 8 * i)
        return data[at:at + length].decode("utf-8")
    return {text(originals, i): text(translations, i) for i in range(count) if text(originals, i)}


def catalogues(paths):
    return {os.path.splitext(os.path.basename(p))[0]: read_mo(p) for p in paths}


def write_rc(out_path, *mo_paths):
    dialog, strings = english()
    out = ["// Made by tools/translations/translations.py from resources/po: edit those instead.",
           "#pragma code_page(65001)"]
    for language, catalogue in sorted(catalogues(mo_paths).items()):
        def translate(text):
            return catalogue.get(text, text)
        out += ["", "LANGUAGE %s, SUBLANG_NEUTRAL" % LANGUAGES[language], ""]
        out += translated_dialog(dialog, translate, language)
        out += ["", "STRINGTABLE", "BEGIN"]
        out += ["    %s %s" % (name, rc_quote(translate(text))) for name, text in strings]
        out += ["END"]
    out += ["", "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US"]
    with open(out_path, "w", encoding="utf-8") as file:
        file.write("\n".join(out) + "\n")


def write_js(out_path, language_js, *mo_paths):
    tags = {language.replace("_", "-"): catalogue
            for language, catalogue in catalogues(mo_paths).items()}
    with open(language_js, encoding="utf-8") as file:
        script = file.read()
    with open(out_path, "w", encoding="utf-8") as file:
        file.write("// Made from resources/po: each language's texts by their English ones.\n")
        file.write("var PolkamootCatalogue = %s;\n\n" % json.dumps(
            dict(en={}, **tags), ensure_ascii=False, sort_keys=True, indent=0))
        file.write(script)


class PageTexts(html.parser.HTMLParser):
    """The page's marked texts: data-text (its value, or the element's own text), titles and
    labels."""

    def __init__(self):
        super().__init__()
        self.texts, self.own = [], None

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if "data-text" in attrs:
            if attrs["data-text"]:
                self.texts.append(attrs["data-text"])
            else:
                self.own = ""
        self.texts += [attrs[a] for a in ("title", "aria-label") if a in attrs]

    def handle_data(self, data):
        if self.own is not None:
            self.own += data

    def handle_endtag(self, tag):
        if self.own is not None:
            self.texts.append(self.own.strip())
            self.own = None


def write_pot():
    dialog, strings = english()
    found = {}
    rc_texts = [rc_text(l[8:]) for l in dialog if l.startswith("CAPTION")]
    rc_texts += [rc_text(m["text"]) for m in map(CONTROL.match, dialog) if m]
    rc_texts += [text for _, text in strings]
    page = PageTexts()
    with open(PAGE, encoding="utf-8") as file:
        page.feed(file.read())
    with open(PAGE_SCRIPT, encoding="utf-8") as file:
        script_texts = re.findall(r"polkamootText\('([^']*)'\)", file.read())
    for where, texts in (("resources/polkamoot.rc", rc_texts),
                         ("src/platform/web/index.html", page.texts),
                         ("src/platform/web/start.js", script_texts)):
        for text in texts:
            if text and where not in found.setdefault(text, []):
                found[text].append(where)
    out = ["# The texts of Polkamoot that a person reads. Made by",
           "# tools/translations/translations.py pot; every language's .po follows it.",
           'msgid ""', 'msgstr ""', r'"Project-Id-Version: Polkamoot 1.4\n"',
           r'"MIME-Version: 1.0\n"', r'"Content-Type: text/plain; charset=UTF-8\n"',
           r'"Content-Transfer-Encoding: 8bit\n"', ""]
    for text, places in found.items():
        out += ["#: " + " ".join(places), "msgid %s" % json.dumps(text, ensure_ascii=False),
                'msgstr ""', ""]
    with open(os.path.join(ROOT, "resources", "po", "polkamoot.pot"), "w",
              encoding="utf-8") as file:
        file.write("\n".join(out))


if __name__ == "__main__":
    commands = {"pot": write_pot, "rc": write_rc, "js": write_js}
    if len(sys.argv) < 2 or sys.argv[1] not in commands:
        sys.exit(__doc__)
    commands[sys.argv[1]](*sys.argv[2:])
