"""A private Xvfb display for driving the real game and other X programs, shared by the end-to-end tests and the
whole-program benchmark: xdotool finds windows, clicks and types, ImageMagick's import takes screenshots,
python3-xlib sends the close request a window manager would. Waits poll to a deadline."""

import collections, ctypes, os, shutil, signal, subprocess, time
from Xlib import X, display, protocol

MAIN, ABOUT, MESSAGE = "^ノボリア\u3000Ｖｅｒ2.0", "^ノボリアについて$", "^ノボリア$"  # titles as xdotool patterns


def rect(left, top, width, height):  # a rectangle of the layout, from twips (15 to a pixel, halves up) to pixels
    return tuple((t * 2 + 15) // 30 for t in (left, top, width, height))


def wait_for(what, predicate, timeout=5):
    deadline = time.monotonic() + timeout
    while not (value := predicate()):
        assert time.monotonic() < deadline, f"timed out after {timeout} s waiting for {what}"
        time.sleep(0.02)
    return value


def contrast(a, b):  # WCAG's contrast ratio of two colours "RRGGBB"
    def luminance(colour):
        c = [(v / 12.92 if v <= 0.04045 else ((v + 0.055) / 1.055) ** 2.4) for v in bytes.fromhex(colour) for v in [v / 255]]
        return 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2]
    light, dark = sorted(map(luminance, (a, b)), reverse=True)
    return (light + 0.05) / (dark + 0.05)


def mark_contrast(before, after):  # shots of a control and one pixel round it, unfocused and focused: the colour of
    # the mark on the control's edge, and its contrast with what lies either side of it in the focused shot
    w, h = before.width, len(before) // 3 // before.width
    ring = lambda shot, d: collections.Counter(shot.pixel(x, y) for x in range(d, w - d) for y in range(d, h - d)
                                               if x in (d, w - 1 - d) or y in (d, h - 1 - d)).most_common(1)[0][0]
    mark = ring(after, 1)
    assert mark != ring(before, 1), f"no mark on the edge: {mark} before and after"
    return mark, min(contrast(mark, ring(after, 0)), contrast(mark, ring(after, 2)))


class Shot(bytes):  # the RGB pixels of a window, or of a rectangle of it, row by row
    def pixel(self, x, y):
        return self[3 * (y * self.width + x):][:3].hex().upper()

    def share(self, colour):  # of the pixels that show colour, "RRGGBB"
        return [self[i:i + 3] for i in range(0, len(self), 3)].count(bytes.fromhex(colour)) / (len(self) / 3)


class Session:
    """A private display with the game (start) and other processes (spawn) on it; logs and, after a failure,
    screenshots of the windows shown go to artifacts/<name>/."""
    def __init__(self, game, artifacts, name):
        self.game_path, self.dir, self.procs = game, os.path.join(artifacts, name), []
        shutil.rmtree(self.dir, ignore_errors=True)
        os.makedirs(os.path.join(self.dir, "runtime"), 0o700)

    def __enter__(self):
        read, write = os.pipe()  # the server picks a free display and writes its number here
        xvfb = ["/usr/bin/Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"]
        self.spawn(xvfb + ["-noreset"], "xvfb", pass_fds=(write,))  # a reset between two clients refuses the next
        os.close(write)
        number = os.fdopen(read).readline().strip()
        assert number, f"Xvfb did not start: see {self.dir}/xvfb.log"
        desktop = ("WAYLAND_DISPLAY", "XAUTHORITY", "SESSION_MANAGER")  # the user's session: not for this display
        self.env = {k: v for k, v in os.environ.items() if k not in desktop}
        self.env.update(DISPLAY=f":{number}", XDG_RUNTIME_DIR=os.path.join(self.dir, "runtime"), QT_QPA_PLATFORM="xcb",
                        CANBERRA_DRIVER="pulse", PULSE_SERVER="unix:/nonexistent")  # no sound card, no sound server
        return self

    def __exit__(self, failed, *_):
        for n, wid in enumerate(self.windows(".") if failed else []):
            subprocess.run(["/usr/bin/import", "-window", str(wid), f"{self.dir}/failure-{n}.png"], env=self.env)
        for proc in reversed(self.procs):
            proc.terminate()
            proc.wait()

    def spawn(self, argv, log, env=None, **popen):  # a process that ends with the session; output in <log>.log
        with open(os.path.join(self.dir, f"{log}.log"), "ab") as out:
            self.procs.append(subprocess.Popen(argv, env=env, stdout=out, stderr=subprocess.STDOUT, **popen,
                                               preexec_fn=lambda: ctypes.CDLL(None).prctl(1, signal.SIGTERM)))
        return self.procs[-1]

    def start(self, env=None):  # the game, in this session's environment changed by env; returns its main window
        self.game = self.spawn([self.game_path], "game", {**self.env, **(env or {})})
        return self.window(MAIN)

    def wait_exit(self, timeout=10):
        return self.game.wait(timeout)

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True, text=True).stdout

    def windows(self, title):
        return [int(w) for w in self.xdotool("search", "--onlyvisible", "--name", title).split()]

    def window(self, title, timeout=10):
        return wait_for(f"a window titled {title}", lambda: self.windows(title), timeout)[0]

    def geometry(self, wid):  # (x, y, width, height) on the screen, from WINDOW= X= Y= WIDTH= HEIGHT= SCREEN=
        return tuple(int(v.split("=")[1]) for v in self.xdotool("getwindowgeometry", "--shell", wid).split()[1:5])

    def click(self, wid, x, y, repeat=1):  # then the pointer rests on bare background: no hover, no tooltip
        self.xdotool("mousemove", "--window", wid, x, y, "click", "--repeat", repeat, "--delay", 40, 1,
                     "mousemove", "--window", wid, 2, 2)

    def key(self, *keys):
        self.xdotool("key", *keys)

    def type_into(self, wid, box, text):  # as a user replaces a box's text: a triple click, then typing
        self.click(wid, box[0] + box[2] // 2, box[1] + box[3] // 2, repeat=3)
        self.xdotool("type", "--delay", 15, text)

    def shot(self, wid, box=None):
        crop = ["-crop", "{2}x{3}+{0}+{1}".format(*box)] if box else []
        ppm = subprocess.run(["/usr/bin/import", "-window", str(wid), *crop, "-depth", "8", "ppm:-"],
                             env=self.env, check=True, capture_output=True).stdout
        _, size, _, pixels = ppm.split(b"\n", 3)  # "P6\nW H\n255\n", then the pixels
        shot = Shot(pixels)
        shot.width = int(size.split()[0])
        return shot

    def wait_changes(self, what, wid, box, count=1, timeout=3):
        """Waits for count successive changes of what a rectangle shows."""
        seen = self.shot(wid, box)
        for n in range(count):
            changed = lambda: (now := self.shot(wid, box)) != seen and now
            seen = wait_for(f"{what} ({n + 1} of {count})", changed, timeout)

    def check_still(self, what, wid, box, after, quiet):  # a rectangle shows the same from `after` s on for `quiet` s
        time.sleep(after)
        before = self.shot(wid, box)
        time.sleep(quiet)
        assert self.shot(wid, box) == before, f"{what}: still changing {after} s later"

    def close_politely(self, wid):  # as a window manager's close button: WM_DELETE_WINDOW in WM_PROTOCOLS
        x = display.Display(self.env["DISPLAY"])
        window, atom = x.create_resource_object("window", wid), x.intern_atom
        window.send_event(protocol.event.ClientMessage(window=window, client_type=atom("WM_PROTOCOLS"),
                                                       data=(32, [atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])))
        x.sync()  # the server has the message before this connection goes
        x.close()
