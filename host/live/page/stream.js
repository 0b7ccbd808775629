// The host's frames, as Server-Sent Events: the gauges that changed, the
// windows shown and hidden, the sounds, the controls' readings, the
// profile and the failures, each handed to the part of the page that
// shows it.

import { byId } from './util.js';
import { linkLamp, linkMessage, setPageNumber } from './link.js';
import { show } from './painter.js';
import { setShown } from './cockpit.js';
import { playSound } from './audio.js';
import { showFailed } from './state.js';
import { showValues } from './controls.js';
import { showProfile } from './profile.js';

const cycleReadout = byId('cycle');
let firstFrame = true;
let panelHandler = null;

// A whole frame may carry the panel's layout (the editor's, after an
// edit): the handler lays it out before the frame's pictures are painted.
export function whenPanelComes(handler) {
  panelHandler = handler;
}

export function connect() {
  const events = new EventSource('/api/events');
  events.onopen = () => {
    linkLamp('true');
    linkMessage('Live');
  };
  events.onerror = () => {
    // EventSource reconnects by itself; the server then sends everything.
    linkLamp('lost');
    linkMessage('Reconnecting…');
  };
  // Each connection is a new page to the host, numbered anew.
  events.addEventListener('page', (message) => {
    try {
      setPageNumber(JSON.parse(message.data).page);
    } catch (e) {
      setPageNumber(null);
    }
  });
  events.onmessage = (message) => {
    let frame;
    try {
      frame = JSON.parse(message.data);
    } catch (e) {
      return;
    }
    receive(frame);
  };
}

function receive(frame) {
  if (frame.panel && panelHandler) panelHandler(frame.panel);
  const painted = [];
  if (frame.gauges) {
    for (const [name, picture] of Object.entries(frame.gauges)) painted.push(show(name, picture));
  }
  if (frame.windows) {
    for (const [id, shown] of Object.entries(frame.windows)) setShown(id, shown);
  }
  if (frame.sounds) for (const sound of frame.sounds) playSound(sound);
  if (frame.values) showValues(frame.values);
  if (frame.profile) showProfile(frame.profile);
  if (frame.failed) showFailed(frame.failed);
  if (frame.fault) {
    // The host thread went on after a fault of its own; the pilot is told.
    linkMessage(`Host fault: ${frame.fault}`);
    document.body.dataset.fault = frame.fault;
  }
  if (frame.cycle !== undefined) {
    cycleReadout.textContent = String(frame.cycle);
    document.body.dataset.cycle = String(frame.cycle);
  }
  // The page counts as live once the whole panel of the first frame is on
  // it, bitmaps and all.
  if (firstFrame) {
    firstFrame = false;
    Promise.all(painted).then(() => { document.body.dataset.state = 'live'; });
  }
}
