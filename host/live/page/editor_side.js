// The editor's side panel: the selected gauge's line and what the checker
// says of it, its box and parameter string typed in (the explanation
// following as they are typed), the selected window's keys, every warning
// of the file, and the palette of the module's gauges.

import { byId, latestOnly, make, request } from './util.js';
import {
  addressOf, edit, entries, entry, findingText, listen, say, select, send, windowBySection, windowOfLine,
} from './edit_state.js';

const field = (id, label, attributes = {}) => make('label', { class: 'edit-field' }, label,
  make('input', { id, type: 'number', step: '1', ...attributes }));

function buildSide() {
  const side = byId('side');
  const modes = make('div', { class: 'edit-modes', role: 'group', 'aria-label': 'Pointer' },
    make('button', { type: 'button', id: 'edit-arrange', 'aria-pressed': 'true', text: 'Arrange' }),
    make('button', { type: 'button', id: 'edit-fly', 'aria-pressed': 'false', text: 'Fly' }));
  const tools = make('div', { class: 'row' }, modes,
    make('button', { type: 'button', id: 'edit-undo', text: 'Undo', title: 'Ctrl+Z' }),
    make('button', { type: 'button', id: 'edit-redo', text: 'Redo', title: 'Ctrl+Y' }),
    make('button', { type: 'button', id: 'edit-save', text: 'Save', title: 'Ctrl+S' }),
    make('span', { id: 'edit-state', class: 'edit-state' }));
  const gauge = make('div', { id: 'edit-gauge', hidden: true },
    make('div', { id: 'edit-address', class: 'edit-address' }),
    make('pre', { id: 'edit-line', class: 'edit-line' }),
    make('div', { class: 'edit-box-fields' },
      field('edit-x', 'x'), field('edit-y', 'y'), field('edit-width', 'width', { min: '1' }),
      field('edit-height', 'height', { min: '1' })),
    make('label', { class: 'edit-field wide' }, 'parameters',
      make('input', { id: 'edit-parameters', type: 'text', spellcheck: 'false', autocomplete: 'off',
        placeholder: 'none (Enter places the gauge again)' })),
    make('ul', { id: 'edit-explain', class: 'edit-findings' }),
    make('div', { class: 'row' },
      make('button', { type: 'button', id: 'edit-copy', text: 'Copy' }),
      make('button', { type: 'button', id: 'edit-remove', text: 'Remove' })));
  const positions = make('select', { id: 'edit-position' });
  for (let p = 0; p <= 8; p += 1) positions.append(make('option', { value: String(p), text: String(p) }));
  const win = make('div', { id: 'edit-window', hidden: true },
    make('div', { id: 'edit-window-address', class: 'edit-address' }),
    make('div', { class: 'edit-box-fields' },
      field('edit-size-w', 'size_mm w', { min: '1' }), field('edit-size-h', 'h', { min: '1' }),
      make('label', { class: 'edit-field' }, 'position', positions),
      make('label', { class: 'edit-field check' }, make('input', { id: 'edit-visible', type: 'checkbox' }), 'visible')),
    make('label', { class: 'edit-field wide' }, 'ident', make('input', { id: 'edit-ident', type: 'text', spellcheck: 'false' })),
    make('label', { class: 'edit-field wide' }, 'title', make('input', { id: 'edit-title', type: 'text', spellcheck: 'false' })));
  const editor = make('details', { open: true, id: 'editor' },
    make('summary', { text: 'Editor' }), tools,
    make('output', { id: 'edit-message', class: 'message' }),
    make('p', { id: 'edit-hint', class: 'edit-hint',
      text: 'Click a gauge to select it; drag it, or a corner (Shift keeps its shape); arrows nudge it.' }),
    gauge, win);
  const warnings = make('details', { open: true, id: 'edit-warnings-box' },
    make('summary', { id: 'edit-warnings-title', text: 'Checker' }),
    make('ul', { id: 'edit-warnings', class: 'edit-findings list' }));
  const palette = make('details', { id: 'edit-palette-box' },
    make('summary', { text: 'Palette' }),
    make('p', { class: 'edit-hint', text: 'Drag a gauge onto a window to add its line.' }),
    make('div', { id: 'edit-palette' }));
  side.prepend(editor, warnings, palette);
}

// ---------------------------------------------------------------- drawing

function setValue(id, value) {
  const input = byId(id);
  if (document.activeElement === input) return;
  if (input.type === 'checkbox') input.checked = Boolean(value);
  else input.value = value === undefined || value === null ? '' : String(value);
}

function listFindings(list, findings, none = '') {
  list.textContent = '';
  if (findings.length === 0 && none) list.append(make('li', { class: 'none', text: none }));
  for (const f of findings) {
    list.append(make('li', { class: f.severity, 'data-finding-line': String(f.line), text: findingText(f) }));
  }
}

// The parameters of a gauge line as written: what follows its fifth comma.
function parametersOf(text) {
  const value = text.slice(text.indexOf('=') + 1);
  const parts = value.split(',');
  return parts.length > 5 ? parts.slice(5).join(',').trim() : '';
}

let previewing = null;  // the address whose explanation shows a preview

function drawGauge(e) {
  const number = e.line.number;
  const text = edit.lines[number - 1] || '';
  byId('edit-address').textContent = `${e.address} · line ${number} · ${e.gauge}${e.ours ? '' : ' (another module)'}`;
  byId('edit-line').textContent = `${number}: ${text}`;
  setValue('edit-x', e.box[0]);
  setValue('edit-y', e.box[1]);
  setValue('edit-width', e.box[2]);
  setValue('edit-height', e.box[3]);
  setValue('edit-parameters', parametersOf(text));
  if (previewing !== e.address) {
    listFindings(byId('edit-explain'), edit.findings.filter((f) => f.line === number),
      'The checker has nothing to say of this line.');
  }
  byId('edit-copy').disabled = !e.ours;
}

function drawWindow(win) {
  byId('edit-window-address').textContent = `[${win.section}] · line ${win.line} · ${win.title}`;
  const size = win.size_mm || [];
  setValue('edit-size-w', size[0]);
  setValue('edit-size-h', size[1]);
  setValue('edit-position', win.position);
  setValue('edit-visible', win.visible);
  setValue('edit-ident', win.ident_name);
  setValue('edit-title', win.window_title);
  for (const id of ['edit-position', 'edit-ident', 'edit-title']) byId(id).disabled = win.kind !== 'window';
}

function draw() {
  const s = edit.selected;
  const e = s && s.gauge ? entry(s.gauge) : null;
  const win = s && s.window ? windowBySection(s.window) : e ? e.win : null;
  byId('edit-gauge').hidden = !e;
  byId('edit-window').hidden = !win;
  byId('edit-hint').hidden = Boolean(e || win);
  if (e) drawGauge(e);
  if (win) drawWindow(win);
  byId('edit-undo').disabled = edit.history.undo === 0;
  byId('edit-redo').disabled = edit.history.redo === 0;
  byId('edit-state').textContent = edit.history.unsaved ? 'unsaved edits' : 'saved';
  document.body.dataset.unsaved = String(edit.history.unsaved);
  const message = byId('edit-message');
  message.textContent = edit.message.text;
  message.classList.toggle('error', edit.message.error);
  const warnings = edit.findings.filter((f) => f.severity !== 'note');
  const count = (sev) => warnings.filter((f) => f.severity === sev).length;
  byId('edit-warnings-title').textContent = edit.checker
    ? `Checker: ${edit.checker}`
    : `Checker: ${count('error')} errors, ${count('warning')} warnings`;
  listFindings(byId('edit-warnings'), warnings);
}

// ---------------------------------------------------------------- the forms

function selectedGauge() {
  return edit.selected && edit.selected.gauge ? entry(edit.selected.gauge) : null;
}

function selectedWindow() {
  const s = edit.selected;
  if (s && s.window) return windowBySection(s.window);
  const e = selectedGauge();
  return e ? e.win : null;
}

function whole(id) {
  const v = Number(byId(id).value);
  return Number.isInteger(v) ? v : null;
}

const preview = latestOnly(async ({ address, parameters }) => {
  try {
    const answer = await request('/api/edit', { gauge: address, parameters, preview: true });
    if (previewing !== address) return;
    const number = answer.line ? answer.line.number : 0;
    listFindings(byId('edit-explain'), (answer.findings || []).filter((f) => f.line === number),
      answer.checker || 'The checker would have nothing to say of this line.');
    byId('edit-explain').dataset.preview = 'true';
  } catch (e) {
    say(e.message, true);
  }
});

function wireForms() {
  byId('edit-arrange').addEventListener('click', () => setMode('arrange'));
  byId('edit-fly').addEventListener('click', () => setMode('fly'));
  byId('edit-undo').addEventListener('click', () => send('/api/undo', {}));
  byId('edit-redo').addEventListener('click', () => send('/api/redo', {}));
  byId('edit-save').addEventListener('click', () => send('/api/save', {}, (a) => say(`Saved ${a.saved}; the file before is ${a.backup}`)));
  for (const [id, key] of [['edit-x', 'x'], ['edit-y', 'y'], ['edit-width', 'width'], ['edit-height', 'height']]) {
    byId(id).addEventListener('change', () => {
      const e = selectedGauge();
      const v = whole(id);
      if (!e || v === null) return;
      const body = { gauge: e.address, [key]: v };
      if (key === 'width' || key === 'height') Object.assign(body, { width: whole('edit-width'), height: whole('edit-height') });
      send('/api/edit', body);
    });
  }
  const parameters = byId('edit-parameters');
  parameters.addEventListener('input', () => {
    const e = selectedGauge();
    if (!e) return;
    previewing = e.address;
    preview({ address: e.address, parameters: parameters.value });
  });
  parameters.addEventListener('keydown', (event) => {
    if (event.key !== 'Enter') return;
    const e = selectedGauge();
    if (!e) return;
    event.preventDefault();
    send('/api/edit', { gauge: e.address, parameters: parameters.value }, () => {
      previewing = null;
      delete byId('edit-explain').dataset.preview;
    });
  });
  parameters.addEventListener('blur', () => { previewing = null; draw(); });
  byId('edit-copy').addEventListener('click', () => {
    const e = selectedGauge();
    if (!e || !e.ours) return;
    const body = { add: e.gauge, window: e.line.section, x: e.box[0] + 10, y: e.box[1] + 10, width: e.box[2], height: e.box[3] };
    const p = parametersOf(edit.lines[e.line.number - 1] || '');
    if (p) body.parameters = p;
    send('/api/edit', body, (answer) => select({ gauge: addressOf(answer.line) }));
  });
  byId('edit-remove').addEventListener('click', () => {
    const e = selectedGauge();
    if (e) send('/api/edit', { remove: e.address }, () => select(null));
  });
  const windowEdit = (body) => {
    const win = selectedWindow();
    if (win) send('/api/edit', { window: win.section, ...body });
  };
  const size = () => {
    const w = whole('edit-size-w'), h = whole('edit-size-h');
    if (w !== null) windowEdit({ size_mm: h !== null && byId('edit-size-h').value !== '' ? [w, h] : [w] });
  };
  byId('edit-size-w').addEventListener('change', size);
  byId('edit-size-h').addEventListener('change', size);
  byId('edit-position').addEventListener('change', () => windowEdit({ position: whole('edit-position') }));
  byId('edit-visible').addEventListener('change', () => windowEdit({ visible: byId('edit-visible').checked }));
  byId('edit-ident').addEventListener('change', () => windowEdit({ ident: byId('edit-ident').value }));
  byId('edit-title').addEventListener('change', () => windowEdit({ title: byId('edit-title').value }));
  byId('edit-warnings').addEventListener('click', (event) => {
    const item = event.target.closest('li[data-finding-line]');
    if (item) selectLine(Number(item.dataset.findingLine));
  });
}

function setMode(mode) {
  document.body.dataset.editMode = mode;
  byId('edit-arrange').setAttribute('aria-pressed', String(mode === 'arrange'));
  byId('edit-fly').setAttribute('aria-pressed', String(mode === 'fly'));
}

// A finding's line selected: its gauge, or the window it is in, shown.
function selectLine(number) {
  const e = entries().find((x) => x.line.number === number);
  const win = e ? e.win : windowOfLine(number);
  if (e) select({ gauge: e.address });
  else if (win) select({ window: win.section });
  if (!win) return;
  const frame = byId(`window-${win.id}`);
  if (frame && frame.dataset.shown === 'false' && !byId('show-hidden').checked) byId('show-hidden').click();
  if (frame) frame.scrollIntoView({ block: 'nearest', inline: 'nearest' });
}

// ---------------------------------------------------------------- the palette

let dropHandler = () => false;

export function paletteDrop(handler) {
  dropHandler = handler;
}

function buildPalette() {
  const box = byId('edit-palette');
  const families = new Map();
  for (const g of edit.panel.palette || []) {
    if (!families.has(g.family)) families.set(g.family, []);
    families.get(g.family).push(g);
  }
  const order = ['Flight instruments', 'Engine and systems', 'Radios', 'Navigation', 'Panel buttons', 'Plate'];
  const rank = (f) => (order.includes(f) ? order.indexOf(f) : order.length);
  for (const [family, list] of [...families].sort((a, b) => rank(a[0]) - rank(b[0]))) {
    const group = make('fieldset', { class: 'palette-family' }, make('legend', { text: family }));
    for (const g of list) {
      const scale = Math.min(1, 44 / Math.max(g.size[0], g.size[1]));
      const picture = make('img', { src: `/api/bitmap/${g.bitmap}.png`, alt: '', draggable: 'false',
        width: Math.max(1, Math.round(g.size[0] * scale)), height: Math.max(1, Math.round(g.size[1] * scale)) });
      const item = make('div', { class: 'palette-item', 'data-palette': g.name, title: g.name }, picture,
        make('span', { text: g.name.replace(/_/g, ' ') }));
      item.addEventListener('pointerdown', (event) => dragFromPalette(event, g.name, picture));
      group.append(item);
    }
    box.append(group);
  }
}

function dragFromPalette(event, name, picture) {
  if (event.button !== 0) return;
  event.preventDefault();
  const ghost = make('div', { class: 'palette-ghost' }, picture.cloneNode(), make('span', { text: name }));
  const follow = (e) => {
    ghost.style.left = `${e.clientX + 6}px`;
    ghost.style.top = `${e.clientY + 6}px`;
  };
  follow(event);
  document.body.append(ghost);
  const drop = (e) => {
    window.removeEventListener('pointermove', follow);
    window.removeEventListener('pointerup', drop);
    ghost.remove();
    if (!dropHandler(name, e.clientX, e.clientY)) say(`Drop ${name} onto a window to add it`, false);
  };
  window.addEventListener('pointermove', follow);
  window.addEventListener('pointerup', drop);
}

export function buildEditorSide() {
  buildSide();
  wireForms();
  buildPalette();
  listen(draw);
  draw();
}
