// ---- The boxes, the step controls and the buttons ---------------------------------
// Each event goes to the core; what it changed is shown by show().

const boxes = FORM.boxes.map($);
const steps = FORM.steps.map($);
const hints = FORM.boxes.map(() => '');  // each refused box's hint, from the core
const REPEAT_DELAY = 500, REPEAT_INTERVAL = 50;  // a held arrow, as a scroll bar's
// The keys of a step control, numbered as the core's StepKey.
const STEP_KEYS = ['ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown', 'PageUp', 'PageDown', 'Home', 'End'];

function wireBoxes() {
  boxes.forEach((box, i) => {
    const edited = () => {
      fitBox(box);
      put(box.value);
      run(() => wasm.nb_edit(i));
    };
    // An input method's text counts once it is committed, as on the desktop.
    box.addEventListener('input', (e) => { if (!e.isComposing) edited(); });
    box.addEventListener('compositionend', edited);
  });
}

function wireSteps() {
  steps.forEach((bar, i) => {
    // As a click on the bar that lands on value.
    bar.setValue = (value) => run(() => wasm.nb_step_set(i, Number(value) | 0));
    const step = (delta) => run(() => wasm.nb_step(i, delta));
    [-1, 1].forEach((delta, n) => {
      const arrow = bar.children[n];
      let holder = null;  // the pointer holding the arrow down
      let over = false;   // and whether it is over the arrow
      let repeat = 0;
      const stopRepeat = () => {
        clearTimeout(repeat);
        clearInterval(repeat);
        repeat = 0;
      };
      // One step at once, then more after the delay while the arrow is held.
      const press = () => {
        stopRepeat();
        step(delta);
        repeat = setTimeout(() => { repeat = setInterval(() => step(delta), REPEAT_INTERVAL); }, REPEAT_DELAY);
      };
      arrow.addEventListener('pointerdown', (e) => {
        if (e.button !== 0 || holder !== null) return;
        e.preventDefault();
        bar.focus({ focusVisible: false });  // a pointer's focus: no ring
        holder = e.pointerId;
        over = true;
        try { arrow.setPointerCapture(e.pointerId); } catch (err) { /* not capturable: fine */ }
        press();
      });
      // As a scroll bar's arrow: it stops while the pointer is off it, and
      // steps again when the pointer comes back still held.
      arrow.addEventListener('pointermove', (e) => {
        if (e.pointerId !== holder) return;
        const now = arrow.contains(document.elementFromPoint(e.clientX, e.clientY));
        if (now === over) return;
        over = now;
        if (over) press();
        else stopRepeat();
      });
      const release = (e) => {
        if (e.pointerId !== holder) return;
        holder = null;
        stopRepeat();
      };
      for (const end of ['pointerup', 'pointercancel', 'lostpointercapture']) arrow.addEventListener(end, release);
      arrow.addEventListener('contextmenu', (e) => e.preventDefault());
    });
    bar.addEventListener('keydown', (e) => {
      const key = STEP_KEYS.indexOf(e.key);
      if (key < 0) return;
      let handled = 0;
      run(() => { handled = wasm.nb_step_key(i, key); });
      if (handled) e.preventDefault();
    });
  });
}

function wireButtons() {
  $('start_button').addEventListener('click', () => {
    say('');  // a sentence the next run ends with is new, even when its words are the same
    run(() => wasm.nb_start());
  });
  $('stop_button').addEventListener('click', () => run(() => wasm.nb_stop()));
  const aboutButton = $('about_button');
  aboutButton.setAttribute('aria-controls', 'about_window');
  aboutButton.addEventListener('click', () => {
    aboutOpener = aboutButton;
    run(() => wasm.nb_about());
  });
}
