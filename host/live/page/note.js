// A short note over the cockpit when a click does what only the simulator
// shows (a window the panel lacks, the simulator's own windows and steps),
// in the checker's words as the host gives them.

import { byId } from './util.js';

const note = byId('click-note');
let timer = 0;

export function showNote(gauge, text) {
  note.textContent = `${gauge}: ${text}`;
  note.hidden = false;
  clearTimeout(timer);
  timer = setTimeout(() => { note.hidden = true; }, 6000);
}
