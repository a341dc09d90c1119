#!/usr/bin/python3
"""The About window's addresses on a real display: a click on the web address
or on the mail address puts exactly that text on the X clipboard and shows
the program's message box, which Return dismisses."""

import subprocess
import sys

import noboria_e2e as e2e
from noboria_e2e import check

URL = "https://example.org/noboria/"
MAIL = "noboria@example.org"
TITLE = "ノボリア"  # the message box's title; the main window's is longer


def clipboard(s):
    done = subprocess.run(["/usr/bin/xclip", "-o", "-selection", "clipboard"], env=s.env,
                          capture_output=True, timeout=5)
    return done.stdout.decode("utf-8", "replace") if done.returncode == 0 else None


def copy_and_confirm(s, about, point, expected, what):
    s.click(about, point)
    box = e2e.wait_for(lambda: s.find_window(lambda t: t == TITLE), 5, f"the message after {what}")
    check(clipboard(s) == expected, f"clipboard after {what}: {clipboard(s)!r}")
    s.xdotool("windowfocus", "--sync", box[0])
    s.xdotool("key", "Return")
    e2e.wait_for(lambda: s.find_window(lambda t: t == TITLE) is None, 5, f"the message of {what} to close")


def addresses_go_to_the_clipboard(args):
    with e2e.Session(args.game, args.artifacts, "clipboard") as s:
        s.launch()
        s.main_window()
        about, _, _ = s.about_window()
        # Label4 (the web address) at twips (600, 3480), Label6 (mail) at (1920, 3840).
        copy_and_confirm(s, about, (e2e.tw(600) + 20, e2e.tw(3480) + 8), URL, "a click on the web address")
        copy_and_confirm(s, about, (e2e.tw(1920) + 20, e2e.tw(3840) + 8), MAIL, "a click on the mail address")
        s.check_alive("after both copies")


if __name__ == "__main__":
    sys.exit(e2e.main([addresses_go_to_the_clipboard]))
