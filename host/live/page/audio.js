// The module's sounds, played as it plays them, and the lamp that shows
// each one whether heard or not.

import { byId } from './util.js';

// Browsers let a page make sound only once the pilot has activated it: a
// mouse button or a key going down, a finger coming up (touchend, a click),
// never a finger going down. Until then the module's sounds show on the
// lamp, and the last one waits to be heard: the press that activates the
// page is heard too, though its sound comes from the host before or after.
let audio = null;
let muted = false;
let waiting = null;  // {sound, at}: the last sound that could not be heard yet
const waves = new Map();  // id -> Promise<AudioBuffer|null>
const soundLamp = byId('sound-lamp');
const muteButton = byId('mute');
let lampTimer = 0;

// How long a sound may wait for the page to be activated and still be the
// one the pilot's touch made.
const waitLimit = 3000;

function activated() {
  return !navigator.userActivation || navigator.userActivation.isActive;
}

function running() {
  return audio !== null && audio.state === 'running';
}

export function unlockSound() {
  // Asked before an activation, the browser would refuse and say so on the
  // console; asked again at the activation, it starts.
  if (!activated()) return;
  if (!audio) {
    const Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return;
    try {
      audio = new Context();
    } catch (e) {
      audio = null;
      return;
    }
    audio.addEventListener('statechange', hearWaiting);
  }
  if (audio.state === 'suspended') audio.resume().then(hearWaiting, () => {});
  else hearWaiting();
}

function hearWaiting() {
  const sound = waiting;
  waiting = null;
  if (sound && running() && performance.now() - sound.at < waitLimit) play(sound.sound);
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

function play(sound) {
  wave(sound.wave).then((buffer) => {
    if (!buffer || muted) return;
    const source = audio.createBufferSource();
    source.buffer = buffer;
    source.connect(audio.destination);
    source.start();
  });
}

export function playSound(sound) {
  const count = Number(soundLamp.dataset.count) + 1;
  soundLamp.dataset.count = String(count);
  soundLamp.dataset.wave = String(sound.wave);
  soundLamp.title = `Sound ${sound.wave} from ${sound.gauge || 'the module'} (${count} so far)`;
  soundLamp.classList.add('flash');
  clearTimeout(lampTimer);
  lampTimer = setTimeout(() => soundLamp.classList.remove('flash'), 150);
  if (muted) return;
  if (running()) play(sound);
  else waiting = { sound, at: performance.now() };
}

// Every event that may activate the page is a chance to start the sound.
export function startSound() {
  for (const type of ['pointerdown', 'pointerup', 'touchend', 'click', 'keydown'])
    document.addEventListener(type, unlockSound, true);
  muteButton.addEventListener('click', () => {
    muted = !muted;
    waiting = null;
    muteButton.setAttribute('aria-pressed', String(muted));
    muteButton.textContent = muted ? 'Muted' : 'Sound on';
    muteButton.title = muted ? 'Let the module be heard' : "Silence the module's sounds";
  });
}
