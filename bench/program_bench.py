"""The whole program against the least Qt Widgets program, on a private Xvfb.

- Start-up: from just before the process is started to the first frame in
  which the window shows its content (the game: sprite ground in all 256
  field cells; the yardstick: its background colour), read straight from the
  X server every 2 ms. Launches alternate between the two; the median of each.
- Memory: peak resident set (VmHWM) after 10 s, the game running a long run
  at speed 1 (typed into its boxes with xdotool), the yardstick idle.
- Ticks: the harness (the real main window) times 400 ticks of the day timer at
  speed 1 under Xvfb, with the CPU time they cost; the floor (one Japanese
  label changed every 50 ms, in the game's fonts) is timed the same way for
  200 ticks before and 200 after, so that a change of the machine's load
  falls on both. tick_cpu_ratio: the game's CPU per tick over the floor's.
- Days per second: the harness runs days back to back, each with its
  repaint, under the offscreen platform; also as a ratio to 17 990 /s, the
  figure before the field and graph moved to the shared painters (README).
"""

import os
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tools"))

from xsession import MAIN, Session, rect, wait_for  # noqa: E402
from Xlib import X, display  # noqa: E402

# NOBORIA_BENCH_QUICK=1: one pass of everything, in a few seconds, to show the
# benchmark still runs (its figures mean nothing then).
QUICK = bool(os.environ.get("NOBORIA_BENCH_QUICK"))
LAUNCHES = 1 if QUICK else 10
RSS_SECONDS = 1 if QUICK else 10
TICKS = 10 if QUICK else 400
DAYS_SECONDS = 0.2 if QUICK else 3
TICK_CPU_GOAL = 1.3  # the game's CPU per tick over the floor's
DAYS_PER_S_BEFORE_PAINTERS = 17990
BASELINE = "^baseline window$"
BASELINE_COLOUR = (0xFF, 0xFF, 0xC0)
FIELD = rect(100, 100, 5610, 5610)
CORNERS = [rect(t, 0, 0, 0)[0] - FIELD[0] for t in range(100, 5351, 350)]  # each cell's top left, in the field
GROUNDS = {(0xCF, 0x8F, 0x00), (0xA0, 0xFF, 0x40), (0x60, 0xC0, 0x60), (0x9C, 0xFE, 0x3C), (0x20, 0x80, 0x20)}
START, SPEED = (56, 444), rect(4800, 7080, 375, 270)
LONG_RUN = [(720, "50"), (360, "8"), (1440, "5"), (1920, "10"), (2400, "20"), (2760, "10"), (3120, "3"), (3480, "3")]


class Failure(Exception):
    pass


def pixels(x, wid, box):
    """RGB triples of a rectangle of a window, row by row, read straight from the X server (import is too slow)."""
    left, top, width, height = box
    data = x.create_resource_object("window", wid).get_image(left, top, width, height, X.ZPixmap, 0xFFFFFFFF).data
    return [(data[i + 2], data[i + 1], data[i]) for i in range(0, width * height * 4, 4)]


def game_painted(x, wid):
    field = pixels(x, wid, FIELD)
    return all(field[row * FIELD[2] + column] in GROUNDS for column in CORNERS for row in CORNERS)


def baseline_painted(x, wid):
    return all(pixels(x, wid, (px, py, 1, 1))[0] == BASELINE_COLOUR for px, py in ((0, 0), (332, 260), (663, 519)))


def close_and_wait(session, proc, wid):
    session.close_politely(wid)
    try:
        proc.wait(5)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()


def time_to_first_frame(session, x, program, title, painted):
    started = time.monotonic()
    proc = session.spawn([program], "launches", session.env)
    deadline, wid = started + 20, None
    while True:
        if wid is None:
            found = session.windows(title)
            wid = found[0] if found else None
        try:
            if wid is not None and painted(x, wid):
                elapsed = time.monotonic() - started
                break
        except Exception:
            pass  # the window was not ready to be read; look again
        if time.monotonic() > deadline or proc.poll() is not None:
            raise Failure(f"{program} showed no painted frame")
        time.sleep(0.002)
    close_and_wait(session, proc, wid)
    return elapsed


def peak_rss_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    raise Failure("no VmHWM in /proc/PID/status")


def harness(session, tools, args, env_changes, program="noboria-bench-harness"):
    env = dict(session.env, **env_changes)
    result = subprocess.run([os.path.join(tools, program), *args], env=env,
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, timeout=300)
    if result.returncode != 0:
        raise Failure(f"harness {' '.join(args)} failed: {result.stderr.strip()}")
    return {k: float(v) for k, v in (line.split() for line in result.stdout.splitlines() if line.strip())}


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
    game = os.path.join(build, "bin", "noboria")
    tools = os.path.join(build, "bench-tools")
    baseline = os.path.join(tools, "bench_baseline_window")
    for path in (game, baseline, *(os.path.join(tools, p) for p in ("noboria-bench-harness", "noboria-bench-floor"))):
        if not os.access(path, os.X_OK):
            print(f"missing {path}: build the project first", file=sys.stderr)
            return 1
    with Session(game, os.path.join(tools, "artifacts"), "program") as s:
        x = display.Display(s.env["DISPLAY"])
        # Start-up: one unmeasured launch each fills the caches, then alternate.
        game_times, baseline_times = [], []
        for n in range(0 if QUICK else -1, LAUNCHES):
            g = time_to_first_frame(s, x, game, MAIN, game_painted)
            b = time_to_first_frame(s, x, baseline, BASELINE, baseline_painted)
            if n >= 0:
                game_times.append(g)
                baseline_times.append(b)
        game_start = statistics.median(game_times)
        baseline_start = statistics.median(baseline_times)

        # Memory: the game in a long run at speed 1, the yardstick as it is.
        wid = s.start()
        wait_for("the field painted", lambda: game_painted(x, wid), 10)
        for top, text in LONG_RUN[:1] if QUICK else LONG_RUN:
            s.type_into(wid, rect(9000, top, 375, 270), text)
        s.click(wid, *START)
        s.type_into(wid, SPEED, "1")
        time.sleep(RSS_SECONDS)
        if s.game.poll() is not None:
            raise Failure("the game ended while its memory was measured")
        game_rss = peak_rss_kib(s.game.pid)
        close_and_wait(s, s.game, wid)
        proc = s.spawn([baseline], "baseline", s.env)
        wid = wait_for("the baseline window", lambda: s.windows(BASELINE), 10)[0]
        time.sleep(RSS_SECONDS)
        baseline_rss = peak_rss_kib(proc.pid)
        close_and_wait(s, proc, wid)

        floor_before = harness(s, tools, ["ticks", str(TICKS // 2)], {}, "noboria-bench-floor")
        ticks = harness(s, tools, ["ticks", str(TICKS)], {})
        floor_after = harness(s, tools, ["ticks", str(TICKS // 2)], {}, "noboria-bench-floor")
        days = harness(s, tools, ["days", str(DAYS_SECONDS)], {"QT_QPA_PLATFORM": "offscreen"})

    floor_cpu_us = (floor_before["tick_cpu_us"] + floor_after["tick_cpu_us"]) / 2
    tick_cpu_ratio = ticks["tick_cpu_us"] / floor_cpu_us
    tick_cpu_met = "met" if tick_cpu_ratio <= TICK_CPU_GOAL else "not met"
    days_ratio = days["days_per_s"] / DAYS_PER_S_BEFORE_PAINTERS
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
        ("CPU per tick against the floor (one label)", f"{ticks['tick_cpu_us']:.0f} us",
         f"{floor_before['tick_cpu_us']:.0f} / {floor_after['tick_cpu_us']:.0f} us",
         f"{tick_cpu_ratio:.2f} x", f"<= {TICK_CPU_GOAL} x: {tick_cpu_met}"),
        ("days per second, back to back, offscreen", f"{days['days_per_s']:.0f} /s", "",
         f"{days['day_cpu_us']:.0f} us CPU a day", ""),
        ("days per second against %d /s before the painters" % DAYS_PER_S_BEFORE_PAINTERS,
         f"{days['days_per_s']:.0f} /s", f"{DAYS_PER_S_BEFORE_PAINTERS} /s", f"{days_ratio:.2f} x", ""),
    ]
    header = ("measure", "game", "baseline or floor", "ratio", "target")
    widths = [max(len(r[i]) for r in rows + [header]) for i in range(5)]
    for r in [header] + rows:
        print("  ".join(c.ljust(w) for c, w in zip(r, widths)).rstrip())
    floors = (floor_before["tick_cpu_us"], floor_after["tick_cpu_us"])
    spread = max(floors) / min(floors)
    if spread > 1.25:
        print(f"note: the floor's CPU per tick changed {spread:.2f} x during the run (the machine's load changed): "
              "tick_cpu_ratio is only rough")
    print("game start-up times (ms):", " ".join(f"{t * 1000:.0f}" for t in game_times))
    print("baseline start-up times (ms):", " ".join(f"{t * 1000:.0f}" for t in baseline_times))
    print("== summary ==")
    print(f"startup_ratio {game_start / baseline_start:.2f} x")
    print(f"rss_ratio {game_rss / baseline_rss:.2f} x")
    print(f"tick_mean_ms {ticks['tick_mean_ms']:.3f} ms")
    print(f"tick_p99_dev_ms {ticks['tick_p99_dev_ms']:.3f} ms")
    print(f"tick_cpu_pct {ticks['tick_cpu_pct']:.3f} %")
    print(f"tick_cpu_ratio {tick_cpu_ratio:.2f} x")
    print(f"tick_cpu_ratio_goal_met {'yes' if tick_cpu_ratio <= TICK_CPU_GOAL else 'no'} (<= {TICK_CPU_GOAL} x)")
    print(f"days_per_s {days['days_per_s']:.0f} /s")
    print(f"days_per_s_vs_{DAYS_PER_S_BEFORE_PAINTERS}_before_painters {days_ratio:.2f} x")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except (Failure, AssertionError) as failure:
        print(f"error: {failure}", file=sys.stderr)
        sys.exit(1)
