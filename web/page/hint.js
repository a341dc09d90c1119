// ---- A refused box's hint ----------------------------------------------------------
// The core's hint for a refused box shows beside it while the box has the
// focus (as the pupil types: no hover needed) or while the pointer rests on
// it, at the nearest place in the view where it covers no control, on one
// line, or on two before its bracketed part. A screen reader gets it as the
// box's description; the box itself says it is refused (aria-invalid, see show()).

const hint = $('tooltip');
const HINT_GAP = 3;      // px between the hint and what it lies beside
const HINT_SECOND = 24;  // px nearer a place on two lines must be than one on a line

// The rectangles the hint may not cover: every control of the windows shown,
// the About window whole, and the main window's title bar.
function hintObstacles() {
  const rects = [mainPanel.querySelector('.titlebar').getBoundingClientRect()];
  for (const el of mainPanel.querySelectorAll('.client > :not(.summary):not(.offscreen)')) {
    rects.push(el.getBoundingClientRect());
  }
  if (!about.hidden) rects.push(about.getBoundingClientRect());
  return rects.filter((r) => r.width > 0 && r.height > 0);
}

// The free place nearest the anchor for a hint of this size, or null.
function freePlace(anchor, width, height, obstacles) {
  const view = document.documentElement;
  const [right, bottom] = [view.clientWidth, view.clientHeight];
  const g = HINT_GAP;
  // The best places touch the anchor, another control or the view's edge.
  const xs = [anchor.right + g, anchor.left - width - g, anchor.left, anchor.right - width, g, right - width - g];
  const ys = [anchor.top, anchor.bottom + g, anchor.top - height - g, anchor.bottom - height, g, bottom - height - g];
  for (const r of obstacles) {
    xs.push(r.right + g, r.left - width - g);
    ys.push(r.bottom + g, r.top - height - g);
  }
  let best = null;
  for (const y of ys) {
    if (y < 0 || y + height > bottom) continue;
    for (const x of xs) {
      if (x < 0 || x + width > right) continue;
      const distance = Math.hypot(Math.max(0, anchor.left - x - width, x - anchor.right),
        Math.max(0, anchor.top - y - height, y - anchor.bottom));
      if (best && distance >= best.distance) continue;
      const covers = obstacles.some((r) => x < r.right + g && r.left < x + width + g && y < r.bottom + g &&
        r.top < y + height + g);
      if (!covers) best = { x, y, distance };
    }
  }
  return best;
}

// The touch layout has no free place near a box: the hint gets a line of its
// own under the box's row, whose controls keep a margin for it while it shows.
let roomMade = [];
// The box's row: its controls, and their span across the view.
function makeRoom(box) {
  const anchor = box.getBoundingClientRect();
  const middle = (r) => (r.top + r.bottom) / 2;
  roomMade = [...box.parentElement.children].filter((el) => {
    if (el.matches('.frame, .grows, .summary, .offscreen')) return false;
    const r = el.getBoundingClientRect();
    return r.height > 0 && middle(r) >= anchor.top && middle(r) <= anchor.bottom;
  });
  const rects = roomMade.map((el) => el.getBoundingClientRect());
  return { left: Math.min(...rects.map((r) => r.left)), right: Math.max(...rects.map((r) => r.right)) };
}
function setRoom(height) {
  for (const el of roomMade) el.style.marginBottom = `${height + 2 * HINT_GAP}px`;
}
function giveRoomBack() {
  for (const el of roomMade) el.style.marginBottom = '';
  roomMade = [];
  hint.style.whiteSpace = hint.style.maxWidth = '';
}

function showHint(box) {
  clearTimeout(hint.timer);
  giveRoomBack();
  const text = hints[boxes.indexOf(box)];
  if (!text) return hideHint();
  if (hint.owner && hint.owner !== box) hint.owner.removeAttribute('aria-describedby');
  hint.owner = box;
  box.setAttribute('aria-describedby', 'tooltip');
  // As large as the panel's text, and never smaller than the desktop's.
  const scale = touchText || mainPanel.getBoundingClientRect().width / mainPanel.offsetWidth || 1;
  hint.style.fontSize = `${Math.max(12, 12 * scale)}px`;
  hint.style.visibility = 'hidden';
  hint.hidden = false;
  const bracket = text.indexOf('（');
  const forms = bracket > 0 ? [text, `${text.slice(0, bracket)}\n${text.slice(bracket)}`] : [text];
  if (touchText) {
    // Under the row, within its width: on one line if it fits, else on two,
    // else wrapped to the row's width.
    const span = makeRoom(box);
    const fits = (form) => {
      hint.textContent = form;
      return hint.offsetWidth <= span.right - span.left;
    };
    const form = forms.find(fits) ?? forms.at(-1);
    hint.textContent = form;
    hint.style.whiteSpace = fits(form) ? '' : 'pre-wrap';
    hint.style.maxWidth = hint.style.whiteSpace ? `${span.right - span.left}px` : '';
    setRoom(hint.offsetHeight);
    const anchor = box.getBoundingClientRect();
    const left = Math.max(span.left, Math.min(anchor.left, span.right - hint.offsetWidth));
    hint.style.left = `${left + scrollX}px`;
    hint.style.top = `${anchor.bottom + HINT_GAP + scrollY}px`;
    hint.style.visibility = '';
    hint.scrollIntoView({ block: 'nearest', inline: 'nearest' });
    return;
  }
  const anchor = box.getBoundingClientRect();
  const obstacles = hintObstacles();
  let chosen = null;
  forms.forEach((form, lines) => {
    hint.textContent = form;
    const place = freePlace(anchor, hint.offsetWidth, hint.offsetHeight, obstacles);
    if (place && (!chosen || place.distance + lines * HINT_SECOND < chosen.distance)) chosen = { ...place, form };
  });
  // Nowhere free (a tiny view): under the box, as a tooltip.
  if (!chosen) chosen = { x: anchor.left, y: anchor.bottom + HINT_GAP, form: text };
  hint.textContent = chosen.form;
  hint.style.left = `${chosen.x + scrollX}px`;
  hint.style.top = `${chosen.y + scrollY}px`;
  hint.style.visibility = '';
}

function hideHint() {
  clearTimeout(hint.timer);
  giveRoomBack();
  if (hint.owner) hint.owner.removeAttribute('aria-describedby');
  hint.owner = null;
  hint.hidden = true;
}

// After the core's cues changed: the focused box's hint follows its cue.
function followHint(box) {
  if (hints[boxes.indexOf(box)] && (document.activeElement === box || hint.owner === box)) showHint(box);
  else if (hint.owner === box) hideHint();
}

function wireHints() {
  boxes.forEach((box, i) => {
    box.addEventListener('focus', () => { if (hints[i]) showHint(box); });
    box.addEventListener('blur', hideHint);
    box.addEventListener('pointerenter', () => {
      if (hints[i]) hint.timer = setTimeout(() => showHint(box), 700);
    });
    box.addEventListener('pointerleave', () => { if (document.activeElement !== box) hideHint(); });
  });
  // The panels moved: so does the hint.
  addEventListener('resize', () => { if (hint.owner) showHint(hint.owner); });
}
