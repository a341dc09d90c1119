// ---- The day timer ------------------------------------------------------------
// Ticks while the core says it ticks, every `interval` ms, keeping to its
// schedule on average: each tick is planned from the last planned time, not
// from when it ran. Under the trace driver it never ticks by itself.

const CATCH_UP_LIMIT = 1000;  // ms a late tick may still make up

const dayTimer = {
  on: false,
  interval: 0,
  handle: 0,
  due: 0,
  set(on, interval) {
    if (on === this.on && interval === this.interval) return;
    this.on = on;
    this.interval = interval;
    this.stop();
    if (this.live()) {
      this.due = performance.now() + this.interval;
      this.arm();
    }
  },
  live() { return this.on && !trace; },
  stop() {
    if (this.handle) clearTimeout(this.handle);
    this.handle = 0;
  },
  arm() { this.handle = setTimeout(() => this.fire(), Math.max(0, this.due - performance.now())); },
  fire() {
    this.handle = 0;
    const now = performance.now();
    // A late tick is made up by an earlier next one, so that the days keep
    // their mean pace; far behind (a hidden page, a long pause), the
    // schedule starts afresh instead of running a burst of days.
    this.due += this.interval;
    if (now - this.due > CATCH_UP_LIMIT) this.due = now + this.interval;
    run(() => wasm.nb_tick());
    if (this.live() && !this.handle) this.arm();
  },
};
