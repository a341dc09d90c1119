// ---- Fitting text to its place ------------------------------------------------
// A caption or a box's text wider than its place is condensed sideways, by
// whole percent, down to a floor; the control keeps its place and outer width.

const LABEL_MINIMUM = 0.70, BOX_MINIMUM = 0.85;
const BOX_CHROME = 5;  // a box's border and padding in noboria.css: the rest of its width holds its text

const measure = document.createElement('canvas').getContext('2d');
const fonts = new Map();
let measureFont = '';

// An element's font at a size, as the canvas takes it; a text's width in it.
const fontAt = (s, px) => `${s.fontStyle} ${s.fontWeight} ${px}px ${s.fontFamily}`;
function widthIn(font, text) {
  // Setting a font parses it again even when it is the same: only on a change.
  if (font !== measureFont) measure.font = measureFont = font;
  return measure.measureText(text).width;
}

function textWidth(el, text) {
  let font = fonts.get(el);
  if (!font) {
    // As the fixed layout sizes it, whichever layout shows: only that one condenses.
    const s = getComputedStyle(el);
    font = fontAt(s, parseFloat(s.fontSize) / (touchText || 1));
    fonts.set(el, font);
  }
  return widthIn(font, text);
}

// A style a control was written with (its width, a font size, a picture's
// place): read once, from the markup, never from layout, to be given back.
function written(el, property) {
  el.written ??= {};
  return (el.written[property] ??= el.style[property]);
}
const baseWidth = (el) => parseFloat(written(el, 'width'));

function condense(el, text, room, minimum) {
  const natural = textWidth(el, text);
  let scale = 1;
  if (natural > room) {
    const fitting = Math.floor(100 * room / natural) / 100;
    if (fitting >= minimum) scale = fitting;
  }
  if (el.scale === scale) return;
  el.scale = scale;
  el.style.width = `${baseWidth(el) / scale}px`;
  el.style.transform = scale === 1 ? '' : `scaleX(${scale})`;
}

const fitLabel = (el, text = el.textContent) => condense(el, text, baseWidth(el), LABEL_MINIMUM);
const fitBox = (box) => condense(box, box.value, baseWidth(box) - BOX_CHROME, BOX_MINIMUM);

// A caption left as it is (the About window's) runs past its place where it
// is wider, rather than lose its end.
function letRun(el) {
  if (el.classList.contains('wrap')) return;
  el.classList.toggle('spills', textWidth(el, el.textContent) > baseWidth(el));
}

// The About texts keep the desktop's lines in the touch layout too: where
// its panel is narrower than their widest, their font is made smaller to
// fit rather than cut them. Read first, then written.
const lineLabels = [...document.querySelectorAll('.label.lines')];
function fitLines() {
  for (const el of lineLabels) el.style.fontSize = written(el, 'fontSize');
  if (!touchText) return;
  const fits = lineLabels.filter((el) => el.offsetWidth).map((el) => {
    const s = getComputedStyle(el);
    const size = parseFloat(s.fontSize);
    const lines = el.firstElementChild.textContent.split('\n');
    return { el, size, room: el.clientWidth, widest: Math.max(...lines.map((l) => widthIn(fontAt(s, size), l))) };
  });
  for (const { el, size, room, widest } of fits) {
    if (widest > room) el.style.fontSize = `${Math.floor(4 * size * room / widest) / 4}px`;
  }
}

// The main window's captions fitted, their fonts and the other controls'
// read first in one pass before anything is written: one style computation.
// `fresh` forgets the fonts read before, for when the styles and the font
// have settled since, and fits the rest too.
const fittedLabels = [...document.querySelectorAll('.label.fit')];
const freeLabels = [...document.querySelectorAll('.label.free')];
let fitted = false;  // the touch layout's first frame needs no fitting: it waits
function fitAll(fresh) {
  fitted = true;
  if (fresh) {
    fonts.clear();
    measureFont = '';
  }
  for (const el of [...fittedLabels, ...(fresh ? freeLabels : []), ...boxes]) textWidth(el, '');
  fittedLabels.forEach((el) => fitLabel(el));
  if (!fresh) return;
  freeLabels.forEach(letRun);
  boxes.forEach(fitBox);
}
