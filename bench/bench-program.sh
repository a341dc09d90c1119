#!/usr/bin/env bash
# The whole game against the least Qt Widgets program: start-up, memory, the
# accuracy and cost of the day timer's ticks, and days per second. Needs Xvfb,
# xdotool, ImageMagick and python3-xlib (tools/install-deps.sh).
# Usage: bench/bench-program.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exec env PYTHONDONTWRITEBYTECODE=1 /usr/bin/python3 "$here/program_bench.py" "${1:-build}"
