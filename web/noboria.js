// The page's glue: shows what the core changed after each call into it, and
// starts the page. Every rule of the game, every text, place and number of
// the windows comes from the core or from the form's description (FORM, and
// the controls fold.py writes into the page); the files in page/ each look
// after one part of the page.

// The first frame is out: the About panel may come forward, and what a screen
// reader hears is kept current from now on.
let started = false;

// Shows what the last call into the core changed, touching only that.
function show() {
  const changes = wasm.nb_changes();
  const CHANGED = FORM.changes;
  if (changes & CHANGED.texts) {
    boxes.forEach((box, i) => {
      const text = got(wasm.nb_text(i));
      if (box.value !== text) box.value = text;
      fitBox(box);
    });
  }
  if (changes & CHANGED.steps) steps.forEach((bar, i) => bar.setAttribute('aria-valuenow', wasm.nb_step_value(i)));
  if (changes & CHANGED.cues) {
    boxes.forEach((box, i) => {
      const cued = wasm.nb_cued(i) !== 0;
      hints[i] = cued ? got(wasm.nb_hint(i)) : '';
      box.classList.toggle('cue', cued);
      if (cued) box.setAttribute('aria-invalid', 'true');
      else box.removeAttribute('aria-invalid');
      followHint(box);
    });
  }
  if (changes & CHANGED.counts) {
    countLabels.forEach((label, c) => {
      const text = got(wasm.nb_count(c));
      if (label.textContent === text) return;
      // The day follows its text, measured before anything is written so that
      // measuring needs no fresh style; the counts keep the fit of their first caption.
      if (c === 0) fitLabel(label, text);
      // The text node kept and its data changed: cheaper than a new node every day.
      const shown = label.firstElementChild;
      const node = shown.firstChild;
      if (node && node.nodeType === Node.TEXT_NODE && !node.nextSibling) node.data = text;
      else shown.textContent = text;
    });
    if (started) spokenChanged();
  }
  if (changes & CHANGED.timer) dayTimer.set(wasm.nb_ticking() !== 0, wasm.nb_timer_interval());
  if (changes & CHANGED.field) paint(0, fieldContext);
  if (changes & CHANGED.graph) paint(1, graphContext);
  if (changes & CHANGED.focus) {
    const i = wasm.nb_focus();
    if (i >= 0) {
      boxes[i].focus();
      boxes[i].select();
    }
  }
  if (changes & CHANGED.beep) {
    const total = wasm.nb_beeps();
    while (beeps < total) bell();
  }
  if (changes & CHANGED.about && started) {
    if (wasm.nb_about_shown()) openAbout();
    else closeAbout(false);
  }
  if (changes & CHANGED.announce) say(got(wasm.nb_announcement()));
  if (changes & CHANGED.summaries && started) spokenChanged();
  // While no days run, at once: what a reader finds after a stop or a run's end is its last day.
  if (spokenTimer && !dayTimer.on) handOver();
}

// Runs one call into the core, then shows the result.
function run(call) {
  call();
  show();
}

// Resolves once the browser has shown a frame (or after a tenth of a second
// where it shows none, as in a tab in the background).
const afterFrame = () => new Promise((resolve) => {
  requestAnimationFrame(() => setTimeout(resolve));
  setTimeout(resolve, 100);
});

async function start() {
  // Where the core must compile in the background, the page is laid out (and
  // the fixed layout's captions fitted) meanwhile.
  const core = loadCore();
  await loadFont();
  addEventListener('resize', layout);
  watchScreen();
  // Placed at once only while the core still compiles in the background.
  if (!wasm) layout();
  prepareCanvases();
  await core;
  wasm.nb_init(trace ? 1 : 0, trace ? 0 : crypto.getRandomValues(new Uint32Array(1))[0]);
  wireBoxes();
  wireSteps();
  wireButtons();
  wireHints();
  wireAbout();
  wireSpeech();
  watchPictures();
  // Start-up: the defaults, the first field and the timer; the About panel follows.
  run(() => wasm.nb_load());
  boxes.forEach(fitBox);
  // Placed once everything is written: one layout for the first frame.
  layout();
  // The field goes to the screen first; the pictures and the About panel a frame later.
  await afterFrame();
  // Fitted again with the styles and the font as they ended up: a caption
  // measured before either had settled would be left uncondensed and cut.
  fitAll(true);
  showPictures();  // placed by the layout that opens or closes the About panel below
  started = true;
  handOver();
  if (wasm.nb_about_shown()) openAbout();
  else closeAbout(false);  // the About button was pressed meanwhile
  attachTrace();
  startClock();
}

start().catch((e) => {
  console.error(e);
  // Too old a browser (no WebAssembly) or a broken copy of the file: say so.
  const note = document.createElement('p');
  note.className = 'noscript';
  note.setAttribute('role', 'alert');
  note.textContent = 'ノボリアを始められませんでした。新しいブラウザで開いてください。';
  document.body.insertBefore(note, document.body.firstChild);
});
