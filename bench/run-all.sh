#!/usr/bin/env bash
# Runs every benchmark program of the build (bench_*) and every benchmark
# script here (bench-*.sh), then prints all their summary figures together.
# Usage: bench/run-all.sh BUILD_DIR [NAME...]   (names: only those, e.g. bench_sim)
# Fails if a benchmark fails or prints no summary. With NOBORIA_BENCH_QUICK=1
# each runs one short pass, as make test does, and the figures mean nothing.
set -euo pipefail
build=${1:-build}
shift || true
here=$(cd "$(dirname "$0")" && pwd)
summary=$(mktemp)
trap 'rm -f "$summary"' EXIT

names=" $* "
wanted() { [ "$names" = "  " ] || [[ "$names" == *" $1 "* ]]; }

run() {  # NAME COMMAND...: its output as it comes, and the lines after "== summary ==" kept
  local name=$1 lines
  shift
  echo "### $name"
  lines=$("$@" 2>&1 | tee /dev/stderr | awk 'found { print } /== summary ==$/ { found = 1 }')
  if [ -z "$lines" ]; then
    echo "error: $name printed no summary" >&2
    return 1
  fi
  echo "$lines" >> "$summary"
}

for prog in "$build"/bin/bench_*; do
  [ -x "$prog" ] || continue
  name=$(basename "$prog")
  if wanted "$name"; then run "$name" "$prog"; fi
done 2>&1
for script in "$here"/bench-*.sh; do
  [ -x "$script" ] || continue
  name=$(basename "$script" .sh)
  if wanted "$name"; then run "$name" "$script" "$build"; fi
done 2>&1

echo
echo "Summary"
cat "$summary"
