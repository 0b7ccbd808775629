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

// Values travel in the pilot's units both ways; the server converts.
export function showValues(values) {
  for (const [id, value] of Object.entries(values)) {
    const c = controls.get(id);
    if (!c) continue;
    c.value = value;
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
    const entry = { control, range, number, editing: false, value: null };
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
      // What the control cannot hold is held at its end, as the slider is.
      shown = Math.min(control.high, Math.max(control.low, shown));
      number.value = control.kind === 'code' ? String(shown).padStart(4, '0') : String(shown);
      range.value = String(shown);
      send(shown);
    });
    number.addEventListener('keydown', (e) => { if (e.key === 'Enter') number.blur(); });
    controls.set(control.id, entry);
    group.append(make('div', { class: 'control' },
      make('label', { for: id, text: control.label }), range, number,
      make('span', { class: 'unit', text: control.unit })));
  }
}
