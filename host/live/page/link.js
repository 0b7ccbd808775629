// The header's account of the connection to the panel: a lamp and a line
// of text, which the event stream and refused requests both write to.

import { byId } from './util.js';

const lamp = byId('link-lamp');
const text = byId('link-text');

export function linkMessage(message) {
  text.textContent = message;
}

// 'true' while the stream is up, 'lost' while it reconnects.
export function linkLamp(on) {
  lamp.dataset.on = on;
}
