// How the cockpit is laid out on the screen: its scale, fitted to the
// window unless the pilot picks one, the screen's own density, and whether
// hidden windows are shown dimmed.

import { byId } from './util.js';
import { repaintAll, setCockpitZoom } from './painter.js';

const zoom = byId('zoom');
let main = null;  // the first window, which "fit" shows whole: {width, height}
let applied = 0;

// The scale at which the main panel fills the cockpit's space, title and all.
function fitted() {
  if (!main) return 1;
  const cockpit = byId('cockpit');
  const style = getComputedStyle(cockpit);
  const width = cockpit.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
  const height = cockpit.clientHeight - parseFloat(style.paddingTop) - parseFloat(style.paddingBottom);
  const title = document.querySelector('.frame.main .frame-title');
  const titleHeight = title ? title.offsetHeight : 0;
  const scale = Math.min(width / main.width, height / (main.height + titleHeight));
  return Math.max(0.2, Math.min(4, Math.floor(scale * 1000) / 1000));
}

// A canvas holds the pixels its box covers on the screen, so a new scale
// paints every gauge again rather than stretching it.
function applyZoom() {
  const scale = zoom.value === 'fit' ? fitted() : Number(zoom.value);
  if (scale === applied) return;
  applied = scale;
  byId('panels').style.zoom = String(scale);
  document.body.dataset.scale = String(scale);
  setCockpitZoom(scale);
  repaintAll();
}

export function startLayout() {
  byId('show-hidden').addEventListener('change', (e) => {
    document.body.classList.toggle('show-hidden', e.target.checked);
  });
  // ?scale=1 (or any of the list's scales) in the address picks it at load.
  const asked = new URLSearchParams(location.search).get('scale');
  if (asked && [...zoom.options].some((o) => o.value === asked)) zoom.value = asked;
  zoom.addEventListener('change', applyZoom);
  // A new window size refits; the browser's own zoom, or a screen of
  // another density, changes how many pixels a box covers.
  let screenRatio = window.devicePixelRatio;
  window.addEventListener('resize', () => {
    if (window.devicePixelRatio !== screenRatio) {
      screenRatio = window.devicePixelRatio;
      applied = 0;
    }
    applyZoom();
  });
}

// Once the windows are on the page: the main panel is what "fit" fits.
export function layOut(panel) {
  const first = panel.windows[0];
  main = first ? { width: first.width, height: first.height } : null;
  applyZoom();
}
