// What the editor's parts share: the panel as last placed, the file's
// lines as saving would write them, the checker's findings, the selection,
// and the requests that change them. Every change is told to the parts
// that listen, which draw it their own way.

import { request } from './util.js';

export const edit = {
  panel: null,          // /api/panel, with each gauge's line
  lines: [],            // the panel.cfg as saving would write it, a line each
  findings: [],         // {line, severity, message}, the whole file
  checker: '',          // why there are no findings, when the checker could not run
  selected: null,       // {gauge: "Window00/gauge07"} or {window: "Window00"}
  history: { undo: 0, redo: 0, unsaved: false },
  message: { text: '', error: false },
};

const listeners = [];

export function listen(fn) {
  listeners.push(fn);
}

export function changed() {
  for (const fn of listeners) fn();
}

export function say(text, error = false) {
  edit.message = { text, error };
  changed();
}

export const addressOf = (line) => `${line.section}/${line.key}`;

// Every gauge line the panel places or outlines: this module's and other
// modules', each with its window.
export function entries() {
  const out = [];
  if (!edit.panel) return out;
  for (const win of edit.panel.windows) {
    for (const g of win.gauges) {
      if (!g.line) continue;
      out.push({ address: addressOf(g.line), line: g.line, box: g.box, win, ours: true, name: g.name, gauge: g.gauge });
    }
    (win.others || []).forEach((o, index) => {
      if (!o.line) return;
      out.push({
        address: addressOf(o.line), line: o.line, box: o.box, win, ours: false, index,
        gauge: `${o.module}!${o.gauge}`, sized: o.sized,
      });
    });
  }
  return out;
}

export function entry(address) {
  return entries().find((e) => e.address.toLowerCase() === String(address).toLowerCase()) || null;
}

export function windowBySection(section) {
  if (!edit.panel) return null;
  return edit.panel.windows.find((w) => w.section.toLowerCase() === String(section).toLowerCase()) || null;
}

// The window a line of the file belongs to: the section it sits in.
export function windowOfLine(number) {
  for (let i = Math.min(number, edit.lines.length); i >= 1; i -= 1) {
    const m = /^\s*\[([^\]]*)\]/.exec(edit.lines[i - 1]);
    if (m) return windowBySection(m[1].trim());
  }
  return null;
}

// A finding as `korvel-panel check` prints it.
export function findingText(f) {
  const file = edit.panel ? edit.panel.panel : 'panel.cfg';
  return `${file}${f.line > 0 ? `:${f.line}` : ''}: ${f.severity}: ${f.message}`;
}

// An answer's lines, findings and history taken in.
export function absorb(answer) {
  if (Array.isArray(answer.lines) && Array.isArray(answer.removed) && !answer.preview) {
    edit.lines.splice(answer.at - 1, answer.removed.length, ...answer.lines.map((l) => l.text));
  }
  if (!answer.preview) {
    if (answer.findings) edit.findings = answer.findings;
    edit.checker = answer.checker || '';
    edit.history = { undo: answer.undo, redo: answer.redo, unsaved: answer.unsaved };
  }
}

// An edit, undo, redo or save: its answer taken in; a refusal said.
export async function send(path, body, done) {
  try {
    const answer = await request(path, body);
    absorb(answer);
    if (done) done(answer);
    edit.message = { text: '', error: false };
    changed();
    return answer;
  } catch (e) {
    say(e.message, true);
    return null;
  }
}

export async function loadConfig() {
  const answer = await request('/api/config');
  edit.lines = answer.text.split(/\r?\n/);
  if (edit.lines.length > 1 && edit.lines[edit.lines.length - 1] === '' && /\n$/.test(answer.text)) edit.lines.pop();
  absorb(answer);
  changed();
}

export function select(selection) {
  edit.selected = selection;
  changed();
}
