#!/usr/bin/env bash
# Runs every benchmark program of the build (bench_*) and every benchmark
# script here (bench-*.sh), then prints all their summary figures together.
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
summary=$(mktemp)
trap 'rm -f "$summary"' EXIT

collect() {  # keeps the lines after "== summary ==" of a program's output
  awk 'found { print } /== summary ==$/ { found = 1 }' >> "$summary"
}

for prog in "$build"/bin/bench_*; do
  [ -x "$prog" ] || continue
  echo "### $(basename "$prog")"
  "$prog" 2>&1 | tee /dev/stderr | collect
done 2>&1
for script in "$here"/bench-*.sh; do
  [ -x "$script" ] || continue
  echo "### $(basename "$script")"
  "$script" "$build" 2>&1 | tee /dev/stderr | collect
done 2>&1

echo
echo "Summary"
cat "$summary"
