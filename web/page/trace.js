// ---- The seam of the trace driver ----------------------------------------------
// tools/noboria-trace-web.mjs sets globalThis.noboriaTrace before the page
// loads. The page then draws its random numbers from trace.random, never ticks
// by itself, and once started gives the driver one tick at a time and the
// state block. Without it, none of this runs.

const trace = globalThis.noboriaTrace;

let drawn = 0;
function drawScripted() {
  if (drawn >= trace.random.length) {
    trace.exhausted = true;
    throw new Error('random sequence exhausted');
  }
  return trace.random[drawn++];
}

function installTraceHooks() {
  if (!trace) return;
  Object.defineProperty(trace, 'beeps', { get: () => beeps, configurable: true });
  trace.tick = () => {
    if (!wasm.nb_ticking()) return false;
    run(() => wasm.nb_tick());
    return true;
  };
  trace.state = () => {
    put(countLabels.map((label) => `${label.textContent}\0`).join(''));
    return got(wasm.nb_state(wasm.nb_timer_on(), wasm.nb_timer_interval(), beeps));
  };
  trace.ready = true;
}
