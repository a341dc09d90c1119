// ---- The day timer ------------------------------------------------------------
// Ticks while the core says it ticks, one day every `interval` ms on average:
// each callback runs the days that are due by then, planned from the last
// planned time rather than from when it ran, and shows them once. A page's
// own timers are held to 4 ms when they follow one another, and to about one
// a second in a background tab; a worker's are not, so the callbacks come
// from one once the page has started it (see startClock), else from the
// page's own. Under the trace driver it never ticks by itself.

const CATCH_UP_LIMIT = 100;  // ms of days one callback may still make up; further behind, the schedule starts afresh
const BUSY_LIMIT = 12;       // ms of days one callback may run, so that a slow machine still answers the pupil

// The page's own timers, until a worker takes over.
let clock = {
  arm(delay) { this.stop(); this.handle = setTimeout(() => { this.handle = 0; dayTimer.fire(); }, delay); },
  stop() { clearTimeout(this.handle); this.handle = 0; },
};

const dayTimer = {
  on: false,
  interval: 0,
  due: 0,
  set(on, interval) {
    if (on === this.on && interval === this.interval) return;
    this.on = on;
    this.interval = interval;
    clock.stop();
    if (this.live()) {
      this.due = performance.now() + this.interval;
      this.arm();
    }
  },
  live() { return this.on && this.interval > 0 && !trace; },
  arm() { clock.arm(Math.max(0, this.due - performance.now())); },
  fire() {
    if (!this.live()) return;
    const start = performance.now();
    // Far behind (a hidden page, a long pause): no burst of days, only the one due now.
    if (start - this.due > CATCH_UP_LIMIT) this.due = start;
    run(() => {
      let now = start;
      while (this.due <= now && now - start < BUSY_LIMIT) {
        this.due += this.interval;
        if (!wasm.nb_tick() || !wasm.nb_ticking()) break;  // the run ended
        now = performance.now();
      }
    });
    if (this.live()) this.arm();
  },
};

// Moves the day timer's callbacks to a worker, where the page may start one
// (a Blob's script, allowed by the page's worker-src); a worker that fails
// to start leaves them with the page's own timers.
function startClock() {
  if (trace || typeof Worker === 'undefined') return;
  let worker;
  try {
    const source = 'let t = 0; onmessage = (e) => { clearTimeout(t); if (e.data >= 0) t = setTimeout(() => postMessage(0), e.data); };';
    worker = new Worker(URL.createObjectURL(new Blob([source], { type: 'text/javascript' })));
  } catch (e) {
    return;
  }
  const own = clock;
  const workerClock = {
    arm(delay) { worker.postMessage(delay); },
    stop() { worker.postMessage(-1); },
  };
  worker.onmessage = () => dayTimer.fire();
  worker.onerror = () => {
    worker.terminate();
    clock = own;
    if (dayTimer.live()) dayTimer.arm();
  };
  own.stop();
  clock = workerClock;
  if (dayTimer.live()) dayTimer.arm();
}
