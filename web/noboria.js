// The page's front end: loads the WebAssembly core, forwards every event of
// the controls to it and shows what it reads back (texts, step values, cues,
// captions, Timer1, the field and the graph). It holds no rule of the game.
'use strict';

(function () {
  // Defined only by the trace driver (tools/noboria-trace-web.mjs), before
  // this script runs: draw() then gives every random number, the timer never
  // fires by itself, and once started the page hands the driver what it
  // needs with attach({ core, run, timer, beeps }).
  const trace = globalThis.noboriaTrace;
  const $ = (id) => document.getElementById(id);

  const BOX_IDS = ['p_text', 'Z_text', 'Zh_text', 'ze_text', 'l_text', 'lh_text', 'le_text', 'lm_text', 'lK_text', 'speed'];
  const BAR_IDS = ['HS0', 'HS1', 'HS2', 'HS3', 'HS4', 'HS5', 'HS6', 'HS7', 'HS8', 'HSsp'];
  const CAPTION_IDS = ['daycap', 'z_suu', 'l_suu'];
  // What nb_changes reports, bit by bit.
  const TEXTS = 1, BARS = 2, CUES = 4, CAPTIONS = 8, TIMER = 16, FIELD = 32, GRAPH = 64, FOCUS = 128, BEEP = 256;
  // Pictures of the embedded table, by number.
  const PICTURE = { legend_herbivore: 9, legend_carnivore: 10, icon: 11, about_zebra: 12 };
  // The smallest horizontal scale a caption or a box's text is condensed to; below it the text is left as is.
  const LABEL_MINIMUM = 0.70, BOX_MINIMUM = 0.85;
  const BOX_WIDTH = 25, BOX_ROOM = 20;  // a box's pixels, and those it gives its text
  const REPEAT_DELAY = 500, REPEAT_INTERVAL = 50;  // a held arrow, as a scroll bar's
  const CATCH_UP_LIMIT = 1000;  // ms a late Timer1 may still make up

  const CAPTION = 'ノボリア\u3000Ｖｅｒ2.0\u3000\u3000Feb,2007' + ' '.repeat(40) + '\u3000'.repeat(9) +
    'programed\u3000by\u3000Ostel.Vanrimo\u3000';
  const URL_MESSAGE = 'クリックボードにURLを転送しました。ブラウザに貼り付けてHPを訪れてください';
  const MAIL_MESSAGE = 'クリックボードにメールアドレスを転送しました。メーラーに貼り付けてメールをお願いします';

  let wasm = null;
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();
  const boxes = BOX_IDS.map($);
  const bars = BAR_IDS.map($);
  const captions = CAPTION_IDS.map($);
  const hints = BOX_IDS.map(() => '');
  let beeps = 0;

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

  // ---- Fitting text to its box ------------------------------------------------

  const measure = document.createElement('canvas').getContext('2d');
  const fonts = new Map();
  let measureFont = '';

  function textWidth(el, text) {
    let font = fonts.get(el);
    if (!font) {
      const s = getComputedStyle(el);
      font = `${s.fontStyle} ${s.fontWeight} ${s.fontSize} ${s.fontFamily}`;
      fonts.set(el, font);
    }
    // Setting a font parses it again even when it is the same: only on a change.
    if (font !== measureFont) measure.font = measureFont = font;
    return measure.measureText(text).width;
  }

  // Condenses el horizontally so that text fits room, by whole percent, not
  // below minimum; the control keeps its place and outer width.
  function condense(el, text, room, minimum) {
    // Read once, from the markup or the style sheet, never from layout.
    if (el.baseWidth === undefined) el.baseWidth = parseFloat(el.style.width) || BOX_WIDTH;
    const natural = textWidth(el, text);
    let scale = 1;
    if (natural > room) {
      const fitting = Math.floor(100 * room / natural) / 100;
      if (fitting >= minimum) scale = fitting;
    }
    if (el.scale === scale) return;
    el.scale = scale;
    el.style.width = `${el.baseWidth / scale}px`;
    el.style.transform = scale === 1 ? '' : `scaleX(${scale})`;
  }

  const fitLabel = (el, text = el.textContent) => condense(el, text, el.baseWidth || parseFloat(el.style.width), LABEL_MINIMUM);
  const fitBox = (box) => condense(box, box.value, BOX_ROOM, BOX_MINIMUM);

  // ---- Showing what the core says --------------------------------------------

  const fieldContext = $('field').getContext('2d');
  const graphContext = $('gra').getContext('2d');

  function paint(which, context) {
    const width = wasm.nb_pixels_width(which);
    const height = wasm.nb_pixels_height(which);
    const at = wasm.nb_pixels(which);
    if (!at || !width || !height) return;
    const data = new Uint8ClampedArray(wasm.memory.buffer, at, width * height * 4);
    const [x, y, w, h] = [0, 1, 2, 3].map((part) => wasm.nb_shown(which, part));
    if (w > 0 && h > 0) context.putImageData(new ImageData(data, width, height), 0, 0, x, y, w, h);
    // For timing the start-up from outside (the benchmarks).
    if (which === 0 && !paint.marked && performance.mark) {
      paint.marked = true;
      performance.mark('noboria-field-painted');
    }
  }

  function show() {
    const changes = wasm.nb_changes();
    if (changes & TEXTS) {
      boxes.forEach((box, i) => {
        const text = got(wasm.nb_text(i));
        if (box.value !== text) box.value = text;
        fitBox(box);
      });
    }
    if (changes & BARS) bars.forEach((bar, i) => bar.setAttribute('aria-valuenow', wasm.nb_bar_value(i)));
    if (changes & CUES) {
      boxes.forEach((box, i) => {
        const cued = wasm.nb_cued(i) !== 0;
        hints[i] = cued ? got(wasm.nb_hint(i)) : '';
        box.classList.toggle('cue', cued);
        if (cued) box.setAttribute('aria-invalid', 'true');
        else box.removeAttribute('aria-invalid');
        if (tooltip.owner === box) showTooltip(box);
      });
    }
    if (changes & CAPTIONS) {
      captions.forEach((label, i) => {
        const text = got(wasm.nb_caption(i));
        if (label.textContent === text) return;
        // daycap follows its text, measured before anything is written so that
        // measuring needs no fresh style; the counts keep the fit of their first caption.
        if (i === 0) fitLabel(label, text);
        // The text node kept and its data changed: cheaper than a new node every day.
        const node = label.firstChild;
        if (node && node.nodeType === Node.TEXT_NODE && !node.nextSibling) node.data = text;
        else label.textContent = text;
      });
    }
    if (changes & TIMER) Timer1.set(wasm.nb_timer_on() !== 0, wasm.nb_timer_interval());
    if (changes & FIELD) paint(0, fieldContext);
    if (changes & GRAPH) paint(1, graphContext);
    if (changes & FOCUS) {
      const i = wasm.nb_focus();
      if (i >= 0) {
        boxes[i].focus();
        boxes[i].select();
      }
    }
    if (changes & BEEP) {
      const total = wasm.nb_beeps();
      while (beeps < total) bell();
    }
    if (changes & (CAPTIONS | FIELD)) updateSummaries(false);
  }

  // Runs one call into the core, then shows the result.
  function run(call) {
    call();
    show();
  }

  // ---- Timer1 -------------------------------------------------------------------

  // Fires every `interval` ms while on, keeping to its schedule on average:
  // each tick is planned from the last planned time, not from when it ran.
  const Timer1 = {
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
    live() { return this.on && this.interval > 0 && !trace; },
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

  // ---- The bell -------------------------------------------------------------------

  let audio = null;
  function wakeAudio() {
    const Context = globalThis.AudioContext || globalThis.webkitAudioContext;
    if (!Context) return;
    try {
      if (!audio) audio = new Context();
      if (audio.state !== 'running') audio.resume().catch(() => {});
    } catch (e) {
      audio = null;
    }
  }
  document.addEventListener('pointerdown', wakeAudio, true);
  document.addEventListener('keydown', wakeAudio, true);

  // One short bell; silent until the page has had a first touch or key press.
  function bell() {
    ++beeps;
    if (!audio || audio.state === 'closed') return;
    // A context the browser has suspended since (another tab, power saving) rings once it is back.
    // A bell that comes much later would only puzzle: after a second it is dropped.
    const asked = performance.now();
    if (audio.state !== 'running') audio.resume().then(() => { if (performance.now() - asked < 1000) ring(); }, () => {});
    else ring();
  }

  function ring() {
    const t = audio.currentTime;
    const tone = audio.createOscillator();
    const level = audio.createGain();
    tone.type = 'sine';
    tone.frequency.setValueAtTime(1320, t);
    level.gain.setValueAtTime(0.0001, t);
    level.gain.exponentialRampToValueAtTime(0.3, t + 0.005);
    level.gain.exponentialRampToValueAtTime(0.0001, t + 0.25);
    tone.connect(level).connect(audio.destination);
    tone.start(t);
    tone.stop(t + 0.26);
  }

  // ---- The controls -------------------------------------------------------------------

  function wireBoxes() {
    boxes.forEach((box, i) => {
      box.setAttribute('inputmode', 'decimal');
      box.setAttribute('autocomplete', 'off');
      box.setAttribute('autocorrect', 'off');
      box.setAttribute('autocapitalize', 'off');
      box.setAttribute('spellcheck', 'false');
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

  function wireBars() {
    bars.forEach((bar, i) => {
      bar.setAttribute('role', 'spinbutton');
      bar.setAttribute('tabindex', '0');
      bar.setAttribute('aria-valuemin', wasm.nb_bar_min(i));
      bar.setAttribute('aria-valuemax', wasm.nb_bar_max(i));
      bar.setAttribute('aria-valuenow', wasm.nb_bar_value(i));
      // As a click on the bar that lands on value.
      bar.setValue = (value) => run(() => wasm.nb_bar_set(i, Number(value) | 0));
      const step = (delta) => run(() => wasm.nb_bar_step(i, delta));
      for (const delta of [-1, 1]) {
        const arrow = document.createElement('button');
        arrow.type = 'button';
        arrow.tabIndex = -1;
        arrow.setAttribute('aria-hidden', 'true');
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
        bar.appendChild(arrow);
      }
      bar.addEventListener('keydown', (e) => {
        const keys = { ArrowLeft: -1, ArrowDown: -1, PageDown: -1, ArrowRight: 1, ArrowUp: 1, PageUp: 1 };
        if (e.key in keys) step(keys[e.key]);
        else if (e.key === 'Home') bar.setValue(wasm.nb_bar_min(i));
        else if (e.key === 'End') bar.setValue(wasm.nb_bar_max(i));
        else return;
        e.preventDefault();
      });
    });
  }

  function wireButtons() {
    $('sim_com').addEventListener('click', () => run(() => wasm.nb_sim_com()));
    $('Command2').addEventListener('click', () => run(() => wasm.nb_command2()));
    $('Command1').addEventListener('click', () => {
      if (about.hidden) openAbout(true);
      else closeAbout(false);
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
    const left = Math.min(box.offsetLeft, 664 - tooltip.offsetWidth - 4);
    const below = box.offsetTop + box.offsetHeight + 2;
    tooltip.style.left = `${Math.max(2, left)}px`;
    tooltip.style.top = `${below + tooltip.offsetHeight > 518 ? box.offsetTop - tooltip.offsetHeight - 2 : below}px`;
  }
  function hideTooltip() {
    clearTimeout(tooltip.timer);
    if (tooltip.owner) tooltip.owner.removeAttribute('aria-describedby');
    tooltip.owner = null;
    tooltip.hidden = true;
  }

  // ---- What a screen reader reads of the field and the graph -------------------

  function updateSummaries(force) {
    const field = $('field_summary');
    const graph = $('gra_summary');
    const active = document.activeElement;
    if (!force && active !== field && active !== graph && active !== $('field') && active !== $('gra')) return;
    const summary = got(wasm.nb_summary());
    field.textContent = `フィールド：${summary}`;
    graph.textContent = `グラフ：${summary}`;
  }

  // ---- The About panel and the message box ---------------------------------------

  const about = $('Form2');
  let aboutOpener = null;

  function openAbout(fromButton) {
    about.hidden = false;
    $('Command1').setAttribute('aria-expanded', 'true');
    aboutOpener = fromButton ? $('Command1') : null;
    layout();
    $('Form2_OK').focus();
  }

  function closeAbout(moveFocus) {
    about.hidden = true;
    $('Command1').setAttribute('aria-expanded', 'false');
    layout();
    if (moveFocus || about.contains(document.activeElement)) (aboutOpener || $('sim_com')).focus();
  }

  async function copyText(text) {
    try {
      if (navigator.clipboard && navigator.clipboard.writeText) {
        await navigator.clipboard.writeText(text);
        return;
      }
    } catch (e) {
      // Refused (a file:// page, no permission): the older way below.
    }
    const area = document.createElement('textarea');
    area.value = text;
    area.setAttribute('readonly', '');
    area.style.position = 'fixed';
    area.style.top = '0';
    area.style.opacity = '0';
    document.body.appendChild(area);
    area.select();
    try { document.execCommand('copy'); } catch (e) { /* the program goes on without it */ }
    area.remove();
  }

  const modal = $('modal');
  let modalReturn = null;
  function message(text, from) {
    $('msgbox_text').textContent = text;
    modalReturn = from;
    modal.hidden = false;
    if ('inert' in HTMLElement.prototype) $('desk').inert = true;
    $('msgbox_ok').focus();
  }
  function closeMessage() {
    if (modal.hidden) return;
    modal.hidden = true;
    if ('inert' in HTMLElement.prototype) $('desk').inert = false;
    if (modalReturn) modalReturn.focus();
  }

  function wireAbout() {
    $('Form2_OK').addEventListener('click', () => closeAbout(true));
    about.addEventListener('keydown', (e) => {
      if (e.key === 'Escape' || ((e.key === 'Enter') && !e.target.classList.contains('link'))) {
        e.preventDefault();
        closeAbout(true);
      }
    });
    const url = $('Label4').textContent;
    const mail = $('Label6').textContent;
    const links = [['Label3', url, URL_MESSAGE], ['Label4', url, URL_MESSAGE], ['Label6', mail, MAIL_MESSAGE]];
    for (const [id, address, text] of links) {
      const link = $(id);
      const activate = () => {
        copyText(address);
        message(text, link);
      };
      link.addEventListener('click', activate);
      link.addEventListener('keydown', (e) => {
        if ((e.key === 'Enter' || e.key === ' ') && !e.repeat) {
          e.preventDefault();
          activate();
        }
      });
    }
    $('msgbox_ok').addEventListener('click', closeMessage);
    modal.addEventListener('keydown', (e) => {
      if (e.key === 'Escape' || e.key === 'Enter') {
        e.preventDefault();
        closeMessage();
      } else if (e.key === 'Tab') {
        e.preventDefault();  // the box's one button keeps the focus
      }
    });
  }

  // ---- Pictures ------------------------------------------------------------------

  function picture(id) {
    const at = wasm.nb_picture(id);
    const width = wasm.nb_picture_width();
    const height = wasm.nb_picture_height();
    if (!at || !width || !height) return null;
    return new ImageData(new Uint8ClampedArray(wasm.memory.buffer, at, width * height * 4).slice(), width, height);
  }

  function drawPicture(canvas, image) {
    if (!image) return;
    canvas.width = image.width;
    canvas.height = image.height;
    canvas.style.width = `${image.width}px`;
    canvas.style.height = `${image.height}px`;
    canvas.getContext('2d').putImageData(image, 0, 0);
  }

  function showPictures() {
    drawPicture($('Picture1'), picture(PICTURE.legend_herbivore));
    drawPicture($('Picture3'), picture(PICTURE.legend_carnivore));
    drawPicture($('Form2_Picture1'), picture(PICTURE.about_zebra));
    const icon = picture(PICTURE.icon);
    if (!icon) return;
    for (const canvas of document.querySelectorAll('.titlebar .icon')) {
      canvas.width = icon.width;
      canvas.height = icon.height;
      canvas.getContext('2d').putImageData(icon, 0, 0);
    }
    // The tab's icon is a PNG to encode: after the first picture of the field, not before it.
    setTimeout(() => {
      const link = document.querySelector('link[rel=icon]');
      try { link.href = document.querySelector('.titlebar .icon').toDataURL('image/png'); } catch (e) { /* keep none */ }
    });
  }

  // ---- Placing the panels in the viewport ---------------------------------------

  const MARGIN = 8;
  const desk = $('desk');
  const main = $('form1');

  // Narrower than the main panel: everything shrinks to fit. Wider: whole steps
  // of device pixels, so that sprites stay sharp, as large as the two panels
  // side by side allow (or the main one alone, if the pair never fits). The
  // About panel stands beside the main one when there is room, else over its
  // right part, as far right as the viewport allows.
  function layout() {
    const viewWidth = document.documentElement.clientWidth || innerWidth;
    const viewHeight = innerHeight;
    const ratio = devicePixelRatio || 1;
    // The panels' sizes are the style sheet's: read once, not at every opening of the About panel.
    if (!layout.sizes || !layout.sizes.about) layout.sizes = { main: [main.offsetWidth, main.offsetHeight], about: about.offsetWidth };
    const [mainWidth, mainHeight] = layout.sizes.main;
    const aboutWidth = layout.sizes.about || 383;
    const needWidth = mainWidth + 2 * MARGIN, needHeight = mainHeight + 2 * MARGIN;
    const pairWidth = needWidth + aboutWidth + MARGIN;
    const wholeSteps = (width) => Math.floor(Math.min(viewWidth / width, viewHeight / needHeight) * ratio + 1e-6) / ratio;
    let scale = 1;
    if (viewWidth < needWidth) scale = viewWidth / needWidth;
    else if (wholeSteps(pairWidth) >= 1) scale = wholeSteps(pairWidth);
    else if (wholeSteps(needWidth) > 1) scale = wholeSteps(needWidth);
    main.style.left = `${MARGIN}px`;
    main.style.top = `${MARGIN}px`;
    const roomy = pairWidth * scale <= viewWidth;
    const left = roomy ? needWidth : Math.max(MARGIN, Math.floor(viewWidth / scale) - aboutWidth - MARGIN);
    about.style.left = `${left}px`;
    about.style.top = `${MARGIN}px`;
    const deskWidth = roomy && !about.hidden ? pairWidth : needWidth;
    desk.style.width = `${deskWidth}px`;
    desk.style.height = `${needHeight}px`;
    desk.style.transform = scale === 1 ? '' : `scale(${scale})`;
    // Rounded up, but not past a scale that fills the view exactly: no stray scroll bar.
    document.body.style.width = `${Math.ceil(deskWidth * scale - 1e-6)}px`;
    document.body.style.height = `${Math.ceil(needHeight * scale)}px`;
  }

  // ---- Start-up -------------------------------------------------------------------

  // Resolves once the browser has shown a frame (or after a tenth of a second
  // where it shows none, as in a tab in the background).
  const afterFrame = () => new Promise((resolve) => {
    requestAnimationFrame(() => setTimeout(resolve));
    setTimeout(resolve, 100);
  });

  async function start() {
    $('form1_title').textContent = CAPTION;
    document.title = CAPTION;
    // Where the core must compile in the background, the captions are fitted meanwhile.
    const core = loadCore();
    await loadFont();
    // Every font read in one pass, before anything is written: one style computation.
    const fitted = [...document.querySelectorAll('.label.fit')];
    for (const el of [...fitted, ...boxes]) textWidth(el, '');
    fitted.forEach(fitLabel);
    addEventListener('resize', layout);
    // Placed at once only while the core still compiles in the background.
    if (!wasm) layout();
    // The canvases' stores, made now rather than at the first day's picture.
    fieldContext.fillStyle = '#ffffc0';
    fieldContext.fillRect(0, 0, 1, 1);
    graphContext.fillStyle = '#ffffff';
    graphContext.fillRect(0, 0, 1, 1);
    await core;
    let seed = 0;
    if (!trace) seed = crypto.getRandomValues(new Uint32Array(1))[0];
    wasm.nb_init(trace ? 1 : 0, seed);
    wireBoxes();
    wireBars();
    wireButtons();
    wireAbout();
    for (const id of ['field_summary', 'gra_summary', 'field', 'gra'])
      $(id).addEventListener('focus', () => updateSummaries(true));
    // Form_Load: the start-up defaults, then the About panel beside the main one.
    run(() => wasm.nb_form_load());
    boxes.forEach(fitBox);
    // Placed once everything is written: one layout for the first frame.
    layout();
    // The field goes to the screen first; the pictures and the About panel a frame later.
    await afterFrame();
    // Fitted again with the styles and the font as they ended up: a caption
    // measured before either had settled would be left uncondensed and cut.
    fonts.clear();
    measureFont = '';
    for (const el of [...fitted, ...boxes]) textWidth(el, '');
    fitted.forEach((el) => fitLabel(el));
    boxes.forEach(fitBox);
    showPictures();
    updateSummaries(true);
    openAbout(false);
    if (trace) trace.attach({ core: wasm, run, timer: () => [Timer1.on, Timer1.interval], beeps: () => beeps });
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
})();
