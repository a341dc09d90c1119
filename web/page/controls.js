// ---- The boxes, the step controls and the buttons ---------------------------------
// Each event goes to the core; what it changed is shown by show().

const boxes = FORM.boxes.map($);
const steps = FORM.steps.map($);
const hints = FORM.boxes.map(() => '');
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
    box.addEventListener('focus', () => { if (hints[i]) showTooltip(box); });
    box.addEventListener('blur', hideTooltip);
    box.addEventListener('pointerenter', () => { if (hints[i]) tooltip.timer = setTimeout(() => showTooltip(box), 700); });
    box.addEventListener('pointerleave', () => { if (document.activeElement !== box) hideTooltip(); });
  });
}

function wireSteps() {
  steps.forEach((bar, i) => {
    // As a click on the bar that lands on value.
    bar.setValue = (value) => run(() => wasm.nb_step_set(i, Number(value) | 0));
    const step = (delta) => run(() => wasm.nb_step(i, delta));
    [-1, 1].forEach((delta, n) => {
      const arrow = bar.children[n];
      let repeat = 0;
      const release = () => {
        clearTimeout(repeat);
        clearInterval(repeat);
        repeat = 0;
      };
      arrow.addEventListener('pointerdown', (e) => {
        if (e.button !== 0) return;
        e.preventDefault();
        bar.focus();
        try { arrow.setPointerCapture(e.pointerId); } catch (err) { /* not capturable: fine */ }
        release();
        step(delta);
        repeat = setTimeout(() => { repeat = setInterval(() => step(delta), REPEAT_INTERVAL); }, REPEAT_DELAY);
      });
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

// ---- The cue's tooltip ----------------------------------------------------------------

const tooltip = $('tooltip');
function showTooltip(box) {
  clearTimeout(tooltip.timer);
  const hint = hints[boxes.indexOf(box)];
  if (!hint) return hideTooltip();
  tooltip.textContent = hint;
  tooltip.owner = box;
  tooltip.hidden = false;
  box.setAttribute('aria-describedby', 'tooltip');
  // Within the window as it is laid out (the touch layout's is no fixed size).
  const client = tooltip.parentElement;
  const left = Math.min(box.offsetLeft, client.clientWidth - tooltip.offsetWidth - 4);
  const below = box.offsetTop + box.offsetHeight + 2;
  tooltip.style.left = `${Math.max(2, left)}px`;
  tooltip.style.top = `${below + tooltip.offsetHeight > client.clientHeight - 2 ? box.offsetTop - tooltip.offsetHeight - 2 : below}px`;
}
function hideTooltip() {
  clearTimeout(tooltip.timer);
  if (tooltip.owner) tooltip.owner.removeAttribute('aria-describedby');
  tooltip.owner = null;
  tooltip.hidden = true;
}
