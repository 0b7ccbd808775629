// The designer's workbench over the live panel (serve --edit): a layer on
// each window where gauges are selected, dragged, resized by a corner
// (Shift keeps the aspect ratio) and nudged with the arrow keys, windows
// resized by their corner; gauges dragged in from the palette; undo, redo
// and save from the keyboard. Fly mode hands the pointer back to the
// gauges, which run all along.

import { byId, make } from './util.js';
import { buildCockpit } from './cockpit.js';
import { whenPanelComes } from './stream.js';
import {
  changed, edit, entries, entry, listen, loadConfig, select, send, windowBySection,
} from './edit_state.js';
import { buildEditorSide, paletteDrop } from './editor_side.js';

const layers = new Map();  // window id -> {layer, element, win}

function windowElement(win) {
  return document.querySelector(`.window[data-window="${CSS.escape(win.id)}"]`);
}

// Window units per CSS pixel of the screen, whatever the cockpit's scale.
function unitsPerPixel(win) {
  const element = windowElement(win);
  const r = element.getBoundingClientRect();
  return r.width > 0 ? win.width / r.width : 1;
}

function place(node, box) {
  const [x, y, w, h] = box;
  node.style.left = `${x}px`;
  node.style.top = `${y}px`;
  node.style.width = `${w}px`;
  node.style.height = `${h}px`;
}

// The gauge's own canvas, moved with its box while the pointer drags it.
function canvasOf(e) {
  const element = windowElement(e.win);
  if (e.ours) return element.querySelector(`canvas[data-gauge="${CSS.escape(e.name)}"]`);
  return element.querySelectorAll('canvas.other')[e.index] || null;
}

// ---------------------------------------------------------------- dragging

let dragging = null;

function startDrag(event, e, corner) {
  if (event.button !== 0 || document.body.dataset.editMode === 'fly') return;
  event.preventDefault();
  event.stopPropagation();
  select({ gauge: e.address });
  dragging = {
    e, corner, start: [event.clientX, event.clientY], box: [...e.box], now: [...e.box],
    scale: unitsPerPixel(e.win), node: event.currentTarget.closest('.edit-box'), canvas: canvasOf(e),
  };
}

function resized(d, dx, dy, keepRatio) {
  let [x, y, w, h] = d.box;
  const c = d.corner;
  if (c.includes('e')) w += dx;
  if (c.includes('w')) w -= dx;
  if (c.includes('s')) h += dy;
  if (c.includes('n')) h -= dy;
  w = Math.max(1, w);
  h = Math.max(1, h);
  if (keepRatio) {
    const ratio = d.box[2] / d.box[3];
    if (Math.abs(w / d.box[2] - 1) >= Math.abs(h / d.box[3] - 1)) h = Math.max(1, Math.round(w / ratio));
    else w = Math.max(1, Math.round(h * ratio));
  }
  if (c.includes('w')) x = d.box[0] + d.box[2] - w;
  if (c.includes('n')) y = d.box[1] + d.box[3] - h;
  return [x, y, w, h];
}

function followDrag(event) {
  if (!dragging) return;
  const d = dragging;
  const dx = Math.round((event.clientX - d.start[0]) * d.scale);
  const dy = Math.round((event.clientY - d.start[1]) * d.scale);
  if (d.window) {
    d.now = [Math.max(1, d.size[0] + dx), Math.max(1, d.size[1] + dy)];
    d.element.style.width = `${d.now[0]}px`;
    d.element.style.height = `${d.now[1]}px`;
    return;
  }
  d.now = d.corner ? resized(d, dx, dy, event.shiftKey) : [d.box[0] + dx, d.box[1] + dy, d.box[2], d.box[3]];
  place(d.node, d.now);
  if (d.canvas) place(d.canvas, d.now);
}

function endDrag() {
  if (!dragging) return;
  const d = dragging;
  dragging = null;
  if (d.window) {
    if (d.now[0] !== d.size[0] || d.now[1] !== d.size[1]) send('/api/edit', { window: d.win.section, size_mm: d.now });
    return;
  }
  const [x, y, w, h] = d.now;
  if (x === d.box[0] && y === d.box[1] && w === d.box[2] && h === d.box[3]) return;
  const body = { gauge: d.e.address, x, y };
  if (d.corner) Object.assign(body, { width: w, height: h });
  send('/api/edit', body);
}

function startWindowResize(event, win, element) {
  if (event.button !== 0 || document.body.dataset.editMode === 'fly') return;
  event.preventDefault();
  event.stopPropagation();
  select({ window: win.section });
  dragging = {
    window: true, win, element, start: [event.clientX, event.clientY],
    size: [win.width, win.height], now: [win.width, win.height], scale: unitsPerPixel(win),
  };
}

// ---------------------------------------------------------------- the layers

function buildLayers() {
  layers.clear();
  for (const win of edit.panel.windows) {
    const element = windowElement(win);
    if (!element) continue;
    const layer = make('div', { class: 'edit-layer', 'data-section': win.section });
    layer.addEventListener('pointerdown', (event) => {
      if (event.target === layer && event.button === 0) select({ window: win.section });
    });
    if (win.kind === 'window') {
      const handle = make('div', { class: 'edit-window-handle', title: 'Drag to resize the window (size_mm)' });
      handle.addEventListener('pointerdown', (event) => startWindowResize(event, win, element));
      layer.append(handle);
    }
    element.append(layer);
    layers.set(win.id, { layer, element, win });
  }
  for (const e of entries()) {
    const layer = layers.get(e.win.id);
    if (!layer) continue;
    const node = make('div', {
      class: e.ours ? 'edit-box' : 'edit-box other',
      'data-line': e.address,
      title: `${e.address} (line ${e.line.number}): ${e.gauge}`,
    });
    place(node, e.box);
    node.addEventListener('pointerdown', (event) => startDrag(event, e, null));
    for (const corner of ['nw', 'ne', 'sw', 'se']) {
      const handle = make('div', { class: 'edit-handle', 'data-corner': corner });
      handle.addEventListener('pointerdown', (event) => startDrag(event, e, corner));
      node.append(handle);
    }
    layer.layer.append(node);
  }
  showSelection();
}

function showSelection() {
  const chosen = edit.selected && edit.selected.gauge ? edit.selected.gauge.toLowerCase() : null;
  for (const node of document.querySelectorAll('.edit-box')) {
    node.classList.toggle('selected', node.dataset.line.toLowerCase() === chosen);
  }
  const section = edit.selected && edit.selected.window ? edit.selected.window.toLowerCase() : null;
  for (const { layer, win } of layers.values()) layer.classList.toggle('selected', win.section.toLowerCase() === section);
}

// A new layout from the stream: the cockpit and the layers built again,
// the page left where it was scrolled.
function takePanel(panel) {
  if (edit.panel && panel.placement === edit.panel.placement) return;
  const cockpit = byId('cockpit');
  const scrolled = [cockpit.scrollLeft, cockpit.scrollTop];
  buildCockpit(panel);
  edit.panel = panel;
  buildLayers();
  [cockpit.scrollLeft, cockpit.scrollTop] = scrolled;
  if (edit.selected && edit.selected.gauge && !entry(edit.selected.gauge)) edit.selected = null;
  if (edit.selected && edit.selected.window && !windowBySection(edit.selected.window)) edit.selected = null;
  changed();
}

// ---------------------------------------------------------------- the keyboard

function typing(target) {
  return target && (target.isContentEditable || ['INPUT', 'SELECT', 'TEXTAREA'].includes(target.tagName));
}

function onKey(event) {
  const mod = event.ctrlKey || event.metaKey;
  if (mod && event.key.toLowerCase() === 's') {
    event.preventDefault();
    send('/api/save', {});
    return;
  }
  if (typing(event.target)) return;
  if (mod && event.key.toLowerCase() === 'z') {
    event.preventDefault();
    send(event.shiftKey ? '/api/redo' : '/api/undo', {});
    return;
  }
  if (mod && event.key.toLowerCase() === 'y') {
    event.preventDefault();
    send('/api/redo', {});
    return;
  }
  const e = edit.selected && edit.selected.gauge ? entry(edit.selected.gauge) : null;
  if (!e) return;
  const step = event.shiftKey ? 10 : 1;
  const moves = { ArrowLeft: [-step, 0], ArrowRight: [step, 0], ArrowUp: [0, -step], ArrowDown: [0, step] };
  if (moves[event.key]) {
    event.preventDefault();
    const [dx, dy] = moves[event.key];
    send('/api/edit', { gauge: e.address, x: e.box[0] + dx, y: e.box[1] + dy });
  } else if (event.key === 'Delete') {
    event.preventDefault();
    send('/api/edit', { remove: e.address }, () => select(null));
  } else if (event.key === 'Escape') {
    select(null);
  }
}

// ---------------------------------------------------------------- start

function injectStyle() {
  document.head.append(make('link', { rel: 'stylesheet', href: '/editor.css' }));
}

export async function startEditor(panel) {
  injectStyle();
  document.body.dataset.editMode = 'arrange';
  document.body.classList.add('editing');
  edit.panel = panel;
  buildEditorSide();
  buildLayers();
  whenPanelComes(takePanel);
  listen(showSelection);
  window.addEventListener('pointermove', followDrag);
  window.addEventListener('pointerup', endDrag);
  window.addEventListener('pointercancel', endDrag);
  window.addEventListener('blur', endDrag);
  document.addEventListener('keydown', onKey);
  paletteDrop((name, clientX, clientY) => {
    for (const { layer, win } of layers.values()) {
      const r = layer.getBoundingClientRect();
      if (clientX < r.left || clientY < r.top || clientX >= r.right || clientY >= r.bottom) continue;
      if (layer.closest('.frame[data-shown="false"]') && !document.body.classList.contains('show-hidden')) continue;
      const scale = unitsPerPixel(win);
      const x = Math.round((clientX - r.left) * scale), y = Math.round((clientY - r.top) * scale);
      send('/api/edit', { add: name, window: win.section, x, y }, (answer) => select({ gauge: `${answer.line.section}/${answer.line.key}` }));
      return true;
    }
    return false;
  });
  try {
    await loadConfig();
  } catch (e) {
    edit.message = { text: `The file could not be read: ${e.message}`, error: true };
    changed();
  }
}
