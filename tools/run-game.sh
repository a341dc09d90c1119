#!/usr/bin/env bash
# Launches the game, with a clear word when there is no display to show it on.
set -euo pipefail
bin=$1
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display to show the game on (DISPLAY is not set)." >&2
  echo "Run 'make run' from a desktop session, or start it under a virtual one:" >&2
  echo "  xvfb-run -a $bin" >&2
  exit 1
fi
exec "$bin"
