// ---- The About panel and the message box ---------------------------------------
// Whether the About panel shows is the core's to say (its first showing, the
// About button); the panel's own OK and Escape close it here and tell the core.

const about = $('about_window');
let aboutOpener = null;  // the control that opened it, which gets the focus back

function openAbout() {
  about.hidden = false;
  $('about_button').setAttribute('aria-expanded', 'true');
  layout();
  // Its OK takes the focus from a press of the About button, and at start-up
  // only if the pupil has not gone elsewhere meanwhile.
  const free = !document.activeElement || document.activeElement === document.body;
  if (aboutOpener || free) $('ok_button').focus();
}

// `pointer`: closed by a tap or a click, so the focus it passes on shows no ring.
function closeAbout(moveFocus, pointer = false) {
  about.hidden = true;
  $('about_button').setAttribute('aria-expanded', 'false');
  layout();
  const active = document.activeElement;
  if (moveFocus || about.contains(active)) (aboutOpener || $('start_button')).focus(pointer ? { focusVisible: false } : {});
  aboutOpener = null;
}

// The pupil closes it: OK, Enter or Escape.
function dismissAbout(e) {
  wasm.nb_about_closed();
  closeAbout(true, e.type === 'click' && e.detail > 0);
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
  // Selecting the text takes the focus: it goes back where it was (the message box's OK).
  const focused = document.activeElement;
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
  if (focused && focused !== document.body) focused.focus();
}

const modal = $('message_box');
let modalReturn = null;
function message(text, from) {
  $('message_text').textContent = text;
  modalReturn = from;
  modal.hidden = false;
  if ('inert' in HTMLElement.prototype) $('desk').inert = true;
  $('message_ok').focus();
}
function closeMessage() {
  if (modal.hidden) return;
  modal.hidden = true;
  if ('inert' in HTMLElement.prototype) $('desk').inert = false;
  if (modalReturn) modalReturn.focus();
}

function wireAbout() {
  $('ok_button').addEventListener('click', dismissAbout);
  about.addEventListener('keydown', (e) => {
    if (e.key === 'Enter' && !e.target.classList.contains('link')) {
      e.preventDefault();
      dismissAbout(e);
    }
  });
  // Escape closes it wherever the focus is in it, or while nothing has the
  // focus (as just after loading), so that the key is never lost.
  document.addEventListener('keydown', (e) => {
    if (e.key !== 'Escape' || e.defaultPrevented || about.hidden || !modal.hidden) return;
    const active = document.activeElement;
    if (active && active !== document.body && !about.contains(active)) return;
    e.preventDefault();
    dismissAbout(e);
  });
  for (const { id, address, message: text } of FORM.links) {
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
  $('message_ok').addEventListener('click', closeMessage);
  modal.addEventListener('keydown', (e) => {
    if (e.key === 'Escape' || e.key === 'Enter') {
      e.preventDefault();
      closeMessage();
    } else if (e.key === 'Tab') {
      e.preventDefault();  // the box's one button keeps the focus
    }
  });
}
