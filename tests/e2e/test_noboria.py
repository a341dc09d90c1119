#!/usr/bin/python3
"""What only a real display shows, one case a run: the windows side by side, the field and graph painted on
screen, clicks and typing changing what is painted, the addresses on the X clipboard, polite closes."""

import array, collections, ctypes, functools, os, re, subprocess, sys, time
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import xsession  # noqa: E402
from xsession import ABOUT, MESSAGE, mark_contrast, rect, wait_for  # noqa: E402

CASE, GAME, ARTIFACTS = sys.argv[1:4]  # the command line: <test file> <case> <game> <artifacts folder>
Session = functools.partial(xsession.Session, GAME, ARTIFACTS)

FIELD, GRAPH, SPEED = rect(100, 100, 5610, 5610), rect(5760, 4440, 4095, 3255), rect(4800, 7080, 375, 270)
CORNERS = [rect(t, 0, 0, 0)[0] for t in range(100, 5351, 350)]  # where each field column (and row) begins
GROUNDS = {"CF8F00", "A0FF40", "60C060", "9CFE3C", "208020"}  # top-left pixels of assets/sprites/*.xpm
START, STOP, ABOUT_BUTTON, TICK = (56, 444), (148, 444), (216, 444), 0.2  # TICK: s a day at the default speed


class XBells:  # counts the X bells rung on a display from now on: XKB's bell notify events, read through libX11
    def __init__(self, name):
        self.x11, self.seen, version = ctypes.CDLL("libX11.so.6"), 0, (ctypes.c_int(1), ctypes.c_int(0))
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x = ctypes.c_void_p(self.x11.XOpenDisplay(name.encode()))
        base = ctypes.c_int()
        assert self.x11.XkbQueryExtension(self.x, None, ctypes.byref(base), None, *map(ctypes.byref, version))
        self.base = base.value
        self.x11.XkbSelectEvents(self.x, 0x100, 1 << 8, 1 << 8)  # the core keyboard's BellNotify
        self.x11.XFlush(self.x)

    def count(self):
        event = ctypes.create_string_buffer(192)  # an XEvent, whose first int is its type
        while self.x11.XPending(self.x):
            self.x11.XNextEvent(self.x, event)
            self.seen += ctypes.c_int.from_buffer(event).value == self.base
        return self.seen


box = lambda top: rect(9000, top, 375, 270)  # the text box of the parameter row at top (twips)
# Plants regrow fast, few carnivores live long and hunt rarely: a run of hundreds of days.
LONG_RUN = [(720, "50"), (360, "8"), (1440, "5"), (1920, "10"), (2400, "20"), (2760, "10"), (3120, "3"), (3480, "3")]


def painted(s, main):
    shows_ground = lambda shot: all(shot.pixel(x, y) in GROUNDS for x in CORNERS for y in CORNERS)
    wait_for("every field cell painted from a sprite", lambda: shows_ground(s.shot(main)))


def controls():
    with Session("controls") as s:
        main, about = s.start(), s.window(ABOUT)
        for point, address in [((60, 240), "https://example.org/noboria/"), ((148, 264), "noboria@example.org")]:
            s.click(about, *point)  # on the page address, then on the mail address
            s.window(MESSAGE, 5)
            copied = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=s.env, capture_output=True).stdout
            assert copied == address.encode(), f"the clipboard holds {copied!r} after a click on {address}"
            s.key("Return")
            wait_for("Return to close the message", lambda: not s.windows(MESSAGE))
        painted(s, main)
        for text, cued in [("abc", lambda share: share > 0.4), ("2", lambda share: share == 0)]:
            s.type_into(main, box(360), text)
            wait_for(f"the error cue after {text!r}", lambda: cued(s.shot(main, box(360)).share("FFC0C0")))
        s.type_into(main, box(720), "0")  # no herbivores: the next run ends on its first day
        s.click(main, *START)
        s.check_still("a run without herbivores", main, FIELD, after=2 * TICK + 0.5, quiet=5 * TICK)
        for top, text in LONG_RUN:
            s.type_into(main, box(top), text)
        s.click(main, *START)
        s.wait_changes("the days of the long run, one a tick", main, FIELD, count=3, timeout=1)
        s.wait_changes("a day plotted on the graph", main, GRAPH)
        s.click(main, *STOP)
        s.check_still("the days after stop", main, FIELD, after=TICK + 0.5, quiet=5 * TICK)
        s.click(main, *START)
        s.wait_changes("the days after start", main, FIELD, count=2)
        s.type_into(main, SPEED, "0")
        s.check_still("the days at speed 0", main, FIELD, after=TICK + 0.5, quiet=5 * TICK)
        s.type_into(main, SPEED, "1")
        s.wait_changes("the days at speed 1 (50 ms)", main, FIELD, count=5, timeout=1)


def close():  # the About window beside the main one, a first run, closes ending with 0 with About shown or hidden
    for hide in (False, True):
        with Session(f"close-{'hidden' if hide else 'shown'}") as s:
            main, about = s.start(), s.window(ABOUT)
            x, y, width, _ = s.geometry(main)
            assert s.geometry(about)[:2] == (x + width, y), f"About at {s.geometry(about)}, main at {(x, y, width)}"
            painted(s, main)
            # The first run, started by itself, may be over within a second: its days stay on the graph.
            wait_for("the first run's days on the graph", lambda: s.shot(main, GRAPH).share("0000FF") > 0)
            if hide:
                s.click(main, *ABOUT_BUTTON)
                wait_for("解説 to hide the About window", lambda: not s.windows(ABOUT))
            s.close_politely(main)
            assert s.wait_exit() == 0, f"exit status {s.game.returncode} after a polite close"


def sound():  # each end of a run sounds once: on a private PulseAudio's null sink and no X bell; without it, one X bell
    with Session("sound") as s:
        socket, recording = (os.path.join(s.env["XDG_RUNTIME_DIR"], name) for name in ("pulse.socket", "sink.raw"))
        bare = {"HOME": s.dir, "XDG_RUNTIME_DIR": s.env["XDG_RUNTIME_DIR"], "PATH": os.environ["PATH"]}  # no desktop
        s.spawn(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no", "-L",
                 "module-null-sink sink_name=null", "-L", f"module-native-protocol-unix socket={socket} auth-anonymous=1"],
                "pulseaudio", bare)
        server = {"PULSE_SERVER": f"unix:{socket}"}
        wait_for("PulseAudio", lambda: os.path.exists(socket))
        s.spawn(["parec", "--latency-msec=50", "--device=null.monitor", "--raw", "--format=s16le", recording],
                "parec", {**bare, **server})
        wait_for("the recording", lambda: os.path.exists(recording))
        bells, main = XBells(s.env["DISPLAY"]), s.start(server)
        s.type_into(main, SPEED, "1")
        since = 0
        for run in (1, 2):
            heard = lambda: max(map(abs, array.array("h", open(recording, "rb").read()[since:])), default=0) > 1000
            wait_for(f"a sound on the null sink at the end of run {run}", heard, 20)
            time.sleep(1)  # the sound is over
            since = os.path.getsize(recording) // 2 * 2
            s.click(main, *START)
        assert bells.count() == 0, f"{bells.seen} X bells as well as the sound"
    with Session("bell") as s:
        bells, main = XBells(s.env["DISPLAY"]), s.start()
        s.type_into(main, SPEED, "1")
        for run in (1, 2):
            wait_for(f"the X bell at the end of run {run}", lambda: bells.count() >= run, 20)
            time.sleep(0.5)
            assert bells.count() == run, f"{bells.seen} X bells for {run} ends of a run"
            s.click(main, *START)


def keyboard():  # focus marks of 3 : 1 or more; Return, Enter and Escape on About; a close while a message box is open
    grow = lambda box: (box[0] - 1, box[1] - 1, box[2] + 2, box[3] + 2)  # and the pixels round it

    def marked(wid, what, box, before, keys=()):  # presses keys, then checks the mark they put on box
        s.key(*keys)
        after = wait_for(f"the focus mark of {what}", lambda: (shot := s.shot(wid, box)) != before and shot)
        mark, ratio = mark_contrast(before, after)
        print(f"focus mark of {what}: #{mark}, {ratio:.2f} : 1 against its surroundings")
        assert ratio >= 3, f"the focus mark of {what} stands out by only {ratio:.2f} : 1"

    with Session("keyboard") as s:
        main, about = s.start(), s.window(ABOUT)
        s.click(main, *STOP)  # a still field and graph, for their marks
        s.click(main, SPEED[0] + 4, SPEED[1] + 4)
        bars = [rect(9360, 360, 375, 255), rect(5160, 7080, 375, 255)]  # the plant rate's and the speed's step controls, the stops after speed
        unfocused = [s.shot(main, bar) for bar in bars]
        for n in range(2):
            before = s.shot(main, grow(bars[n]))
            s.key("Tab")
            focused = lambda: [s.shot(main, bar) != before for bar, before in zip(bars, unfocused)] == [n == 0, n == 1]
            wait_for(f"Tab to mark {['plant_rate_step', 'speed_step'][n]} alone as focused", focused)
            marked(main, ["plant_rate_step", "speed_step"][n], grow(bars[n]), before)
        # the other eight step controls and 解説, then the field and the graph: the summary stops after all the others
        marked(main, "the field", grow(FIELD), s.shot(main, grow(FIELD)), ["Tab"] * 10)
        marked(main, "the graph", grow(GRAPH), s.shot(main, grow(GRAPH)), ["Tab"])
        s.xdotool("windowfocus", "--sync", about)  # on OK; then the three links
        for what, box in [("author_page_link", rect(600, 3000, 3015, 855)), ("page_address_link", rect(600, 3480, 3615, 255)),
                          ("mail_address_link", rect(1920, 3840, 2055, 255))]:
            marked(about, what, grow(box), s.shot(about, grow(box)), ["Tab"])
        s.key("Tab")  # round to OK again
        for key in ("Return", "KP_Enter", "Escape"):
            s.xdotool("windowfocus", "--sync", about)
            s.key(key)
            wait_for(f"{key} to close the About window as OK does", lambda: not s.windows(ABOUT))
            wait_for("OK to bring the main window forward", lambda: s.xdotool("getwindowfocus").split() == [str(main)])
            s.click(main, *ABOUT_BUTTON)
            about = s.window(ABOUT)
        s.click(about, 60, 240)  # on the web address: its message box opens
        s.window(MESSAGE, 5)
        s.close_politely(main)
        assert s.wait_exit() == 0, f"exit status {s.game.returncode} after a close with a message box open"


def wayland():  # on a Wayland desktop with an X display the game runs on X; asked for Wayland, it opens both windows there
    with Session("wayland") as s:
        del s.env["QT_QPA_PLATFORM"]
        desktop = {"WAYLAND_DISPLAY": "wayland-noboria", "XDG_SESSION_TYPE": "wayland"}
        s.spawn(["weston", "--backend=headless-backend.so", "--socket=wayland-noboria", "--idle-time=0"], "weston", s.env)
        wait_for("Weston", lambda: os.path.exists(os.path.join(s.env["XDG_RUNTIME_DIR"], "wayland-noboria")))
        s.start(desktop)
        s.window(ABOUT)
        assert "wayland" not in open(os.path.join(s.dir, "game.log")).read(), "the game looked for Wayland"
        chosen = s.spawn([GAME], "chosen", {**s.env, **desktop, "QT_QPA_PLATFORM": "wayland", "WAYLAND_DEBUG": "client"})
        log = lambda: open(os.path.join(s.dir, "chosen.log"), encoding="utf-8", errors="replace").read()
        shown = lambda: all(f'set_title("{t}' in log() for t in ("ノボリアについて", "ノボリア\u3000Ｖｅｒ2.0")) and \
            log().count("attach(wl_buffer") >= 2  # both windows titled on the compositor, and painted
        wait_for("both windows on Wayland", shown, 10)
        assert chosen.poll() is None, f"the game on Wayland ended with {chosen.returncode}"


def accessibility():  # what a screen reader reads: roles, names, values, summaries at their stops, few events in a run
    with Session("accessibility") as s:
        s.spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], "at-spi", s.env)
        main = s.start({"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"})  # and no AT_SPI_BUS_ADDRESS: Qt 6.4 then never registers
        os.environ["DISPLAY"] = s.env["DISPLAY"]  # the bus is looked up on this display first
        import pyatspi
        from gi.repository import GLib
        heard = collections.Counter()  # (event, role) of the change events that reach the bus
        pyatspi.Registry.registerEventListener(lambda e: heard.update([(e.type, e.source.getRoleName())]),
                                               "object:property-change:accessible-name", "object:property-change:accessible-description")
        listen = lambda: GLib.MainContext.default().iteration(False)
        app = wait_for("the game on the bus", lambda: [a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "noboria"], 10)[0]
        tree = lambda o: [o] + [d for c in o for d in tree(c)]
        nodes = lambda: [(o.getRoleName(), o.name, o.description, o) for o in tree(app)]
        named = lambda role, pattern: [n for n in nodes() if n[0] == role and re.fullmatch(pattern, n[1])]
        for role, pattern, count in [("frame", "ノボリア\u3000Ｖｅｒ2\\.0.*by\u3000Ostel\\.Vanrimo\u3000", 1), ("dialog", "ノボリアについて", 1),
                                     ("link", ".*（https://example\\.org/noboria/）.*", 2), ("link", ".*（noboria@example\\.org）.*", 1),
                                     ("label", "日数 \\d+", 1), ("label", "草食の数 \\d+", 1), ("label", "肉食の数 \\d+", 1),
                                     ("label", "日数|草食の数|肉食の数", 0), ("image", "フィールド", 1), ("chart", "グラフ", 1)]:
            wait_for(f"{count} {role} named {pattern}", lambda: len(named(role, pattern)) == count)
        about = named("dialog", "ノボリアについて")[0][2]
        assert "【創造主】" in about, f"the About window's description: {about!r}"
        herbivores = named("scroll bar", "草食動物の数.*")[0][3].queryValue()
        assert herbivores.currentValue == 50 and herbivores.maximumValue == 150, "the herbivores' step control"
        for top, text in LONG_RUN:  # a run of hundreds of days
            s.type_into(main, box(top), text)
        s.type_into(main, SPEED, "1")  # a day every 50 ms
        s.click(main, *START)  # a new run, and the focus on the start button
        time.sleep(0.5)
        heard.clear()
        started = time.monotonic()
        while time.monotonic() < started + 2:
            listen()
        rate = sum(heard.values()) / (time.monotonic() - started)
        print(f"{rate:.1f} name and description changes a second during a run at speed 1")
        assert heard[("object:property-change:accessible-name", "label")], "the day's names reach the bus"
        assert rate < 20, f"{rate:.0f} name and description changes a second during a run: {heard}"
        focused = lambda: [n[:2] for n in nodes() if n[3].getState().contains(pyatspi.STATE_FOCUSED)]
        description = lambda role, name: named(role, name)[0][2]
        field = "日数 \\d+、植物のあるマス \\d+、草食の数 \\d+、肉食の数 \\d+"
        graph = "日数 \\d+、草食の数 \\d+(（(増加|減少|変化なし)）)?、肉食の数 \\d+(（(増加|減少|変化なし)）)?"
        for stop, pattern in [(("chart", "グラフ"), graph), (("image", "フィールド"), field)]:  # the last two stops
            s.key("shift+Tab")
            wait_for(f"the focus on {stop}", lambda: focused() == [stop])
            now = description(*stop)
            assert re.fullmatch(pattern, now), now
            wait_for(f"{stop} to follow the days", lambda: listen() or description(*stop) != now)
        mail = named("link", ".*（noboria@example\\.org）.*")[0][3].queryAction()
        assert mail.getName(0).lower() == "press", mail.getName(0)
        mail.doAction(0)  # a reader's press copies the address as a click does, and says so
        s.window(MESSAGE, 5)


if __name__ == "__main__":
    globals()[CASE]()  # the case named on the command line
