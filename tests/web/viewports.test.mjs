// The page's layouts in Chromium (with touch where a finger is the pointer) and Firefox, each viewport reached
// by a resize: the layout chosen, the About panel over no control, nothing scrolled sideways (nor at all in the
// fixed layout) or cut, every target's hit area by hit-testing (24 CSS pixels, 44 for a finger, none overlapping),
// the touch layout's text sizes, every picture at whole device pixels, and browser zoom at 200 % and 400 %.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, test } from 'node:test';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';
import { launchOptions } from '../../tools/noboria-trace-web.mjs';

const URL = pathToFileURL(process.env.NOBORIA_PAGE).href;
const profiles = [];
const browsers = new Map();
// A browser for each pixel ratio, set as the screen's own: emulated ratios (CDP's deviceScaleFactor) lay out
// and paint at whole CSS pixels, unlike a real screen of that ratio.
async function browser(name, ratio) {
  const key = `${name} ${ratio}`;
  if (!browsers.has(key)) {
    profiles.push(fs.mkdtempSync(path.join(os.tmpdir(), 'noboria-viewports-')));
    const options = launchOptions(name, profiles.at(-1));
    if (name === 'firefox') options.extraPrefsFirefox = { 'layout.css.devPixelsPerPx': String(ratio) };
    else options.args = [...options.args, `--force-device-scale-factor=${ratio}`];
    browsers.set(key, await puppeteer.launch(options));
  }
  return browsers.get(key);
}
after(async () => {
  for (const b of browsers.values()) await b.close();
  for (const dir of profiles) fs.rmSync(dir, { recursive: true, force: true });
});

// [width, height, pixel ratio, a finger, the layout]; 320 × 200 at 4 is a 400 % zoom of 1280 × 800.
const CHROMIUM = [
  [320, 568, 2, true, 'touch'], [390, 844, 3, true, 'touch'], [844, 390, 3, true, 'touch'],
  [820, 1180, 2, true, 'touch'], [1180, 820, 2, true, 'touch'], [1366, 768, 1, false, 'touch'],
  [1366, 768, 1, true, 'touch'], [1920, 1080, 1, false, 'fixed'], [1920, 1080, 1.25, false, 'fixed'],
  [1280, 800, 1.5, false, 'touch'], [2560, 1440, 1.72, false, 'fixed'], [3840, 2160, 1, true, 'fixed'],
  [320, 200, 4, false, 'touch'], [800, 600, 1, false, 'touch'],
];
const FIREFOX = [[390, 844, 3, false, 'touch'], [1920, 1080, 1.5, false, 'fixed']];

async function open(name, [width, height, ratio, touch]) {
  const context = await (await browser(name, ratio)).createBrowserContext();
  const page = await context.newPage();
  // deviceScaleFactor 0: the screen's own ratio. Opened at another size, then resized (a window dragged,
  // a tablet turned): the page must refit.
  const viewport = (size) => (name === 'chromium' ? { ...size, deviceScaleFactor: 0, hasTouch: touch, isMobile: touch }
    : { ...size, deviceScaleFactor: 0 });
  await page.setViewport(viewport(width > height ? { width: height, height: width } : { width: 1280, height: 800 }));
  await page.goto(URL);
  await page.waitForFunction(() => document.getElementById('about_window')?.checkVisibility());
  await page.setViewport(viewport({ width, height }));
  await page.waitForFunction((w) => document.documentElement.clientWidth <= w, {}, width);
  await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
  // A still field for the screenshot; its place does not move after the first frame. Stopped after the first
  // day: until then the start-up instruction stands in the day's place, cut as on the desktop.
  await page.waitForFunction(() => /^\d+$/.test(document.getElementById('day').textContent));
  await page.evaluate(() => document.getElementById('stop_button').click());
  return page;
}

// What a pointer aims at: buttons (the step controls' arrows each), boxes, links.
const TARGETS = '.window :is(button, input, [role=link])';

// Each target's hit area, scrolled into view: hit-tested outward from its middle in quarter pixels as far as
// the point still lands on it (or inside it). In document coordinates.
function hitAreas(targets) {
  const STEP = 0.25;
  return [...document.querySelectorAll(targets)].filter((e) => e.checkVisibility()).map((e) => {
    e.scrollIntoView({ block: 'center', inline: 'center' });
    const r = e.getBoundingClientRect();
    const [x, y] = [r.left + r.width / 2, r.top + r.height / 2];
    const owns = (px, py) => e.contains(document.elementFromPoint(px, py));
    const reach = (dx, dy) => {
      let n = 0;
      while (n < 800 && owns(x + (n + 1) * dx * STEP, y + (n + 1) * dy * STEP)) n++;
      return n * STEP + STEP / 2;
    };
    const [left, right, up, down] = [reach(-1, 0), reach(1, 0), reach(0, -1), reach(0, 1)];
    return { id: e.id || `${e.parentElement.id} ${[...e.parentElement.children].indexOf(e) ? '+' : '-'}`,
      centred: owns(x, y), left: x - left + scrollX, right: x + right + scrollX, top: y - up + scrollY,
      bottom: y + down + scrollY };
  });
}

function overlap(a, b) {
  return Math.min(a.right, b.right) - Math.max(a.left, b.left) > 0.5 &&
    Math.min(a.bottom, b.bottom) - Math.max(a.top, b.top) > 0.5;
}

// Everything the pupil reads or uses, where it lies, and whether its text is cut.
function placesAndCuts() {
  window.scrollTo(0, 0);
  const about = document.getElementById('about_window').getBoundingClientRect();
  const controls = [...document.querySelectorAll('#main_window :is(button, input, [role=spinbutton])')];
  const clipped = (e) => {
    const s = getComputedStyle(e);
    // (in the touch layout also a text running out of its window)
    const room = e.closest('.client, .titlebar').getBoundingClientRect().right;
    return (s.overflowX !== 'visible' && e.scrollWidth > e.clientWidth + 1) ||
      (s.overflowY !== 'visible' && e.scrollHeight > e.clientHeight + 1) ||
      (document.body.classList.contains('touch') && e.getBoundingClientRect().left + e.scrollWidth > room + 1);
  };
  const texts = [...document.querySelectorAll('#desk :is(.label, .button, .caption, .link)')].filter((e) => e.checkVisibility());
  const box = (e) => e.getBoundingClientRect();
  return {
    touch: document.body.classList.contains('touch'),
    scroll: [document.documentElement.scrollWidth, document.documentElement.scrollHeight],
    covered: controls.filter((e) => {
      const r = box(e);
      return r.right > about.left && r.left < about.right && r.bottom > about.top && r.top < about.bottom;
    }).map((e) => e.id || e.parentElement.id),
    outside: [...texts, ...controls].filter((e) => box(e).left < -0.5 || box(e).right > innerWidth + 0.5 ||
      (!document.body.classList.contains('touch') && box(e).bottom > innerHeight + 0.5)).map((e) => e.id || e.className),
    cut: texts.filter(clipped).map((e) => e.id || e.className),
    // The touch layout's smallest box text and caption, in CSS pixels.
    boxText: Math.min(...[...document.querySelectorAll('.box')].map((e) => parseFloat(getComputedStyle(e).fontSize))),
    captionText: Math.min(...[...document.querySelectorAll('#main_window .label')].map((e) => parseFloat(getComputedStyle(e).fontSize))),
  };
}

// Every shown picture (the title bars' icons are drawn smaller): its place in device pixels and its own size.
function pictures() {
  window.scrollTo(0, 0);
  return [...document.querySelectorAll('.client .frame')].filter((f) => f.offsetWidth).map((f) => {
    const canvas = f.querySelector('canvas');
    const r = canvas.getBoundingClientRect();
    const d = devicePixelRatio;
    return { of: f.dataset.for ?? f.parentElement.id, width: canvas.width, height: canvas.height,
      device: [r.left * d, r.top * d, r.width * d, r.height * d] };
  });
}

// The field's own pixels, as RGBA in base64.
function fieldPixels() {
  const canvas = document.getElementById('field');
  const rgba = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
  let text = '';
  for (let i = 0; i < rgba.length; i += 0x8000) text += String.fromCharCode(...rgba.subarray(i, i + 0x8000));
  return btoa(text);
}

// Within the layout's own precision (1/64 CSS pixel).
const near = (value) => Math.abs(value - Math.round(value)) < 0.05;

async function checkViewport(name, row) {
  const [width, height, ratio, touch, layout] = row;
  const where = `${name} ${width}×${height}@${ratio}${touch ? ' touch' : ''}`;
  const page = await open(name, row);
  try {
    const shown = await page.evaluate(placesAndCuts);
    assert.equal(shown.touch ? 'touch' : 'fixed', layout, `${where}: layout`);
    assert.deepEqual(shown.covered, [], `${where}: the About panel covers controls`);
    assert.deepEqual(shown.outside, [], `${where}: outside the viewport`);
    assert.deepEqual(shown.cut, [], `${where}: texts cut`);
    assert.ok(shown.scroll[0] <= width, `${where}: sideways scrolling (${shown.scroll})`);
    if (!shown.touch) assert.ok(shown.scroll[1] <= height, `${where}: scrolling (${shown.scroll})`);
    else assert.ok(shown.boxText >= 16 && shown.captionText >= 14, `${where}: text ${shown.boxText}/${shown.captionText} px`);

    const least = touch ? 44 : 24;
    const areas = await page.evaluate(hitAreas, TARGETS);
    for (const a of areas) {
      const [w, h] = [a.right - a.left, a.bottom - a.top];
      assert.ok(a.centred && w >= least && h >= least, `${where}: ${a.id} hits ${w.toFixed(2)} × ${h.toFixed(2)}`);
    }
    for (const [i, a] of areas.entries()) {
      for (const b of areas.slice(i + 1)) assert.ok(!overlap(a, b), `${where}: ${a.id} and ${b.id} overlap`);
    }

    const crisp = async () => {
      const shown = await page.evaluate(pictures);
      for (const p of shown) {
        const [x, y, w, h] = p.device;
        const steps = w / p.width;
        assert.ok(near(x) && near(y) && near(steps) && Math.round(steps) >= 1 && near(h / p.height) &&
          Math.abs(h / p.height - steps) < 0.05, `${where}: ${p.of} at ${p.device.map((v) => v.toFixed(2))}`);
      }
      return shown;
    };
    await crisp();
    // The About panel closed: the field on the screen, each of its pixels a block of steps × steps equal device pixels.
    await page.evaluate(() => document.getElementById('ok_button').click());
    const field = (await crisp()).find((p) => p.of === 'field');
    const [x, y, w] = field.device.map(Math.round);
    const steps = w / field.width;
    const shot = await page.screenshot({ type: 'png', ...(name === 'chromium' && { optimizeForSpeed: true }) });
    const screen = execFileSync('/usr/bin/convert', ['png:-', '-crop', `${w}x${w}+${x}+${y}`, '+repage', 'rgb:-'],
      { input: shot, maxBuffer: 1 << 28 });
    const source = Buffer.from(await page.evaluate(fieldPixels), 'base64');
    let differ = 0;
    for (let row = 0; row < w; row++) {
      for (let col = 0; col < w; col++) {
        const at = (row * w + col) * 3;
        const from = (Math.floor(row / steps) * field.width + Math.floor(col / steps)) * 4;
        if (screen[at] !== source[from] || screen[at + 1] !== source[from + 1] || screen[at + 2] !== source[from + 2]) differ++;
      }
    }
    assert.equal(differ, 0, `${where}: field pixels unlike its own scaled by ${steps}`);
    return Math.min(...areas.map((a) => Math.min(a.right - a.left, a.bottom - a.top)));
  } finally {
    await page.close();
  }
}

test('every viewport: the layout, the About panel, no scrolling, hit areas, crisp pictures', async () => {
  // Each browser's viewports in turn, two browsers at a time.
  const rows = [...CHROMIUM.map((row) => ['chromium', row]), ...FIREFOX.map((row) => ['firefox', row])];
  const groups = [...new Set(rows.map(([name, row]) => `${name} ${row[2]}`))]
    .map((key) => rows.filter(([name, row]) => `${name} ${row[2]}` === key));
  const smallest = [];
  const work = async () => {
    for (let group; (group = groups.shift());) {
      for (const [name, row] of group) smallest.push([`${name} ${row.slice(0, 4).join(' ')}`, await checkViewport(name, row)]);
    }
  };
  await Promise.all([work(), work()]);
  for (const [where, side] of smallest.sort()) console.log(`smallest hit area side: ${where}: ${side.toFixed(2)} px`);
});

test('browser zoom: text twice as large at 200 %, and at 400 % of 1280 × 800 nothing to scroll sideways', async () => {
  // Each text's size in device pixels.
  const sizes = () => {
    const scale = new DOMMatrix(getComputedStyle(document.getElementById('desk')).transform).a;
    return Object.fromEntries([...document.querySelectorAll('#desk [id]')]
      .filter((e) => e.checkVisibility() && e.childElementCount === 0 && e.textContent.trim())
      .map((e) => [e.id, parseFloat(getComputedStyle(e).fontSize) * scale * devicePixelRatio]));
  };
  for (const [width, height] of [[1280, 800], [1920, 1080]]) {
    const page = await open('chromium', [width, height, 1, false]);
    try {
      const before = await page.evaluate(sizes);
      for (const zoom of [2, 4]) {
        await page.setViewport({ width: width / zoom, height: height / zoom, deviceScaleFactor: zoom });
        await page.waitForFunction((w) => document.documentElement.clientWidth <= w, {}, width / zoom);
        await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
        const now = await page.evaluate(sizes);
        const small = Object.keys(before).filter((id) => now[id] !== undefined && now[id] < 2 * before[id] - 0.01);
        if (zoom === 2) assert.deepEqual(small, [], `${width}×${height} at 200 %: texts not twice as large`);
        const scroll = await page.evaluate(() => document.documentElement.scrollWidth);
        assert.ok(scroll <= width / zoom, `${width}×${height} at ${zoom * 100} %: sideways scrolling ${scroll}`);
      }
    } finally {
      await page.close();
    }
  }
});
