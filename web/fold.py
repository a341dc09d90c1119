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


def place_style(c, size=True, area=None):
    """Its place in the fixed layout, and its cell of the touch layout's grid
    (ignored where the window is no grid)."""
    left, top, width, height = c["px"]
    style = "left:%dpx;top:%dpx" % (left, top)
    if size:
        style += ";width:%dpx;height:%dpx" % (width, height)
    if area:
        style += ";grid-area:" + area
    return style


def text_style(c):
    style = ""
    if c.get("font_px"):
        # --t: the touch layout's larger text (1 in the fixed one).
        style += ";font-size:calc(var(--t) * %dpx)" % c["font_px"]
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


def frame(role, style, picture, grows=False):
    """A picture's place: the script shows the picture in it at a whole number
    of device pixels per pixel, centred (see page/pictures.js)."""
    return '<div%s>%s</div>' % (attrs(class_="frame grows" if grows else "frame", data_for=role, style=style), picture)


def render_control(c, form, lifted, named_counts, areas):
    role, kind = c["role"], c["kind"]
    style = place_style(c, area=areas[role]) + text_style(c) + (";z-index:1" if role in lifted else "")
    # A wrapped text in the lines the desktop breaks it into, where the description gives them; readers get
    # it whole, not with a pause at each line's end.
    text = html.escape(c["text"], quote=False)
    if c["lines"]:
        text = '<span aria-hidden="true">%s</span><span class="offscreen">%s</span>' % (
            html.escape(c["lines"], quote=False), text)
    elif kind == "caption" and c["window"] == "main" and "\u3000" in c["text"].strip("\u3000"):
        # Where the touch layout wraps a caption, its range ("1-10割") stays whole on the line after its name.
        name, _, rest = text.rpartition("\u3000")
        text = '%s\u3000<span class="keep">%s</span>' % (name, rest)
    lines = " lines" if c["lines"] else ""
    trace = c["data_name"] or None
    if kind in ("caption", "count"):
        classes = ["label"]
        # The main window's captions are condensed to fit; the About window's are left as they are.
        classes.append("fit" if c["window"] == "main" else "free")
        if c["wrap"]:
            classes.append("wrap" + lines)
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
        classes = "label free link" + (" wrap" + lines if c["wrap"] else "") + (" underline" if c["underline"] else "")
        return '<div%s>%s</div>' % (attrs(id=role, class_=classes, tabindex=0, role="link", aria_label=c["name"],
                                          style=style), text)
    if kind == "picture":
        # Sized once the pictures are decoded.
        return frame(role, style, '<canvas%s></canvas>' % attrs(id=role, class_="pixelated", data_picture=c["index"],
                                                          width=c["px"][2], height=c["px"][3], role="img",
                                                          aria_label=c["name"]))
    # The field and the graph are described day by day with their summaries.
    if kind == "field":
        width, height = form["field_pixels"]
        return frame(role, style, '<canvas%s></canvas>' % attrs(id=role, class_="pixelated", width=width, height=height,
                                                          role="img", aria_label=c["name"]), grows=True)
    if kind == "graph":
        # The labels lie on the picture, placed in its pixels (as percentages,
        # so that they follow it at any size), their grounds as large as their
        # text (in em of the window's 12 pixels).
        width, height = form["graph_pixels"]
        out = ['<div%s>' % attrs(id=role, class_="graph grows", data_trace=trace, style=style),
               '<div class="frame"><div class="plot">',
               '<canvas%s></canvas>' % attrs(class_="pixelated", width=width, height=height, role="img",
                                             aria_label=c["name"])]
        for g in form["graph_labels"]:
            left, top, w, h = g["px"]
            style = "left:%.4g%%;top:%.4g%%;width:%.4gem;height:%.4gem" % (100 * left / width, 100 * top / height, w / 12, h / 12)
            out.append('<div%s>%s</div>' % (attrs(id=g["role"], class_="label graphlabel", style=style),
                                            html.escape(g["text"], quote=False)))
        return "\n".join(out) + "\n</div></div></div>"
    if kind == "summary":
        # Named day by day with what its picture shows; the text shows while it has the focus. Readers hear the
        # name, always current, never the shown text, which is left as it was when the focus went.
        return '<div%s><span aria-hidden="true"></span></div>' % attrs(id=role, class_="summary", tabindex=0, role="img",
                                                    aria_label=c["name"], style=style)
    sys.exit("fold.py: no way to show a control of kind " + kind)


def render_window(form, window, heading, areas):
    w = form["windows"][window]
    controls = [c for c in form["controls"] if c["window"] == window]
    order, lifted = document_order(controls)
    named_counts = {c["name"] for c in controls if c["kind"] == "count"}
    title = window + "_window_title"
    extra = {}
    if window == "about":
        # Its text is read with it when it comes forward, as on the desktop.
        # It comes forward a frame after the field (see noboria.js).
        extra = dict(role="dialog", aria_describedby=" ".join(form["about_text"]), hidden=True)
    out = ['<section%s>' % attrs(id=window + "_window", class_="window", aria_labelledby=title, **extra),
           '<div class="titlebar"><div class="frame icon"><canvas class="pixelated" aria-hidden="true"></canvas></div>'
           '<%s%s>%s</%s></div>' % (
               heading, attrs(id=title, class_="caption"), html.escape(w["caption"], quote=False), heading),
           '<div%s>' % attrs(class_="client", style="width:%dpx;height:%dpx;background:%s" % (
               w["width"], w["height"], w["ground"]))]
    out += [render_control(c, form, lifted, named_counts, areas) for c in order]
    if window == "main":
        out.append('<div id="announcement" class="offscreen" aria-live="polite"></div>')
    out += ["</div>", "</section>"]
    return "\n".join(out)


# ---- The touch layout: the same controls in a grid, written from the description ----

def main_lines(controls, counts):
    """The main window's controls line by line for the touch layout: the field,
    the captions that stand alone, the day and the counts (each with its
    caption, the counts with their legend pictures), the buttons, the rows of
    caption, box and step control in the boxes' order (the speed's last), the
    graph. A line is a list of roles; every control but the summaries is on
    exactly one."""
    role = {c["role"]: c for c in controls}
    of_kind = lambda kind: [c for c in controls if c["kind"] == kind]
    by = lambda key: lambda c: c["px"][key]

    def caption_before(c):
        # The caption on its line nearest on its left.
        left = [d for d in of_kind("caption") if d["px"][1] == c["px"][1] and d["px"][0] < c["px"][0]]
        if not left:
            sys.exit("fold.py: no caption before " + c["role"])
        return max(left, key=by(0))["role"]

    field, graph = of_kind("field"), of_kind("graph")
    legends = sorted(of_kind("picture"), key=by(1))
    if len(field) != 1 or len(graph) != 1 or len(legends) != len(counts) - 1:
        sys.exit("fold.py: the touch layout wants one field, one graph and a legend for each count but the day")
    count_lines = [[caption_before(role[counts[0]]), counts[0]]]
    count_lines += [[caption_before(role[c]), c, legend["role"]] for c, legend in zip(counts[1:], legends)]
    steps = {c["index"]: c["role"] for c in of_kind("step")}
    rows = [[caption_before(c), c["role"], steps[c["index"]]] for c in sorted(of_kind("box"), key=lambda c: c["index"])]
    buttons = [[c["role"] for c in sorted(of_kind("button"), key=by(0))]]
    used = {r for line in count_lines + rows + buttons for r in line} | {field[0]["role"], graph[0]["role"]}
    alone = [[c["role"]] for c in sorted(of_kind("caption"), key=by(1)) if c["role"] not in used]
    lines = [[field[0]["role"]]] + alone + count_lines + buttons + rows + [[graph[0]["role"]]]
    placed = [r for line in lines for r in line]
    missing = {c["role"] for c in controls if c["kind"] != "summary"} - set(placed)
    if missing or len(placed) != len(set(placed)):
        sys.exit("fold.py: the touch layout misses or repeats %s" % sorted(missing or placed))
    return lines


def about_lines(controls):
    """The About window's controls in their reading order, those whose middles
    lie within each other's height on one line, its buttons last."""
    buttons = [c for c in controls if c["kind"] == "button"]
    rest = sorted((c for c in controls if c["kind"] != "button"), key=lambda c: (c["px"][1], c["px"][0]))
    middle = lambda c: c["px"][1] + c["px"][3] / 2
    within = lambda c, d: d["px"][1] <= middle(c) <= d["px"][1] + d["px"][3]
    lines = []
    for c in rest:
        if lines and within(c, lines[-1][0]) and within(lines[-1][0], c):
            lines[-1].append(c)
        else:
            lines.append([c])
    lines = [[c["role"] for c in sorted(line, key=lambda c: c["px"][0])] for line in lines]
    return lines + [[c["role"] for c in buttons]]


def template(rows):
    return " ".join('"%s"' % " ".join(row) for row in rows)


def touch_grids(form):
    """Each control's cell (its grid area: its role, a summary its picture's)
    and the touch layout's grids as style rules: the main window in one
    column of three tracks (caption, box, arrows), or, where the page is wide
    (body.wide), with the field and the graph in a column of their own on the
    left; the About window in one column."""
    controls = form["controls"]
    main = [c for c in controls if c["window"] == "main"]
    lines = main_lines(main, form["counts"])
    field, graph = lines[0][0], lines[-1][0]

    def cells(line, columns):
        # The last control of a short line takes the rest of it.
        if len(line) > columns:
            sys.exit("fold.py: too many controls on a line of the touch layout: %s" % line)
        return line + line[-1:] * (columns - len(line))

    narrow = [cells(line, 3) for line in lines]
    # Wide: the field beside the first lines, the graph beside the rest, in proportion to their heights.
    side = lines[1:-1]
    field_h, graph_h = form["field_pixels"][1], form["graph_pixels"][1]
    split = round(len(side) * field_h / (field_h + graph_h))
    wide = [[field if i < split else graph] + cells(line, 3) for i, line in enumerate(side)]

    about = [c for c in controls if c["window"] == "about"]
    kinds = {c["role"]: c["kind"] for c in about}
    about_rows = []
    for line in about_lines(about):
        if len(line) == 1:
            about_rows.append(line * 3)
        elif len(line) == 2:
            # A picture keeps its own size at the end of its line; else the second takes the room.
            about_rows.append([line[0], line[0], line[1]] if kinds[line[1]] == "picture" else [line[0], line[1], line[1]])
        else:
            sys.exit("fold.py: too many controls on a line of the About window's touch layout: %s" % line)

    areas = {c["role"]: c["role"] for c in controls}
    for s in controls:
        if s["kind"] == "summary":
            areas[s["role"]] = next(p["role"] for p in main if p["kind"] in ("field", "graph") and p["px"] == s["px"])
    css = ("\n/* The touch layout's grids, written by fold.py from the description. */\n"
           ".touch #main_window .client { grid-template-areas: %s; }\n"
           ".touch.wide #main_window .client { grid-template-areas: %s; }\n"
           ".touch #about_window .client { grid-template-areas: %s; }\n") % (
               template(narrow), template(wide), template(about_rows))
    return areas, css, len(side)


def smallest_target(form):
    """The shortest side of anything a pointer aims at in the fixed layout, in
    its pixels: a box, a button, a link (the part no later control covers),
    each arrow of a step control (half of it)."""
    sides = []
    controls = form["controls"]
    for n, c in enumerate(controls):
        left, top, width, height = c["px"]
        if c["kind"] == "step":
            # The left arrow's button reaches to the right one, whose 11 pixels
            # reach past the bar (noboria.css); the top line is the bar's.
            sides += [width - 11, height - 1]
        elif c["kind"] in ("box", "button"):
            sides += [width, height]
        elif c["kind"] == "link":
            covered = [d["px"][1] for d in controls[n + 1:] if d["window"] == c["window"] and top < d["px"][1] < top + height
                       and d["px"][0] < left + width and left < d["px"][0] + d["px"][2]]
            sides += [width, min(covered, default=top + height) - top]
    return min(sides)


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
        "</div>", "</div>",
        # A refused box's hint, placed in the view beside its box (page/hint.js).
        '<div id="tooltip" class="tooltip" role="tooltip" hidden></div>'])


def constants(form, side_lines):
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
        "fieldPlace": next(c["px"] for c in controls if c["kind"] == "field"),
        # The touch layout's lines of controls beside the field and the graph, where it has two columns.
        "touchLines": side_lines,
        # The fixed layout keeps every target large enough only from this scale up: see page/layout.js.
        "smallestTarget": smallest_target(form),
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
    areas, grids, side_lines = touch_grids(form)
    css += grids
    parts = [constants(form, side_lines)]
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
    windows = "\n".join([render_window(form, "main", "h1", areas), render_window(form, "about", "h2", areas)])

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
