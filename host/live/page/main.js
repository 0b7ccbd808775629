// The live panel in a browser: the windows as the simulator shows them,
// painted from the host's display lists; the pilot's clicks, holds, drags
// and hovers sent back to the host; sounds; a side panel to set the flight.
// This module only puts the parts together, once the panel is known.

import { byId, request } from './util.js';
import { followPointer, pointerHeld } from './input.js';
import { suppressTooltipsWhile } from './tooltip.js';
import { startSound } from './audio.js';
import { layOut, startLayout } from './layout.js';
import { buildCockpit } from './cockpit.js';
import { buildStateTools, buildFailures } from './state.js';
import { buildProfileTools } from './profile.js';
import { buildControls } from './controls.js';
import { connect } from './stream.js';

followPointer();
suppressTooltipsWhile(pointerHeld);
startSound();
startLayout();

async function start() {
  let panel;
  try {
    panel = await request('/api/panel');
  } catch (e) {
    const notice = byId('cockpit-notice');
    notice.textContent = `The panel could not be loaded: ${e.message}`;
    notice.classList.add('error');
    document.body.dataset.state = 'failed';
    return;
  }
  buildCockpit(panel);
  layOut(panel);
  buildStateTools(panel);
  buildProfileTools(panel);
  buildFailures(panel);
  buildControls(panel);
  // Opened with --edit: the designer's tools, loaded only then.
  if (panel.editing) (await import('./editor.js')).startEditor(panel);
  connect();
}

start();
