// ---- What a screen reader hears ---------------------------------------------------
// Every text comes from the core, so that both editions say the same: the day
// and the counts named with their numbers, the field's and the graph's
// summaries as the names of their stops and the descriptions of the two
// pictures, and the sentence that ends a run, said once through a polite
// live region. Names are attributes: keeping them current costs no layout.
// While days run they are handed over at most every SPOKEN_DELAY ms, as on
// the desktop: a reader told of every day of a fast run falls seconds behind
// the keys. A stop's text is written into the page only while it shows.

const countLabels = FORM.counts.map($);
const summaryStops = FORM.summaries.map((s) => $(s.id));
const summaryPictures = FORM.summaries.map((s) => $(s.of).closest('canvas') ?? $(s.of).querySelector('canvas'));
const summaryTexts = FORM.summaries.map((s) => (s.kind === 'field' ? () => got(wasm.nb_field_summary())
  : () => got(wasm.nb_graph_summary())));
const announcement = $('announcement');

function setText(el, attribute, text) {
  if (el.getAttribute(attribute) !== text) el.setAttribute(attribute, text);
}
const setName = (el, name) => setText(el, 'aria-label', name);

const SPOKEN_DELAY = 250;
let spokenTimer = 0;

// The names may have changed: handed over within SPOKEN_DELAY ms.
function spokenChanged() {
  if (!spokenTimer) spokenTimer = setTimeout(handOver, SPOKEN_DELAY);
}

function handOver() {
  clearTimeout(spokenTimer);
  spokenTimer = 0;
  nameCounts();
  updateSummaries();
}

function nameCounts() {
  countLabels.forEach((label, c) => setName(label, got(wasm.nb_count_name(c))));
}

function showSummaryText(stop) {
  const text = stop.getAttribute('aria-label');
  const span = stop.firstChild;
  if (span.textContent !== text) span.textContent = text;
}

function updateSummaries() {
  summaryStops.forEach((stop, s) => {
    const text = summaryTexts[s]();
    setText(summaryPictures[s], 'aria-description', text);
    setName(stop, `${FORM.summaries[s].name}：${text}`);
    if (document.activeElement === stop) showSummaryText(stop);
  });
}

function say(sentence) {
  announcement.textContent = sentence;
}

function wireSpeech() {
  // A reader hears of the focus after this handler: the name it reads is current.
  for (const stop of summaryStops) {
    stop.addEventListener('focus', () => {
      handOver();
      showSummaryText(stop);
    });
  }
  // The summaries come after the last stop of the window; Shift+Tab from the
  // first reaches them, as on the desktop, instead of leaving the page.
  $(FORM.firstStop).addEventListener('keydown', (e) => {
    if (e.key !== 'Tab' || !e.shiftKey || e.altKey || e.ctrlKey || e.metaKey) return;
    e.preventDefault();
    $(FORM.lastStop).focus();
  });
}
