// The browser edition in headless Chromium against the least page that shows
// one Japanese label:
// - start-up: from the start of the navigation to the first frame after the
//   field (the yardstick: the label) is on the page; fresh contexts, the two
//   pages alternating after one unmeasured load each, the median of each;
// - the file's size;
// - the day timer at speed 1 in a long run (the page's own timer): the interval
//   between the days as the day label changes, mean and p99, and the CPU
//   time all the browser's processes spend per day, also less what they
//   spend on the same page standing still;
// - the pace at speeds 0.02-0.1 (1-5 ms a day): the days a second the page
//   runs, side by side with the desktop's main window at the same speeds
//   (bench/program_harness.cpp's pace mode, on a private Xvfb), and the
//   page's in a background tab (with the browser's throttling of background
//   tabs left on) and the most days one showing makes up on coming back.
// Usage: node bench/web_bench.mjs PAGE [--desktop HARNESS] [--quick]  (or NOBORIA_BENCH_QUICK=1)
import { spawn, execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';
import { launchOptions } from '../tools/noboria-trace-web.mjs';

const page = path.resolve(process.argv[2] ?? 'build-web/noboria.html');
// NOBORIA_BENCH_QUICK=1 (make test): one short pass whose figures mean nothing.
const quick = process.argv.includes('--quick') || process.env.NOBORIA_BENCH_QUICK === '1';
if (!fs.existsSync(page)) {
  console.error(`missing ${page}: build the page first (make web)`);
  process.exit(1);
}
const desktopAt = process.argv.indexOf('--desktop');
const harness = desktopAt > 0 ? path.resolve(process.argv[desktopAt + 1]) : null;
if (!harness || !fs.existsSync(harness)) {
  console.error(`missing the desktop's harness ${harness}: build the desktop first (make)`);
  process.exit(1);
}
const LAUNCHES = quick ? 1 : 10;
const TICKS = quick ? 20 : 400;
const PACE_SPEEDS = quick ? ['0.02'] : ['0.02', '0.04', '0.06', '0.08', '0.1'];
const PACE_SECONDS = quick ? 0.3 : 3;
const LONG_RUN = { plant_rate_box: '8', herbivore_count_box: '50', herbivore_birth_box: '10', herbivore_life_box: '5',
  carnivore_count_box: '10', carnivore_birth_box: '20', carnivore_life_box: '10', carnivore_rest_box: '3',
  carnivore_catch_box: '3' };

const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'noboria-bench-'));
const baseline = path.join(profile, 'baseline.html');
fs.writeFileSync(baseline, '<!DOCTYPE html><html lang="ja"><meta charset="utf-8"><title>baseline</title>' +
  '<body style="background:#ffffc0"><p id="label">ノボリア</p></body></html>');
const browser = await puppeteer.launch(launchOptions('chromium', path.join(profile, 'profile')));

// Marks the first frame after the field was first painted (the yardstick:
// after its label was parsed), counted from the start of the navigation.
function markFirstFrame() {
  const mark = () => requestAnimationFrame(() => {
    const channel = new MessageChannel();
    channel.port1.onmessage = () => { globalThis.firstFrame ??= performance.now(); };
    channel.port2.postMessage(0);
  });
  for (const name of ['putImageData', 'drawImage']) {
    const original = CanvasRenderingContext2D.prototype[name];
    CanvasRenderingContext2D.prototype[name] = function (...args) {
      if (this.canvas.id === 'field') mark();
      return original.apply(this, args);
    };
  }
  document.addEventListener('DOMContentLoaded', () => { if (document.getElementById('label')) mark(); });
}

async function firstFrame(file) {
  const context = await browser.createBrowserContext();
  const tab = await context.newPage();
  await tab.evaluateOnNewDocument(markFirstFrame);
  await tab.goto(pathToFileURL(file).href);
  const ms = await (await tab.waitForFunction(() => globalThis.firstFrame, { polling: 'raf' })).jsonValue();
  await context.close();
  return ms;
}

// CPU clock ticks of the browser and of every process under it, by process.
function browserCpu() {
  const processes = new Map();
  for (const pid of fs.readdirSync('/proc').filter((name) => /^\d+$/.test(name))) {
    try {
      const fields = fs.readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
      processes.set(pid, { parent: fields[1], ticks: Number(fields[11]) + Number(fields[12]) });
    } catch { /* gone meanwhile */ }
  }
  const tree = new Map([[String(browser.process().pid), 0]]);
  for (const [pid, { parent }] of processes) if (tree.has(parent)) tree.set(pid, 0);  // parents come first
  for (const pid of tree.keys()) tree.set(pid, processes.get(pid)?.ticks ?? 0);
  return tree;
}

// CPU seconds spent since `before` by the processes alive now.
const cpuSince = (before) => [...browserCpu()].reduce((sum, [pid, ticks]) => sum + ticks - (before.get(pid) ?? 0), 0) / 100;

async function ticks() {
  const tab = await browser.newPage();
  await tab.goto(pathToFileURL(page).href);
  await tab.waitForFunction(() => document.getElementById('about_window')?.checkVisibility());
  await tab.$eval('#stop_button', (button) => button.click());  // a still page: what the browser spends idle
  const still = [browserCpu(), Date.now()];
  await new Promise((resolve) => setTimeout(resolve, quick ? 500 : 5000));
  const idlePerSecond = cpuSince(still[0]) / ((Date.now() - still[1]) / 1000);
  await tab.evaluate((texts) => {
    const edit = (id, text) => {
      const box = document.getElementById(id);
      box.value = text;
      box.dispatchEvent(new Event('input', { bubbles: true }));
    };
    edit('speed_box', '1');
    for (const [id, text] of Object.entries(texts)) edit(id, text);
    document.getElementById('start_button').click();
    globalThis.days = [];
    new MutationObserver(() => globalThis.days.push(performance.now()))
      .observe(document.getElementById('day'), { childList: true, characterData: true, subtree: true });
  }, LONG_RUN);
  await tab.waitForFunction(() => globalThis.days.length >= 2, { polling: 50 });
  const [cpu, from] = [browserCpu(), Date.now()];
  const first = await tab.evaluate(() => globalThis.days.length);
  await tab.waitForFunction((n) => globalThis.days.length >= n, { polling: 100, timeout: 0 }, first + TICKS);
  const spent = cpuSince(cpu);
  const idle = idlePerSecond * ((Date.now() - from) / 1000);
  const days = await tab.evaluate(() => globalThis.days);
  if (await tab.$eval('#carnivore_count', (e) => e.textContent === '0')) throw new Error('the long run ended');
  const gaps = days.slice(1).map((t, i) => t - days[i]).sort((a, b) => a - b);
  return { mean: gaps.reduce((a, b) => a + b, 0) / gaps.length, p99: gaps[Math.ceil(0.99 * gaps.length) - 1],
    cpuUs: (spent / (days.length - first)) * 1e6, netUs: ((spent - idle) / (days.length - first)) * 1e6 };
}

// The desktop's days a second at a speed: its real main window on a private Xvfb.
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
let xvfb = null;
async function desktopPace(speed) {
  if (!xvfb) {
    xvfb = spawn('Xvfb', ['-displayfd', '1', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
      { stdio: ['ignore', 'pipe', 'ignore'] });
    xvfb.display = await new Promise((resolve) => xvfb.stdout.once('data', (d) => resolve(`:${String(d).trim()}`)));
  }
  const runtime = fs.mkdtempSync(path.join(profile, 'xdg-'));
  const out = execFileSync(harness, ['pace', speed, String(PACE_SECONDS)], {
    encoding: 'utf8', env: { ...process.env, DISPLAY: xvfb.display, XDG_RUNTIME_DIR: runtime, QT_QPA_PLATFORM: 'xcb' },
  });
  return Number(/^days_per_s (\S+)$/m.exec(out)[1]);
}

// The page's days a second: a long run, started again whenever it ends, its
// days counted from the day label however many one showing makes up.
async function pacePage(pacer) {
  const tab = await pacer.newPage();
  await tab.goto(pathToFileURL(page).href);
  await tab.waitForFunction(() => document.getElementById('about_window')?.checkVisibility());
  await tab.evaluate((texts) => {
    const $ = (id) => document.getElementById(id);
    globalThis.edit = (id, text) => {
      $(id).value = text;
      $(id).dispatchEvent(new Event('input', { bubbles: true }));
    };
    for (const [id, text] of Object.entries(texts)) globalThis.edit(id, text);
    Object.assign(globalThis, { days: 0, most: 0 });
    let last = 0;
    new MutationObserver(() => {
      const day = Number($('day').textContent);
      if (!(day > 0)) return;
      const made = day > last ? day - last : day;
      globalThis.days += made;
      globalThis.most = Math.max(globalThis.most, made);
      last = day;
    }).observe($('day'), { childList: true, characterData: true, subtree: true });
    // The end of a run is said: start another.
    new MutationObserver(() => { if ($('announcement').textContent) setTimeout(() => $('start_button').click()); })
      .observe($('announcement'), { childList: true, characterData: true, subtree: true });
    $('start_button').click();
  }, LONG_RUN);
  return tab;
}

async function pageDaysPerSecond(tab, speed) {
  await tab.evaluate((text) => globalThis.edit('speed_box', text), speed);
  await sleep(200);
  const from = await tab.evaluate(() => [globalThis.days, performance.now()]);
  await sleep(PACE_SECONDS * 1000);
  const to = await tab.evaluate(() => [globalThis.days, performance.now()]);
  return ((to[0] - from[0]) / (to[1] - from[1])) * 1000;
}

async function pace() {
  // Background tabs throttled as a pupil's browser does it (puppeteer turns that off by default).
  const pacer = await puppeteer.launch({ ...launchOptions('chromium', path.join(profile, 'pacer')),
    ignoreDefaultArgs: ['--disable-background-timer-throttling', '--disable-renderer-backgrounding',
      '--disable-backgrounding-occluded-windows'] });
  try {
    const tab = await pacePage(pacer);
    const speeds = [];
    for (const speed of PACE_SPEEDS) {
      speeds.push({ speed, desktop: await desktopPace(speed), page: await pageDaysPerSecond(tab, speed) });
    }
    // Another tab in front: this one hidden, its run going on.
    const front = await pacer.newPage();
    await front.bringToFront();
    const hidden = await tab.evaluate(() => document.visibilityState);
    const background = await pageDaysPerSecond(tab, '0.02');
    await tab.bringToFront();
    await tab.evaluate(() => { globalThis.most = 0; });
    await sleep(500);
    const burst = await tab.evaluate(() => globalThis.most);
    if (hidden !== 'hidden') throw new Error(`the tab behind another was ${hidden}`);
    return { speeds, background, burst };
  } finally {
    await pacer.close();
    if (xvfb) xvfb.kill();
  }
}

try {
  const times = { game: [], baseline: [] };
  for (let n = 0; n <= LAUNCHES; n++) {
    const game = await firstFrame(page);
    const yardstick = await firstFrame(baseline);
    if (n === 0) continue;  // fills the caches
    times.game.push(game);
    times.baseline.push(yardstick);
  }
  const median = (list) => list.sort((a, b) => a - b)[Math.floor(list.length / 2)];
  const [game, yardstick] = [median(times.game), median(times.baseline)];
  const kb = fs.statSync(page).size / 1024;
  const tick = await ticks();
  const paced = await pace();
  const ratio = paced.speeds[0].page / paced.speeds[0].desktop;
  const rows = [
    ['start-up to the first painted field', `${game.toFixed(0)} ms`, `${yardstick.toFixed(0)} ms`, `${(game / yardstick).toFixed(2)} x`, '<= 1.5 x'],
    ['size of noboria.html', `${kb.toFixed(0)} KB`, '', '', '<= 300 KB'],
    [`tick interval at speed 1, mean of ${TICKS}`, `${tick.mean.toFixed(3)} ms`, '', '', '50 ms +- 1 %'],
    ['tick interval p99', `${tick.p99.toFixed(3)} ms`, '', '', ''],
    ['CPU per tick, all browser processes', `${tick.cpuUs.toFixed(0)} us`, '', `${(tick.cpuUs / 500).toFixed(2)} % of 50 ms`, ''],
    ['  less what the still page costs', `${tick.netUs.toFixed(0)} us`, '', `${(tick.netUs / 500).toFixed(2)} % of 50 ms`, ''],
    ...paced.speeds.map(({ speed, page: days, desktop }) => [`days per second at speed ${speed}, page / desktop`,
      `${days.toFixed(0)} /s`, `${desktop.toFixed(0)} /s`, `${(days / desktop).toFixed(2)} x`,
      speed === '0.02' ? '>= 1.0 x' : '']),
    ['days per second at speed 0.02, background tab', `${paced.background.toFixed(0)} /s`, '', '', ''],
    ['most days one showing makes up on coming back', `${paced.burst}`, '', '', ''],
  ];
  const header = ['measure (Chromium)', 'page', 'baseline or desktop', 'ratio', 'target'];
  const widths = header.map((_, i) => Math.max(...[header, ...rows].map((r) => r[i].length)));
  for (const r of [header, ...rows]) console.log(r.map((c, i) => c.padEnd(widths[i])).join('  ').trimEnd());
  console.log(`page start-up times (ms): ${times.game.map((t) => t.toFixed(0)).join(' ')}`);
  console.log(`baseline start-up times (ms): ${times.baseline.map((t) => t.toFixed(0)).join(' ')}`);
  console.log('== summary ==');
  console.log(`web_startup_ratio ${(game / yardstick).toFixed(2)} x`);
  console.log(`web_file_kb ${kb.toFixed(0)} KB`);
  console.log(`web_tick_mean_ms ${tick.mean.toFixed(3)} ms`);
  console.log(`web_tick_p99_ms ${tick.p99.toFixed(3)} ms`);
  console.log(`web_tick_cpu_pct ${(tick.cpuUs / 500).toFixed(3)} %`);
  console.log(`web_tick_cpu_net_pct ${(tick.netUs / 500).toFixed(3)} %`);
  for (const { speed, page: days, desktop } of paced.speeds) {
    console.log(`web_days_per_s_${speed} ${days.toFixed(0)} /s`);
    console.log(`desktop_days_per_s_${speed} ${desktop.toFixed(0)} /s`);
  }
  console.log(`web_days_ratio ${ratio.toFixed(2)} x`);
  console.log(`web_days_ratio_goal_met ${ratio >= 1 ? 'yes' : 'no'} (>= 1.0 x)`);
  console.log(`web_background_days_per_s ${paced.background.toFixed(0)} /s`);
  console.log(`web_return_burst_days ${paced.burst}`);
} finally {
  await browser.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
