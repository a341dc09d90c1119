#!/usr/bin/python3
"""Folds the page into one self-contained HTML file: the style, the script,
the WebAssembly core and a subset of the Japanese gothic, all inline, so that
the file works offline, from file:// as well as from a web server.

usage: fold.py --template web/noboria.html --css web/noboria.css --js web/noboria.js
               --wasm build-web/noboria.wasm --font ipagp.ttf --chars FILE... --out noboria.html
"""

import argparse
import base64
import io
import re
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

# Always in the subset: what a user may type into a box (ASCII and its
# full-width forms), so that edits show in the same gothic.
ALWAYS = set(chr(c) for c in range(0x20, 0x7F)) | set(chr(c) for c in range(0xFF01, 0xFF5F)) | {"\u3000"}


def page_characters(paths):
    """Every character of the given sources outside plain ASCII control codes."""
    chars = set(ALWAYS)
    for path in paths:
        with open(path, encoding="utf-8") as f:
            text = f.read()
        # \uXXXX escapes in C++ and JS stand for their characters too.
        text += "".join(chr(int(h, 16)) for h in re.findall(r"\\u([0-9A-Fa-f]{4})", text))
        chars.update(c for c in text if ord(c) >= 0x20 and c != "\x7f")
    return chars


def font_subset(font_path, chars):
    options = subset.Options()
    options.flavor = "woff2"
    options.layout_features = ["kern", "palt", "halt", "vert", "liga"]
    options.name_IDs = [0, 1, 2, 3, 4, 5, 6, 13, 14]  # keep the copyright and licence records
    options.notdef_outline = True
    options.hinting = False
    options.desubroutinize = True
    font = TTFont(font_path, recalcTimestamp=False)  # the same file from the same sources
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=[ord(c) for c in sorted(chars)])
    subsetter.subset(font)
    out = io.BytesIO()
    subset.save_font(font, out, options)
    return out.getvalue()


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--template", required=True)
    p.add_argument("--css", required=True)
    p.add_argument("--js", required=True)
    p.add_argument("--wasm", required=True)
    p.add_argument("--font", required=True)
    p.add_argument("--chars", nargs="+", default=[])
    p.add_argument("--out", required=True)
    a = p.parse_args()

    with open(a.template, encoding="utf-8") as f:
        page = f.read()
    with open(a.css, encoding="utf-8") as f:
        css = f.read()
    with open(a.js, encoding="utf-8") as f:
        js = f.read()
    with open(a.wasm, "rb") as f:
        wasm = f.read()

    font = font_subset(a.font, page_characters([a.template, a.css, a.js] + a.chars))
    # As data blocks the script reads, not as script: nothing has to parse them.
    boot = '<script type="application/octet-stream" id="noboria-core">%s</script>\n' \
           '<script type="application/octet-stream" id="noboria-font">%s</script>' % (
               base64.b64encode(wasm).decode("ascii"), base64.b64encode(font).decode("ascii"))

    if "</script" in js.lower() or "</style" in css.lower():
        sys.exit("fold.py: a source would end its inline element early")
    for mark, text in (("/*@CSS@*/", css), ("<!--@DATA@-->", boot), ("/*@JS@*/", js)):
        if page.count(mark) != 1:
            sys.exit("fold.py: the template needs exactly one " + mark)
        page = page.replace(mark, text.rstrip("\n"))

    with open(a.out, "w", encoding="utf-8") as f:
        f.write(page)
    print("%s: %d bytes (core %d, font %d)" % (a.out, len(page.encode("utf-8")), len(wasm), len(font)))


if __name__ == "__main__":
    main()
