// ---- The bell -------------------------------------------------------------------

let audio = null;
let beeps = 0;

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
// On the events that count as the pupil's own act (a touch's pointerdown
// does not), so that a browser lets the sound start.
for (const type of ['pointerup', 'touchend', 'click', 'keydown']) document.addEventListener(type, wakeAudio, true);

// One short bell; silent until the page has had a first touch, click or key press.
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
