#!/bin/sh
# A golden trace through the page's driver, then the page's canvases at each
# dump against the desktop driver's pictures, pixel for pixel.
# Usage: trace_pictures.sh DESKTOP_TRACE WEB_TRACE SCRIPT WORK
set -eu
work=$4/$(basename "$3" .script)
rm -rf "$work" && mkdir -p "$work/desktop" "$work/web"
NOBORIA_TRACE_PICTURES=$work/desktop cmake -DTRACE="$1" -DSCRIPT="$3" -DWORK="$work" -P "$(dirname "$0")/../trace/run_trace.cmake"
NOBORIA_TRACE_PICTURES=$work/web cmake -DTRACE="$2" -DSCRIPT="$3" -DWORK="$work" -P "$(dirname "$0")/../trace/run_trace.cmake"
if [ "$(ls "$work/desktop")" != "$(ls "$work/web")" ]; then
  echo "pictures: desktop wrote [$(ls "$work/desktop")], the page [$(ls "$work/web")]"; exit 1
fi
for picture in $(ls "$work/desktop"); do
  if [ "$(/usr/bin/identify -format '%[opaque]' "$work/web/$picture")" != true ]; then
    echo "the page left pixels of $picture transparent"; exit 1
  fi
  if ! differ=$(/usr/bin/compare -metric AE "$work/desktop/$picture" "$work/web/$picture" "$work/diff-$picture" 2>&1); then
    echo "$differ pixels differ in $picture (the differences in red: $work/diff-$picture)"; exit 1
  fi
done
