// ---- Pictures at whole device pixels ---------------------------------------------
// Every canvas keeps the picture's own pixels (the trace driver reads them
// there) and is shown at a whole number of device pixels per pixel, centred
// in its frame and starting on a device pixel, at any scale of the panels and
// any pixel ratio, so that no pixel comes out wider than its neighbour. A
// frame smaller than its picture (a narrow window at a ratio of 1) shows it
// whole, scaled down smoothly.

const frames = [...document.querySelectorAll('.frame')];
// What grows with the touch layout's width: the field and the graph.
const growing = [...document.querySelectorAll('.grows')];

const pictureOf = (frame) => frame.firstElementChild;
const canvasOf = (frame) => {
  const picture = pictureOf(frame);
  return picture.tagName === 'CANVAS' ? picture : picture.querySelector('canvas');
};

// Device pixels per picture pixel for a room of width × height CSS pixels.
function wholeSteps(canvas, width, height, ratio) {
  const steps = Math.min(width * ratio / canvas.width, height * ratio / canvas.height);
  return steps >= 1 ? Math.floor(steps + 1e-6) : steps;
}

// The touch layout: the field and the graph take their column's width.
// First read (widths, and what the item adds to its frame's height), then
// grown: as high as whole steps allow within `room(canvas)` CSS pixels of
// height, and at least `least(item)` high.
function measureGrowing() {
  return growing.map((item) => {
    const frame = item.classList.contains('frame') ? item : item.querySelector('.frame');
    // (offsetWidth: a box of no height has no clientWidth)
    return { item, canvas: canvasOf(frame), width: frame.offsetWidth, chrome: item.offsetHeight - frame.offsetHeight };
  });
}
function growPictures(measured, room, least) {
  const ratio = devicePixelRatio || 1;
  for (const { item, canvas, width, chrome } of measured) {
    // The touch layout scrolls downwards: a room lower than the picture at
    // one device pixel a pixel gives way; only the width can smooth it.
    const steps = wholeSteps(canvas, width, Math.max(room(canvas), canvas.height / ratio), ratio);
    written(item, 'height');  // the fixed layout's, which ungrowPictures() gives back
    item.style.height = `${Math.max(least(item), canvas.height * steps / ratio + chrome)}px`;
  }
}
function ungrowPictures() {
  for (const item of growing) item.style.height = written(item, 'height');
}

// `scale`: the panels' own (CSS pixels per pixel of the fixed layout, 1 in the touch layout).
function placePictures(scale = panelScale) {
  // (DOMRect's x and y can be moved; left and top follow.)
  const ratio = devicePixelRatio || 1;
  // All read first, then all written: one layout.
  const places = frames.map((frame) => {
    if (!frame.offsetWidth) return null;  // a hidden panel's
    // From the page's corner, not the viewport's: scrolling moves by whole device pixels.
    const box = frame.getBoundingClientRect();
    box.x += scrollX;
    box.y += scrollY;
    const canvas = canvasOf(frame);
    // (Frames have no borders: a border rounds to device pixels.)
    const [x, y] = [box.x, box.y];
    // (Not clientWidth: whole pixels, where the touch layout's heights are not.)
    const [width, height] = [box.width, box.height];
    const steps = wholeSteps(canvas, width, height, ratio);
    const across = canvas.width * steps;
    const down = canvas.height * steps;
    const left = Math.round(x * ratio + (width * ratio - across) / 2);
    const top = Math.round(y * ratio + (height * ratio - down) / 2);
    return { scale, x, y, steps, across, down, left, top };
  });
  frames.forEach((frame, i) => {
    const p = places[i];
    if (!p) return;
    const style = pictureOf(frame).style;
    style.left = `${(p.left / ratio - p.x) / p.scale}px`;
    style.top = `${(p.top / ratio - p.y) / p.scale}px`;
    style.width = `${p.across / ratio / p.scale}px`;
    style.height = `${p.down / ratio / p.scale}px`;
    canvasOf(frame).classList.toggle('smooth', p.steps < 1);
  });
}

// A text that changes its height in the touch layout (the day's, which holds
// the instruction until the first day) moves what lies below it: the
// pictures are placed again before the frame is drawn.
function watchPictures() {
  const watch = new ResizeObserver(() => { if (touchText && started) placePictures(); });
  for (const control of document.querySelectorAll('.client > *')) watch.observe(control);
}
