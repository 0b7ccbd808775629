// The pilot's pointer on the gauges: clicks with either button, knobs held
// down, levers dragged, the cursor each area asks for, and touch, which
// the browser hands over as pointer events too.

import { request } from './util.js';
import { linkMessage } from './link.js';
import { unlockSound } from './audio.js';
import { hideTooltip, hover, unhover } from './tooltip.js';

// A pointer's position in the gauge's own pixels, as the API counts them;
// `inside` keeps it on the gauge (a drag may leave it).
function gaugePoint(gauge, event, inside) {
  const r = gauge.canvas.getBoundingClientRect();
  let x = Math.floor((event.clientX - r.left) * gauge.size[0] / r.width);
  let y = Math.floor((event.clientY - r.top) * gauge.size[1] / r.height);
  if (inside) {
    x = Math.min(Math.max(x, 0), gauge.size[0] - 1);
    y = Math.min(Math.max(y, 0), gauge.size[1] - 1);
  }
  return { x, y };
}

// The host hands a point to the first area in list order that holds it.
function areaAt(gauge, p) {
  for (const area of gauge.areas) {
    const [x, y, w, h] = area.box;
    if (p.x >= x && p.y >= y && p.x < x + w && p.y < y + h) return area;
  }
  return null;
}

// ---------------------------------------------------------------- to the host

// Presses, drags and releases reach the host in the order made; a drag
// waiting behind another is replaced by the newer one.
const mouseQueue = [];
let mouseBusy = false;

function sendMouse(body) {
  const last = mouseQueue[mouseQueue.length - 1];
  if (body.action === 'drag' && last && last.action === 'drag' && last.gauge === body.gauge) {
    mouseQueue[mouseQueue.length - 1] = body;
  } else {
    mouseQueue.push(body);
  }
  pumpMouse();
}

async function pumpMouse() {
  if (mouseBusy) return;
  mouseBusy = true;
  while (mouseQueue.length > 0) {
    const body = mouseQueue.shift();
    try {
      await request('/api/click', body);
    } catch (e) {
      linkMessage(e.message);
    }
  }
  mouseBusy = false;
}

// ---------------------------------------------------------------- the held button

let held = null;  // {gauge, button, pointerId, drag}

export function pointerHeld() {
  return held !== null;
}

function release() {
  if (!held) return;
  const { gauge, button, drag, pointerId } = held;
  held = null;
  if (drag && gauge.canvas.hasPointerCapture(pointerId)) gauge.canvas.releasePointerCapture(pointerId);
  gauge.canvas.style.cursor = gauge.lastCursor || 'default';
  sendMouse({ gauge: gauge.name, x: 0, y: 0, button, action: 'release' });
}

export function attachPointer(gauge) {
  const canvas = gauge.canvas;

  canvas.addEventListener('contextmenu', (e) => e.preventDefault());

  canvas.addEventListener('pointerdown', (e) => {
    if (e.button !== 0 && e.button !== 2) return;
    e.preventDefault();
    hideTooltip();
    unlockSound();
    if (held) return;
    const button = e.button === 0 ? 'left' : 'right';
    const p = gaugePoint(gauge, e, true);
    const area = areaAt(gauge, p);
    const drag = button === 'left' && area !== null && area.drag;
    held = { gauge, button, pointerId: e.pointerId, drag };
    // A dragged lever follows the pointer off the gauge, so the gauge
    // keeps the pointer until the button comes up.
    if (drag) {
      canvas.setPointerCapture(e.pointerId);
      canvas.style.cursor = 'grabbing';
    }
    sendMouse({ gauge: gauge.name, x: p.x, y: p.y, button, action: 'press' });
  });

  canvas.addEventListener('pointermove', (e) => {
    if (held) return;
    const p = gaugePoint(gauge, e, true);
    const area = areaAt(gauge, p);
    const cursor = area ? area.cursor : 'default';
    if (cursor !== gauge.lastCursor) {
      canvas.style.cursor = cursor;
      gauge.lastCursor = cursor;
    }
    hover(gauge, p, e);
  });

  // A held knob lets go when the pointer leaves it, as the simulator's does.
  canvas.addEventListener('pointerleave', () => {
    if (held && held.gauge === gauge && !held.drag) release();
    unhover(gauge);
  });
  canvas.addEventListener('pointercancel', () => {
    if (held && held.gauge === gauge) release();
  });
}

// Drags are followed over the whole page, not only over the gauge: the
// pointer capture that would bring them to the gauge is not granted in
// every browser and input path.
export function followPointer() {
  window.addEventListener('pointermove', (e) => {
    if (!held || !held.drag) return;
    const p = gaugePoint(held.gauge, e, false);
    sendMouse({ gauge: held.gauge.name, x: p.x, y: p.y, button: 'left', action: 'drag' });
  });

  // The page may lose the pointer without seeing its button come up; what
  // was held is let go then too, or the host would hold it for ever.
  window.addEventListener('pointerup', (e) => {
    if (!held) return;
    if ((held.button === 'left' && e.button === 0) || (held.button === 'right' && e.button === 2)) release();
  });
  window.addEventListener('blur', release);
  document.addEventListener('visibilitychange', () => { if (document.hidden) release(); });
}
