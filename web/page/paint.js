// ---- Painting the field, the graph and the pictures ------------------------------

const fieldContext = $('field').getContext('2d');
const graphContext = $('graph').querySelector('canvas').getContext('2d');

// The field (0) or the graph (1): only the part the core says changed.
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

// The canvases' stores made at once rather than at the first day's picture:
// one pixel each, in the colour the painters start from.
function prepareCanvases() {
  fieldContext.fillStyle = FORM.main.ground;
  fieldContext.fillRect(0, 0, 1, 1);
  graphContext.fillStyle = '#fff';
  graphContext.fillRect(0, 0, 1, 1);
}

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
  canvas.getContext('2d').putImageData(image, 0, 0);
}

function showPictures() {
  for (const canvas of document.querySelectorAll('canvas[data-picture]')) {
    drawPicture(canvas, picture(Number(canvas.dataset.picture)));
  }
  const icon = picture(FORM.iconPicture);
  for (const canvas of document.querySelectorAll('.titlebar .icon canvas')) drawPicture(canvas, icon);
  if (!icon) return;
  // The tab's icon is a PNG to encode: after the first picture of the field, not before it.
  setTimeout(() => {
    const link = document.querySelector('link[rel=icon]');
    try { link.href = document.querySelector('.titlebar .icon canvas').toDataURL('image/png'); } catch (e) { /* keep none */ }
  });
}
