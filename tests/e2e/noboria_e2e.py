"""Drives the real game on a private virtual display.

Each session starts its own Xvfb (the server picks a free display number and
reports it through -displayfd), launches the game there with a private
runtime folder, finds the two windows through python3-xlib, clicks and types
with xdotool, takes screenshots with ImageMagick's import and reads their
pixels here. Every wait polls against a deadline; nothing sleeps blindly.
"""

import ctypes
import os
import select
import signal
import shutil
import subprocess
import sys
import tempfile
import time

from Xlib import X, Xatom, display as xdisplay, error as xerror, protocol

XVFB = "/usr/bin/Xvfb"
XDOTOOL = "/usr/bin/xdotool"
IMPORT = "/usr/bin/import"

MAIN_TITLE_START = "ノボリア\u3000Ｖｅｒ2.0"
ABOUT_TITLE = "ノボリアについて"
MAIN_CLIENT_SIZE = (664, 520)
ABOUT_CLIENT_SIZE = (381, 281)


class Failure(Exception):
    """A check of the game's behaviour failed."""


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(predicate, timeout, what, interval=0.02):
    """Polls until predicate() gives something true and returns it."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout:g} s waiting for {what}")
        time.sleep(interval)


# ---- Geometry of the main window, in client pixels --------------------------

def tw(twips):
    """Twips to pixels, 15 to a pixel, halves up."""
    return (twips * 2 + 15) // 30


def cell_origin(x, y):
    """Top-left pixel of field cell (x, y), x and y in 1..16."""
    return tw(100 + 350 * (x - 1)), tw(100 + 350 * (y - 1))


FIELD = (tw(100), tw(100), tw(100 + 350 * 15) + 24 - tw(100), tw(100 + 350 * 15) + 24 - tw(100))
DAYCAP = (tw(4800), tw(6480), tw(735), tw(375))

# Top of each parameter row in twips, in the order of HS(0)..HS(8).
ROW_TOPS = [360, 720, 1080, 1440, 1920, 2400, 2760, 3120, 3480]
BOXES = ["p_text", "Z_text", "Zh_text", "ze_text", "l_text", "lh_text", "le_text", "lm_text", "lK_text"]


def box_rect(name):
    if name == "speed":
        return (tw(4800), tw(7080), tw(375), tw(270))
    return (tw(9000), tw(ROW_TOPS[BOXES.index(name)]), tw(375), tw(270))


def bar_rect(index):
    """HS(index), or HSsp for index "sp"."""
    if index == "sp":
        return (tw(5160), tw(7080), tw(375), tw(255))
    return (tw(9360), tw(ROW_TOPS[index]), tw(375), tw(255))


def arrow_point(index, side):
    """Middle of a step control's left ("down") or right ("up") arrow."""
    left, top, width, height = bar_rect(index)
    x = left + 5 if side == "down" else left + width - 6
    return x, top + height // 2


def button_centre(name):
    left, width = {"sim_com": (120, 1455), "Command2": (1800, 855), "Command1": (2880, 735)}[name]
    return tw(left) + tw(width) // 2, tw(6480) + tw(375) // 2


# A spot of bare window background where the pointer rests between actions, so
# that no hover effect or tooltip covers what the checks read.
REST_POINT = (2, 2)


# ---- The art -----------------------------------------------------------------

def read_xpm(path):
    """Returns (width, height, {char: 'RRGGBB'}, rows) of a one-char-per-pixel XPM."""
    strings = []
    with open(path, encoding="ascii") as f:
        for line in f:
            line = line.strip()
            if line.startswith('"'):
                strings.append(line[1:line.index('"', 1)])
    width, height, ncolours, cpp = (int(v) for v in strings[0].split()[:4])
    check(cpp == 1, f"{path}: expected one character per pixel")
    colours = {}
    for entry in strings[1:1 + ncolours]:
        key, rest = entry[0], entry[1:].split()
        value = rest[rest.index("c") + 1]
        colours[key] = value.lstrip("#").upper()
    rows = strings[1 + ncolours:1 + ncolours + height]
    return width, height, colours, rows


def sprite_corner_colours(assets_dir):
    """The colours of the top-left pixel of the nine field sprites."""
    found = set()
    for k in range(9):
        _, _, colours, rows = read_xpm(os.path.join(assets_dir, "sprites", f"sprite{k}.xpm"))
        found.add(colours[rows[0][0]])
    return found


# ---- Screenshots -------------------------------------------------------------

class Shot:
    """An RGB screenshot of one window."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    @staticmethod
    def from_ppm(raw):
        # P6 header: magic, width, height, maxval, each followed by whitespace.
        fields, pos = [], 0
        while len(fields) < 4:
            while raw[pos:pos + 1].isspace():
                pos += 1
            if raw[pos:pos + 1] == b"#":
                pos = raw.index(b"\n", pos)
                continue
            end = pos
            while not raw[end:end + 1].isspace():
                end += 1
            fields.append(raw[pos:end])
            pos = end
        check(fields[0] == b"P6" and fields[3] == b"255", "unexpected screenshot format")
        width, height = int(fields[1]), int(fields[2])
        data = raw[pos + 1:pos + 1 + width * height * 3]
        check(len(data) == width * height * 3, "short screenshot")
        return Shot(width, height, data)

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return "%02X%02X%02X" % tuple(self.data[i:i + 3])

    def region(self, rect):
        left, top, width, height = rect
        rows = [self.data[((top + y) * self.width + left) * 3:((top + y) * self.width + left + width) * 3]
                for y in range(height)]
        return b"".join(rows)

    def count(self, rect, colour):
        left, top, width, height = rect
        return sum(1 for y in range(top, top + height) for x in range(left, left + width)
                   if self.pixel(x, y) == colour)


# ---- A session: Xvfb, the game, its windows ----------------------------------

def _die_with_parent():
    """Runs in each child before exec: if this script is killed (a test
    timeout), the X server and the game go with it."""
    PR_SET_PDEATHSIG = 1
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_PDEATHSIG, signal.SIGTERM)


def start_xvfb(log_path):
    """Starts Xvfb on a display number it picks itself; returns (process, ":N")."""
    read_end, write_end = os.pipe()
    log = open(log_path, "wb")
    xvfb = subprocess.Popen(
        [XVFB, "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
        pass_fds=(write_end,), stdout=log, stderr=log, start_new_session=True, preexec_fn=_die_with_parent)
    os.close(write_end)
    number = b""
    deadline = time.monotonic() + 15
    try:
        while not number.endswith(b"\n"):
            left = deadline - time.monotonic()
            check(left > 0 and xvfb.poll() is None, f"Xvfb did not start (see {log_path})")
            ready, _, _ = select.select([read_end], [], [], left)
            if ready:
                chunk = os.read(read_end, 16)
                check(chunk, f"Xvfb closed its display pipe (see {log_path})")
                number += chunk
    except Failure:
        xvfb.kill()
        xvfb.wait()
        raise
    finally:
        os.close(read_end)
    return xvfb, ":" + number.decode().strip()


class Session:
    """One virtual display with one running game."""

    def __init__(self, game, artifacts, name):
        self.game = game
        self.artifacts = os.path.join(artifacts, name)
        shutil.rmtree(self.artifacts, ignore_errors=True)
        os.makedirs(self.artifacts)
        self.tmp = tempfile.mkdtemp(prefix="noboria-e2e-")
        self.runtime = os.path.join(self.tmp, "runtime")
        os.mkdir(self.runtime, 0o700)
        self.xvfb = None
        self.proc = None
        self.dpy = None
        self.display = None
        self.env = None
        self.launched_at = None
        self.shots = 0

    # -- start and stop

    def __enter__(self):
        self._start_xvfb()
        return self

    def __exit__(self, kind, value, tb):
        if kind is not None:
            self.save_evidence()
        if self.proc and self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        if self.dpy:
            self.dpy.close()
        if self.xvfb:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(5)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
                self.xvfb.wait()
        shutil.rmtree(self.tmp, ignore_errors=True)
        return False

    def _start_xvfb(self):
        self.xvfb, self.display = start_xvfb(os.path.join(self.artifacts, "xvfb.log"))
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XAUTHORITY", "SESSION_MANAGER")}
        self.env.update(DISPLAY=self.display, XDG_RUNTIME_DIR=self.runtime, QT_QPA_PLATFORM="xcb")
        self.dpy = xdisplay.Display(self.display)
        self.atom_name = self.dpy.intern_atom("_NET_WM_NAME")
        self.atom_utf8 = self.dpy.intern_atom("UTF8_STRING")

    def launch(self, program=None):
        self.game_log = open(os.path.join(self.artifacts, "game.log"), "ab")
        self.launched_at = time.monotonic()
        self.proc = subprocess.Popen([program or self.game], env=self.env, stdout=self.game_log,
                                     stderr=subprocess.STDOUT, start_new_session=True,
                                     preexec_fn=_die_with_parent)
        return self.proc

    # -- windows

    def windows(self):
        """(id, title, viewable, (width, height)) of every top-level window."""
        found = []
        try:
            for w in self.dpy.screen().root.query_tree().children:
                prop = w.get_full_property(self.atom_name, self.atom_utf8)
                if prop is None:
                    prop = w.get_full_property(Xatom.WM_NAME, X.AnyPropertyType)
                if prop is None:
                    continue
                value = prop.value
                title = value.decode("utf-8", "replace") if isinstance(value, bytes) else str(value)
                viewable = w.get_attributes().map_state == X.IsViewable
                geometry = w.get_geometry()
                found.append((w.id, title, viewable, (geometry.width, geometry.height)))
        except xerror.XError:
            return []  # a window went away while being read; the caller polls again
        return found

    def find_window(self, match, viewable=True):
        for wid, title, shown, size in self.windows():
            if match(title) and (shown or not viewable):
                return wid, title, size
        return None

    def main_window(self, timeout=10):
        return wait_for(lambda: self.find_window(lambda t: t.startswith(MAIN_TITLE_START)),
                        timeout, "the main window to be mapped")

    def about_window(self, timeout=10):
        return wait_for(lambda: self.find_window(lambda t: t == ABOUT_TITLE),
                        timeout, "the About window to be mapped")

    def about_visible(self):
        """Asked the way a user's script would: xdotool, visible windows only."""
        result = subprocess.run([XDOTOOL, "search", "--onlyvisible", "--name", f"^{ABOUT_TITLE}$"],
                                env=self.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        return result.returncode == 0 and result.stdout.strip() != b""

    # -- looking

    def shot(self, wid):
        raw = subprocess.run([IMPORT, "-window", hex(wid), "-depth", "8", "ppm:-"], env=self.env, check=True,
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE).stdout
        return Shot.from_ppm(raw)

    def save_shot(self, wid, label):
        self.shots += 1
        path = os.path.join(self.artifacts, f"{self.shots:02d}-{label}.png")
        subprocess.run([IMPORT, "-window", hex(wid), path], env=self.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return path

    def save_evidence(self):
        try:
            for wid, title, shown, _ in self.windows():
                if shown and (title.startswith(MAIN_TITLE_START) or title == ABOUT_TITLE):
                    self.save_shot(wid, "failure-main" if title != ABOUT_TITLE else "failure-about")
        except Exception as e:  # evidence is best effort; the failure itself is reported
            print(f"(no screenshot on failure: {e})", file=sys.stderr)
        print(f"artifacts: {self.artifacts}", file=sys.stderr)

    def snapshot(self, wid, rects):
        s = self.shot(wid)
        return tuple(s.region(r) for r in rects)

    def wait_change(self, wid, rects, before, timeout, what):
        """Waits until any of the regions differs from `before`; returns the new snapshot."""
        def changed():
            now = self.snapshot(wid, rects)
            return now if now != before else None
        return wait_for(changed, timeout, what)

    def wait_still(self, wid, rects, quiet, timeout, what):
        """Waits until the regions stay the same for `quiet` seconds. Returns the
        time of the last change seen (or of the first look) and the snapshot."""
        start = time.monotonic()
        last = self.snapshot(wid, rects)
        changed_at = start
        while True:
            now = time.monotonic()
            if now - changed_at >= quiet:
                return changed_at, last
            check(now - start <= timeout, f"timed out after {timeout:g} s waiting for {what}")
            current = self.snapshot(wid, rects)
            if current != last:
                last, changed_at = current, time.monotonic()

    # -- acting

    def xdotool(self, *args):
        subprocess.run([XDOTOOL, *[str(a) for a in args]], env=self.env, check=True)

    def click(self, wid, point, times=1):
        x, y = point
        self.xdotool("mousemove", "--window", wid, x, y, "click", "--repeat", times, "--delay", 40, 1)

    def rest_pointer(self, wid):
        self.xdotool("mousemove", "--window", wid, *REST_POINT)

    def type_into(self, wid, rect, text):
        """Replaces a box's text as a user would: triple click, then type."""
        left, top, width, height = rect
        self.click(wid, (left + width // 2, top + height // 2), times=3)
        if text:
            self.xdotool("type", "--delay", 15, text)
        else:
            self.xdotool("key", "BackSpace")
        self.rest_pointer(wid)

    def close_politely(self, wid):
        """What a close button does: WM_DELETE_WINDOW through WM_PROTOCOLS."""
        window = self.dpy.create_resource_object("window", wid)
        protocols = self.dpy.intern_atom("WM_PROTOCOLS")
        delete = self.dpy.intern_atom("WM_DELETE_WINDOW")
        event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                             data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(event, event_mask=X.NoEventMask)
        self.dpy.flush()

    def wait_exit(self, timeout):
        try:
            return self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"the game did not end within {timeout:g} s")

    def check_alive(self, when):
        check(self.proc.poll() is None, f"the game ended {when} (status {self.proc.returncode})")


# ---- Shared steps --------------------------------------------------------------

def field_corners_ok(shot, grounds):
    """None when every cell's top-left pixel is a ground colour, else the first bad cell."""
    for y in range(1, 17):
        for x in range(1, 17):
            colour = shot.pixel(*cell_origin(x, y))
            if colour not in grounds:
                return (x, y, colour)
    return None


def wait_field_painted(session, wid, grounds, timeout=10):
    """Waits for the first frame whose 256 cells all show sprite ground; returns it."""
    last = [None]

    def painted():
        s = session.shot(wid)
        last[0] = field_corners_ok(s, grounds)
        return s if last[0] is None else None
    deadline = time.monotonic() + timeout
    while True:
        shot = painted()
        if shot:
            return shot
        check(time.monotonic() < deadline,
              f"the field never showed sprite ground in every cell; last bad cell (x, y, colour): {last[0]}")
        time.sleep(0.02)


# Settings that keep a run going for hundreds of days: plants regrow fast, few
# carnivores that live long and hunt rarely.
LONG_RUN = [("p_text", "8"), ("ze_text", "5"), ("l_text", "10"), ("lh_text", "20"),
            ("le_text", "10"), ("lm_text", "3"), ("lK_text", "3")]


def start_long_run(session, wid):
    for name, text in LONG_RUN:
        session.type_into(wid, box_rect(name), text)
    session.click(wid, button_centre("sim_com"))
    session.rest_pointer(wid)


def main(steps):
    """Runs named steps with (game, assets, artifacts) from the command line."""
    import argparse
    parser = argparse.ArgumentParser()
    parser.add_argument("--game", required=True)
    parser.add_argument("--assets", required=True)
    parser.add_argument("--artifacts", required=True)
    args = parser.parse_args()
    failed = 0
    for step in steps:
        began = time.monotonic()
        try:
            step(args)
            print(f"PASS {step.__name__} ({time.monotonic() - began:.1f} s)")
        except Failure as e:
            failed += 1
            print(f"FAIL {step.__name__}: {e}")
        except Exception as e:  # a tool that broke down: report it, go on with the next step
            failed += 1
            print(f"FAIL {step.__name__}: {type(e).__name__}: {e}")
        sys.stdout.flush()
    return 1 if failed else 0
