"""The page in one file, which dances opened from disk: the build folder's index.html with its
stylesheet, icon and scripts written into it, and the program's WebAssembly handed to the program
as Module.wasmBinary, which a page opened as a file could not fetch. No manifest and no service
worker: a file keeps itself.

    one_file.py <build folder> <out.html>
"""
import base64
import os
import re
import sys


def main(folder, out):
    def read(name):
        with open(os.path.join(folder, name), "rb") as file:
            return file.read()

    def script(text):
        # Inside a script element only these could end it early or change how it is read.
        if re.search(r"</script|<!--", text, re.I):
            sys.exit("one_file.py: a script holds what would end its element")
        return "<script>\n%s</script>" % text

    def encoded(name):
        return base64.b64encode(read(name)).decode("ascii")

    program = script("var Module = {wasmBinary: Uint8Array.from(atob('%s'), function(c) {\n"
                     "  return c.charCodeAt(0);\n})};\n" % encoded("polkamoot.wasm"))
    page = read("index.html").decode("utf-8")
    page = re.sub(r'<link rel="manifest"[^>]*>\n', "", page)
    page = re.sub(r'<link rel="stylesheet" href="([^"]+)">',
                  lambda m: "<style>\n%s</style>" % read(m[1]).decode("utf-8"), page)
    page = re.sub(r'<link rel="icon" href="([^"]+)">',
                  lambda m: '<link rel="icon" href="data:image/x-icon;base64,%s">' % encoded(m[1]),
                  page)
    page = page.replace('<script src="start.js">', program + '\n<script src="start.js">')
    page = re.sub(r'<script (?:async )?src="([^"]+)"></script>',
                  lambda m: script(read(m[1]).decode("utf-8")), page)
    if re.search(r'\b(src|href)="(?!data:)', page):
        sys.exit("one_file.py: index.html names a file that this does not write in")
    with open(out, "w", encoding="utf-8") as file:
        file.write(page)


if __name__ == "__main__":
    main(*sys.argv[1:])
