// The module's sounds, played as it plays them, and the lamp that shows
// each one whether heard or not.

import { byId } from './util.js';

// Browsers let a page make sound only after the pilot has touched it;
// until then the module's sounds are shown on the lamp and not heard.
let audio = null;
let muted = false;
const waves = new Map();  // id -> Promise<AudioBuffer|null>
const soundLamp = byId('sound-lamp');
const muteButton = byId('mute');
let lampTimer = 0;

export function unlockSound() {
  if (audio) {
    if (audio.state === 'suspended') audio.resume().catch(() => {});
    return;
  }
  const Context = window.AudioContext || window.webkitAudioContext;
  if (!Context) return;
  try {
    audio = new Context();
  } catch (e) {
    audio = null;
  }
}

function wave(id) {
  let load = waves.get(id);
  if (!load) {
    load = fetch(`/api/wave/${id}.wav`)
      .then((r) => (r.ok ? r.arrayBuffer() : null))
      .then((bytes) => (bytes ? audio.decodeAudioData(bytes) : null))
      .catch(() => null);
    waves.set(id, load);
  }
  return load;
}

export function playSound(sound) {
  const count = Number(soundLamp.dataset.count) + 1;
  soundLamp.dataset.count = String(count);
  soundLamp.dataset.wave = String(sound.wave);
  soundLamp.title = `Sound ${sound.wave} from ${sound.gauge || 'the module'} (${count} so far)`;
  soundLamp.classList.add('flash');
  clearTimeout(lampTimer);
  lampTimer = setTimeout(() => soundLamp.classList.remove('flash'), 150);
  if (muted || !audio) return;
  wave(sound.wave).then((buffer) => {
    if (!buffer || muted) return;
    const source = audio.createBufferSource();
    source.buffer = buffer;
    source.connect(audio.destination);
    source.start();
  });
}

// The first touch of the page, wherever it lands, is the one that lets
// the sounds be heard.
export function startSound() {
  document.addEventListener('pointerdown', unlockSound, true);
  document.addEventListener('keydown', unlockSound, true);
  muteButton.addEventListener('click', () => {
    muted = !muted;
    muteButton.setAttribute('aria-pressed', String(muted));
    muteButton.textContent = muted ? 'Muted' : 'Sound on';
    muteButton.title = muted ? 'Let the module be heard' : "Silence the module's sounds";
  });
}
