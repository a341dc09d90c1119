"""The whole program against the least Qt Widgets program, on a private Xvfb.

- Start-up: from just before the process is started to the first frame in
  which the window shows its content (the game: sprite ground in all 256
  field cells; the yardstick: its background colour), read straight from the
  X server every 2 ms. Launches alternate between the two; the median of each.
- Memory: peak resident set (VmHWM) after 10 s, the game running a long run
  at speed 1 (typed into its boxes with xdotool), the yardstick idle.
- Ticks: the harness (the real main window) times 400 ticks of Timer1 at
  speed 1 under Xvfb, with the CPU time they cost.
- Days per second: the harness runs days back to back, each with its
  repaint, under the offscreen platform.
"""

import os
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))

import noboria_e2e as e2e  # noqa: E402
from Xlib import X  # noqa: E402

LAUNCHES = 10
RSS_SECONDS = 10
TICKS = 400
DAYS_SECONDS = 3
BASELINE_TITLE = "baseline window"
BASELINE_COLOUR = (0xFF, 0xFF, 0xC0)


def row_pixels(session, wid, x, y, width):
    """RGB triples of one row of a window, read with GetImage."""
    window = session.dpy.create_resource_object("window", wid)
    data = window.get_image(x, y, width, 1, X.ZPixmap, 0xFFFFFFFF).data
    return [(data[i + 2], data[i + 1], data[i]) for i in range(0, width * 4, 4)]


def hex_colour(rgb):
    return "%02X%02X%02X" % rgb


def game_painted(session, wid, grounds):
    left = e2e.cell_origin(1, 1)[0]
    width = e2e.FIELD[2]
    for y in range(1, 17):
        row = row_pixels(session, wid, left, e2e.cell_origin(1, y)[1], width)
        for x in range(1, 17):
            if hex_colour(row[e2e.cell_origin(x, y)[0] - left]) not in grounds:
                return False
    return True


def baseline_painted(session, wid):
    return all(row_pixels(session, wid, 0, y, 664)[x] == BASELINE_COLOUR
               for x, y in ((0, 0), (332, 260), (663, 519)))


def find(session, match):
    found = session.find_window(match)
    return found[0] if found else None


def time_to_first_frame(session, program, match, painted):
    started = time.monotonic()
    session.launch(program)
    deadline = started + 20
    wid = None
    while True:
        if wid is None:
            wid = find(session, match)
        if wid is not None:
            try:
                if painted(wid):
                    elapsed = time.monotonic() - started
                    break
            except Exception:
                pass  # the window was not ready to be read; look again
        e2e.check(time.monotonic() < deadline and session.proc.poll() is None,
                  f"{program} showed no painted frame")
        time.sleep(0.002)
    session.close_politely(wid)
    try:
        session.proc.wait(5)
    except subprocess.TimeoutExpired:
        session.proc.kill()
        session.proc.wait()
    return elapsed


def peak_rss_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    raise e2e.Failure("no VmHWM in /proc/PID/status")


def close_and_wait(session, wid):
    session.close_politely(wid)
    try:
        session.proc.wait(5)
    except subprocess.TimeoutExpired:
        session.proc.kill()
        session.proc.wait()


def harness(session, tools, args, env_changes):
    env = dict(session.env, **env_changes)
    result = subprocess.run([os.path.join(tools, "noboria-bench-harness"), *args], env=env,
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, timeout=300)
    if result.returncode != 0:
        raise e2e.Failure(f"harness {' '.join(args)} failed: {result.stderr.strip()}")
    return {k: float(v) for k, v in (line.split() for line in result.stdout.splitlines() if line.strip())}


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
    game = os.path.join(build, "bin", "noboria")
    tools = os.path.join(build, "bench-tools")
    baseline = os.path.join(tools, "bench_baseline_window")
    for path in (game, baseline, os.path.join(tools, "noboria-bench-harness")):
        if not os.access(path, os.X_OK):
            print(f"missing {path}: build the project first", file=sys.stderr)
            return 1
    grounds = e2e.sprite_corner_colours(os.path.join(HERE, "..", "assets"))
    is_game = lambda t: t.startswith(e2e.MAIN_TITLE_START)  # noqa: E731
    is_baseline = lambda t: t == BASELINE_TITLE  # noqa: E731

    with e2e.Session(game, os.path.join(tools, "artifacts"), "program") as s:
        # Start-up: one unmeasured launch each fills the caches, then alternate.
        game_times, baseline_times = [], []
        for n in range(LAUNCHES + 1):
            g = time_to_first_frame(s, game, is_game, lambda w: game_painted(s, w, grounds))
            b = time_to_first_frame(s, baseline, is_baseline, lambda w: baseline_painted(s, w))
            if n:
                game_times.append(g)
                baseline_times.append(b)
        game_start = statistics.median(game_times)
        baseline_start = statistics.median(baseline_times)

        # Memory: the game in a long run at speed 1, the yardstick as it is.
        s.launch(game)
        wid = s.main_window()[0]
        e2e.wait_field_painted(s, wid, grounds)
        e2e.start_long_run(s, wid)
        s.type_into(wid, e2e.box_rect("speed"), "1")
        time.sleep(RSS_SECONDS)
        s.check_alive("while its memory was measured")
        game_rss = peak_rss_kib(s.proc.pid)
        close_and_wait(s, wid)
        s.launch(baseline)
        wid = e2e.wait_for(lambda: find(s, is_baseline), 10, "the baseline window")
        time.sleep(RSS_SECONDS)
        baseline_rss = peak_rss_kib(s.proc.pid)
        close_and_wait(s, wid)

        ticks = harness(s, tools, ["ticks", str(TICKS)], {})
    days = harness(s, tools, ["days", str(DAYS_SECONDS)], {"QT_QPA_PLATFORM": "offscreen"})

    rows = [
        ("start-up to first frame (median of %d)" % LAUNCHES,
         f"{game_start * 1000:.0f} ms", f"{baseline_start * 1000:.0f} ms",
         f"{game_start / baseline_start:.2f} x", "<= 1.5 x"),
        ("peak resident set after %d s" % RSS_SECONDS,
         f"{game_rss / 1024:.1f} MiB", f"{baseline_rss / 1024:.1f} MiB",
         f"{game_rss / baseline_rss:.2f} x", "<= 1.5 x"),
        ("tick interval at speed 1, mean of %d" % int(ticks["ticks"]),
         f"{ticks['tick_mean_ms']:.3f} ms", "", "", "50 ms +- 1 %"),
        ("tick deviation from 50 ms, median / p99",
         f"{ticks['tick_p50_dev_ms']:.3f} / {ticks['tick_p99_dev_ms']:.3f} ms", "", "", "p99 <= 3 ms"),
        ("CPU per tick", f"{ticks['tick_cpu_us']:.0f} us", "", f"{ticks['tick_cpu_pct']:.2f} % of 50 ms", "<= 1 %"),
        ("days per second, back to back, offscreen", f"{days['days_per_s']:.0f} /s", "",
         f"{days['day_cpu_us']:.0f} us CPU a day", ""),
    ]
    header = ("measure", "game", "baseline", "ratio", "target")
    widths = [max(len(r[i]) for r in rows + [header]) for i in range(5)]
    for r in [header] + rows:
        print("  ".join(c.ljust(w) for c, w in zip(r, widths)).rstrip())
    print("game start-up times (ms):", " ".join(f"{t * 1000:.0f}" for t in game_times))
    print("baseline start-up times (ms):", " ".join(f"{t * 1000:.0f}" for t in baseline_times))
    print("== summary ==")
    print(f"startup_ratio {game_start / baseline_start:.2f} x")
    print(f"rss_ratio {game_rss / baseline_rss:.2f} x")
    print(f"tick_mean_ms {ticks['tick_mean_ms']:.3f} ms")
    print(f"tick_p99_dev_ms {ticks['tick_p99_dev_ms']:.3f} ms")
    print(f"tick_cpu_pct {ticks['tick_cpu_pct']:.3f} %")
    print(f"days_per_s {days['days_per_s']:.0f} /s")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except e2e.Failure as failure:
        print(f"error: {failure}", file=sys.stderr)
        sys.exit(1)
