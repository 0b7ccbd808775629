// The cockpit: each window of the panel as a frame on the page with its
// gauges' canvases where the panel places them, other modules' gauges
// outlined, and the side panel's list of windows shown and hidden.

import { byId, make } from './util.js';
import { gauges } from './painter.js';
import { attachPointer } from './input.js';
import { attachKeys } from './keys.js';

const frames = new Map();   // window id -> {frame, element, lamp, state}

const panelPaint = 'linear-gradient(to bottom, rgb(68.85, 71.4, 73.95), rgb(51, 53.55, 56.1))';

// Another module's gauge, drawn as the tool draws it: a dark veil, an
// amber outline and the module's and gauge's names.
function otherGauge(other) {
  const [x, y, w, h] = other.box;
  const canvas = make('canvas', {
    class: 'other',
    width: Math.max(1, Math.ceil(w)),
    height: Math.max(1, Math.ceil(h)),
    title: `${other.module}!${other.gauge}`,
    'aria-label': `${other.module}!${other.gauge} (another module)`,
    'data-other': `${other.module}!${other.gauge}`,
  });
  canvas.style.left = `${x}px`;
  canvas.style.top = `${y}px`;
  canvas.style.width = `${w}px`;
  canvas.style.height = `${h}px`;
  const ctx = canvas.getContext('2d');
  ctx.fillStyle = 'rgba(13, 13, 15, 0.55)';
  ctx.fillRect(0.5, 0.5, w - 1, h - 1);
  ctx.setLineDash([5, 3]);
  ctx.lineWidth = 1;
  ctx.strokeStyle = 'rgb(242, 191, 51)';
  ctx.strokeRect(0.5, 0.5, w - 1, h - 1);
  ctx.font = `${Math.min(12, Math.max(7, w / 12))}px "DejaVu Sans Condensed", sans-serif`;
  ctx.fillStyle = 'rgb(242, 191, 51)';
  ctx.fillText(other.module, 3, 12);
  ctx.fillText(other.gauge, 3, 25);
  return canvas;
}

function buildGauge(g) {
  const [x, y, w, h] = g.box;
  const canvas = make('canvas', {
    class: 'gauge',
    'data-gauge': g.name,
    'data-paints': '0',
    'data-size': `${g.size[0]}x${g.size[1]}`,
    width: g.size[0],
    height: g.size[1],
    'aria-label': g.gauge,
  });
  canvas.style.left = `${x}px`;
  canvas.style.top = `${y}px`;
  canvas.style.width = `${w}px`;
  canvas.style.height = `${h}px`;
  const gauge = {
    name: g.name,
    label: g.gauge,
    canvas,
    ctx: canvas.getContext('2d'),
    box: g.box,
    size: g.size,
    areas: g.areas,
    paints: 0,
    picture: null,
  };
  gauges.set(g.name, gauge);
  attachPointer(gauge);
  return canvas;
}

function identOf(win) {
  return win.kind === 'virtual_cockpit' ? 'virtual cockpit' : `ident ${win.ident}`;
}

function buildWindow(win, first) {
  const element = make('div', {
    class: 'window',
    'data-window': win.id,
    'data-kind': win.kind,
    role: 'group',
    'aria-label': win.title,
  });
  element.style.width = `${win.width}px`;
  element.style.height = `${win.height}px`;
  if (win.background) {
    element.style.backgroundImage = `url("${win.background}")`;
  } else if (win.background_color) {
    const [r, g, b] = win.background_color;
    element.style.backgroundColor = `rgb(${r}, ${g}, ${b})`;
  } else {
    element.style.backgroundImage = panelPaint;
  }
  for (const other of win.others || []) element.append(otherGauge(other));
  for (const g of win.gauges) element.append(buildGauge(g));
  // Over the canvases, the places the keyboard stops at.
  for (const g of win.gauges) attachKeys(gauges.get(g.name), element);

  const frame = make('section', {
    class: first ? 'frame main' : 'frame',
    id: `window-${win.id}`,
    'data-shown': 'true',
  },
  make('div', { class: 'frame-title' },
    make('span', { class: 'name', text: win.title }),
    make('span', { text: `${identOf(win)} · ${win.width}×${win.height}` })),
  element);
  return { frame, element };
}

function buildWindowList(win, entry) {
  const lamp = make('span', { class: 'lamp', 'data-on': 'true' });
  const state = make('span', { class: 'window-state', text: 'shown' });
  const item = make('li', { 'data-window-item': win.id },
    lamp,
    make('a', { href: `#window-${win.id}`, text: win.title }),
    make('span', { class: 'ident', text: identOf(win) }),
    state);
  entry.lamp = lamp;
  entry.state = state;
  byId('window-list').append(item);
}

// Called again when an editor has placed the panel anew: everything of
// the old layout goes.
export function buildCockpit(panel) {
  byId('panel-source').textContent = panel.panel;
  const cockpit = byId('panels');
  cockpit.textContent = '';
  frames.clear();
  gauges.clear();
  byId('window-list').textContent = '';
  panel.windows.forEach((win, i) => {
    const entry = buildWindow(win, i === 0);
    frames.set(win.id, entry);
    buildWindowList(win, entry);
    cockpit.append(entry.frame);
  });
}

export function setShown(id, shown) {
  const entry = frames.get(id);
  if (!entry) return;
  const value = shown ? 'true' : 'false';
  entry.frame.dataset.shown = value;
  entry.element.dataset.visible = value;
  entry.lamp.dataset.on = value;
  entry.state.textContent = shown ? 'shown' : 'hidden';
}
