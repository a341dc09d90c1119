// The page's promises in Debian's Chromium (and Firefox where named), driven as a pupil would: offline and
// private, the bell, the address links, the keyboard, what a screen reader is given, touch and full-width digits.
// Texts, names and the Tab order come from the form's description; the Tab walk's screenshots go to shots/.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';
import { launchOptions } from '../../tools/noboria-trace-web.mjs';
import { loadTraceScript } from '../../tools/trace_script.mjs';

const PAGE = process.env.NOBORIA_PAGE;
const FILE_URL = pathToFileURL(PAGE).href;
const FORM = JSON.parse(execFileSync(path.join(path.dirname(PAGE), 'form_export'), { encoding: 'utf8' }));
const control = (role) => FORM.controls.find((c) => c.role === role);
const stops = (window) => FORM.controls.filter((c) => c.window === window && c.tab >= 0).sort((a, b) => a.tab - b.tab)
  .map((c) => c.role);
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const profiles = [];

async function launch(name) {
  profiles.push(fs.mkdtempSync(path.join(os.tmpdir(), 'noboria-web-test-')));
  return puppeteer.launch(launchOptions(name, profiles.at(-1)));
}

let chromium;
before(async () => { chromium = await launch('chromium'); });
after(async () => {
  await chromium.close();
  for (const dir of profiles) fs.rmSync(dir, { recursive: true, force: true });
});

// A fresh tab in a context of its own, the page loaded and started (the About panel shows once the defaults ran).
async function open(browser, { url = FILE_URL, viewport = { width: 1280, height: 800 }, init, setup } = {}) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport(viewport);
  if (init) await page.evaluateOnNewDocument(init);
  if (setup) await setup(page, context);
  await page.goto(url);
  await page.waitForFunction(() => document.getElementById('about_window')?.checkVisibility());
  return page;
}

const text = (page, id) => page.$eval(`#${id}`, (e) => e.textContent);
async function type(page, id, value) {  // as a user: select the box's text, then type over it
  await page.$eval(`#${id}`, (box) => { box.focus(); box.select(); });
  await page.keyboard.sendCharacter(value);
}

// A run without carnivores ends, with the bell, at the end of its first day, shown as day 2 (the start-up run,
// with carnivores, cannot end there).
async function runToEnd(page) {
  await type(page, 'speed_box', '1');
  await type(page, 'carnivore_count_box', '0');
  await page.click('#start_button');
  const ended = () => document.getElementById('day').textContent === '2' &&
    document.getElementById('carnivore_count').textContent === '0';
  await page.waitForFunction(ended);
  await sleep(300);  // six days at 50 ms, had the timer gone on
  assert.ok(await page.evaluate(ended), 'the run went on after its end');
  assert.match(await text(page, 'herbivore_count'), /^[1-9]\d*$/);
}

// What Chromium hands a screen reader of one element (null: nothing).
const spoken = async (page, id) => page.accessibility.snapshot({ root: await page.$(`#${id}`), interestingOnly: false });

for (const name of ['chromium', 'firefox']) {
  test(`${name}: a run ends with its counts from a server and from file://; nothing requested but the page, nothing stored`, async () => {
    const url = 'http://127.0.0.1/noboria.html';  // served by the test: every other request is refused
    const browser = name === 'chromium' ? chromium : await launch(name);
    try {
      const requests = [];
      const page = await open(browser, {
        url,
        setup: async (tab) => {
          await tab.setRequestInterception(true);
          tab.on('request', (request) => {
            if (!request.url().startsWith('data:')) requests.push(request.url());
            if (request.url() !== url) request.abort();
            else request.respond({ contentType: 'text/html; charset=utf-8', body: fs.readFileSync(PAGE) });
          });
        },
      });
      await runToEnd(page);
      await page.click('#about_button');
      await page.click('#about_button');
      assert.deepEqual(requests, [url]);
      const stored = await page.evaluate(async () => ({ cookie: document.cookie, local: localStorage.length,
        session: sessionStorage.length, databases: (await indexedDB.databases?.() ?? []).length,
        caches: globalThis.caches ? (await caches.keys()).length : 0 }));
      assert.deepEqual(stored, { cookie: '', local: 0, session: 0, databases: 0, caches: 0 });
      assert.deepEqual(await page.cookies(), []);
      await runToEnd(await open(browser));
    } finally {
      if (browser !== chromium) await browser.close();
    }
  });
}

test('the end of a run sounds after a first touch, and not before; the sound is woken by an activation event', async () => {
  // Every node the page connects to the speakers is also heard by an analyser.
  const page = await open(chromium, {
    viewport: { width: 1280, height: 800, hasTouch: true },
    init: () => {
      // The event each audio context is made in: a touch's pointerdown is no activation, and an iPad keeps silent.
      const made = (globalThis.made = []);
      globalThis.AudioContext = class extends AudioContext {
        constructor(...options) {
          super(...options);
          made.push(`${globalThis.event?.type} ${globalThis.event?.pointerType ?? ''}`.trim());
        }
      };
      const heard = (globalThis.heard = []);
      const connect = AudioNode.prototype.connect;
      AudioNode.prototype.connect = function (target, ...rest) {
        if (target instanceof AudioDestinationNode) {
          const ear = this.context.createAnalyser();
          const samples = new Float32Array(ear.fftSize);
          connect.call(this, ear);
          setInterval(() => {
            ear.getFloatTimeDomainData(samples);
            heard.push(Math.max(...samples.map(Math.abs)));
          }, 5);
        }
        return connect.call(this, target, ...rest);
      };
    },
  });
  await page.$eval('#stop_button', (button) => button.click());  // the start-up run stops untouched
  await page.touchscreen.tap(5, 5);  // the first touch, away from every control
  await sleep(300);
  assert.equal(await page.evaluate(() => Math.max(0, ...globalThis.heard)), 0, 'sound before the end of a run');
  const [made] = await page.evaluate(() => globalThis.made);
  assert.match(made, /^(pointerup touch|touchend|click|keydown)$/);
  await runToEnd(page);
  await page.waitForFunction(() => Math.max(0, ...globalThis.heard) > 0.05, { timeout: 5000 });
});

test('an address link copies its address and tells so in a page-modal box that a screen reader speaks', async () => {
  const page = await open(chromium, {
    setup: (tab, context) => context.overridePermissions('file://',
      ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']),
  });
  for (const link of FORM.controls.filter((c) => c.kind === 'link')) {
    await page.evaluate(() => navigator.clipboard.writeText('before'));
    await page.click(`#${link.role}`);
    const box = await page.waitForSelector('[role=alertdialog]', { visible: true });
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), link.address, link.role);
    assert.match(await box.evaluate((e) => e.textContent), new RegExp(link.message));
    // The text comes with the focused OK, which both browsers hand a screen reader.
    const ok = await spoken(page, 'message_ok');
    assert.ok(ok.focused && ok.description === link.message, `${link.role}: ${JSON.stringify(ok)}`);
    await page.keyboard.press('Tab');  // the box keeps the focus while it is open
    assert.ok(await box.evaluate((e) => e.contains(document.activeElement)), `${link.role}: focus left the box`);
    await page.click('#start_button').catch(() => {});  // covered by the box: no run starts
    await (await box.$('button')).click();
    await page.waitForSelector('[role=alertdialog]', { hidden: true });
    assert.equal(await page.evaluate(() => document.activeElement.id), link.role, 'the focus went back to the link');
  }
  // Enter opens the box over the About panel, which stays; a refused clipboard gets the copy the older way.
  const { role, address } = FORM.controls.find((c) => c.kind === 'link');
  await page.evaluate(async () => {
    await navigator.clipboard.writeText('before');
    navigator.clipboard.writeText = () => Promise.reject(new DOMException('refused', 'NotAllowedError'));
  });
  await page.focus(`#${role}`);
  await page.keyboard.press('Enter');
  await page.waitForSelector('[role=alertdialog]', { visible: true });
  assert.equal(await page.evaluate(() => navigator.clipboard.readText()), address);
  await page.keyboard.press('Enter');
  await page.waitForSelector('[role=alertdialog]', { hidden: true });
  assert.deepEqual(await page.evaluate(() => [document.activeElement.id, document.getElementById('about_window').checkVisibility()]),
    [role, true]);
});

test('a screen reader is given the day, the counts and both summaries, current with nothing focused', async () => {
  const page = await open(chromium);
  // A long run at 50 ms a day, stopped after 20 days.
  const long = { plant_rate_box: '8', herbivore_life_box: '5', carnivore_count_box: '10', carnivore_birth_box: '20',
    carnivore_life_box: '10', carnivore_rest_box: '3', carnivore_catch_box: '3', speed_box: '1' };
  for (const [id, value] of Object.entries(long)) await type(page, id, value);
  await page.click('#start_button');
  await page.waitForFunction(() => Number(document.getElementById('day').textContent) >= 20, { timeout: 10000 });
  await page.click('#stop_button');
  await page.evaluate(() => document.activeElement.blur());
  const shown = Object.fromEntries(await Promise.all(['day', 'herbivore_count', 'carnivore_count']
    .map(async (id) => [id, await text(page, id)])));
  for (const [id, number] of Object.entries(shown)) {
    assert.equal((await spoken(page, id)).name, `${control(id).name} ${number}`, id);
    // Its caption is in that name: not read a second time.
    assert.equal(await spoken(page, `${id}_label`), null, `${id}_label`);
  }
  const [day, herbivores, carnivores] = ['day', 'herbivore_count', 'carnivore_count'].map((id) => `${control(id).name} ${shown[id]}`);
  const graph = await spoken(page, 'graph_summary');
  assert.equal(graph.role, 'image');
  assert.match(graph.name, new RegExp(`^${control('graph_summary').name}：${day}、${herbivores}（[^）]+）、${carnivores}（[^）]+）$`));
  const field = await spoken(page, 'field_summary');
  assert.ok(field.name.startsWith(`${control('field_summary').name}：${day}、`), field.name);
  assert.ok(field.name.endsWith(`、${herbivores}、${carnivores}`), field.name);
  assert.equal(`${control('field').name}：${(await spoken(page, 'field')).description}`, field.name);
  for (const c of FORM.controls.filter((c) => c.kind === 'picture' || c.kind === 'link')) {
    const node = await spoken(page, c.role);
    assert.equal(node.role, c.kind === 'link' ? 'link' : 'image', c.role);
    assert.equal(node.name, c.name, c.role);
    if (c.kind === 'link') assert.ok(node.name.includes(c.address), c.role);
  }
});

test('the end of a run is said once, politely', async () => {
  const page = await open(chromium, {
    init: () => document.addEventListener('DOMContentLoaded', () => {
      const region = document.getElementById('announcement');
      globalThis.said = [];
      new MutationObserver(() => { if (region.textContent) globalThis.said.push(region.textContent); })
        .observe(region, { childList: true, characterData: true, subtree: true });
    }),
  });
  await page.click('#stop_button');  // the start-up run, which may have ended meanwhile
  await page.evaluate(() => { globalThis.said = []; });
  await runToEnd(page);
  const said = await page.evaluate(() => globalThis.said);
  const counts = ['day', 'herbivore_count', 'carnivore_count'].map((id) => control(id).name);
  assert.equal(said.length, 1, said.join(' / '));
  assert.match(said[0], new RegExp(`${counts[0]} 2、${counts[1]} ${await text(page, 'herbivore_count')}、${counts[2]} 0$`));
  assert.equal((await spoken(page, 'announcement')).live, 'polite');
});

test('the About panel takes the focus at start-up only while nothing has it, and Escape closes it then', async () => {
  // A pupil who tabbed into a box before the panel came keeps the focus there.
  const early = await open(chromium, {
    init: () => document.addEventListener('DOMContentLoaded', () => document.getElementById('plant_rate_box').focus()),
  });
  await sleep(200);
  assert.equal(await early.evaluate(() => document.activeElement.id), 'plant_rate_box');
  const page = await open(chromium);
  await page.waitForFunction(() => document.activeElement.id === 'ok_button');
  await page.evaluate(() => document.activeElement.blur());
  await page.keyboard.press('Escape');
  assert.deepEqual(await page.evaluate(() => [document.getElementById('about_window').hidden, document.activeElement.id]),
    [true, 'start_button']);
});

const rgb = (png) => execFileSync('/usr/bin/convert', ['png:-', 'rgb:-'], { input: png, maxBuffer: 1 << 26 });

// Relative luminance contrast of two RGB pixels, as WCAG counts it.
function contrast(a, b) {
  const lum = (p) => p.map((c) => ((c /= 255) <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4))
    .reduce((sum, c, i) => sum + c * [0.2126, 0.7152, 0.0722][i], 0);
  const [x, y] = [lum(a), lum(b)].sort((m, n) => n - m);
  return (x + 0.05) / (y + 0.05);
}

test('Tab walks the desktop order with a focus mark of 3:1 on every stop; Shift+Tab from the first reaches the summaries', async () => {
  const page = await open(chromium);
  await page.click('#stop_button');  // a still field
  const shots = path.join(process.cwd(), 'shots');
  fs.mkdirSync(shots, { recursive: true });
  const shiftTab = async () => {
    await page.keyboard.down('Shift');
    await page.keyboard.press('Tab');
    await page.keyboard.up('Shift');
  };
  const focused = () => page.evaluate(() => document.activeElement.id);
  await page.evaluate(() => document.activeElement.blur());
  const plain = rgb(await page.screenshot());
  for (const order of [stops('main'), stops('about')]) {
    await page.focus(`#${order[1]}`);  // then back, so that the keyboard brings the focus to each stop
    await shiftTab();
    for (const [n, id] of order.entries()) {
      if (n) await page.keyboard.press('Tab');
      assert.equal(await focused(), id, `the stop after the one before ${id}`);
      const marked = rgb(await page.screenshot({ path: path.join(shots, `${id}.png`) }));
      const r = await page.$eval(`#${id}`, (e) => e.getBoundingClientRect().toJSON());
      let strong = 0;
      for (let y = Math.floor(r.top) - 4; y < r.bottom + 4; y++) {
        for (let x = Math.floor(r.left) - 4; x < r.right + 4; x++) {
          const at = (y * 1280 + x) * 3;
          if (contrast([...plain.subarray(at, at + 3)], [...marked.subarray(at, at + 3)]) >= 3) strong++;
        }
      }
      assert.ok(strong >= r.width + r.height, `${id}: ${strong} pixels of the focus mark at 3:1`);
    }
  }
  // The two summaries end the window's order: backwards from its first stop, as on the desktop.
  await page.focus(`#${stops('main')[0]}`);
  for (const id of stops('main').reverse().slice(0, 2)) {
    await shiftTab();
    assert.equal(await focused(), id);
  }
});

test('touch: a tap steps once, held a short while too; held longer it repeats, up to the end, while the finger stays on it; no focus ring', async () => {
  const page = await open(chromium, { viewport: { width: 768, height: 1024, deviceScaleFactor: 2, hasTouch: true } });
  const value = () => page.$eval('#herbivore_count_step', (bar) => Number(bar.getAttribute('aria-valuenow')));
  // Taps leave no focus ring, on what they focus or on what the page then focuses: it is for the keyboard's focus.
  const noRing = async (id) => assert.deepEqual(await page.evaluate(() => [document.activeElement.id,
    getComputedStyle(document.activeElement).outlineStyle]), [id, 'none']);
  await page.tap('#ok_button');  // the About panel stands over the step controls here
  await noRing('start_button');
  const [, up] = await page.$$('#herbivore_count_step button');
  const { x, y, width, height } = await up.boundingBox();
  const [atX, atY] = [x + width / 2, y + height / 2];
  const hold = async (ms, then = () => {}) => {
    await page.touchscreen.touchStart(atX, atY);
    await sleep(ms);
    await then();
    await page.touchscreen.touchEnd();
  };
  const start = await value();
  await page.touchscreen.tap(atX, atY);
  await hold(120);  // a finger's tap: the half-second delay comes first
  await sleep(700);
  assert.equal(await value(), start + 2);
  assert.equal(await page.$eval('#herbivore_count_box', (box) => box.value), String(start + 2));
  await noRing('herbivore_count_step');
  await page.tap('#stop_button');
  await noRing('stop_button');
  await hold(1200);
  const held = await value();
  assert.ok(held > start + 6, `held for 1.2 s: ${held - start - 3} steps`);
  await sleep(300);
  assert.equal(await value(), held, 'went on stepping after the finger left');
  let off;
  await hold(700, async () => {  // slid off the arrow: it stops, as on the desktop
    await page.touchscreen.touchMove(atX, atY + 5 * height);
    off = await value();
    await sleep(300);
    assert.equal(await value(), off, 'went on stepping with the finger off the arrow');
  });
  // Held at its end, a step control stays there.
  await page.focus('#herbivore_count_step');
  await page.keyboard.press('End');
  await hold(800);
  const { maximum } = control('herbivore_count_step');
  assert.deepEqual([await value(), await page.$eval('#herbivore_count_box', (box) => box.value)], [maximum, String(maximum)]);
});

test('full-width digits from an input method are read, and boxes ask for a numeric keyboard', async () => {
  const page = await open(chromium);
  const cued = (id) => page.$eval(`#${id}`, (box) => getComputedStyle(box).backgroundColor === 'rgb(255, 192, 192)');
  for (const [typed, refused] of [['x', true], ['５', false], ['', true], ['０．５', false]]) {
    await type(page, 'plant_rate_box', typed);
    assert.equal(await cued('plant_rate_box'), refused, `"${typed}"`);
  }
  // As a Japanese input method writes: composed, then committed.
  await type(page, 'plant_rate_box', 'x');
  await page.$eval('#plant_rate_box', (box) => box.select());
  const ime = await page.createCDPSession();
  for (const text of ['ご', '５']) await ime.send('Input.imeSetComposition', { text, selectionStart: 1, selectionEnd: 1 });
  await ime.send('Input.insertText', { text: '５' });
  assert.equal(await cued('plant_rate_box'), false, 'a committed "５"');
  const modes = await page.$$eval('input', (boxes) => boxes.map((box) => box.inputMode));
  assert.deepEqual(new Set(modes), new Set(['decimal']));
});

test('a refused box shows its hint beside it while the pupil types, covering no control; a screen reader gets it', async () => {
  // Every box in the fixed layout; in the touch layouts the first, one with a two-part hint, and the speed's.
  const some = (c) => [0, 6, 9].includes(c.index);
  for (const [viewport, which] of [[{ width: 1920, height: 1080 }, () => true], [{ width: 1280, height: 800 }, some],
    [{ width: 390, height: 844, isMobile: true }, some]]) {
    const page = await open(chromium, { viewport });
    await page.$eval('#stop_button', (button) => button.click());
    for (const box of FORM.controls.filter((c) => c.kind === 'box' && which(c))) {
      await type(page, box.role, box.role === 'speed_box' ? '9999' : 'x');  // the speed reads "x" as 0
      const where = `${box.role} at ${viewport.width}×${viewport.height}`;
      const shown = await page.$eval(`#${box.role}`, (el) => {
        const hint = document.getElementById(el.getAttribute('aria-describedby'));
        const r = hint?.checkVisibility() && hint.getBoundingClientRect();
        if (!r) return null;
        const under = [...document.querySelectorAll('.window:not([hidden]) .client > :not(.summary):not(.offscreen)')]
          .filter((c) => { const o = c.getBoundingClientRect(); return r.left < o.right && o.left < r.right && r.top < o.bottom && o.top < r.bottom; });
        const inView = r.left >= 0 && r.top >= 0 && r.right <= innerWidth + 0.5 && r.bottom <= innerHeight + 0.5;
        return { text: hint.textContent.replace('\n', ''), covered: under.map((c) => c.id), inView };
      });
      assert.deepEqual(shown, { text: box.hint, covered: [], inView: true }, where);
      const heard = await spoken(page, box.role);
      assert.deepEqual([heard.invalid, heard.description.replace(/\s/g, '')], ['true', box.hint], where);
    }
    await page.close();
  }
});

test('forced colours and a dark scheme: the arrows show their direction, a refused box and the keyboard focus stay marked', async () => {
  const page = await open(chromium, { viewport: { width: 1920, height: 1080 } });  // the fixed layout's arrows
  await page.click('#ok_button');
  await page.click('#stop_button');
  const media = await page.createCDPSession();
  const shot = async (selector, grow = 0) => {
    const r = await page.$eval(selector, (e) => e.getBoundingClientRect().toJSON());
    const clip = { x: r.x - grow, y: r.y - grow, width: r.width + 2 * grow, height: r.height + 2 * grow };
    const [w, h, px] = [Math.round(clip.width), Math.round(clip.height), rgb(await page.screenshot({ clip }))];
    return { w, h, at: (x, y) => px.subarray((y * w + x) * 3, (y * w + x) * 3 + 3) };
  };
  const unlike = (a, b) => a.some((v, i) => Math.abs(v - b[i]) > 40);
  // Which way an arrow points: the weight of its ink lies towards its base, away from its tip.
  const pointing = async (selector) => {
    const { w, h, at } = await shot(selector);
    const ground = [...at(2, 2)];
    // [x, weight] of each inked column of the arrow's 11-pixel cell, its edges left out (borders, lines)
    const ink = [];
    for (let x = 2; x < Math.min(w, 11) - 2; x++) {
      let weight = 0;
      for (let y = 2; y < h - 2; y++) {
        const dark = at(x, y).reduce((sum, v, i) => sum + Math.abs(v - ground[i]), 0);
        if (dark > 96) weight += dark;  // not the ground's shading
      }
      if (weight) ink.push([x, weight]);
    }
    const centre = ink.reduce((sum, [x, weight]) => sum + x * weight, 0) / ink.reduce((sum, [, weight]) => sum + weight, 0);
    const middle = (ink[0][0] + ink.at(-1)[0]) / 2;
    return centre > middle + 0.2 ? 'left' : centre < middle - 0.2 ? 'right' : 'neither';
  };
  // The rows just above and below a control and its edges: its border, or a focus mark there.
  const edges = async (selector) => {
    const { w, h, at } = await shot(selector, 4);
    const rows = [];
    for (const y of [0, 1, 2, 3, 4, 5, h - 6, h - 5, h - 4, h - 3, h - 2, h - 1]) for (let x = 0; x < w; x++) rows.push(...at(x, y));
    return rows;
  };
  for (const features of [[{ name: 'forced-colors', value: 'active' }],
    [{ name: 'forced-colors', value: 'active' }, { name: 'prefers-color-scheme', value: 'dark' }],
    [{ name: 'prefers-color-scheme', value: 'dark' }]]) {
    await media.send('Emulation.setEmulatedMedia', { features });
    const where = features.map((f) => `${f.name}: ${f.value}`).join(', ');
    await page.evaluate(() => document.activeElement.blur());
    assert.deepEqual([await pointing('#plant_rate_step button:first-child'), await pointing('#plant_rate_step button:last-child')],
      ['left', 'right'], where);
    await type(page, 'plant_rate_box', '1');
    await page.evaluate(() => document.activeElement.blur());
    const plain = await edges('#plant_rate_box');
    await type(page, 'plant_rate_box', 'x');
    await page.evaluate(() => document.activeElement.blur());
    assert.ok(unlike(plain, await edges('#plant_rate_box')), `${where}: no cue on the refused box`);
    const plainStep = await edges('#plant_rate_step');
    await page.focus('#speed_box');
    await page.keyboard.press('Tab');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'plant_rate_step');
    assert.ok(unlike(plainStep, await edges('#plant_rate_step')), `${where}: no focus mark`);
  }
});

test('the embedded font holds every character of every text the page and its core can show', () => {
  const font = /id="noboria-font">([^<]*)</.exec(fs.readFileSync(PAGE, 'utf8'))[1];
  const held = new Set(JSON.parse(execFileSync('/usr/bin/python3', ['-c', `import base64, io, json, sys
from fontTools.ttLib import TTFont
print(json.dumps(list(TTFont(io.BytesIO(base64.b64decode(sys.stdin.read()))).getBestCmap())))`],
  { input: font, encoding: 'utf8' })));
  // Every text of the description and every one the core makes (FORM.core_texts: the instruction, the summaries…).
  const texts = (value) => (typeof value === 'string' ? value : Object.values(value ?? {}).map(texts).join(''));
  const missing = [...new Set(texts(FORM))].filter((c) => c > ' ' && !held.has(c.codePointAt(0)));
  assert.deepEqual(missing, []);
});

test('random file values round once to the nearest 32-bit float in trace_script.wasm, as on the desktop', () => {
  // Bit patterns from the desktop driver's reading of the same texts.
  const traceScript = loadTraceScript(path.join(path.dirname(PAGE), 'trace_script.wasm'));
  const randomValue = (text) => {
    const { values } = traceScript.random(Buffer.from('r')).read(Buffer.from(`${text}\n`));
    return values?.[0];
  };
  const cases = [['0.5', 0x3f000000], ['-0', 0x80000000], ['1e-40', 0x000116c2], ['1e-46', 0], ['.5', 0x3f000000],
    ['0.99999997', 0x3f7fffff], ['7.0064923216240854e-46', 1], ['2.10194769648722564e-45', 2], ['-1e-50', 0x80000000],
    ['2.4703282292062328e-324', 0], ['0e99999999999999999999', 0], ['1E-3', 0x3a83126f], ['1.1754942e-38', 0x007fffff]];
  for (const [text, bits] of cases) {
    const value = randomValue(text);
    assert.ok(value !== undefined, text);
    assert.equal(new DataView(Float32Array.of(value).buffer).getUint32(0, true), bits, text);
  }
  for (const text of ['5.', '.', '+0.5', '0.999999970198', 'nan', 'inf', '1e', '0x1p-3', '2e-324', '-1e-400', '1']) {
    assert.equal(randomValue(text), undefined, text);
  }
});
