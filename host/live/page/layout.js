// How the cockpit is laid out on the screen: its scale, the screen's own
// density, and whether hidden windows are shown dimmed.

import { byId } from './util.js';
import { repaintAll, setCockpitZoom } from './painter.js';

export function startLayout() {
  byId('show-hidden').addEventListener('change', (e) => {
    document.body.classList.toggle('show-hidden', e.target.checked);
  });

  // A canvas holds the pixels its box covers on the screen, so a new scale
  // paints every gauge again rather than stretching it.
  const zoom = byId('zoom');
  zoom.addEventListener('change', () => {
    byId('cockpit').style.zoom = zoom.value;
    setCockpitZoom(Number(zoom.value));
    repaintAll();
  });
  // The browser's own zoom, or a screen of another density, changes how
  // many pixels a box covers.
  let screenRatio = window.devicePixelRatio;
  window.addEventListener('resize', () => {
    if (window.devicePixelRatio === screenRatio) return;
    screenRatio = window.devicePixelRatio;
    repaintAll();
  });
}
