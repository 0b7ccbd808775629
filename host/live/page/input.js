// The pilot's hands on the gauges: clicks with either button, knobs held
// down, levers dragged, the mouse wheel on knobs, the cursor each area asks
// for, and touch, which the browser hands over as pointer events too: a
// tap clicks, a long press shows the tooltip without clicking (a knob or a
// lever, pressed at once, shows it while held).

import { request } from './util.js';
import { linkMessage, pageNumber } from './link.js';
import { showNote } from './note.js';
import { areaAt, centreOf, knobOf } from './areas.js';
import { hideTooltip, hover, showTooltipAt, unhover } from './tooltip.js';

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

// ---------------------------------------------------------------- to the host

// Presses, drags and releases reach the host in the order made; a drag
// waiting behind another is replaced by the newer one. Each carries the
// page's number, so that the host lets go of what a page held when it goes.
const mouseQueue = [];
let mouseBusy = false;

function sendMouse(body) {
  const page = pageNumber();
  if (page !== null) body.page = page;
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
      const answer = await request('/api/click', body);
      if (answer.note) showNote(body.gauge, answer.note);
    } catch (e) {
      linkMessage(e.message);
    }
  }
  mouseBusy = false;
}

// A press and its release at the middle of an area: a wheel notch, a key.
export function clickArea(gauge, area) {
  const p = centreOf(area);
  sendMouse({ gauge: gauge.name, x: p.x, y: p.y, button: 'left', action: 'click' });
}

// ---------------------------------------------------------------- the held button

let held = null;  // {gauge, button, pointerId, drag}
let beat = 0;

// While a button is held the page says it is still there: a page that dies
// holding a knob stops its heartbeat, and the host lets go within a second.
const beatEvery = 300;

function heartbeat() {
  const page = pageNumber();
  if (page !== null) request('/api/heartbeat', { page }).catch(() => {});
}

export function pointerHeld() {
  return held !== null;
}

function press(gauge, p, button, pointerId, drag) {
  held = { gauge, button, pointerId, drag };
  // A dragged lever follows the pointer off the gauge, so the gauge keeps
  // the pointer until the button comes up.
  if (drag) {
    gauge.canvas.setPointerCapture(pointerId);
    gauge.canvas.style.cursor = 'grabbing';
  }
  sendMouse({ gauge: gauge.name, x: p.x, y: p.y, button, action: 'press' });
  clearInterval(beat);
  beat = setInterval(heartbeat, beatEvery);
}

function release() {
  if (!held) return;
  const { gauge, button, drag, pointerId } = held;
  held = null;
  clearInterval(beat);
  if (drag && gauge.canvas.hasPointerCapture(pointerId)) gauge.canvas.releasePointerCapture(pointerId);
  gauge.canvas.style.cursor = gauge.lastCursor || 'default';
  sendMouse({ gauge: gauge.name, x: 0, y: 0, button, action: 'release' });
}

// ---------------------------------------------------------------- touch

// A finger on a switch, a button or a face waits: lifted soon it is a tap,
// which clicks; held, it shows the tooltip and clicks nothing; moved away,
// it is nothing.
const longPress = 500;
const slop = 10;  // CSS pixels a finger may wander and still tap
let finger = null;  // {gauge, p, pointerId, x, y, timer, tipped}

function fingerDown(gauge, e, p, area) {
  if (area && (area.repeat || area.drag)) {
    // A knob repeats while held and a lever follows the finger: pressed at
    // once, as with the mouse, its tooltip shows while it is held.
    press(gauge, p, 'left', e.pointerId, area.drag);
    finger = { gauge, pointerId: e.pointerId, timer: 0 };
    finger.timer = setTimeout(() => showTooltipAt(gauge, p, e.clientX, e.clientY), longPress);
    return;
  }
  const here = { gauge, p, pointerId: e.pointerId, x: e.clientX, y: e.clientY, timer: 0, tipped: false };
  here.timer = setTimeout(() => {
    here.tipped = true;
    showTooltipAt(gauge, p, here.x, here.y);
  }, longPress);
  finger = here;
}

function fingerUp(e) {
  if (!finger || finger.pointerId !== e.pointerId) return;
  const f = finger;
  finger = null;
  clearTimeout(f.timer);
  if (f.p && !f.tipped) {
    sendMouse({ gauge: f.gauge.name, x: f.p.x, y: f.p.y, button: 'left', action: 'click' });
  }
}

function fingerMoved(e) {
  if (!finger || finger.pointerId !== e.pointerId || !finger.p) return;
  if (Math.hypot(e.clientX - finger.x, e.clientY - finger.y) > slop) {
    clearTimeout(finger.timer);
    finger = null;
  }
}

// ---------------------------------------------------------------- the wheel

// A wheel turned over a knob steps it as clicks on its halves do: away from
// the pilot is up, a step a notch. Browsers report a notch as 100 pixels or
// 3 lines; fine wheels and touchpads add up to a notch first.
const notch = 100;
const lineHeight = notch / 3;

function wheel(gauge, e) {
  const knob = knobOf(gauge, areaAt(gauge, gaugePoint(gauge, e, true)));
  if (!knob) return;  // the page scrolls as usual
  e.preventDefault();
  gauge.wheel = (gauge.wheel || 0) + e.deltaY * (e.deltaMode === 1 ? lineHeight : 1);
  while (Math.abs(gauge.wheel) >= notch) {
    const up = gauge.wheel < 0;
    gauge.wheel += up ? notch : -notch;
    const half = up ? knob.up : knob.down;
    if (half) clickArea(gauge, half);
  }
}

// ---------------------------------------------------------------- a gauge's pointer

export function attachPointer(gauge) {
  const canvas = gauge.canvas;

  canvas.addEventListener('contextmenu', (e) => e.preventDefault());

  canvas.addEventListener('pointerdown', (e) => {
    if (e.button !== 0 && e.button !== 2) return;
    e.preventDefault();
    hideTooltip();
    if (held || finger) return;
    const p = gaugePoint(gauge, e, true);
    const area = areaAt(gauge, p);
    if (e.pointerType === 'touch') {
      fingerDown(gauge, e, p, area);
      return;
    }
    const button = e.button === 0 ? 'left' : 'right';
    press(gauge, p, button, e.pointerId, button === 'left' && area !== null && area.drag);
  });

  canvas.addEventListener('pointermove', (e) => {
    if (held || e.pointerType === 'touch') return;
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
  canvas.addEventListener('pointerleave', (e) => {
    if (held && held.gauge === gauge && !held.drag) release();
    // A finger leaves when it is lifted: the tooltip it asked for stays.
    if (e.pointerType !== 'touch') unhover(gauge);
  });
  canvas.addEventListener('pointercancel', (e) => {
    if (held && held.gauge === gauge) release();
    if (finger && finger.pointerId === e.pointerId) {
      clearTimeout(finger.timer);
      finger = null;
    }
  });

  canvas.addEventListener('wheel', (e) => wheel(gauge, e), { passive: false });
}

// Drags are followed over the whole page, not only over the gauge: the
// pointer capture that would bring them to the gauge is not granted in
// every browser and input path.
export function followPointer() {
  window.addEventListener('pointermove', (e) => {
    fingerMoved(e);
    if (!held || !held.drag) return;
    const p = gaugePoint(held.gauge, e, false);
    sendMouse({ gauge: held.gauge.name, x: p.x, y: p.y, button: 'left', action: 'drag' });
  });

  // The page may lose the pointer without seeing its button come up; what
  // was held is let go then too, or the host would hold it for ever.
  window.addEventListener('pointerup', (e) => {
    if (e.pointerType === 'touch') {
      if (finger && finger.pointerId === e.pointerId && !finger.p) {
        clearTimeout(finger.timer);
        finger = null;
      }
      fingerUp(e);
    }
    if (!held) return;
    if ((held.button === 'left' && e.button === 0) || (held.button === 'right' && e.button === 2)) release();
  });
  window.addEventListener('blur', release);
  document.addEventListener('visibilitychange', () => { if (document.hidden) release(); });
}
