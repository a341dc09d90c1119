#!/usr/bin/python3
"""What Orca says as a pupil plays either edition by keyboard, and how soon during a run: a private Xvfb with
openbox, buses, a speech-dispatcher voice that records each utterance, and Orca with its own home and debug log.
Each stop: the keys, the object then focused (waited for on the bus) and what is heard (waited for in the record)."""

import os, re, shutil, subprocess, sys, time, unicodedata
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import xsession  # noqa: E402
from Xlib import display  # noqa: E402

EDITION, PROGRAM, ARTIFACTS = sys.argv[1:4]  # desktop <noboria> | page <noboria.html>, then the artifacts folder
NEEDED = {"orca": "orca", "speech-dispatcher": "speech-dispatcher", "openbox": "openbox", "xdotool": "xdotool",
          "dbus-daemon": "dbus", "/usr/libexec/at-spi-bus-launcher": "at-spi2-core", "firefox-esr": "firefox-esr"}

# The boxes by their spoken names, in the Form's order, with the values they hold when the long run starts.
BOXES = [("植物の繁殖の速さ 0-8", 8), ("草食動物の数 1-100", 50), ("草食動物 子供をうむまでの日数 1-50", 10),
         ("草食動物 えさなしで生きる日数 1-20", 1), ("肉食動物の数 1-100", 1), ("肉食動物 子供をうむまでの日数 1-50", "1e9"),
         ("肉食動物 えさなしで生きる日数 1-20", 32767), ("満腹でえさをとらない日数 0-5", 1), ("えさをとる確率 1-10割", 5)]
SPEED = "シュミレーションの速さ 1-100"
# The step controls in Tab order, with their start-up values (a box's edit does not move its step control).
BARS = [(BOXES[0][0], 0), (SPEED, 4)] + [(name, v) for (name, _), v in zip(BOXES[1:], (50, 10, 1, 50, 10, 1, 1, 5))]
ABOUT = ("ノボリア Ver2.0 このプログラムの目的は あなたが 【創造主】となり、生物の性質を決め、生態系をできるだけ長く"
         "維持することです。 生態系のバランスについて考えるきっかけになればと思います。")
URL_SAID = "クリックボードにURLを転送しました。ブラウザに貼り付けてHPを訪れてください."
TREND, DAY = r"\((増加|減少|変化なし)\)", r"日数 \d+、"
FIELD = rf"{DAY}植物のあるマス \d+、草食の数 \d+、肉食の数 \d+"
GRAPH = rf"{DAY}草食の数 \d+{TREND}、肉食の数 \d+{TREND}"
LAG = float(os.environ.get("ORCA_LAG", 0.5))  # seconds; a larger one measures without failing
WAIT = 15  # seconds for any stop's focus and words
START = ("push button", "シミュレーション", "シミュレーション push button.")
# The voice's module may repeat the lines after a text's first one as an utterance of their own.
DIALOG = ("push button", "Ｏ Ｋ", re.compile(rf"ノボリアについて dialog {ABOUT}.* / O K push button\."))
LINK = ("link", "作者のHPのアドレス(https://example.org/noboria/)をクリップボードにコピー",
        "作者のHPのアドレス(https://example.org/noboria/)をクリップボードにコピー link.")
tabs = lambda n, key="Tab": (key,) * n


class Once(str):  # a pattern heard exactly once from its stop on, to the end of the walk
    pass


# Each edition's walk: phases of (lag, stops). A stop is (keys, (focused role, focused name, what must be heard)):
# a str is found as it stands, a re.Pattern (also for the name) searched for; no role: the focus anywhere. A stop
# without keys hears everything since Orca started. In a phase with a lag, each stop's name is heard within that
# many seconds of its keys. The same keys in both editions: start-up; a run without carnivores, which its first
# day ends; the settings of a run that lasts (one carnivore that never breeds nor starves); every stop with its
# value during that run at speed 1, then at the fastest, 0.02; then the edition's own stops (after_run).
def walk(box, bar, start, about_hidden, summary, after_run):
    # Typed once the box is heard: before, Orca in a browser's browse mode would take "1" or "e" for its own.
    typed = lambda name: (box(name, 0)[0], name, "")  # what is typed is heard in the walk at speed 1
    edit = lambda keys, i, was, text: [(keys, box(BOXES[i][0], was)), (tuple(text), typed(BOXES[i][0]))]
    return [(None, [*start, *edit(tabs(5), 4, 50, "0"), (tabs(5, "shift+Tab"), START),
                    (("space",), (*START[:2], Once(rf"シミュレーションが終わりました。{DAY}草食の数 \d+、肉食の数 0"))),
                    *edit(("Tab",), 0, 0, "8"), *edit(tabs(4), 4, 0, "1"), *edit(("Tab",), 5, 10, "1e9"),
                    *edit(("Tab",), 6, 1, "32767"), (tabs(4), box(SPEED, 4)), (("1",), typed(SPEED)),
                    (tabs(11, "shift+Tab"), START), (("space",), (*START[:2], ""))]),
            (LAG, [(("Tab",), box(*b)) for b in BOXES] +
             [(("Tab",), ("push button", "停止", "停止 push button.")), (("Tab",), box(SPEED, 1))]),
            (None, [(("0", "period", "0", "2"), typed(SPEED))]),
            (LAG, [(("Tab",), bar(*b)) for b in BARS] + [(("Tab",), about_hidden), (("Tab",), summary("フィールド", FIELD)),
                                                        (("Tab",), summary("グラフ", GRAPH.replace(r"\d+", r"\d{3,}", 1)))]),
            (None, after_run)]


# The desktop: the About window's text said at start-up (it opens beside the main window, which comes forward);
# 解説 hides it, shows it (its OK gets the focus), its first link's message box, Escape closes it.
D_ABOUT_BUTTON = ("push button", "解説", "解説 push button.")
# A box is named and its value said once, whole: not first as a selection of its own, nor the box left as
# "unselected".
DESKTOP = walk(lambda name, v: ("text", name, re.compile(
                   rf"^(?!.*(Text unselected|/ {v} / selected)).*tab / .*{re.escape(name)} text\. / {v} selected\.$")),
               lambda name, v: ("scroll bar", name, f"{name} scroll bar {v}."),
               [((), START), ((), (*START[:2], re.compile(f"notification ノボリアについて. / {ABOUT}")))], D_ABOUT_BUTTON,
               lambda name, text: ((role := ("image", "chart")[name == "グラフ"]), name,
                                   re.compile(rf"{name} {role}\. / {text}")),
               [(tabs(2, "shift+Tab"), D_ABOUT_BUTTON),
                (("space",), (*D_ABOUT_BUTTON[:2], "notification 「ノボリアについて」を閉じました")),
                (("space",), DIALOG), (("Tab",), LINK),
                (("space",), ("push button", "OK", f"alert ノボリア. / {URL_SAID} / OK push button.")),
                (("Return",), LINK), (("Escape",), D_ABOUT_BUTTON)])
# The page: its About panel takes the focus at start-up, and Escape closes it; 解説 shows it, its first link's
# message box; back to 解説, which hides it; the day and the counts in browse mode, read from the top.
P_ABOUT_BUTTON = ("push button", "解説", "解説 collapsed push button.")
P_SUMMARY = lambda name, text: ("image", re.compile(f"{name}:{text}"), re.compile(rf"{name}:{text} image\."))
PAGE = walk(lambda name, v: ("entry", name, f"{name} entry {v} selected."),
            lambda name, v: ("spin button", name, f"{name} {v} spin button."),
            [((), DIALOG), (("Escape",), START)], P_ABOUT_BUTTON, P_SUMMARY,
            [(tabs(2, "shift+Tab"), P_ABOUT_BUTTON), (("space",), DIALOG), (("Tab",), LINK),
             (("space",), ("push button", "OK", f"OK push button. / {URL_SAID}")), (("Return",), LINK),
             (tabs(4, "shift+Tab"), ("push button", "解説", "解説 expanded push button.")),
             (("space",), (*P_ABOUT_BUTTON[:2], "collapsed / 「ノボリアについて」を閉じました")),
             (("Tab",), P_SUMMARY("フィールド", FIELD)),
             (("Control+Home", "KP_Add"), (None, "", re.compile(
                 r"草食の数 \d+ / statusbar / 肉食の数 \d+ / statusbar / 日数 \d+ / statusbar")))])

# A fresh profile that opens the page alone: no welcome, privacy or new tab pages.
FIREFOX_PREFS = {"browser.shell.checkDefaultBrowser": "false", "browser.aboutwelcome.enabled": "false",
                 "browser.startup.homepage_override.mstone": '"ignore"', "startup.homepage_welcome_url": '""',
                 "startup.homepage_welcome_url.additional": '""', "datareporting.policy.firstRunURL": '""',
                 "datareporting.policy.dataSubmissionEnabled": "false", "toolkit.telemetry.reportingpolicy.firstRun":
                 "false", "browser.newtabpage.enabled": "false", "browser.newtab.preload": "false"}

# As Orca hands text to the voice: compatibility forms folded (Ｏ → O, （ → (), runs of spaces as one space.
spoken = lambda text: " ".join(unicodedata.normalize("NFKC", text).split())


def heard_in(said, heard):
    if isinstance(said, Once):
        return len(re.findall(said, heard)) == 1
    return said.search(heard) if isinstance(said, re.Pattern) else said in heard


def named(name, focused):
    return focused and (name.fullmatch(focused[1]) if isinstance(name, re.Pattern) else spoken(name) == focused[1])


class Listener(xsession.Session):
    """The session with a screen reader listening: record() is every utterance so far, focus() the role and
    name of the object that last got the focus."""
    def __enter__(self):
        super().__enter__()
        for name, package in NEEDED.items():
            assert shutil.which(name), f"{name} is missing: install {package} (tools/install-deps.sh)"
        assert os.path.exists(self.game_path), f"{self.game_path} is missing: build it first (make, make web)"
        home = os.path.join(self.dir, "home")
        self.env.update(HOME=home, XDG_CONFIG_HOME=f"{home}/.config", XDG_DATA_HOME=f"{home}/.local/share",
                        XDG_CACHE_HOME=f"{home}/.cache", LANG="C.UTF-8", LANGUAGE="", LC_ALL="")
        read, write = os.pipe()  # a session bus of its own, and on it an accessibility bus of its own
        self.spawn(["dbus-daemon", "--session", "--nofork", f"--print-address={write}"], "dbus", self.env,
                   pass_fds=(write,))
        os.close(write)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = os.fdopen(read).readline().strip()
        self.spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], "at-spi", self.env)
        self.spawn(["openbox", "--sm-disable"], "openbox", self.env)
        x = display.Display(self.env["DISPLAY"])
        managed = lambda: x.screen().root.get_full_property(x.intern_atom("_NET_SUPPORTING_WM_CHECK"), 0)
        xsession.wait_for("openbox to manage the windows", managed)
        x.close()
        self.start_voice(home)
        self.start_orca(home)

        os.environ.update({k: self.env[k] for k in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS")})  # for pyatspi here
        import pyatspi
        from gi.repository import GLib
        self.focused, self.pump = None, lambda: GLib.MainContext.default().iteration(False)
        def on_focus(event):
            if event.detail1:
                self.focused = (event.source.getRoleName(), spoken(event.source.name or ""))
        pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
        return self

    def start_voice(self, home):  # a voice that appends each utterance to the record, and opens no sound device
        self.record_path = os.path.join(self.dir, "speech.txt")
        open(self.record_path, "w").close()
        os.makedirs(f"{home}/speechd/modules")
        open(f"{home}/.libao", "w").write("default_driver=null\n")
        open(f"{home}/speechd/speechd.conf", "w").write(
            'AddModule "record" "sd_generic" "record.conf"\nDefaultModule record\nAudioOutputMethod "libao"\n')
        # Each utterance ends with a record separator: a text's own lines are one utterance. The voice is a shell
        # builtin, quick enough that the module is never busy when the next text comes (a busy one drops it).
        open(f"{home}/speechd/modules/record.conf", "w").write(
            f'GenericExecuteSynth "printf \'%s\\\\036\\\\n\' \\\'$DATA\\\' >> \\"{self.record_path}\\""\n'
            'GenericMaxChunkLength 100000\nGenericLanguage "en" "en" "utf-8"\nGenericLanguage "ja" "ja" "utf-8"\n'
            'AddVoice "en" "MALE1" "x"\n')
        self.spawn(["speech-dispatcher", "-s", "-t", "0", "-C", f"{home}/speechd"], "speechd", self.env)
        socket = os.path.join(self.env["XDG_RUNTIME_DIR"], "speech-dispatcher", "speechd.sock")
        xsession.wait_for("speech-dispatcher", lambda: os.path.exists(socket))

    def start_orca(self, home):
        # The page's own read-out at load would race the first keys: this Orca reads a page only when asked.
        os.makedirs(f"{home}/orca")
        with open(f"{home}/orca/orca-customizations.py", "w") as f:
            f.write("import orca.settings\norca.settings.sayAllOnLoad = False\n")
        # Orca refuses to start beside another of the same user. This one has its own display, buses, home and
        # voice: it skips that check, and keeps the interpreter's process name, so that others do not see it.
        launcher = ("import runpy, sys; sys.argv[0] = 'orca'; main = runpy.run_path('/usr/bin/orca', "
                    "run_name='orca_launcher')['main']; main.__globals__.update(otherOrcas=list, setProcessName=len); "
                    "sys.exit(main())")
        self.orca = self.spawn(["/usr/bin/python3", "-c", launcher, "-u", f"{home}/orca", "--debug-file",
                                f"{self.dir}/orca-debug.log"], "orca", self.env)
        xsession.wait_for("Orca's first words", self.record, 20)

    def __exit__(self, *failure):  # Orca first: it may hang on its way out if what it reads is gone
        self.orca.terminate()
        try:
            self.orca.wait(10)
        except subprocess.TimeoutExpired:
            self.orca.kill()
        return super().__exit__(*failure)

    def record(self):
        with open(self.record_path, encoding="utf-8", errors="replace") as f:
            return f.read().split("\x1e\n")[:-1]

    def focus(self):
        while self.pump():
            pass
        return self.focused

    def settle(self, quiet, limit=3):  # until nothing new is heard for `quiet` s: a key's lag is its own
        heard, since, deadline = len(self.record()), time.monotonic(), time.monotonic() + limit
        while time.monotonic() < min(deadline, since + quiet):
            time.sleep(0.05)
            if len(self.record()) != heard:
                heard, since = len(self.record()), time.monotonic()

    def walk(self, phases):
        """Each stop's focus on the object named and its words heard within WAIT s of its keys; in a phase with a
        lag, its name heard within that many seconds. What each stop heard, and how soon its name and all its
        words were, goes to heard.txt."""
        once = []
        for lag, stops in phases:
            for n, (keys, (role, name, said)) in enumerate(stops):
                if lag:  # a phase's first key after typing, which Orca works through unheard for a while
                    self.settle(1 if n == 0 else 0.3)
                mark, start = len(self.record()) if keys else 0, time.monotonic()
                if keys:  # at a brisk pupil's pace: keys faster than Orca leave it on a stop the focus has passed
                    self.xdotool("key", "--delay", 100, *keys)
                heard = lambda mark=mark: " / ".join(spoken(u) for u in self.record()[mark:])
                until(start + WAIT, lambda: not role or named(name, self.focus()) and self.focus()[0] == role,
                      lambda: f"after {keys}: the focus on {self.focus()}, not on {role} {name}")
                if lag:  # what focus() has seen may lag behind: the heard name counts
                    until(start + lag, lambda: heard_in(spoken(name) if isinstance(name, str) else name, heard()),
                          lambda: f"after {keys}: {name} not heard within {lag} s: heard {heard()!r}")
                named_at = time.monotonic() - start
                until(start + WAIT, lambda: heard_in(said, heard()),
                      lambda: f"at {name} after {keys}: heard {heard()!r}, not {said!r}")
                with open(os.path.join(self.dir, "heard.txt"), "a", encoding="utf-8") as f:
                    f.write(f"{' '.join(keys) or '(start)'}\t{self.focus()[1]}\t{heard()}\t{named_at:.2f} s\t"
                            f"{time.monotonic() - start:.2f} s\n")
                once += [(said, heard)] if isinstance(said, Once) else []
        for said, heard in once:
            assert heard_in(said, heard()), f"heard {said!r} more than once: {heard()!r}"


def until(deadline, predicate, failure):  # failure(): what to say if time runs out first
    while not predicate():
        assert time.monotonic() < deadline, failure()
        time.sleep(0.02)


def desktop():
    with Listener(PROGRAM, ARTIFACTS, "desktop") as s:
        s.start({"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"})  # and no AT_SPI_BUS_ADDRESS: Qt 6.4 then never registers
        s.walk(DESKTOP)


def page():
    with Listener(PROGRAM, ARTIFACTS, "page") as s:
        profile = os.path.join(s.dir, "firefox")
        os.makedirs(profile)
        with open(os.path.join(profile, "user.js"), "w") as f:
            f.writelines(f'user_pref("{k}", {v});\n' for k, v in FIREFOX_PREFS.items())
        url = f"file://{os.path.abspath(PROGRAM)}"
        s.spawn(["firefox-esr", "--no-remote", "--new-instance", "--profile", profile, url], "firefox",
                {**s.env, "GNOME_ACCESSIBILITY": "1", "MOZ_CRASHREPORTER_DISABLE": "1"})
        loaded = lambda: any(u.startswith("Finished loading ノボリア") for u in s.record())
        xsession.wait_for("Orca to hear the page loaded", loaded, 30)
        s.walk(PAGE)


if __name__ == "__main__":
    globals()[EDITION]()
