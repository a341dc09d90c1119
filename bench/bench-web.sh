#!/usr/bin/env bash
# The browser edition's page in headless Chromium against the least page:
# start-up, file size, the day timer's accuracy and CPU per tick, and its pace
# at the fast speeds side by side with the desktop's (web_bench.mjs).
# Usage: bench/bench-web.sh BUILD_DIR [--quick]; the page is build-web/noboria.html
# (or NOBORIA_WEB_BUILD/noboria.html), the desktop's harness BUILD_DIR/bench-tools/noboria-bench-harness.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exec node "$here/web_bench.mjs" "${NOBORIA_WEB_BUILD:-$here/../build-web}/noboria.html" \
  --desktop "${1:-build}/bench-tools/noboria-bench-harness" "${@:2}"
