#!/usr/bin/env bash
# Takes the README's screenshots from the real programs: the desktop game on a
# private Xvfb (its main window a few days into the first run; skipped, and
# the old picture kept, where the desktop build is missing), and the page in
# headless Chromium at a desktop's, an iPad's and a phone's sizes, in the
# fixed layout and in the touch layout (a finger as the pointer where the
# device has one). Run make and make web first.
# Usage: tools/screenshots.sh [BUILD_DIR [WEB_DIR]]; writes docs/*.png
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")
web=$(realpath "${2:-$root/build-web}")
out=$root/docs
mkdir -p "$out"
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
chmod 700 "$runtime"

if [ -x "$build/bin/noboria" ]; then
  # No sound server: the game stays silent.
  XDG_RUNTIME_DIR=$runtime CANBERRA_DRIVER=pulse PULSE_SERVER=unix:/nonexistent \
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
      "$1/bin/noboria" & game=$!
      window=$(xdotool search --sync --onlyvisible --name "Ｖｅｒ2\.0" | head -n 1)
      sleep 3
      import -window "$window" "$2/noboria-desktop.png"
      kill "$game"' screenshots "$build" "$out"
else
  echo "no $build/bin/noboria: docs/noboria-desktop.png left as it is" >&2
fi

cd "$root"
node --input-type=module - "$web/noboria.html" "$out" <<'EOF'
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';
import { launchOptions } from './tools/noboria-trace-web.mjs';

const [page, out] = process.argv.slice(2);
// [file, width, height, a finger]: at a pixel ratio of 1, to keep the files small.
const SHOTS = [
  ['noboria-web.png', 1920, 1080, false],             // fixed layout, About beside
  ['noboria-web-laptop.png', 1366, 768, false],       // touch layout, two columns, About beside
  ['noboria-web-ipad.png', 1180, 820, true],          // touch layout, two columns, About over the field
  ['noboria-web-ipad-portrait.png', 820, 1180, true], // touch layout, one column
  ['noboria-web-phone.png', 390, 844, true],          // touch layout, one column, About closed
];
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'noboria-shot-'));
const browser = await puppeteer.launch(launchOptions('chromium', profile));
try {
  for (const [file, width, height, touch] of SHOTS) {
    const context = await browser.createBrowserContext();
    const tab = await context.newPage();
    await tab.setViewport({ width, height, deviceScaleFactor: 1, hasTouch: touch, isMobile: touch });
    await tab.goto(pathToFileURL(page).href);
    await tab.waitForFunction(() => document.getElementById('about_window')?.checkVisibility());
    await new Promise((resolve) => setTimeout(resolve, 3000));  // a few days into the first run
    // The phone's field under its About panel: shown closed.
    if (width < 500) await tab.evaluate(() => document.getElementById('ok_button').click());
    await tab.evaluate(() => document.activeElement.blur());
    await tab.screenshot({ path: path.join(out, file) });
    await context.close();
  }
} finally {
  await browser.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
EOF
# Fewer colours: the pictures are drawn in few, the text barely changes.
for shot in "$out"/noboria-web*.png; do convert "$shot" -strip -colors 256 "PNG8:$shot"; done
echo "wrote $(ls "$out"/*.png | tr '\n' ' ')"
