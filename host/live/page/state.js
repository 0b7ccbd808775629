// The side panel's flight state: a shipped state or the pilot's own file
// loaded, the registration set, and instruments failed and restored, all
// through the host's state request.

import { byId, make, request, say } from './util.js';

const stateMessage = byId('state-message');

export function problemsText(problems) {
  if (!problems || problems.length === 0) return '';
  return problems.map((p) => `line ${p.line}: ${p.message}`).join('\n');
}

export async function setState(body, output, done) {
  try {
    const answer = await request('/api/state', body);
    if (answer.failed) showFailed(answer.failed);
    const problems = problemsText(answer.problems);
    if (output) say(output, problems || done || '', problems !== '');
    return answer;
  } catch (e) {
    if (output) say(output, e.message, true);
    return null;
  }
}

export function buildStateTools(panel) {
  const select = byId('example');
  // No shipped state is chosen until the pilot picks one: the panel may be
  // flying a state given on the command line.
  select.append(make('option', { value: '', text: 'choose a flight state…' }));
  for (const name of panel.examples) select.append(make('option', { value: name, text: name.replace(/_/g, ' ') }));
  select.disabled = panel.examples.length === 0;
  byId('load-example').addEventListener('click', () => {
    if (select.value) setState({ example: select.value }, stateMessage, `Loaded ${select.value}.`);
  });
  byId('state-file').addEventListener('change', async (e) => {
    const file = e.target.files[0];
    if (!file) return;
    const text = await file.text();
    await setState({ text }, stateMessage, `Loaded ${file.name}.`);
    e.target.value = '';
  });
  const atc = byId('atc-id');
  const setAtc = () => setState({ atc_id: atc.value }, stateMessage, `Registration ${atc.value || '(none)'}.`);
  byId('set-atc').addEventListener('click', setAtc);
  atc.addEventListener('keydown', (e) => { if (e.key === 'Enter') setAtc(); });
}

// ---------------------------------------------------------------- failures

const failureBoxes = new Map();  // key -> checkbox

// The boxes follow the host, whoever failed or restored what.
export function showFailed(failed) {
  const set = new Set(failed);
  for (const [key, box] of failureBoxes) box.checked = set.has(key);
}

export function buildFailures(panel) {
  const holder = byId('failures');
  for (const f of panel.failures) {
    const box = make('input', { type: 'checkbox', 'data-failure': f.name, value: f.key });
    box.addEventListener('change', () => {
      setState(box.checked ? { fail: [f.key] } : { restore: [f.key] }, byId('controls-message'));
    });
    failureBoxes.set(f.key, box);
    holder.append(make('label', { class: 'check', title: `Failure key ${f.key}` }, box, f.name.replace(/_/g, ' ')));
  }
  byId('restore-all').addEventListener('click', () => setState({ restore: 'all' }, byId('controls-message')));
}
