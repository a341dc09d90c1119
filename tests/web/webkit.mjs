// The page in WebKitGTK (Safari's engine family) through WebKitWebDriver on a
// private Xvfb: it loads from file://, a run ends by itself and the day and
// the counts show. Plain WebDriver calls on a loopback port.
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import net from 'node:net';
import { pathToFileURL } from 'node:url';

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

let session;
try {
  const { sessionId } = await call('POST', '/session', {
    capabilities: { alwaysMatch: { 'webkitgtk:browserOptions': { binary: MINIBROWSER, args: ['--automation'] } } },
  });
  session = `/session/${sessionId}`;
  await call('POST', `${session}/url`, { url: pathToFileURL(process.env.NOBORIA_PAGE).href });
  await until('About panel after the start-up', 'return !document.getElementById("about_window").hidden');
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
