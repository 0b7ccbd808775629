// The side panel's controls: what a pilot watches, each a slider and a
// number box in its own unit, set on the host and following it back.

import { byId, latestOnly, make, say } from './util.js';
import { setState } from './state.js';

const controls = new Map();  // id -> {control, range, number, editing, value}

function decimals(step) {
  const text = String(step);
  const dot = text.indexOf('.');
  return dot < 0 ? 0 : text.length - dot - 1;
}

// A signed value in the pilot's words: "25° right", "3°/s left", "0°".
function magnitude(control, value) {
  return String(Number(Math.abs(value).toFixed(decimals(control.step))));
}

function side(control, value) {
  return !control.sides || Number(magnitude(control, value)) === 0 ? '' : control.sides[value < 0 ? 0 : 1];
}

function inWords(control, value) {
  const s = side(control, value);
  return `${magnitude(control, value)}${control.unit}${s ? ` ${s}` : ''}`;
}

function showWords(c, value) {
  if (!c.control.sides) return;
  const s = value === null ? '' : side(c.control, value);
  c.row.dataset.words = value === null ? '' : inWords(c.control, value);
  c.unit.textContent = s ? `${c.control.unit} ${s}` : c.control.unit;
  c.unit.title = c.row.dataset.words;
}

// Values travel in the pilot's units both ways, signed (right positive for
// bank and turn); the server converts.
export function showValues(values) {
  for (const [id, value] of Object.entries(values)) {
    const c = controls.get(id);
    if (!c) continue;
    c.value = value;
    showWords(c, value);
    if (c.editing) continue;
    if (value === null) {
      c.number.value = '';
      continue;
    }
    c.range.value = String(value);
    c.number.value = c.control.kind === 'code'
      ? String(Math.round(value)).padStart(4, '0')
      : value.toFixed(decimals(c.control.step));
  }
}

export function buildControls(panel) {
  const holder = byId('controls');
  const groups = new Map();
  for (const control of panel.controls) {
    let group = groups.get(control.group);
    if (!group) {
      group = make('fieldset', {}, make('legend', { text: control.group }));
      groups.set(control.group, group);
      holder.append(group);
    }
    const id = `control-${control.id}`;
    const range = make('input', {
      type: 'range', min: control.low, max: control.high, step: control.step,
      'aria-label': `${control.label} (${control.unit})`,
    });
    const number = make('input', {
      type: 'number', id, min: control.low, max: control.high, step: control.step,
      'data-control': control.id,
    });
    const unit = make('span', { class: 'unit', text: control.unit });
    const entry = { control, range, number, unit, row: null, editing: false, value: null };
    const send = latestOnly(async (shown) => {
      const answer = await setState({ values: { [control.id]: shown } }, byId('controls-message'));
      if (answer && !answer.problems?.length) say(byId('controls-message'), '');
    });
    // What the pilot is editing is not overwritten by the host's readings.
    range.addEventListener('pointerdown', () => { entry.editing = true; });
    range.addEventListener('input', () => {
      number.value = Number(range.value).toFixed(decimals(control.step));
      send(Number(range.value));
    });
    range.addEventListener('change', () => { entry.editing = false; });
    number.addEventListener('focus', () => { entry.editing = true; });
    number.addEventListener('blur', () => {
      entry.editing = false;
      if (entry.value !== null) showValues({ [control.id]: entry.value });
    });
    number.addEventListener('change', () => {
      let shown = Number(number.value);
      if (number.value === '' || !Number.isFinite(shown)) return;
      // What the control cannot hold is held at its end, as the slider is:
      // the host refuses anything outside the range.
      shown = Math.min(control.high, Math.max(control.low, shown));
      number.value = control.kind === 'code' ? String(shown).padStart(4, '0') : String(shown);
      range.value = String(shown);
      send(shown);
    });
    number.addEventListener('keydown', (e) => { if (e.key === 'Enter') number.blur(); });
    controls.set(control.id, entry);
    const title = control.sides
      ? `${control.label}, from ${inWords(control, control.low)} to ${inWords(control, control.high)}`
      : `${control.label}, from ${control.low} to ${control.high} ${control.unit}`;
    entry.row = make('div', { class: 'control', 'data-control-row': control.id, title },
      make('label', { for: id, text: control.label }), range, number, unit);
    group.append(entry.row);
  }
}
