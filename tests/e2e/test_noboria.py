#!/usr/bin/python3
"""What only a real display shows, one case a run: the windows side by side, the field and graph painted on
screen, clicks and typing changing what is painted, the addresses on the X clipboard, polite closes."""

import subprocess
from noboria_e2e import ABOUT, CASE, MESSAGE, Session, rect, wait_for

FIELD, GRAPH, SPEED = rect(100, 100, 5610, 5610), rect(5760, 4440, 4095, 3255), rect(4800, 7080, 375, 270)
CORNERS = [rect(t, 0, 0, 0)[0] for t in range(100, 5351, 350)]  # where each field column (and row) begins
GROUNDS = {"CF8F00", "A0FF40", "60C060", "9CFE3C", "208020"}  # top-left pixels of assets/sprites/*.xpm
START, STOP, ABOUT_BUTTON, TICK = (56, 444), (148, 444), (216, 444), 0.2  # TICK: s a day at the default speed


box = lambda top: rect(9000, top, 375, 270)  # the text box of the parameter row at top (twips)


def painted(s, main):
    shows_ground = lambda shot: all(shot.pixel(x, y) in GROUNDS for x in CORNERS for y in CORNERS)
    wait_for("every field cell painted from a sprite", lambda: shows_ground(s.shot(main)))


def controls():
    with Session("controls") as s:
        main, about = s.start(), s.window(ABOUT)
        for point, address in [((60, 240), "https://example.org/noboria/"), ((148, 264), "noboria@example.org")]:
            s.click(about, *point)  # on Label4, then on Label6
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
        # Plants regrow fast, few carnivores live long and hunt rarely: a run of hundreds of days.
        for top, text in [(720, "50"), (360, "8"), (1440, "5"), (1920, "10"), (2400, "20"), (2760, "10"),
                          (3120, "3"), (3480, "3")]:
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
            s.wait_changes("the first run, started by itself", main, FIELD)
            if hide:
                s.click(main, *ABOUT_BUTTON)
                wait_for("解説 to hide the About window", lambda: not s.windows(ABOUT))
            s.close_politely(main)
            assert s.wait_exit() == 0, f"exit status {s.game.returncode} after a polite close"


if __name__ == "__main__":
    globals()[CASE]()  # the case named on the command line
