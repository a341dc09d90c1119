#!/usr/bin/python3
"""Closing the main window politely ends the program with status 0, with the
About window shown and with it hidden. Run against a sanitized build, the
status also says that LeakSanitizer found nothing at exit."""

import sys

import noboria_e2e as e2e
from noboria_e2e import check


def close(args, hide_about):
    name = "close-about-hidden" if hide_about else "close-about-shown"
    with e2e.Session(args.game, args.artifacts, name) as s:
        s.launch()
        wid, _, _ = s.main_window()
        s.about_window()
        e2e.wait_field_painted(s, wid, e2e.sprite_corner_colours(args.assets))
        if hide_about:
            s.click(wid, e2e.button_centre("Command1"))
            e2e.wait_for(lambda: not s.about_visible(), 3, "解説 to hide the About window")
        s.close_politely(wid)
        status = s.wait_exit(10)
        check(status == 0, f"exit status {status} after closing the main window")
        check(s.find_window(lambda t: t == e2e.ABOUT_TITLE, viewable=False) is None,
              "the About window outlived the program")


def closing_with_the_about_window_shown_ends_the_program(args):
    close(args, hide_about=False)


def closing_with_the_about_window_hidden_ends_the_program(args):
    close(args, hide_about=True)



if __name__ == "__main__":
    sys.exit(e2e.main([closing_with_the_about_window_shown_ends_the_program,
                       closing_with_the_about_window_hidden_ends_the_program]))
