// ---- Loading the core and the font; texts to and from the core --------------

let wasm = null;
const $ = (id) => document.getElementById(id);
const encoder = new TextEncoder();
const decoder = new TextDecoder();

function bytes(base64) {
  // The engine's own decoder where there is one: many times faster than a loop.
  if (Uint8Array.fromBase64) return Uint8Array.fromBase64(base64);
  const text = atob(base64);
  const out = new Uint8Array(text.length);
  for (let i = 0; i < text.length; ++i) out[i] = text.charCodeAt(i);
  return out;
}

// Hands a string to the core (its `in` buffer).
function put(text) {
  const data = encoder.encode(text);
  const at = wasm.nb_in(data.length);
  new Uint8Array(wasm.memory.buffer, at, data.length).set(data);
}

// Reads the text a core call handed back.
function got(at) {
  return decoder.decode(new Uint8Array(wasm.memory.buffer, at, wasm.nb_out_len()));
}

async function loadCore() {
  const data = bytes($('noboria-core').textContent);
  // At once where the browser allows it on this thread: the field then comes
  // with the page's first frame instead of a frame later; else in the background.
  let module;
  try {
    module = new WebAssembly.Module(data);
  } catch (e) {
    module = await WebAssembly.compile(data);
  }
  // libc's stream calls are never used for anything the page needs: refuse them.
  const wasi = {};
  for (const entry of WebAssembly.Module.imports(module)) {
    if (entry.module === 'wasi_snapshot_preview1') wasi[entry.name] = () => 52;  // ENOSYS
  }
  const instance = new WebAssembly.Instance(module, {
    wasi_snapshot_preview1: wasi,
    noboria: { random_draw: trace ? trace.draw : () => { throw new Error('no scripted draws'); } },
  });
  wasm = instance.exports;
  wasm._initialize();
}

async function loadFont() {
  const data = $('noboria-font');
  if (!data || typeof FontFace === 'undefined') return;
  try {
    const face = new FontFace('NoboriaGothic', bytes(data.textContent).buffer);
    document.fonts.add(face);
    await face.load();
  } catch (e) {
    // The system's gothic stands in.
  }
}
