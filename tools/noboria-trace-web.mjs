#!/usr/bin/env node
// noboria-trace-web [--page FILE] [--browser chromium|firefox] RANDOM_FILE < SCRIPT
//
// The browser edition's trace driver: the same interface, output and exit
// statuses as noboria-trace (0 done, 2 bad input, 3 random sequence
// exhausted), driving the real page's controls in a headless browser. The
// page takes its random numbers from the file and never ticks by itself.
// With NOBORIA_TRACE_PICTURES=DIR it writes the canvases at the N-th dump as
// DIR/dump-N-field.png and DIR/dump-N-graph.png. Exit status 1: the browser
// or the page failed.

import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';

const BAD_INPUT = 2;
const EXHAUSTED = 3;
const BOXES = ['p_text', 'Z_text', 'Zh_text', 'ze_text', 'l_text', 'lh_text', 'le_text', 'lm_text', 'lK_text', 'speed'];
const BLANKS = /[ \t]/;

// Texts are handled as latin1 strings, one character a byte, as the desktop
// handles bytes; this turns a JavaScript string into its UTF-8 bytes so.
const latin1 = (text) => Buffer.from(text, 'utf8').toString('latin1');

class Failure extends Error {
  constructor(message, status) { super(message); this.status = status; }
}

// Exactly rounded (ties to even) p/q, both positive BigInts, to a binary
// float with `bits` of mantissa whose smallest step is 2^minExp.
function nearestBinary(p, q, bits, minExp) {
  let k = BigInt(p.toString(2).length - q.toString(2).length - bits);
  const scaled = (e) => (e >= 0n ? [p, q << e] : [p << -e, q]);
  for (;;) {
    const [n, d] = scaled(k);
    if (n >= d << BigInt(bits)) k++;
    else if (n < d << BigInt(bits - 1)) k--;
    else break;
  }
  if (k < BigInt(minExp)) k = BigInt(minExp);
  const [n, d] = scaled(k);
  let m = n / d;
  const twice = 2n * (n - m * d);
  if (twice > d || (twice === d && (m & 1n))) m++;
  return Number(m) * 2 ** Number(k);
}

// The nearest 32-bit float to the decimal text if it is one with 0 <= r < 1,
// else undefined: the same texts and values as the desktop's reading
// (plain decimal or exponent form, a leading minus allowed, so "-0" is -0).
export function randomValue(text) {
  const form = /^(-?)(\d*)(?:\.(\d*))?(?:[eE]([+-]?\d+))?$/.exec(text);
  if (!form || form[2] + (form[3] ?? '') === '') return undefined;
  const digits = (form[2] + (form[3] ?? '')).replace(/^0+/, '');
  const sign = form[1] ? -1 : 1;
  if (digits === '') return sign * 0;
  const exp = BigInt(form[4] ?? 0) - BigInt((form[3] ?? '').length);
  const magnitude = exp + BigInt(digits.length);  // value < 10^magnitude
  if (magnitude > 1n || magnitude < -400n) return undefined;  // at least 10, or below every double
  const m = BigInt(digits);
  const [p, q] = exp >= 0n ? [m * 10n ** exp, 1n] : [m, 10n ** -exp];
  // A value too small for a double is refused; one too small for a float is 0.
  if (nearestBinary(p, q, 53, -1074) === 0) return undefined;
  const value = sign * nearestBinary(p, q, 24, -149);
  return value >= 0 && value < 1 ? value : undefined;
}

function readRandomFile(file) {
  let bytes;
  try {
    bytes = fs.readFileSync(file);
  } catch (error) {
    // A folder opens but reads as nothing, as on the desktop.
    if (error.code !== 'EISDIR') throw new Failure(`error: cannot read random file ${latin1(file)}\n`, BAD_INPUT);
    bytes = Buffer.alloc(0);
  }
  const lines = bytes.toString('latin1').split('\n');
  if (lines.at(-1) === '') lines.pop();
  const values = [];
  lines.forEach((raw, i) => {
    const text = raw.replace(/\r$/, '').replace(/^[ \t]+|[ \t]+$/g, '');
    if (text === '') return;
    const value = randomValue(text);
    if (value === undefined) {
      throw new Failure(`error: ${latin1(file)} line ${i + 1}: not a number r with 0 <= r < 1: ${text}\n`, BAD_INPUT);
    }
    values.push(value);
  });
  return values;
}

// Plain ASCII digits only, no sign, at most limit (a BigInt).
function wholeNumber(text, limit) {
  if (!/^\d+$/.test(text) || BigInt(text) > limit) return undefined;
  return BigInt(text);
}

// One script line (bytes as latin1) to a command for the page, or a Failure.
function parseLine(line, bars) {
  line = line.replace(/^[ \t]+/, '');
  const space = line.indexOf(' ');
  if ((space < 0 ? line : line.slice(0, space)) === 'text') {
    const rest = space < 0 ? '' : line.slice(space + 1);
    const gap = rest.indexOf(' ');
    const name = gap < 0 ? rest : rest.slice(0, gap);
    if (!BOXES.includes(name)) return `text needs a box name, not '${name}'`;
    const value = Buffer.from(gap < 0 ? '' : rest.slice(gap + 1), 'latin1').toString('utf8');
    return ['text', name, value];
  }
  const [word, ...args] = line.split(/[ \t]+/).filter((w) => w !== '');
  if (word === 'scroll') {
    if (args.length !== 2) return 'scroll takes a bar (0..8 or sp) and a value';
    const index = args[0] === 'sp' ? 9 : wholeNumber(args[0], 8n);
    if (index === undefined) return `scroll needs a bar 0..8 or sp, not '${args[0]}'`;
    const bar = bars[index];
    const value = wholeNumber(args[1], BigInt(bar.max));
    if (value === undefined || value < BigInt(bar.min)) {
      return `${index === 9 ? 'HSsp' : `HS(${index})`} takes a whole number ${bar.min}..${bar.max}, not '${args[1]}'`;
    }
    return ['scroll', bar.id, Number(value)];
  }
  if (word === 'click') {
    if (args.length !== 1) return 'click takes one button name';
    if (args[0] !== 'sim_com' && args[0] !== 'Command2') return `click needs sim_com or Command2, not '${args[0]}'`;
    return ['click', args[0]];
  }
  if (word === 'tick') {
    if (args.length > 1) return 'tick takes at most one count';
    const count = args.length ? wholeNumber(args[0], 2n ** 64n - 1n) : 1n;
    if (count === undefined) return `tick needs a whole number of ticks, not '${args[0]}'`;
    return ['tick', Number(count)];
  }
  if (word === 'dump') return args.length ? 'dump takes no argument' : ['dump'];
  return `unknown command '${word}'`;
}

// Runs a batch of commands in the page, stopping where the random numbers
// run out; returns the dumps' state blocks (and canvases as PNG data URLs).
function runInPage(commands, pictures) {
  const trace = globalThis.noboriaTrace;
  // The page's controls carry their trace names; the field is found by its id.
  const named = (name) => document.querySelector(`[data-trace="${name}"]`) ?? document.getElementById(name);
  const dumps = [];
  for (const [kind, a, b] of commands) {
    try {
      if (kind === 'text') {
        const box = named(a);
        box.value = b;
        box.dispatchEvent(new Event('input', { bubbles: true }));
      } else if (kind === 'scroll') {
        named(a).setValue(b);
      } else if (kind === 'click') {
        named(a).click();
      } else if (kind === 'tick') {
        for (let i = 0; i < a && !trace.exhausted && trace.tick(); i++);
      } else {
        const canvas = (id) => {  // the canvas itself, or the one its box holds
          const element = named(id);
          return (element.tagName === 'CANVAS' ? element : element.querySelector('canvas')).toDataURL('image/png');
        };
        dumps.push(pictures ? [trace.state(), canvas('field'), canvas('gra')] : [trace.state()]);
      }
    } catch (error) {
      if (!trace.exhausted) throw error;
    }
    if (trace.exhausted) return { dumps, exhausted: true };
  }
  return { dumps, exhausted: false };
}

export function launchOptions(browser, profile) {
  if (browser === 'firefox') {
    return { browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true, userDataDir: profile };
  }
  return {
    executablePath: '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
  };
}

// Lines of standard input as latin1 strings, as they arrive, in batches:
// every line that is already there comes in one batch.
async function* inputBatches() {
  let pending = '';
  for await (const chunk of process.stdin) {
    pending += chunk.toString('latin1');
    const lines = pending.split('\n');
    pending = lines.pop();
    if (lines.length) yield lines;
  }
  if (pending !== '') yield [pending];
}

const write = (stream, text) => new Promise((resolve) => stream.write(Buffer.from(text, 'latin1'), resolve));

async function trace(page, pictures) {
  const bars = await page.evaluate(() => ['HS0', 'HS1', 'HS2', 'HS3', 'HS4', 'HS5', 'HS6', 'HS7', 'HS8', 'HSsp'].map((id) => {
    const bar = document.querySelector(`[data-trace="${id}"]`);
    return { id, min: Number(bar.getAttribute('aria-valuemin')), max: Number(bar.getAttribute('aria-valuemax')) };
  }));
  let number = 0;
  let dumpCount = 0;
  for await (const lines of inputBatches()) {
    const commands = [];
    let error;
    for (const raw of lines) {
      number++;
      const line = raw.replace(/\r$/, '');
      if (line === '' || line[0] === '#' || /^[ \t]*$/.test(line)) continue;
      const command = parseLine(line, bars);
      if (typeof command === 'string') {
        error = `error: line ${number}: ${command}\n`;
        break;
      }
      commands.push(command);
    }
    const result = commands.length ? await page.evaluate(runInPage, commands, pictures !== undefined) : { dumps: [] };
    for (const [state, field, graph] of result.dumps) {
      dumpCount++;
      await write(process.stdout, latin1(state));
      if (pictures !== undefined) {
        try {
          for (const [name, url] of [['field', field], ['graph', graph]]) {
            fs.writeFileSync(path.join(pictures, `dump-${dumpCount}-${name}.png`), Buffer.from(url.split(',')[1], 'base64'));
          }
        } catch {
          await write(process.stderr, `warning: cannot save pictures under ${latin1(pictures)}\n`);
        }
      }
    }
    if (result.exhausted) throw new Failure('error: random sequence exhausted\n', EXHAUSTED);
    if (error) throw new Failure(error, BAD_INPUT);
  }
}

async function main(argv) {
  const usage = new Failure('usage: noboria-trace-web [--page FILE] [--browser chromium|firefox] RANDOM_FILE < SCRIPT\n', BAD_INPUT);
  const options = { page: path.join(path.dirname(fileURLToPath(import.meta.url)), '../build-web/noboria.html'), browser: 'chromium' };
  const files = [];
  for (let i = 0; i < argv.length; i++) {
    const flag = argv[i].slice(2);
    if (flag === 'page' || flag === 'browser') {
      if (i + 1 >= argv.length) throw usage;
      options[flag] = argv[++i];
    } else {
      files.push(argv[i]);
    }
  }
  if (files.length !== 1 || !['chromium', 'firefox'].includes(options.browser)) throw usage;
  const values = readRandomFile(files[0]);
  const pictures = process.env.NOBORIA_TRACE_PICTURES || undefined;

  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'noboria-trace-web-'));
  let browser;
  try {
    browser = await puppeteer.launch({ ...launchOptions(options.browser, profile), protocolTimeout: 0 });
    // The tab the browser opens with: a new one costs a second.
    const [page] = await browser.pages();
    const literal = values.map((v) => (Object.is(v, -0) ? '-0' : String(v))).join(',');
    await page.evaluateOnNewDocument(`globalThis.noboriaTrace = { random: [${literal}] };`);
    await page.goto(pathToFileURL(path.resolve(options.page)).href);
    await page.waitForFunction(() => globalThis.noboriaTrace.ready || globalThis.noboriaTrace.exhausted,
      { timeout: 60000, polling: 10 });
    if (await page.evaluate(() => !globalThis.noboriaTrace.ready)) {
      throw new Failure('error: random sequence exhausted\n', EXHAUSTED);
    }
    await trace(page, pictures);
  } finally {
    await browser?.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

// Run as a program, not imported (by the tests, the benchmarks).
const isMain = () => {
  try {
    return fs.realpathSync(process.argv[1]) === fileURLToPath(import.meta.url);
  } catch {
    return false;
  }
};
if (isMain()) {
  try {
    await main(process.argv.slice(2));
  } catch (error) {
    const known = error instanceof Failure;
    await write(process.stderr, known ? error.message : `noboria-trace-web: ${error.message}\n`);
    process.exit(known ? error.status : 1);
  }
  process.exit(0);
}
