#!/usr/bin/python3
"""Typing and the small arrows on a real display: the arrows write their
value into the box, a refused text shows the red cue, typed settings change
the next run (no herbivores: the run ends after its first day), and a typed
speed of 0 holds the days until a number comes back."""

import sys
import time

import noboria_e2e as e2e
from noboria_e2e import box_rect, check

ERROR_CUE = "FFC0C0"
TICK = 0.2  # s, the default speed


def cue_share(shot, name):
    left, top, width, height = box_rect(name)
    inner = (left + 2, top + 2, width - 4, height - 4)
    return shot.count(inner, ERROR_CUE) / ((width - 4) * (height - 4))


def arrows_write_their_value_into_the_box(args):
    grounds = e2e.sprite_corner_colours(args.assets)
    with e2e.Session(args.game, args.artifacts, "arrows") as s:
        s.launch()
        wid, _, _ = s.main_window()
        e2e.wait_field_painted(s, wid, grounds)
        p_box, one_box = [box_rect("p_text")], [box_rect("ze_text")]

        def p_now():
            return s.snapshot(wid, p_box)[0]

        zero = p_now()  # "0", HS(0) at its minimum
        one = s.snapshot(wid, one_box)[0]  # ze_text holds "1"
        check(zero != one, "p_text showing 0 looks like ze_text showing 1")

        # At the minimum the left arrow changes nothing.
        s.click(wid, e2e.arrow_point(0, "down"))
        s.rest_pointer(wid)
        check(p_now() == zero, "the left arrow at HS(0)'s minimum changed p_text")
        # One step up: p_text shows "1", drawn exactly as ze_text's "1".
        s.click(wid, e2e.arrow_point(0, "up"))
        s.rest_pointer(wid)
        e2e.wait_for(lambda: p_now() == one, 3, "p_text to show 1 after one click on HS(0)'s right arrow")
        # Two more steps and back down two: the text follows every click.
        s.click(wid, e2e.arrow_point(0, "up"), times=2)
        s.rest_pointer(wid)
        three = e2e.wait_for(lambda: (lambda v: v if v not in (zero, one) else None)(p_now()), 3,
                             "p_text to change after two more clicks")
        s.save_shot(wid, "p_text-3")
        s.click(wid, e2e.arrow_point(0, "down"), times=3)
        s.rest_pointer(wid)
        e2e.wait_for(lambda: p_now() == zero, 3, "p_text to show 0 again after three clicks down")
        check(three != zero, "p_text at 3 looks like 0")

        # The speed's arrows: 4 -> 5 -> 4.
        speed = [box_rect("speed")]
        four = s.snapshot(wid, speed)
        s.click(wid, e2e.arrow_point("sp", "up"))
        s.rest_pointer(wid)
        five = s.wait_change(wid, speed, four, 3, "the speed box to change after HSsp's right arrow")
        s.click(wid, e2e.arrow_point("sp", "down"))
        s.rest_pointer(wid)
        e2e.wait_for(lambda: s.snapshot(wid, speed) == four, 3, "the speed box to show 4 again")
        check(five != four, "speed 5 looks like 4")

        # Typing replaces the arrow's value; a refused text turns the box red.
        s.type_into(wid, box_rect("p_text"), "abc")
        e2e.wait_for(lambda: cue_share(s.shot(wid), "p_text") > 0.5, 3, "the error cue on p_text")
        s.save_shot(wid, "p_text-refused")
        s.type_into(wid, box_rect("p_text"), "2")
        e2e.wait_for(lambda: cue_share(s.shot(wid), "p_text") == 0, 3, "the error cue to clear")
        s.check_alive("after the inputs")


def typed_settings_change_the_next_run(args):
    grounds = e2e.sprite_corner_colours(args.assets)
    with e2e.Session(args.game, args.artifacts, "typed-run") as s:
        s.launch()
        wid, _, _ = s.main_window()
        e2e.wait_field_painted(s, wid, grounds)
        rects = [e2e.FIELD, e2e.DAYCAP]

        # A long run from typed settings: it keeps going well past the few
        # days a default run lasts.
        e2e.start_long_run(s, wid)
        seen = s.snapshot(wid, rects)
        for n in range(8):
            seen = s.wait_change(wid, [e2e.FIELD], seen[:1], 3, f"day {n + 1} of the typed long run") + seen[1:]
        s.save_shot(wid, "long-run")

        # No herbivores: the new run counts none on its first day and stops
        # there, within two ticks; the window stays.
        s.type_into(wid, box_rect("Z_text"), "0")
        s.click(wid, e2e.button_centre("sim_com"))
        clicked = time.monotonic()
        s.rest_pointer(wid)
        changed_at, _ = s.wait_still(wid, rects, quiet=6 * TICK, timeout=8,
                                     what="the run without herbivores to stop")
        late = changed_at - clicked
        check(late <= 2 * TICK + 0.5, f"the field still changed {late:.2f} s after the start press")
        s.save_shot(wid, "no-herbivores")
        s.check_alive("after a run without herbivores")

        # Speed 0 holds the days; speed 1 lets them run at 50 ms.
        s.type_into(wid, box_rect("Z_text"), "50")
        e2e.start_long_run(s, wid)
        s.wait_change(wid, [e2e.FIELD], s.snapshot(wid, [e2e.FIELD]), 3, "the new long run")
        s.type_into(wid, box_rect("speed"), "0")
        s.wait_still(wid, rects, quiet=6 * TICK, timeout=8, what="the days to stop at speed 0")
        s.type_into(wid, box_rect("speed"), "1")
        seen = s.snapshot(wid, [e2e.FIELD])
        for n in range(5):
            seen = s.wait_change(wid, [e2e.FIELD], seen, 2, f"day {n + 1} at speed 1")
        s.check_alive("after the speed changes")


if __name__ == "__main__":
    sys.exit(e2e.main([arrows_write_their_value_into_the_box, typed_settings_change_the_next_run]))
