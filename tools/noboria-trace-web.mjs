#!/usr/bin/env node
// noboria-trace-web [--page FILE] [--browser chromium|firefox] RANDOM_FILE < SCRIPT
//
// The browser edition's trace driver: the same interface, output and exit
// statuses as noboria-trace (0 done, 2 bad input, 3 random sequence
// exhausted), driving the real page's controls in a headless browser. The
// script and the random file are read by noboria-trace's own code
// (trace_script.wasm, beside the page); the page takes its random numbers
// from the file, handed over in pieces, and never ticks by itself.
// With NOBORIA_TRACE_PICTURES=DIR it writes the canvases at the N-th dump as
// DIR/dump-N-field.png and DIR/dump-N-graph.png. Exit status 1: the browser
// or the page failed.

import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';
import { CLICK, DUMP, NONE, SCROLL, TEXT, TICK, loadTraceScript } from './trace_script.mjs';

const BAD_INPUT = 2;
const EXHAUSTED = 3;
// The page's elements for the trace keys, in trace_script.h's order.
const BOX_IDS = ['p_text', 'Z_text', 'Zh_text', 'ze_text', 'l_text', 'lh_text', 'le_text', 'lm_text', 'lK_text', 'speed'];
const BAR_IDS = ['HS0', 'HS1', 'HS2', 'HS3', 'HS4', 'HS5', 'HS6', 'HS7', 'HS8', 'HSsp'];
const BUTTON_IDS = ['sim_com', 'Command2'];
// Bytes of the random file read at a time.
const READ_SIZE = 1 << 20;
// Random numbers handed to the page at a time, as a file: the browser reads a
// file many times faster than it takes a long argument through its remote
// protocol, and the page holds two such pieces at most, however long the
// session.
const PIECE = 1 << 20;

class Failure extends Error {
  constructor(message, status) { super(String(message)); this.bytes = message; this.status = status; }
}

// The random file's values in order, as Float32Arrays over the reader's
// memory, good until the next call into it; a bad line or a file that cannot
// be read is a Failure.
function* randomValues(traceScript, file) {
  let fd;
  try {
    fd = fs.openSync(file, 'r');
  } catch {
    throw new Failure(traceScript.cannotRead(Buffer.from(file)), BAD_INPUT);
  }
  const reader = traceScript.random(Buffer.from(file));
  const bytes = Buffer.alloc(READ_SIZE);
  try {
    for (;;) {
      let length = 0;
      try {
        length = fs.readSync(fd, bytes, 0, READ_SIZE, null);
      } catch (error) {
        // A folder opens but reads as nothing, as on the desktop.
        if (error.code !== 'EISDIR') throw error;
      }
      const { values, error } = length ? reader.read(bytes.subarray(0, length)) : reader.finish();
      if (error) throw new Failure(error, BAD_INPUT);
      if (values.length) yield values;
      if (!length) return;
    }
  } finally {
    fs.closeSync(fd);
  }
}

// take(n): the file's next n values (fewer at its end), in a buffer that the
// next take() reuses, and whether the file has ended. Memory stays the same
// however long the file.
function numberStream(values) {
  const held = new Float32Array(READ_SIZE);  // more than one read's values
  const taken = new Float32Array(PIECE);
  let start = 0;
  let end = 0;
  let ended = false;
  return {
    take(n) {
      let count = 0;
      while (count < n && !ended) {
        if (start === end) {
          const next = values.next();
          ended = Boolean(next.done);
          if (!ended) held.set(next.value);
          [start, end] = [0, ended ? 0 : next.value.length];
        }
        const part = held.subarray(start, Math.min(end, start + n - count));
        taken.set(part, count);
        count += part.length;
        start += part.length;
      }
      return { values: taken.subarray(0, count), last: ended };
    },
  };
}

// Runs in the page before its own script. The page calls draw() for every
// random number and attach({ core, run, timer, beeps }) once it has started
// (see web/noboria.js); the driver feeds the numbers in and runs commands.
// A command starts only with mostDraws numbers at hand, or once the file has
// none left to give, so that none runs short mid-way. `first` (base64)
// holds the numbers start-up takes; the later pieces come as files.
function installHooks(first, last, mostDraws) {
  const pieces = [];  // Float32Arrays still to draw from; the first from `at` on
  let at = 0;
  let unread = 0;
  let final = false;
  let page = null;
  const queue = [];  // commands not run yet; a tick command counts down
  // Where the driver puts each later piece; kept out of the document.
  const input = document.createElement('input');
  input.type = 'file';
  // The page's controls carry their trace names; the field by its role.
  const named = (name) => document.querySelector(`[data-trace="${name}"]`) ?? document.getElementById(name);

  const feed = (values, isLast) => {
    if (values.length) pieces.push(values);
    unread += values.length;
    final = isLast;
  };

  // The state block with the page's day timer and bell count as it holds
  // them, and its captions as shown.
  const state = () => {
    const { core } = page;
    const captions = ['daycap', 'z_suu', 'l_suu'].map((id) => `${named(id).textContent}\0`).join('');
    const bytes = new TextEncoder().encode(captions);
    const into = core.nb_in(bytes.length);
    new Uint8Array(core.memory.buffer, into, bytes.length).set(bytes);
    const [on, interval] = page.timer();
    const text = core.nb_state(on ? 1 : 0, interval, page.beeps());
    return new TextDecoder().decode(new Uint8Array(core.memory.buffer, text, core.nb_out_len()));
  };
  const canvas = (id) => {  // the canvas itself, or the one its box holds
    const element = named(id);
    return (element.tagName === 'CANVAS' ? element : element.querySelector('canvas')).toDataURL('image/png');
  };

  // One command; false when it has more ticks to go.
  const step = (command, pictures, dumps) => {
    const [kind, a, b] = command;
    if (kind === 'text') {
      const box = named(a);
      box.value = b;
      box.dispatchEvent(new Event('input', { bubbles: true }));
    } else if (kind === 'scroll') {
      page.run(() => page.core.nb_step_set(a, b));
    } else if (kind === 'click') {
      named(a).click();
    } else if (kind === 'tick') {
      // Only a running timer delivers a tick.
      const [on, interval] = page.timer();
      if (a <= 0 || !on || interval <= 0) return true;
      page.run(() => page.core.nb_tick());
      command[1] = a - 1;
      return false;
    } else {
      dumps.push(pictures ? [state(), canvas('field'), canvas('gra')] : [state()]);
    }
    return true;
  };

  const hooks = {
    input,
    ready: false,
    exhausted: false,
    draw() {
      while (pieces.length && at === pieces[0].length) {
        pieces.shift();
        at = 0;
      }
      if (!pieces.length) {
        if (!final) throw new Error('the driver handed over too few random numbers for one command');
        hooks.exhausted = true;
        throw new Error('random sequence exhausted');
      }
      unread--;
      return pieces[0][at++];
    },
    attach(from) {
      page = from;
      hooks.ready = true;
    },
    // Reads the piece the driver put in `input` if there is one (isLast: the
    // file's last), then runs the commands after those still waiting, until
    // all have run (done), the numbers at hand run low (hungry) or the file's
    // run out (exhausted). Gives the dumps' blocks (and canvases as PNG data URLs).
    async run(commands, pictures, piece) {
      if (piece) feed(new Float32Array(await input.files[0].arrayBuffer()), piece.last);
      queue.push(...commands);
      const dumps = [];
      while (queue.length) {
        if (unread < mostDraws && !final) return { dumps, hungry: true };
        let finished;
        try {
          finished = step(queue[0], pictures, dumps);
        } catch (error) {
          if (!hooks.exhausted) throw error;
        }
        if (hooks.exhausted) return { dumps, exhausted: true };
        if (finished) queue.shift();
      }
      return { dumps };
    },
  };
  globalThis.noboriaTrace = hooks;
  const bytes = Uint8Array.from(atob(first), (c) => c.charCodeAt(0));
  feed(new Float32Array(bytes.buffer), last);
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

// Lines of standard input (Buffers, without their line feed) as they
// arrive, in batches: every line that is already there comes in one batch.
async function* inputBatches() {
  let pending = Buffer.alloc(0);
  for await (const chunk of process.stdin) {
    pending = Buffer.concat([pending, chunk]);
    const lines = [];
    for (let end; (end = pending.indexOf(10)) >= 0; pending = pending.subarray(end + 1)) {
      lines.push(pending.subarray(0, end));
    }
    if (lines.length) yield lines;
  }
  if (pending.length) yield [pending];
}

const write = (stream, text) => new Promise((resolve) => stream.write(text, resolve));

// Hands the page its next piece of random numbers: written to file, which
// the page's hidden file box then holds; the disk keeps one piece at a time.
async function handOver(page, numbers, file) {
  const { values, last } = numbers.take(PIECE);
  fs.writeFileSync(file, values);
  const input = await page.evaluateHandle(() => globalThis.noboriaTrace.input);
  await input.uploadFile(file);
  await input.dispose();
  return { last };
}

// The script's commands against the page, topping up its random numbers
// whenever it runs low.
async function trace(page, traceScript, numbers, file, pictures) {
  const bars = await page.evaluate((ids) => ids.map((id) => {
    const bar = document.querySelector(`[data-trace="${id}"]`);
    return [Number(bar.getAttribute('aria-valuemin')), Number(bar.getAttribute('aria-valuemax'))];
  }), BAR_IDS);
  const read = traceScript.script(bars);
  let dumpCount = 0;
  for await (const lines of inputBatches()) {
    const commands = [];
    let error;
    for (const line of lines) {
      const command = read(line);
      if (command.error) {
        error = command.error;
        break;
      }
      const { kind, target, number, text } = command;
      if (kind === TEXT) commands.push(['text', BOX_IDS[target], text.toString('utf8')]);
      else if (kind === SCROLL) commands.push(['scroll', target, number]);
      else if (kind === CLICK) commands.push(['click', BUTTON_IDS[target]]);
      else if (kind === TICK) commands.push(['tick', number]);
      else if (kind === DUMP) commands.push(['dump']);
      else if (kind !== NONE) throw new Error(`unknown command kind ${kind}`);
    }
    let piece = null;
    for (let batch = commands; batch;) {
      const result = await page.evaluate((list, withPictures, from) => globalThis.noboriaTrace.run(list, withPictures, from),
        batch, pictures !== undefined, piece);
      for (const [state, field, graph] of result.dumps) {
        dumpCount++;
        await write(process.stdout, state);
        if (pictures !== undefined) {
          try {
            for (const [name, url] of [['field', field], ['graph', graph]]) {
              fs.writeFileSync(path.join(pictures, `dump-${dumpCount}-${name}.png`), Buffer.from(url.split(',')[1], 'base64'));
            }
          } catch {
            await write(process.stderr, `warning: cannot save pictures under ${pictures}\n`);
          }
        }
      }
      if (result.exhausted) throw new Failure('error: random sequence exhausted\n', EXHAUSTED);
      batch = result.hungry ? [] : null;
      if (batch) piece = await handOver(page, numbers, file);
    }
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
  const traceScript = loadTraceScript(path.join(path.dirname(options.page), 'trace_script.wasm'));
  const pictures = process.env.NOBORIA_TRACE_PICTURES || undefined;

  // The browser's profile and the file of random numbers for the page.
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'noboria-trace-web-'));
  const profile = path.join(work, 'profile');
  fs.mkdirSync(profile);
  // The browser starts while the random file is checked to its end: a bad
  // line anywhere stops the run before anything is printed.
  const browser = puppeteer.launch({ ...launchOptions(options.browser, profile), protocolTimeout: 0 });
  browser.catch(() => {});
  try {
    const check = randomValues(traceScript, files[0]);
    while (!check.next().done);
    // The numbers start-up needs go in with the hooks; the rest follow as the page asks.
    const numbers = numberStream(randomValues(traceScript, files[0]));
    const first = numbers.take(traceScript.mostDraws);
    // The tab the browser opens with: a new one costs a second.
    const [page] = await (await browser).pages();
    const firstBytes = Buffer.from(first.values.buffer, first.values.byteOffset, first.values.byteLength);
    await page.evaluateOnNewDocument(installHooks, firstBytes.toString('base64'), first.last, traceScript.mostDraws);
    await page.goto(pathToFileURL(path.resolve(options.page)).href);
    await page.waitForFunction(() => globalThis.noboriaTrace.ready || globalThis.noboriaTrace.exhausted,
      { timeout: 60000, polling: 10 });
    if (await page.evaluate(() => !globalThis.noboriaTrace.ready)) {
      throw new Failure('error: random sequence exhausted\n', EXHAUSTED);
    }
    await trace(page, traceScript, numbers, path.join(work, 'numbers'), pictures);
  } finally {
    await (await browser.catch(() => undefined))?.close();
    fs.rmSync(work, { recursive: true, force: true });
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
    await write(process.stderr, known ? error.bytes : `noboria-trace-web: ${error.message}\n`);
    process.exit(known ? error.status : 1);
  }
  process.exit(0);
}
