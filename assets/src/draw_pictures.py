#!/usr/bin/env python3
"""Draws every picture of the program and writes them as XPM files.

Run by hand after changing a drawing, from anywhere:

    python3 assets/src/draw_pictures.py

It rewrites assets/sprites/*.xpm and assets/pictures/*.xpm; those files are
committed and the build only embeds them, so the build never runs this.

The small pictures are drawn pixel by pixel below, one character a pixel
(the keys are listed in COLOURS). The About window's zebra is larger, so it
is described by shapes (body outline, legs, neck, head) and stripe rules.
"""

import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))
SPRITES = os.path.join(HERE, "..", "sprites")
PICTURES = os.path.join(HERE, "..", "pictures")

# One character a pixel. "." is the ground of a field sprite (its colour
# depends on the sprite); " " is transparent.
COLOURS = {
    # zebra
    "k": "#000000",  # black: outlines and stripes
    "w": "#FFFFFF",  # white stripes
    "g": "#909090",  # grey: inside of the ears
    "d": "#404040",  # dark grey: muzzle
    "s": "#C8C8C8",  # light grey: far legs of the big zebra
    # lion
    "b": "#7A4A10",  # brown outline, eye, nose, tail tuft
    "o": "#C07018",  # mane and tail
    "y": "#F0C030",  # yellow coat
    "l": "#F8D878",  # light muzzle and belly
    "n": "#D8A020",  # far legs, ear
    # ground details
    "p": "#8898B0",  # pebble
    "q": "#B8C8E0",  # pebble, lit side
    "r": "#5C6C84",  # pebble, shadow side
    "t": "#60C020",  # grass tuft
    "u": "#3C9818",  # grass tuft, dark
    "v": "#3C963C",  # leaf, dark
    "h": "#88DC80",  # leaf, light
    "R": "#E02828",  # red flower
    "Y": "#FFE030",  # yellow flower
    "O": "#E08000",  # heart of a yellow flower
    # window icon (greys)
    "K": "#202020",
    "D": "#505050",
    "M": "#8C8C8C",
    "S": "#C8C8C8",
    "W": "#FFFFFF",
    # About zebra surround
    "-": "#F4F6F4",
    " ": "None",
}

GROUND_BARE = "#CF8F00"
GROUND_GRASS = "#A0FF40"
GROUND_DENSE = "#60C060"
GROUND_HERBIVORE = "#9CFE3C"
GROUND_DARK = "#208020"


def grid(text):
    rows = text.strip("\n").split("\n")
    width = len(rows[0])
    for row in rows:
        assert len(row) == width, (row, width)
    return [list(row) for row in rows]


def write_xpm(path, name, pixels, ground=None):
    """Writes pixels (rows of keys) as an XPM; "." takes the ground colour."""
    keys = sorted({c for row in pixels for c in row})
    palette = {}
    for key in keys:
        if key == ".":
            assert ground is not None, path
            palette[key] = ground
        else:
            palette[key] = COLOURS[key]
    height, width = len(pixels), len(pixels[0])
    lines = ["/* XPM */", "static const char *%s[] = {" % name]
    lines.append('"%d %d %d 1",' % (width, height, len(keys)))
    lines += ['"%s c %s",' % (key, palette[key]) for key in keys]
    body = ['"%s"' % "".join(row) for row in pixels]
    lines.append(",\n".join(body))
    lines.append("};")
    with open(path, "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def stamp(pixels, pattern, positions):
    """Puts a small pattern at each top-left position; "." in it is see-through."""
    pat = grid(pattern)
    for (px, py) in positions:
        for dy, row in enumerate(pat):
            for dx, c in enumerate(row):
                if c != ".":
                    pixels[py + dy][px + dx] = c


def blank(size):
    return [["."] * size for _ in range(size)]


# ---------------------------------------------------------------------------
# Field sprites, 24 x 24. The four corner pixels stay bare ground.

PEBBLE_SMALL = """
qp.
prr
"""
PEBBLE_LARGE = """
.qp.
qppr
.rr.
"""
TUFT = """
t.u.t
.tuu.
..u..
"""
TUFT_SMALL = """
u.t
.u.
"""
LEAVES = """
v.
hv
"""
RED_FLOWER = """
.R.
RYR
.R.
"""
YELLOW_FLOWER = """
.Y.
YOY
.Y.
"""


def bare_ground():
    px = blank(24)
    stamp(px, PEBBLE_LARGE, [(3, 3), (15, 13)])
    stamp(px, PEBBLE_SMALL, [(14, 5), (8, 11), (3, 18), (10, 20), (19, 20)])
    return px


def grass():
    px = blank(24)
    stamp(px, TUFT, [(2, 2), (13, 4), (6, 10), (16, 15), (3, 17)])
    stamp(px, TUFT_SMALL, [(19, 9), (11, 19), (19, 2)])
    return px


def dense_vegetation():
    px = blank(24)
    stamp(px, LEAVES, [(x, y) for y in range(1, 22, 4) for x in range(1 + (y // 4) % 2 * 2, 21, 4)])
    stamp(px, RED_FLOWER, [(4, 4), (15, 9), (6, 16), (18, 18)])
    stamp(px, YELLOW_FLOWER, [(12, 2), (2, 11), (12, 15), (19, 4)])
    return px


# Herbivore: a zebra's head in profile, facing left, with its striped neck
# and upright mane.
ZEBRA_HEAD = """
..........k....k........
.........kgk..kgk.......
.........kgk..kgwk......
.........kgwk.kgwk......
........kwwkkkwkkkk.....
........kkwwkkwwkwwk....
.......kwwwwwkkwkkkkk...
......kkwwkwwwkkkwwwwk..
......kkwkkwkwwkkkwkkk..
.....kwwwwwwkkwkwwwwwwk.
.....kkwwkkwwkkkwwkkkkk.
....kwkkwwkkwwkkkkwwwwk.
...kkwwkkwwkkwkwwwwwwkk.
..kdkkwwkkwwkkwwwwkkkwk.
..kddkkwwkkwwkwkkkwwwkk.
.kkdddkkwwkkkkkwwwwwwwk.
.kdddddkkkk.kwwwwwkkkkk.
.kdddddwk...kwwkkkwwwwk.
..kddddk....kkkwwwwwwkk.
...kkkk.....kwwwwwkkkwk.
............kwwkkkwwwkk.
............kkkwwwwwwwk.
............kwwwwwkkkkk.
............kwwkkkwwwwk.
"""

# Carnivore: a whole lion, side view, head on the left, tail up.
LION = """
........................
........................
........................
....bbbb...........bb...
..bboboobb........bbbb..
.boooooobob.......bbb...
.booyyooooob.......o....
boybyyyyoooob......o....
.byyyyyyoobob......o....
byyyyyyyooooobbbbbbo....
blllllyyobooyyyyyyyb....
.bllllyoooooyyyyyyyb....
..blllooboooyyyyyyyyb...
...bbooooooyyyyyyyyyb...
....bboboooyyyyyyyyyb...
......boyyyybbbbbyyyb...
.......byynb.....bnyyb..
.......byynb.....bnyyb..
.......byynb.....bnyyb..
.......byynb.....bnyyb..
......bbbbbb.....bbbbbb.
........................
........................
........................
"""


def animal_on(ground_pixels, animal):
    px = [row[:] for row in ground_pixels]
    for y, row in enumerate(grid(animal)):
        for x, c in enumerate(row):
            if c != ".":
                px[y][x] = c
    return px


def sprites():
    """The nine sprites, k = plant level + 3 x occupant, with their grounds."""
    return [
        (bare_ground(), GROUND_BARE),
        (grass(), GROUND_GRASS),
        (dense_vegetation(), GROUND_DENSE),
        (animal_on(blank(24), ZEBRA_HEAD), GROUND_BARE),
        (animal_on(blank(24), ZEBRA_HEAD), GROUND_HERBIVORE),
        (animal_on(blank(24), ZEBRA_HEAD), GROUND_HERBIVORE),
        (animal_on(blank(24), LION), GROUND_BARE),
        (animal_on(blank(24), LION), GROUND_GRASS),
        (animal_on(blank(24), LION), GROUND_DARK),
    ]


# ---------------------------------------------------------------------------
# Legends beside the parameter rows, 32 x 32.

# Zebra's head in black and white; "." is bright green 00 FF 00.
LEGEND_HERBIVORE = """
..............k.....k...........
.............kgk...kgk..........
.............kgk...kggk.........
............kggk...kggk.........
............kgggk.kgggk.........
...........kwwkkwkwkkwwk........
..........kkwwwkkwwwkkwkk.......
.........kwkkwwwkkwwwkkwwk......
........kwwwkkwwwkkwwwkkkkk.....
........kkwwwwwwwwkkwkwwwwwk....
.......kwkkwkkwkwwwkkkwwwkkkk...
.......kwwkwkkwkkwwwkkwwkkwwk...
......kkwwwwwwwwkkwwkwkkkkkkkk..
.....kwkkwwwkkwwwkkwkkkkwwwwwk..
.....kwwkkwwwkkwwwkkkkwwwwwkkk..
....kkwwwkkwwwkkwwwkwwwwwwkwwwk.
...kdkkwwwkkwwwkkwkwwwwwkkkkkkk.
..kdddkkwwwkkwwwkkkwwwkkkkwwwwk.
..kddddkkwwwkkwwwkwwkkkkwwwwkkk.
.kdkddddkkwwwkkkkwkkkkwwwwwwwwk.
.kdkdddddkkwwwk.kkkkwwwwwwkkkkk.
.kdddddddwkkwk..kkwwwwwwkkkkwwk.
.kddddddddwkk...kwwwwwkkkkwwkkk.
..kdddddddk.....kwwwkkkkwwwwwwk.
...kkddddk......kwkkkkwwwwwwkkk.
.....kkkk.......kkkkwwwwwwkkwwk.
................kkwwwwwwkkkkkkk.
................kwwwwwkkkkwwwwk.
................kwwwkkkkwwwwkkk.
................kwkkkkwwwwwwwwk.
................kkkkwwwwwwkkkkk.
................kkwwwwwwkkkkwwk.
"""

# Yellow lion, whole body, head on the left; transparent around it.
LEGEND_CARNIVORE = """
................................
................................
................................
................................
................................
............................b...
.....bbbbbb................bb...
...bboooboobb.............bbbb..
..boboooooobob.............bbb..
.booonnboooooob.............o...
.bobynyyyoboooob............o...
booybbyyyyoooboob...........o...
.byyyyyyyyyooooob..........o....
byyyyyyyyyyoboooob.........o....
bllllllyyyyooooboybbbbbbb.o.....
bllllllyyyybooooyyyyyyyyybb.....
.bbblllyyyyoooboyyyyyyyyyyyb....
..bllllyyyboooooyyyyyyyyyyyb....
...blllyyoooobooyyyyyyyyyyyb....
....booooboooooyyyyyyyyyyyyb....
.....boooooobooyyyyyyyyyyyyb....
......bbbooooooyyyyyyyyyyyyb....
.........bobyyyllbbbbblllllb....
..........byyynnb.....bnnyyyb...
..........byyynnb.....bnnyyyb...
..........byyynnb.....bnnyyyb...
..........byyynnb.....bnnyyyb...
..........byyynnb.....bnnyyyb...
..........byyynnb.....bnnyyyb...
.........bbbbbbbb.....bbbbbbbb..
................................
................................
"""

# ---------------------------------------------------------------------------
# Window icon, 32 x 32: a standing zebra in greys; "x" is see-through. The
# menus' icons are made from it by whole-factor scaling, and from the same
# zebra redrawn at 22 x 22 and 16 x 16 for the sizes it cannot make crisp.

ICON = """
xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx
xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx
xxxxxxxxxxxxxxxxxxxxxKxxKxxxxxxx
xxxxxxxxxxxxxxxxxxxxxKSKKxxxxxxx
xxxxxxxxxxxxxxxxxxxxKDDDKxxxxxxx
xxxxxxxxxxxxxxxxxxMKWWWKWKxxxxxx
xxxxxxxxxxxxxxxxxxKDDDDDDDKxxxxx
xxxxxxxxxxxxxxxxxMKWWWWKWWWKxxxx
xxxxxxxxxxxxxxxxxKDDDDKxKDDDKxxx
xxxxxxxxxxxxxxxxMKWWWWKxxKWWWKxx
xxxxxxxxxxxxxxxxKDDDDDKxxxKDDDKx
xxxxxxxxxxxxxxxMKWWWWWKxxxKWMMKx
xxxxxxxxxxxxxxxKDDDDDDKxxxxKMKKx
xxxxxxKKKKKKKKKDWWWWWWKxxxxKKKxx
xxxKxKDWWDWWDWWDDDDDDDDKxxxxxxxx
xxxKKWDWWDWWDWWDWWWWWWWKxxxxxxxx
xxKxKWDWWDWWDWWDWWDDDDDKxxxxxxxx
xxKxKWDWWDWWDWWDWWDWWDWKxxxxxxxx
xxKxKWDWWDWWDWWDWWDWWDWKxxxxxxxx
xxKxKWDWWDWWDWWDWWDWWDWKxxxxxxxx
xKKKxKDWWDWWDWWDWWDWWDKxxxxxxxxx
xKKKxKDWWDWWKKKKKWDKWKxxxxxxxxxx
xxKxxKDDDKKKxxxxxKKxKDKxxxxxxxxx
xxxxxxKWKxMMxxxxxMMxKWKxxxxxxxxx
xxxxxxKDKxKKxxxxxKKxKDKxxxxxxxxx
xxxxxxKWKxMMxxxxxMMxKWKxxxxxxxxx
xxxxxxKDKxKKxxxxxKKxKDKxxxxxxxxx
xxxxxxKWKxMMxxxxxMMxKWKxxxxxxxxx
xxxxxxKDKxKKxxxxxKKxKDKxxxxxxxxx
xxxxxxKKKxKKxxxxxKKxKKKxxxxxxxxx
xxxxxxKKKxKKxxxxxKKxKKKxxxxxxxxx
xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx
"""

ICON_22 = """
xxxxxxxxxxxxxxxxxxxxxx
xxxxxxxxxxxxxxKxxKxxxx
xxxxxxxxxxxxxxKSKKxxxx
xxxxxxxxxxxxxKDDDKxxxx
xxxxxxxxxxxxKWWWKWKxxx
xxxxxxxxxxxxKDDDDDDKxx
xxxxxxxxxxxKWWWKKWWWKx
xxxxxxxxxxxKDDDKxKDDDK
xxxxxxxxxxKWWWWKxxKWMK
xxxxxxxxxxKDDDDKxxxKKK
xxxKKKKKKKDWWWWKxxxxxx
xxKKDWWDWWDDDDDDKxxxxx
xKxKDWWDWWDWWWWWKxxxxx
xKxKDWWDWWDWWDDDKxxxxx
KKKKDWWDWWDWWDWWKxxxxx
KKKxKDWDKKKKKDWKxxxxxx
xxxxKWDKxMxMxKWDKxxxxx
xxxxKDWKxKxKxKDWKxxxxx
xxxxKWDKxMxMxKWDKxxxxx
xxxxKDWKxKxKxKDWKxxxxx
xxxxKKKKxKxKxKKKKxxxxx
xxxxxxxxxxxxxxxxxxxxxx
"""

ICON_16 = """
xxxxxxxxxxxxxxxx
xxxxxxxxxxKxKxxx
xxxxxxxxxxKKKxxx
xxxxxxxxxKWWWKxx
xxxxxxxxKDDKDDKx
xxxxxxxxKWWKKWMK
xxxxxxxKDDDKxKKK
xxKKKKKKWWWKxxxx
xKKDWDWDDDDKxxxx
xKxKDWDWDWWKxxxx
KKKKDWDWDWDKxxxx
KKKxKKKKKKKKxxxx
xxxxKWKxMxKWKxxx
xxxxKDKxKxKDKxxx
xxxxKKKxKxKKKxxx
xxxxxxxxxxxxxxxx
"""

# ---------------------------------------------------------------------------
# About window zebra, 80 x 81: standing in side view, head lowered at the
# right to graze. Shapes are in pixel coordinates (x right, y down).


def in_ellipse(px, py, cx, cy, rx, ry):
    return ((px - cx) / rx) ** 2 + ((py - cy) / ry) ** 2 <= 1


def in_polygon(px, py, poly):
    inside = False
    for i in range(len(poly)):
        (x1, y1), (x2, y2) = poly[i], poly[(i + 1) % len(poly)]
        if (y1 > py) != (y2 > py) and px < x1 + (py - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
    return inside


def capsule(px, py, a, ra, b, rb):
    """Inside a tapered stroke from a (radius ra) to b (radius rb)? Also
    returns how far along the stroke the nearest point lies (0..1)."""
    dx, dy = b[0] - a[0], b[1] - a[1]
    t = max(0.0, min(1.0, ((px - a[0]) * dx + (py - a[1]) * dy) / (dx * dx + dy * dy)))
    cx, cy = a[0] + t * dx, a[1] + t * dy
    r = ra + (rb - ra) * t
    return (px - cx) ** 2 + (py - cy) ** 2 <= r * r, t


def in_stroke(px, py, points):
    return any(capsule(px, py, a, ra, b, rb)[0] for (a, ra), (b, rb) in zip(points, points[1:]))


BODY = [(13.5, 28), (16.5, 23), (22, 20.5), (28, 21), (34, 23), (40, 23.5), (46, 21.5), (52, 24.5),
        (57, 29.5), (61, 36), (64.5, 42.5), (62, 51), (58, 49), (54, 47.5), (50, 47.5), (44, 49.5),
        (38, 50.5), (31, 49.5), (25, 47), (20, 44), (15.5, 39), (13, 33.5)]
HEAD_TOP, HEAD_END = (65.5, 47), (71.5, 66)
LEGS = [  # near hind, far hind, far front, near front: ((x, y), radius) down to the hoof
    ("near", [((20, 36), 7.5), ((23, 48), 5.0), ((27, 58), 2.8), ((25.5, 67), 2.0), ((25.5, 72), 2.4)]),
    ("far", [((30, 42), 5), ((33, 57), 2.6), ((32, 67), 1.9), ((32, 72), 2.3)]),
    ("far", [((45.5, 44), 3.6), ((46, 58), 2.6), ((46.5, 67), 1.9), ((46.5, 72), 2.3)]),
    ("near", [((52, 42), 4.6), ((53, 52), 3.4), ((53.5, 59), 2.8), ((54, 67), 2.0), ((54, 72), 2.4)]),
]
MANE = [((45.5, 20), 2.0), ((52, 22), 2.2), ((57.5, 27), 2.2), ((61.5, 33), 2.1), ((64.5, 39), 1.9)]
EARS = [[(61.5, 43.5), (71.5, 34.5), (69, 46.5)], [(59, 42), (65, 31.5), (65, 44)]]
EYE = (65, 50)
# The drawing above is placed larger in the picture: scaled about the hooves.
SCALE, HOOVES_DRAWN, HOOVES_PLACED = 1.08, (43, 76), (41, 78)


def placed(x, y):
    """Where a point of the drawing lands in the picture."""
    return (HOOVES_PLACED[0] + (x - HOOVES_DRAWN[0]) * SCALE,
            HOOVES_PLACED[1] + (y - HOOVES_DRAWN[1]) * SCALE)


def drawn(x, y):
    """Which point of the drawing a picture position shows."""
    return (HOOVES_DRAWN[0] + (x - HOOVES_PLACED[0]) / SCALE,
            HOOVES_DRAWN[1] + (y - HOOVES_PLACED[1]) / SCALE)
TAIL = [((13.8, 29), 1.2), ((12, 40), 0.9), ((11.5, 47), 0.9)]


def zebra_part(px, py):
    """Which part of the zebra a point belongs to, or None for the surround."""
    on_head, t = capsule(px, py, HEAD_TOP, 5.0, HEAD_END, 3.3)
    if any(in_polygon(px, py, ear) for ear in EARS):
        return "ear"
    if in_stroke(px, py, MANE):
        return "mane"
    if on_head or in_ellipse(px, py, 63.5, 50.5, 4.3, 4.6):
        return "muzzle" if t > 0.8 else "head"
    if in_polygon(px, py, BODY):
        return "neck" if px > 47 + (py - 22) * 0.2 else "body"
    for depth, points in LEGS:
        if in_stroke(px, py, points):
            return "hoof" if py >= 71 else depth
    if in_stroke(px, py, TAIL) or in_ellipse(px, py, 11.5, 51, 2.3, 4.6):
        return "tail"
    return None


def along(px, py, origin, direction):
    ux, uy = direction
    norm = math.hypot(ux, uy)
    return ((px - origin[0]) * ux + (py - origin[1]) * uy) / norm


def black_stripe(part, px, py):
    if part == "body":
        if px < 27:  # the rump's stripes bend round the haunch
            return math.hypot(px - 36, py - 14) % 5.2 < 2.2
        return (px + 0.014 * (py - 28) ** 2) % 5.4 < 2.3
    if part in ("near", "far"):
        return py % 4.0 < 1.7
    if part == "neck":
        return along(px, py, (43, 24), (17, 20)) % 5.0 < 2.1
    if part == "head":
        direction = (HEAD_END[0] - HEAD_TOP[0], HEAD_END[1] - HEAD_TOP[1])
        return along(px, py, HEAD_TOP, direction) % 3.6 < 1.5
    return False


def about_zebra():
    width, height = 80, 81
    parts = [[zebra_part(*drawn(x + 0.5, y + 0.5)) for x in range(width)] for y in range(height)]
    pixels = [[" "] * width for _ in range(height)]
    for y in range(height):
        for x in range(width):
            part = parts[y][x]
            if part is None:
                pixels[y][x] = " " if (x + y) % 2 == 0 else "-"
                continue
            around = [parts[y + dy][x + dx] if 0 <= x + dx < width and 0 <= y + dy < height else None
                      for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))]
            if None in around or part in ("hoof", "tail"):
                c = "k"
            elif part == "muzzle":
                c = "d"
            elif part == "ear":
                c = "w"
            elif part == "mane":
                c = "k" if ((x + y) // 2) % 2 == 0 else "w"
            elif part == "far":
                c = "k" if black_stripe(part, *drawn(x + 0.5, y + 0.5)) else "s"
            else:
                c = "k" if black_stripe(part, *drawn(x + 0.5, y + 0.5)) else "w"
            # Dark seams keep the far legs behind, and the head apart from the neck.
            if part == "far" and any(p in ("body", "near", "neck") for p in around):
                c = "k"
            if part == "near" and y > 44 and any(p in ("body", "neck") for p in around):
                c = "k"
            if part in ("head", "muzzle") and any(p in ("neck", "mane", "ear") for p in around):
                c = "k"
            pixels[y][x] = c
    # The eye: black in a white ring, so the stripes do not swallow it.
    ex, ey = (round(v) for v in placed(*EYE))
    for dx in range(-2, 4):
        for dy in range(-2, 4):
            if abs(dx - 0.5) + abs(dy - 0.5) < 3.5:
                pixels[ey + dy][ex + dx] = "w"
    for dx, dy in ((0, 0), (1, 0), (0, 1), (1, 1)):
        pixels[ey + dy][ex + dx] = "k"
    pixels[ey][ex - 1] = "d"
    pixels[ey + 1][ex + 2] = "d"
    return pixels


def main():
    os.makedirs(SPRITES, exist_ok=True)
    os.makedirs(PICTURES, exist_ok=True)
    for k, (pixels, ground) in enumerate(sprites()):
        write_xpm(os.path.join(SPRITES, "sprite%d.xpm" % k), "sprite%d" % k, pixels, ground)
    write_xpm(os.path.join(PICTURES, "legend_herbivore.xpm"), "legend_herbivore",
              grid(LEGEND_HERBIVORE), "#00FF00")
    lion = [[" " if c == "." else c for c in row] for row in grid(LEGEND_CARNIVORE)]
    write_xpm(os.path.join(PICTURES, "legend_carnivore.xpm"), "legend_carnivore", lion)
    for name, art in (("icon", ICON), ("icon22", ICON_22), ("icon16", ICON_16)):
        see_through = [[" " if c == "x" else c for c in row] for row in grid(art)]
        write_xpm(os.path.join(PICTURES, name + ".xpm"), name, see_through)
    write_xpm(os.path.join(PICTURES, "about_zebra.xpm"), "about_zebra", about_zebra())


if __name__ == "__main__":
    main()
