// ---- The seam of the trace driver ----------------------------------------------
// Defined only by the trace driver (tools/noboria-trace-web.mjs), before this
// script runs: trace.draw() then gives every random number, the day timer
// never fires by itself, and once started the page hands the driver what it
// needs with trace.attach({ core, run, timer, beeps }). Without it, none of
// this runs.

const trace = globalThis.noboriaTrace;

function attachTrace() {
  if (!trace) return;
  trace.attach({ core: wasm, run, timer: () => [wasm.nb_timer_on() !== 0, wasm.nb_timer_interval()], beeps: () => beeps });
}
