#!/usr/bin/env bash
# Takes the README's two screenshots from the real programs: the desktop game
# on a private Xvfb (its main window a few days into the first run), and the
# page in headless Chromium (both panels). Run make and make web first.
# Usage: tools/screenshots.sh [BUILD_DIR [WEB_DIR]]; writes docs/*.png
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$root/build}")
web=$(realpath "${2:-$root/build-web}")
out=$root/docs
mkdir -p "$out"
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
chmod 700 "$runtime"

# No sound server: the game stays silent.
XDG_RUNTIME_DIR=$runtime CANBERRA_DRIVER=pulse PULSE_SERVER=unix:/nonexistent \
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$1/bin/noboria" & game=$!
    window=$(xdotool search --sync --onlyvisible --name "Ｖｅｒ2\.0" | head -n 1)
    sleep 3
    import -window "$window" "$2/noboria-desktop.png"
    kill "$game"' screenshots "$build" "$out"

cd "$root"
node --input-type=module - "$web/noboria.html" "$out/noboria-web.png" <<'EOF'
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';
import { launchOptions } from './tools/noboria-trace-web.mjs';

const [page, png] = process.argv.slice(2);
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'noboria-shot-'));
const browser = await puppeteer.launch(launchOptions('chromium', profile));
try {
  const [tab] = await browser.pages();
  await tab.setViewport({ width: 1100, height: 560 });
  await tab.goto(pathToFileURL(page).href);
  await tab.waitForFunction(() => document.getElementById('about_window')?.checkVisibility());
  await new Promise((resolve) => setTimeout(resolve, 3000));  // a few days into the first run
  await (await tab.$('#desk')).screenshot({ path: png });
} finally {
  await browser.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
EOF
echo "wrote $out/noboria-desktop.png and $out/noboria-web.png"
