#!/usr/bin/python3
"""Folds the page into one self-contained HTML file: both windows' controls
and the script's constants written from the form's description (form_export),
the style, the script's files in their order, the WebAssembly core and a
subset of the Japanese gothic, all inline, so that the file works offline,
from file:// as well as from a web server.

usage: fold.py --template web/noboria.html --css web/noboria.css --js FILE...
               --form-export build-web/form_export --wasm build-web/noboria.wasm
               --font ipagp.ttf --chars FILE... --out noboria.html
"""

import argparse
import base64
import html
import io
import json
import re
import subprocess
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

# Always in the subset: what a user may type into a box (ASCII and its
# full-width forms), so that edits show in the same gothic.
ALWAYS = set(chr(c) for c in range(0x20, 0x7F)) | set(chr(c) for c in range(0xFF01, 0xFF5F)) | {"\u3000"}


def page_characters(paths, texts):
    """Every character of the given sources and texts outside plain ASCII control codes."""
    chars = set(ALWAYS)
    for path in paths:
        with open(path, encoding="utf-8") as f:
            text = f.read()
        # \uXXXX escapes in C++ and JS stand for their characters too.
        text += "".join(chr(int(h, 16)) for h in re.findall(r"\\u([0-9A-Fa-f]{4})", text))
        chars.update(c for c in text if ord(c) >= 0x20 and c != "\x7f")
    chars.update(c for c in texts if ord(c) >= 0x20 and c != "\x7f")
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


# ---- The windows, written from the form's description -------------------------

def attrs(**values):
    """ name="value" pairs in the given order; None leaves one out, True writes it bare."""
    out = []
    for name, value in values.items():
        if value is None or value is False:
            continue
        name = name.rstrip("_").replace("_", "-")
        out.append(" " + name if value is True else ' %s="%s"' % (name, html.escape(str(value), quote=True)))
    return "".join(out)


def place_style(c, size=True):
    left, top, width, height = c["px"]
    style = "left:%dpx;top:%dpx" % (left, top)
    if size:
        style += ";width:%dpx;height:%dpx" % (width, height)
    return style


def text_style(c):
    style = ""
    if c.get("font_px"):
        style += ";font-size:%dpx" % c["font_px"]
    if c.get("bold"):
        style += ";font-weight:bold"
    if c.get("colour"):
        style += ";color:%s" % c["colour"]
    return style


def overlaps(a, b):
    ax, ay, aw, ah = a["px"]
    bx, by, bw, bh = b["px"]
    return ax < bx + bw and bx < ax + aw and ay < by + bh and by < ay + ah


def document_order(controls):
    """Those that are no Tab stop in the order they are made, the field and the
    graph last among them (they repaint every day on layers of their own, and
    what follows them in the page would be put on layers too), then the stops
    in Tab order, so that the document's order is the Tab order. A control
    that now comes before one made after it and lying on it is lifted above it."""
    layered = ("field", "graph")
    plain = [c for c in controls if c["tab"] < 0 and c["kind"] not in layered]
    plain += [c for c in controls if c["tab"] < 0 and c["kind"] in layered]
    stops = sorted((c for c in controls if c["tab"] >= 0), key=lambda c: c["tab"])
    order = plain + stops
    made = {c["role"]: i for i, c in enumerate(controls)}
    lifted = set()
    for at, c in enumerate(order):
        for later in order[at + 1:]:
            if made[later["role"]] < made[c["role"]] and overlaps(c, later):
                lifted.add(c["role"])
    return order, lifted


def render_control(c, form, lifted, named_counts):
    role, kind = c["role"], c["kind"]
    style = place_style(c) + text_style(c) + (";z-index:1" if role in lifted else "")
    text = html.escape(c["text"], quote=False)
    trace = c["data_name"] or None
    if kind in ("caption", "count"):
        classes = ["label"]
        # The main window's captions are condensed to fit; the About window's are left as they are.
        classes.append("fit" if c["window"] == "main" else "free")
        if c["wrap"]:
            classes.append("wrap")
        if c["underline"]:
            classes.append("underline")
        if kind == "count":
            # Named with its number by the script, a few times a second while days run; readers hear that name,
            # not the text shown, which changes every day and would tell them of each change.
            classes.append("count")
            return '<div%s><span aria-hidden="true">%s</span></div>' % (
                attrs(id=role, class_=" ".join(classes), data_trace=trace, role="status", aria_live="off",
                      aria_label=c["name"], style=style), text)
        # A caption the count beside it already says is not read a second time.
        return '<div%s>%s</div>' % (attrs(id=role, class_=" ".join(classes),
                                          aria_hidden="true" if c["text"] in named_counts else None,
                                          style=style), text)
    if kind == "box":
        return '<input%s>' % attrs(type="text", id=role, class_="box", data_index=c["index"], data_trace=trace,
                                   aria_label=c["name"], inputmode="decimal", autocomplete="off", autocorrect="off",
                                   autocapitalize="off", spellcheck="false", style=style)
    if kind == "step":
        arrow = '<button type="button" tabindex="-1" aria-hidden="true"></button>'
        return '<div%s>%s%s</div>' % (attrs(id=role, class_="bar", data_index=c["index"], data_trace=trace,
                                            role="spinbutton", tabindex=0, aria_label=c["name"],
                                            aria_valuemin=c["minimum"], aria_valuemax=c["maximum"],
                                            aria_valuenow=c["start_value"], style=style), arrow, arrow)
    if kind == "button":
        white = " white" if c["ground"] == "#FFFFFF" else ""
        return '<button%s>%s</button>' % (attrs(type="button", id=role, class_="button" + white, data_trace=trace,
                                                style=style), text)
    if kind == "link":
        classes = "label free link" + (" wrap" if c["wrap"] else "") + (" underline" if c["underline"] else "")
        return '<div%s>%s</div>' % (attrs(id=role, class_=classes, tabindex=0, role="link", aria_label=c["name"],
                                          style=style), text)
    if kind == "picture":
        # Drawn at its own size once the pictures are decoded.
        return '<canvas%s></canvas>' % attrs(id=role, class_="picture", data_picture=c["index"], width=c["px"][2],
                                             height=c["px"][3], role="img", aria_label=c["name"],
                                             style=place_style(c, size=False))
    # The field and the graph are described day by day with their summaries.
    if kind == "field":
        width, height = form["field_pixels"]
        return '<canvas%s></canvas>' % attrs(id=role, class_="pixelated", width=width, height=height, role="img",
                                             aria_label=c["name"], style=style)
    if kind == "graph":
        width, height = form["graph_pixels"]
        out = ['<div%s>' % attrs(id=role, class_="graph", data_trace=trace, style=style),
               '<canvas%s></canvas>' % attrs(class_="pixelated", width=width, height=height, role="img",
                                             aria_label=c["name"])]
        for g in form["graph_labels"]:
            out.append('<div%s>%s</div>' % (attrs(id=g["role"], class_="label graphlabel", style=place_style(g)),
                                            html.escape(g["text"], quote=False)))
        return "\n".join(out) + "\n</div>"
    if kind == "summary":
        # Named day by day with what its picture shows; the text shows while it has the focus. Readers hear the
        # name, always current, never the shown text, which is left as it was when the focus went.
        return '<div%s><span aria-hidden="true"></span></div>' % attrs(id=role, class_="summary", tabindex=0, role="img",
                                                    aria_label=c["name"], style=style)
    sys.exit("fold.py: no way to show a control of kind " + kind)


def render_window(form, window, heading):
    w = form["windows"][window]
    controls = [c for c in form["controls"] if c["window"] == window]
    order, lifted = document_order(controls)
    named_counts = {c["name"] for c in controls if c["kind"] == "count"}
    title = window + "_window_title"
    extra = {}
    if window == "about":
        # Its text is read with it when it comes forward, as on the desktop.
        extra = dict(role="dialog", aria_describedby=" ".join(form["about_text"]))
    out = ['<section%s>' % attrs(id=window + "_window", class_="window", aria_labelledby=title, **extra),
           '<div class="titlebar"><canvas class="icon" aria-hidden="true"></canvas><%s%s>%s</%s></div>' % (
               heading, attrs(id=title, class_="caption"), html.escape(w["caption"], quote=False), heading),
           '<div%s>' % attrs(class_="client", style="width:%dpx;height:%dpx;background:%s" % (
               w["width"], w["height"], w["ground"]))]
    out += [render_control(c, form, lifted, named_counts) for c in order]
    if window == "main":
        out.append('<div id="tooltip" class="tooltip" role="tooltip" hidden></div>')
        out.append('<div id="announcement" class="offscreen" aria-live="polite"></div>')
    out += ["</div>", "</section>"]
    return "\n".join(out)


def render_message_box(form):
    t = form["texts"]
    return "\n".join([
        '<div id="message_box" class="modal" hidden>',
        '<div class="window msgbox" role="alertdialog" aria-modal="true" aria-labelledby="message_title">',
        '<div class="titlebar"><h2 id="message_title" class="caption">%s</h2></div>' % html.escape(t["program_title"]),
        # The text is the OK button's description: both browsers hand that to a
        # screen reader with the focused button.
        '<div class="msgbody"><p id="message_text"></p><button type="button" id="message_ok" class="button" '
        'aria-describedby="message_text">%s</button></div>' % html.escape(t["message_ok"]),
        "</div>", "</div>"])


def constants(form):
    """The script's view of the description: element ids by index, the links,
    the windows' sizes and what the core's change bits mean."""
    controls = form["controls"]
    by_index = lambda kind: [c["role"] for c in sorted((c for c in controls if c["kind"] == kind),
                                                         key=lambda c: c["index"])]
    stops = sorted((c for c in controls if c["tab"] >= 0 and c["window"] == "main"), key=lambda c: c["tab"])
    value = {
        "boxes": by_index("box"),
        "steps": by_index("step"),
        "counts": form["counts"],
        # Each summary's stop, and the picture lying under it that it tells of.
        "summaries": [{"id": c["role"], "name": c["name"], "of": p["role"], "kind": p["kind"]}
                      for c in controls if c["kind"] == "summary"
                      for p in controls if p["kind"] in ("field", "graph") and p["px"] == c["px"]],
        "links": [{"id": c["role"], "address": c["address"], "message": c["message"]}
                  for c in controls if c["kind"] == "link"],
        "firstStop": stops[0]["role"],
        "lastStop": stops[-1]["role"],
        "main": {k: form["windows"]["main"][k] for k in ("width", "height", "ground")},
        "about": {k: form["windows"]["about"][k] for k in ("width", "height", "ground")},
        "iconPicture": form["icon_picture"],
        "changes": form["changes"],
    }
    return "// Written by fold.py from the form's description (form/layout.h).\nconst FORM = %s;\n" % json.dumps(
        value, ensure_ascii=False, separators=(",", ":"))


def all_texts(value):
    if isinstance(value, str):
        return value
    if isinstance(value, dict):
        return "".join(all_texts(v) for v in value.values())
    if isinstance(value, list):
        return "".join(all_texts(v) for v in value)
    return ""


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--template", required=True)
    p.add_argument("--css", required=True)
    p.add_argument("--js", nargs="+", required=True)
    p.add_argument("--form-export", required=True)
    p.add_argument("--wasm", required=True)
    p.add_argument("--font", required=True)
    p.add_argument("--chars", nargs="+", default=[])
    p.add_argument("--out", required=True)
    a = p.parse_args()

    form = json.loads(subprocess.run([a.form_export], check=True, capture_output=True).stdout.decode("utf-8"))
    with open(a.template, encoding="utf-8") as f:
        page = f.read()
    with open(a.css, encoding="utf-8") as f:
        css = f.read()
    css += "\n.box.cue { background: %s; }\n" % form["cue_ground"]
    parts = [constants(form)]
    for path in a.js:
        with open(path, encoding="utf-8") as f:
            parts.append(f.read())
    # One closure for all the files: they share its names and leave no global behind.
    js = "'use strict';\n\n(function () {\n%s})();\n" % "\n".join(parts)
    with open(a.wasm, "rb") as f:
        wasm = f.read()

    font = font_subset(a.font, page_characters([a.template, a.css] + a.js + a.chars, all_texts(form)))
    # As data blocks the script reads, not as script: nothing has to parse them.
    boot = '<script type="application/octet-stream" id="noboria-core">%s</script>\n' \
           '<script type="application/octet-stream" id="noboria-font">%s</script>' % (
               base64.b64encode(wasm).decode("ascii"), base64.b64encode(font).decode("ascii"))
    windows = "\n".join([render_window(form, "main", "h1"), render_window(form, "about", "h2")])

    if "</script" in js.lower() or "</style" in css.lower():
        sys.exit("fold.py: a source would end its inline element early")
    marks = (("@TITLE@", html.escape(form["windows"]["main"]["caption"], quote=False)), ("/*@CSS@*/", css),
             ("<!--@DATA@-->", boot), ("<!--@WINDOWS@-->", windows), ("<!--@MESSAGE@-->", render_message_box(form)),
             ("/*@JS@*/", js))
    for mark, text in marks:
        if page.count(mark) != 1:
            sys.exit("fold.py: the template needs exactly one " + mark)
        page = page.replace(mark, text.rstrip("\n"))

    with open(a.out, "w", encoding="utf-8") as f:
        f.write(page)
    print("%s: %d bytes (core %d, font %d)" % (a.out, len(page.encode("utf-8")), len(wasm), len(font)))


if __name__ == "__main__":
    main()
