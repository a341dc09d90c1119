#!/usr/bin/python3
"""Start-up on a real display: both windows, their titles and sizes, a field
painted from the sprites, a first run that goes by itself and ends by itself,
and a polite close with the About window open."""

import sys

import noboria_e2e as e2e
from noboria_e2e import check


def startup_shows_both_windows_and_runs(args):
    grounds = e2e.sprite_corner_colours(args.assets)
    with e2e.Session(args.game, args.artifacts, "startup") as s:
        s.launch()
        wid, title, size = s.main_window()
        about, about_title, about_size = s.about_window()
        check(title.startswith(e2e.MAIN_TITLE_START), f"main window title {title!r}")
        check(about_title == e2e.ABOUT_TITLE, f"About window title {about_title!r}")
        check(size == e2e.MAIN_CLIENT_SIZE, f"main window client area {size}, expected 664 x 520")
        check(about_size == e2e.ABOUT_CLIENT_SIZE, f"About window client area {about_size}, expected 381 x 281")
        check(s.about_visible(), "xdotool does not see the About window as visible")

        # The first frame may come before the field is copied in; wait for it.
        first = e2e.wait_field_painted(s, wid, grounds)
        s.save_shot(wid, "first-field")
        rects = [e2e.FIELD, e2e.DAYCAP]
        before = tuple(first.region(r) for r in rects)

        # The first run goes by itself at 200 ms a day: the field and the day
        # label both change (the label from the instruction to a day number).
        field_changed = s.wait_change(wid, [e2e.FIELD], (before[0],), 5, "the field to change during the first run")
        day_changed = s.wait_change(wid, [e2e.DAYCAP], (before[1],), 5, "daycap to change during the first run")
        check(field_changed and day_changed, "no change during the first run")
        later = s.shot(wid)
        bad = e2e.field_corners_ok(later, grounds)
        check(bad is None, f"after a day, cell {bad} shows no sprite ground")

        # With the defaults (no plant growth, short lives) the run dies out
        # within a few days and stops; the program keeps running.
        s.wait_still(wid, rects, quiet=1.2, timeout=15, what="the first run to end by itself")
        s.save_shot(wid, "first-run-ended")
        s.check_alive("after its first run ended")

        s.close_politely(wid)
        status = s.wait_exit(10)
        check(status == 0, f"closing the main window with the About window open: exit status {status}")
        check(s.find_window(lambda t: t == e2e.ABOUT_TITLE) is None, "the About window outlived the program")


if __name__ == "__main__":
    sys.exit(e2e.main([startup_shows_both_windows_and_runs]))
