#!/usr/bin/python3
"""What Orca says as a pupil tabs through the game, in either edition. Everything is private to the run: an
Xvfb display with openbox, a session bus with its accessibility bus, speech-dispatcher whose one voice appends
each utterance to a record, and Orca with its own home, prefs and debug log. Each stop is a row: the keys, the
object that must then have the focus (waited for on the bus) and what must be heard (waited for in the record)."""

import os, re, shutil, subprocess, sys, time
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import xsession  # noqa: E402
from Xlib import display  # noqa: E402

EDITION, PROGRAM, ARTIFACTS = sys.argv[1:4]  # desktop <noboria> | page <noboria.html>, then the artifacts folder
NEEDED = {"orca": "orca", "speech-dispatcher": "speech-dispatcher", "openbox": "openbox", "xdotool": "xdotool",
          "dbus-daemon": "dbus", "/usr/libexec/at-spi-bus-launcher": "at-spi2-core", "firefox-esr": "firefox-esr"}

BOXES = [("植物の繁殖の速さ 0-8", 0), ("草食動物の数 1-100", 50), ("草食動物 子供をうむまでの日数 1-50", 10),
         ("草食動物 えさなしで生きる日数 1-20", 1), ("肉食動物の数 1-100", 50), ("肉食動物 子供をうむまでの日数 1-50", 10),
         ("肉食動物 えさなしで生きる日数 1-20", 1), ("満腹でえさをとらない日数 0-5", 1), ("えさをとる確率 1-10割", 5)]
SPEED = ("シュミレーションの速さ 1-100", 4)
BARS = [BOXES[0], SPEED] + BOXES[1:]  # the step controls' Tab order

# (keys, focused role, focused name, what must be heard: a str is found as it stands, a re.Pattern searched for).
# A row without keys hears everything since Orca started.
DESKTOP = ([((), "push button", "シミュレーション", "シミュレーション push button.")] +
           [(("Tab",), "text", name, f"{name} text. / {value} selected.") for name, value in BOXES] +
           [(("Tab",), "push button", "停止", "停止 push button."),
            (("Tab",), "text", SPEED[0], f"{SPEED[0]} text. / {SPEED[1]} selected.")] +
           [(("Tab",), "scroll bar", name, f"{name} scroll bar {value}.") for name, value in BARS] +
           [(("Tab",), "push button", "解説", "解説 push button.")])
ABOUT_READ = re.compile("ノボリアについて dialog このプログラムの目的は あなたが 【創造主】となり、.*維持することです。.* / O K push button")
PAGE = ([((), "push button", "Ｏ Ｋ", ABOUT_READ),
         (("Escape",), "push button", "シミュレーション", "シミュレーション push button.")] +
        [(("Tab",), "entry", name, f"{name} entry {value} selected.") for name, value in BOXES] +
        [(("Tab",), "push button", "停止", "停止 push button."),
         (("Tab",), "entry", SPEED[0], f"{SPEED[0]} entry {SPEED[1]} selected.")] +
        [(("Tab",), "spin button", name, f"{name} {value} spin button.") for name, value in BARS] +
        [(("Tab",), "push button", "解説", "解説 collapsed push button.")])

# A fresh profile that opens the page alone: no welcome, privacy or new tab pages.
FIREFOX_PREFS = {"browser.shell.checkDefaultBrowser": "false", "browser.aboutwelcome.enabled": "false",
                 "browser.startup.homepage_override.mstone": '"ignore"', "startup.homepage_welcome_url": '""',
                 "startup.homepage_welcome_url.additional": '""', "datareporting.policy.firstRunURL": '""',
                 "datareporting.policy.dataSubmissionEnabled": "false", "toolkit.telemetry.reportingpolicy.firstRun":
                 "false", "browser.newtabpage.enabled": "false", "browser.newtab.preload": "false"}

spoken = lambda text: " ".join(text.split())  # runs of spaces, ideographic ones too, as one space
heard_in = lambda said, heard: said.search(heard) if isinstance(said, re.Pattern) else said in heard


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
        open(f"{home}/speechd/modules/record.conf", "w").write(
            f'GenericExecuteSynth "printf \'%s\\\\n\' \\\'$DATA\\\' >> \\"{self.record_path}\\""\n'
            'GenericLanguage "en" "en" "utf-8"\nGenericLanguage "ja" "ja" "utf-8"\nAddVoice "en" "MALE1" "x"\n')
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
            return f.read().splitlines()

    def focus(self):
        while self.pump():
            pass
        return self.focused

    def walk(self, stops, timeout=8):
        """Each stop within timeout s of its keys: the focus on the object named, then its words heard. What each
        stop heard, and how soon, goes to heard.txt."""
        for keys, role, name, said in stops:
            mark, start = len(self.record()) if keys else 0, time.monotonic()
            if keys:
                self.key(*keys)
            heard = lambda: " / ".join(spoken(u) for u in self.record()[mark:])
            until(start + timeout, lambda: self.focus() == (role, name),
                  lambda: f"after {keys}: the focus on {self.focus()}, not on {role} {name}")
            until(start + timeout, lambda: heard_in(said, heard()),
                  lambda: f"at {name} after {keys}: heard {heard()!r}, not {said!r}")
            with open(os.path.join(self.dir, "heard.txt"), "a", encoding="utf-8") as f:
                f.write(f"{' '.join(keys) or '(start)'}\t{name}\t{heard()}\t{time.monotonic() - start:.2f} s\n")


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
