// The page's link to the panel: the lamp and line of text in the header,
// which the event stream and refused requests both write to; the banner
// and the greyed instruments while the link is lost; and the number the
// event stream gave this page, which its presses carry.

import { byId } from './util.js';

const lamp = byId('link-lamp');
const text = byId('link-text');
let page = null;

export function linkMessage(message) {
  text.textContent = message;
}

// 'true' while the stream is up, 'lost' while it reconnects. A lost link
// greys the instruments, which show what they last showed, under a banner.
export function linkLamp(on) {
  lamp.dataset.on = on;
  document.body.dataset.link = on === 'lost' ? 'lost' : 'live';
  byId('link-banner').hidden = on !== 'lost';
}

export function setPageNumber(number) {
  page = number;
}

// The page's number, or null before the stream has given one.
export function pageNumber() {
  return page;
}
