// ---- Placing the panels in the viewport ---------------------------------------
// Narrower than the main panel: everything shrinks to fit. Wider: whole steps
// of device pixels, so that sprites stay sharp, as large as the two panels
// side by side allow (or the main one alone, if the pair never fits). The
// About panel stands beside the main one when there is room, else over its
// right part, as far right as the viewport allows.

const MARGIN = 8;
const desk = $('desk');
const mainPanel = $('main_window');

function layout() {
  const viewWidth = document.documentElement.clientWidth || innerWidth;
  const viewHeight = innerHeight;
  const ratio = devicePixelRatio || 1;
  // The panels' sizes are the style sheet's: read once, not at every opening of the About panel.
  if (!layout.sizes || !layout.sizes.about) {
    layout.sizes = { main: [mainPanel.offsetWidth, mainPanel.offsetHeight], about: about.offsetWidth };
  }
  const [mainWidth, mainHeight] = layout.sizes.main;
  const aboutWidth = layout.sizes.about || FORM.about.width;
  const needWidth = mainWidth + 2 * MARGIN, needHeight = mainHeight + 2 * MARGIN;
  const pairWidth = needWidth + aboutWidth + MARGIN;
  const wholeSteps = (width) => Math.floor(Math.min(viewWidth / width, viewHeight / needHeight) * ratio + 1e-6) / ratio;
  let scale = 1;
  if (viewWidth < needWidth) scale = viewWidth / needWidth;
  else if (wholeSteps(pairWidth) >= 1) scale = wholeSteps(pairWidth);
  else if (wholeSteps(needWidth) > 1) scale = wholeSteps(needWidth);
  mainPanel.style.left = `${MARGIN}px`;
  mainPanel.style.top = `${MARGIN}px`;
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
