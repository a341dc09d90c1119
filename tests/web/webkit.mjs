// The page in WebKitGTK (Safari's engine family) through WebKitWebDriver on a
// private Xvfb: it loads from file://, the About panel's wrapped texts break
// into the lines Chromium shows (screenshots of both compared), a run ends by
// itself and the day and the counts show. Plain WebDriver calls on a loopback port.
import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';
import { launchOptions } from '../../tools/noboria-trace-web.mjs';

const MINIBROWSER = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const children = [];
const start = (command, args, options) => children.push(spawn(command, args, options)) && children.at(-1);

const xvfb = start('Xvfb', ['-displayfd', '1', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
  { stdio: ['ignore', 'pipe', 'ignore'] });
const display = await new Promise((resolve) => xvfb.stdout.once('data', (d) => resolve(`:${String(d).trim()}`)));
const port = await new Promise((resolve) => {
  const probe = net.createServer().listen(0, '127.0.0.1', () => {
    const { port: free } = probe.address();
    probe.close(() => resolve(free));
  });
});
start('WebKitWebDriver', [`--port=${port}`], { env: { ...process.env, DISPLAY: display }, stdio: 'ignore' });

async function call(method, path, body) {
  for (let attempt = 0; ; attempt++) {
    try {
      const response = await fetch(`http://127.0.0.1:${port}${path}`,
        { method, headers: { 'content-type': 'application/json' }, body: body && JSON.stringify(body) });
      const { value } = await response.json();
      if (!response.ok) throw new Error(`${method} ${path}: ${JSON.stringify(value)}`);
      return value;
    } catch (error) {
      if (attempt > 100 || !String(error.cause ?? '').includes('ECONNREFUSED')) throw error;
      await sleep(100);  // the driver is still starting
    }
  }
}

async function until(what, script, seconds = 20) {
  for (const deadline = Date.now() + seconds * 1000; Date.now() < deadline; await sleep(100)) {
    const value = await call('POST', `${session}/execute/sync`, { script, args: [] });
    if (value) return value;
  }
  throw new Error(`WebKitGTK: no ${what} within ${seconds} s`);
}

const PAGE = process.env.NOBORIA_PAGE;
const FORM = JSON.parse(execFileSync(path.join(path.dirname(PAGE), 'form_export'), { encoding: 'utf8' }));
const WRAPPED = FORM.controls.filter((c) => c.window === 'about' && c.wrap).map((c) => c.role);
const PLACES = `return ${JSON.stringify(WRAPPED)}.map((id) => document.getElementById(id).getBoundingClientRect().toJSON())`;

// The lines of ink in a part of an RGB screenshot (rows with a dark pixel,
// run together): each one's top, bottom, left and right.
function inkLines(rgb, width, { left, top, right, bottom }) {
  const lines = [];
  let line = null;
  for (let y = Math.round(top); y < Math.round(bottom); y++) {
    const ink = [];
    for (let x = Math.round(left); x < Math.round(right); x++) {
      if (Math.min(...rgb.subarray((y * width + x) * 3, (y * width + x) * 3 + 3)) < 180) ink.push(x);
    }
    if (!ink.length) line = null;
    else if (!line) lines.push((line = [y, y, ink[0], ink.at(-1)]));
    else line.splice(1, 3, y, Math.min(line[2], ink[0]), Math.max(line[3], ink.at(-1)));
  }
  return lines;
}
const rgb = (png) => execFileSync('/usr/bin/convert', ['png:-', '-depth', '8', 'rgb:-'], { input: png, maxBuffer: 1 << 26 });

// Chromium's lines of the same texts in a view of the same size.
async function chromiumLines(width, height) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'noboria-webkit-'));
  const browser = await puppeteer.launch(launchOptions('chromium', profile));
  try {
    const page = await browser.newPage();
    await page.setViewport({ width, height });
    await page.goto(pathToFileURL(PAGE).href);
    await page.waitForFunction(() => document.getElementById('about_window')?.checkVisibility());
    await page.evaluate(() => document.fonts.ready);
    const places = await page.evaluate(new Function(PLACES));
    const shot = rgb(await page.screenshot());
    return places.map((place) => inkLines(shot, width, place));
  } finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

let session;
try {
  const { sessionId } = await call('POST', '/session', {
    capabilities: { alwaysMatch: { 'webkitgtk:browserOptions': { binary: MINIBROWSER, args: ['--automation'] } } },
  });
  session = `/session/${sessionId}`;
  await call('POST', `${session}/url`, { url: pathToFileURL(PAGE).href });
  await until('About panel after the start-up', 'return !document.getElementById("about_window").hidden');
  await call('POST', `${session}/execute/async`,
    { script: 'document.fonts.ready.then(() => requestAnimationFrame(() => arguments[0]()))', args: [] });
  const [width, height] = await call('POST', `${session}/execute/sync`,
    { script: 'return [innerWidth, innerHeight]', args: [] });
  const places = await call('POST', `${session}/execute/sync`, { script: PLACES, args: [] });
  const shot = rgb(Buffer.from(await call('GET', `${session}/screenshot`), 'base64'));
  const chromium = await chromiumLines(width, height);
  places.forEach((place, n) => {
    const lines = inkLines(shot, width, place);
    const near = lines.length === chromium[n].length &&
      lines.every((line, i) => line.every((at, j) => Math.abs(at - chromium[n][i][j]) <= 3));
    assert.ok(near, `${WRAPPED[n]}: WebKitGTK's lines ${JSON.stringify(lines)}, Chromium's ${JSON.stringify(chromium[n])}`);
  });
  console.log(`WebKitGTK: the About texts break as in Chromium (${WRAPPED.join(', ')})`);
  // A run without carnivores at 50 ms a day ends by itself after its first
  // day, shown as day 2 (the start-up run, with carnivores, cannot end there).
  await call('POST', `${session}/execute/sync`, {
    script: `for (const [id, text] of [['speed_box', '1'], ['carnivore_count_box', '0']]) {
      const box = document.getElementById(id);
      box.value = text;
      box.dispatchEvent(new Event('input', { bubbles: true }));
    }`,
    args: [],
  });
  const button = await call('POST', `${session}/element`, { using: 'css selector', value: '#start_button' });
  await call('POST', `${session}/element/${Object.values(button)[0]}/click`, {});
  const shown = `const t = (id) => document.getElementById(id).textContent;
    return t('day') === '2' && t('carnivore_count') === '0' && t('herbivore_count');`;
  await until('end of the run', shown);
  await sleep(300);  // six days at 50 ms, had the timer gone on
  const herbivores = await until('end of the run, still', shown, 0.1);
  assert.match(herbivores, /^[1-9]\d*$/, 'the herbivores');
  console.log(`WebKitGTK: the run ended on day 2 with ${herbivores} herbivores`);
} finally {
  if (session) await call('DELETE', session).catch(() => {});
  for (const child of children) child.kill();
}
