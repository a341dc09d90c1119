// ---- Placing the panels in the viewport ---------------------------------------
// Two layouts of the same controls in the same order.
// The fixed one, the windows as drawn, fills the viewport by any factor, as
// long as every target then stays at least 24 CSS pixels (44 where the
// pointer is a finger): FORM.smallestTarget is its smallest side. The About
// panel stands beside the main one or below it, whichever leaves the larger
// scale; where neither reaches that size, it opens over the field.
// Below that, the touch layout (body.touch, see noboria.css): the grid that
// fold.py writes from the description, in one column, or two where the page
// is wide, with larger text and targets of at least 44 pixels. Its About
// panel stands beside the main one where there is room, else over the field.
// Browser zoom: the page keeps the scale it had before, so that everything
// grows with the zoom; where the panels then no longer fit, the touch layout
// takes over, its text at least as large.

const MARGIN = 8;
const TITLE = 25;                 // a window's title bar and its line
const TOUCH_TEXT = 4 / 3;         // the touch layout's text against the fixed one's: 16 px in a box
const TOUCH_NARROWEST = 320;      // the width the touch layout fits at TOUCH_TEXT
const TOUCH_PICTURES = 250;       // the least width of its pictures' column beside the controls, at TOUCH_TEXT
const TOUCH_LINE = 50;            // a line of controls beside them, at TOUCH_TEXT
const ABOUT_WIDTH = 400;          // the About panel's width in the touch layout, at TOUCH_TEXT
// The touch layout's measures in noboria.css, so that the pictures can be
// sized before it is laid out: the main panel's widest single column (a
// border box) and the other columns beside the pictures' (per text scale),
// its padding and border, the gaps beside the pictures' column, and what the
// graph's frame adds. Should they part, checkGrowth() makes up for it.
const TOUCH_COLUMN = 450;
const TOUCH_TRACKS = 216 + 48 + 70;
const TOUCH_CHROME = 2 * 8 + 2;
const TOUCH_GAPS = 3 * 12;
const GRAPH_CHROME = 4;
const desk = $('desk');
const mainPanel = $('main_window');
const coarse = matchMedia('(pointer: coarse)');
const panels = {
  main: [FORM.main.width + 2, FORM.main.height + TITLE + 2],
  about: [FORM.about.width + 2, FORM.about.height + TITLE + 2],
};
// Browser zoom changes the pixel ratio and keeps the viewport's device
// pixels; a screen of another ratio changes both.
// (Read at the first layout: innerWidth lays the page out.)
const view = { ratio: 0, device: 0, zoom: 1 };

function followZoom() {
  const ratio = devicePixelRatio || 1;
  const device = innerWidth * ratio;
  if (view.ratio && ratio !== view.ratio && Math.abs(device - view.device) <= 0.04 * view.device) {
    view.zoom *= ratio / view.ratio;
  }
  view.ratio = ratio;
  view.device = device;
}

// The fixed layout's arrangement for a viewport, or null where its targets would be too small.
function arrangement(width, height) {
  const [mainWidth, mainHeight] = panels.main;
  const [aboutWidth, aboutHeight] = panels.about;
  const fit = (w, h) => ({ w, h, scale: Math.min(width / w, height / h) });
  const beside = { ...fit(mainWidth + aboutWidth + 3 * MARGIN, Math.max(mainHeight, aboutHeight) + 2 * MARGIN), about: 'beside' };
  const below = { ...fit(Math.max(mainWidth, aboutWidth) + 2 * MARGIN, mainHeight + aboutHeight + 3 * MARGIN), about: 'below' };
  const over = { ...fit(mainWidth + 2 * MARGIN, mainHeight + 2 * MARGIN), about: 'over' };
  const least = ((coarse.matches ? 44 : 24) + 0.5) / FORM.smallestTarget;
  return [beside.scale >= below.scale ? beside : below, over].find((a) => a.scale >= least) ?? null;
}

let touchText = 0;  // the touch layout's text scale; 0 in the fixed layout
let panelScale = 1;  // the fixed layout's scale; 1 in the touch layout

function layout() {
  followZoom();
  const width = document.documentElement.clientWidth || innerWidth;
  const height = innerHeight;
  desk.hidden = false;
  // Chosen for the viewport as it was before the zoom, then kept.
  const fixed = arrangement(width * view.zoom, height * view.zoom);
  if (fixed && fixed.w * fixed.scale <= width + 0.5 && fixed.h * fixed.scale <= height + 0.5) {
    placeFixed(fixed, width);
  } else {
    const text = Math.max(TOUCH_TEXT, fixed ? fixed.scale : 0);
    placeTouch(Math.min(text, Math.max(TOUCH_TEXT, TOUCH_TEXT * width / TOUCH_NARROWEST)), width, height);
  }
  placePictures();
  checkGrowth();
}

// Laid out again when the pointer or the pixel ratio changes without a
// resize (a mouse plugged in, the window moved to another screen).
function watchScreen() {
  coarse.addEventListener('change', layout);
  const ratio = () => matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener('change', () => {
    layout();
    ratio();
  }, { once: true });
  ratio();
}

function setMode(text) {
  if (text === touchText) return;
  const body = document.body.classList;
  body.toggle('touch', text > 0);
  desk.style.setProperty('--t', text || 1);
  touchText = text;
}

function placeFixed(a, width) {
  setMode(0);
  fitLines();
  ungrowPictures();
  if (!fitted) fitAll(false);
  document.body.classList.remove('wide');
  const [mainWidth, mainHeight] = panels.main;
  const [aboutWidth, aboutHeight] = panels.about;
  mainPanel.style.left = `${MARGIN}px`;
  mainPanel.style.top = `${MARGIN}px`;
  mainPanel.style.marginRight = '';
  let left = MARGIN + mainWidth + MARGIN;
  let top = MARGIN;
  if (a.about === 'below') [left, top] = [MARGIN, MARGIN + mainHeight + MARGIN];
  if (a.about === 'over') {
    // Centred on the field, within the panel.
    const [x, y, w, h] = FORM.fieldPlace;
    left = Math.max(MARGIN, MARGIN + 1 + x + (w - aboutWidth) / 2);
    top = Math.max(MARGIN, MARGIN + TITLE + 1 + y + (h - aboutHeight) / 2);
  }
  about.style.left = `${left}px`;
  about.style.top = `${top}px`;
  about.style.width = '';
  about.style.right = '';
  about.classList.toggle('card', a.about === 'over');
  // Centred across; the scale counts the About panel whether it shows or not,
  // so nothing moves when it closes. Zoomed rather than transformed: laid
  // out at its size, every place can fall on a device pixel.
  desk.style.width = `${a.w}px`;
  desk.style.height = `${a.h}px`;
  desk.style.marginLeft = `${Math.max(0, (width / a.scale - a.w) / 2)}px`;
  desk.style.zoom = a.scale;
  panelScale = a.scale;
  touchGrowth = null;
}

function placeTouch(text, width, height) {
  setMode(text);
  const unit = text / TOUCH_TEXT;
  const aboutWidth = Math.min(ABOUT_WIDTH * unit, width - 2 * MARGIN);
  // Two columns on a landscape screen where the pictures keep some room
  // beside the controls; the About panel beside them where a field of its
  // width still fits.
  const [fieldCanvas, graphCanvas] = growing.map((item) => item.querySelector('canvas'));
  const controls = TOUCH_CHROME + TOUCH_GAPS + TOUCH_TRACKS * text;
  // (and the field keeps at least one device pixel per pixel there)
  const twoColumns = controls + Math.max(TOUCH_PICTURES * unit, fieldCanvas.width / (devicePixelRatio || 1));
  const beside = !about.hidden && width - 3 * MARGIN - aboutWidth >= controls + FORM.fieldPlace[2] * unit;
  const mainWidth = width - 2 * MARGIN - (beside ? aboutWidth + MARGIN : 0);
  document.body.classList.toggle('wide', width > height && mainWidth >= twoColumns);
  desk.style.width = '';
  desk.style.height = '';
  desk.style.marginLeft = '';
  desk.style.zoom = '';
  panelScale = 1;
  // The main panel takes the width the About panel leaves (less any scroll bar).
  mainPanel.style.left = '';
  mainPanel.style.top = '';
  mainPanel.style.marginRight = beside ? `${aboutWidth + 2 * MARGIN}px` : '';
  about.classList.toggle('card', !beside);
  // The field and the graph: in one column each at most a screen high; in
  // two, together as high as the controls beside them, or the screen. An
  // About panel over the field gets the field's width, and the field's place
  // grows to its height, so that it covers no control.
  const wide = document.body.classList.contains('wide');
  const content = (wide ? mainWidth : Math.min(mainWidth, TOUCH_COLUMN * text)) - TOUCH_CHROME;
  const column = wide ? content - TOUCH_GAPS - TOUCH_TRACKS * text : content;
  const screen = height - 2 * MARGIN - TITLE * unit - 16;
  const tall = wide ? Math.max(screen, FORM.touchLines * TOUCH_LINE * unit) : screen;
  const room = (canvas) => (wide ? tall * canvas.height / (fieldCanvas.height + graphCanvas.height) : tall);
  const field = $('field').parentElement;
  let card = 0;
  if (!about.hidden) {
    // Over the field, as wide as it (read: the About panel's height at that width).
    about.style.width = `${beside ? aboutWidth : Math.min(aboutWidth, column)}px`;
    fitLines();
    if (!beside) {
      const client = mainPanel.querySelector('.client');
      card = about.offsetHeight;
      about.style.right = '';
      about.style.left = `${mainPanel.offsetLeft + mainPanel.clientLeft + field.offsetLeft +
        Math.max(0, (column - about.offsetWidth) / 2)}px`;
      about.style.top = `${mainPanel.offsetTop + mainPanel.clientTop + client.offsetTop + field.offsetTop}px`;
    } else {
      about.style.left = 'auto';
      about.style.right = `${MARGIN}px`;
      about.style.top = `${MARGIN}px`;
    }
  }
  const least = (item) => (item === field ? card : 0);
  const reckoned = growing.map((item) => {
    const chrome = item === field ? 0 : GRAPH_CHROME;
    return { item, canvas: item.querySelector('canvas'), width: column - chrome, chrome };
  });
  growPictures(reckoned, room, least);
  touchGrowth = { room, least, widths: reckoned.map((r) => r.width) };
}

// The touch layout as laid out: where the pictures' columns came out other
// than reckoned (a style changed), they grow again from what they are.
let touchGrowth = null;
function checkGrowth() {
  if (!touchText || !touchGrowth) return;
  const measured = measureGrowing();
  if (measured.every((m, i) => Math.abs(m.width - touchGrowth.widths[i]) < 1)) return;
  growPictures(measured, touchGrowth.room, touchGrowth.least);
  placePictures();
}
