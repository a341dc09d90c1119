// The trace language for Node: trace_script.wasm (tools/trace_script.cpp,
// built by the web build) reads the script's lines and the random file's
// numbers exactly as noboria-trace does, messages included. Bytes in, bytes
// out: a message is written as the core made it.

import fs from 'node:fs';

// Command kinds, as trace_script.h numbers them.
export const NONE = 0, TEXT = 1, SCROLL = 2, CLICK = 3, TICK = 4, DUMP = 5;

export function loadTraceScript(file) {
  const module = new WebAssembly.Module(fs.readFileSync(file));
  // libc's stream calls are never made for anything here: refuse them.
  const wasi = {};
  for (const entry of WebAssembly.Module.imports(module)) {
    if (entry.module === 'wasi_snapshot_preview1') wasi[entry.name] = () => 52;  // ENOSYS
  }
  const core = new WebAssembly.Instance(module, { wasi_snapshot_preview1: wasi }).exports;
  core._initialize();

  const put = (bytes) => {
    const at = core.ts_in(bytes.length);  // may grow the memory: its buffer only after
    new Uint8Array(core.memory.buffer, at, bytes.length).set(bytes);
  };
  const out = () => Buffer.from(core.memory.buffer, core.ts_out(), core.ts_out_len());

  return {
    // The most random numbers one command can take.
    mostDraws: core.ts_most_draws(),

    // bars: [min, max] of HS(0)..HS(8) and HSsp. Returns a function from a
    // script line (bytes, no line feed) to { kind, target, number, text }
    // with text a Buffer, or { error } with the whole message as a Buffer.
    script(bars) {
      bars.forEach(([min, max], i) => core.ts_bar(i, min, max));
      return (line) => {
        put(line);
        const kind = core.ts_line();
        if (kind < 0) return { error: Buffer.from(out()) };
        return { kind, target: core.ts_target(), number: core.ts_number(), text: Buffer.from(out()) };
      };
    },

    // A reader of the random file named path (bytes): read(piece), then
    // finish(), give { values }, those of the whole lines read so far as a
    // Float32Array valid until the next call, or { error }, the message as a Buffer.
    random(path) {
      put(path);
      core.ts_random_start();
      const values = (count) => (count < 0 ? { error: Buffer.from(out()) }
        : { values: new Float32Array(core.memory.buffer, core.ts_values(), count) });
      return {
        read: (piece) => {
          put(piece);
          return values(core.ts_random_read());
        },
        finish: () => values(core.ts_random_finish()),
      };
    },

    cannotRead(path) {
      put(path);
      core.ts_cannot_read();
      return Buffer.from(out());
    },
  };
}
