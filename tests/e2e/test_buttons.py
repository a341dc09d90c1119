#!/usr/bin/python3
"""The three buttons on a real display: stop freezes the field, start begins
a new run, "解説" hides and shows the About window."""

import sys
import time

import noboria_e2e as e2e
from noboria_e2e import check

TICK = 0.2  # s, the default speed


def stop_freezes_and_start_runs_again(args):
    grounds = e2e.sprite_corner_colours(args.assets)
    with e2e.Session(args.game, args.artifacts, "stop-start") as s:
        s.launch()
        wid, _, _ = s.main_window()
        e2e.wait_field_painted(s, wid, grounds)
        rects = [e2e.FIELD, e2e.DAYCAP]

        e2e.start_long_run(s, wid)
        seen = s.snapshot(wid, [e2e.FIELD])
        for n in range(3):
            seen = s.wait_change(wid, [e2e.FIELD], seen, 3, f"day {n + 1} of the long run")

        s.click(wid, e2e.button_centre("Command2"))
        clicked = time.monotonic()
        s.rest_pointer(wid)
        changed_at, frozen = s.wait_still(wid, rects, quiet=6 * TICK, timeout=8, what="the stop button to freeze the field")
        check(changed_at - clicked <= TICK + 0.5, f"the field changed {changed_at - clicked:.2f} s after the stop press")
        s.save_shot(wid, "stopped")

        # The start button begins a new run from a fresh field.
        s.click(wid, e2e.button_centre("sim_com"))
        s.rest_pointer(wid)
        seen = s.wait_change(wid, rects, frozen, 3, "the start button to start a new run")
        for n in range(3):
            seen = s.wait_change(wid, rects, seen, 3, f"day {n + 2} of the new run")
        s.check_alive("after stop and start")


def about_button_hides_and_shows_the_about_window(args):
    with e2e.Session(args.game, args.artifacts, "about-button") as s:
        s.launch()
        wid, _, _ = s.main_window()
        about, _, _ = s.about_window()
        check(s.about_visible(), "the About window is not visible at start-up")
        s.click(wid, e2e.button_centre("Command1"))
        e2e.wait_for(lambda: not s.about_visible(), 3, "解説 to hide the About window")
        # Hidden, not destroyed: the same window, unmapped.
        check(s.find_window(lambda t: t == e2e.ABOUT_TITLE, viewable=False)[0] == about,
              "the hidden About window is not the one shown at start-up")
        s.click(wid, e2e.button_centre("Command1"))
        e2e.wait_for(s.about_visible, 3, "解説 to show the About window again")
        check(s.about_window()[0] == about, "解説 showed another About window")
        s.click(wid, e2e.button_centre("Command1"))
        e2e.wait_for(lambda: not s.about_visible(), 3, "解説 to hide the About window a second time")
        s.check_alive("after 解説")


if __name__ == "__main__":
    sys.exit(e2e.main([stop_freezes_and_start_runs_again, about_button_hides_and_shows_the_about_window]))
