// The side panel's profile player: a shipped or the pilot's own profile
// loaded, played, paused, scrubbed through and sped up, as the host plays
// it.

import { byId, clock, latestOnly, make, request, say } from './util.js';
import { problemsText } from './state.js';

const profileMessage = byId('profile-message');
const profileTime = byId('profile-time');
const profileClock = byId('profile-clock');
const speedSelect = byId('speed');
let profileState = { loaded: false, playing: false, time: 0, length: 0, speed: 1 };
let scrubbing = false;

async function profileAction(body) {
  try {
    const answer = await request('/api/profile', body);
    const problems = problemsText(answer.problems);
    say(profileMessage, problems, problems !== '');
    return answer;
  } catch (e) {
    say(profileMessage, e.message, true);
    return null;
  }
}

const seek = latestOnly((time) => profileAction({ action: 'seek', time }));

export function showProfile(p) {
  profileState = p;
  byId('play').disabled = !p.loaded;
  byId('pause').disabled = !p.loaded;
  byId('play').setAttribute('aria-pressed', String(p.playing));
  profileTime.disabled = !p.loaded;
  profileTime.max = String(p.length);
  if (!scrubbing) profileTime.value = String(p.time);
  profileClock.textContent = `${clock(scrubbing ? Number(profileTime.value) : p.time)} / ${clock(p.length)}`;
  if (document.activeElement !== speedSelect) {
    const option = [...speedSelect.options].find((o) => Number(o.value) === p.speed);
    if (option) speedSelect.value = option.value;
  }
}

export function buildProfileTools(panel) {
  const select = byId('profile');
  for (const name of panel.profiles) select.append(make('option', { value: name, text: name.replace(/_/g, ' ') }));
  select.disabled = panel.profiles.length === 0;
  byId('load-profile').addEventListener('click', async () => {
    if (!select.value) return;
    const answer = await profileAction({ action: 'load', example: select.value });
    if (answer && !profileMessage.textContent) say(profileMessage, `Loaded ${select.value} (${clock(answer.length)}).`);
  });
  byId('profile-file').addEventListener('change', async (e) => {
    const file = e.target.files[0];
    if (!file) return;
    const text = await file.text();
    const answer = await profileAction({ action: 'load', text });
    if (answer && !profileMessage.textContent) say(profileMessage, `Loaded ${file.name} (${clock(answer.length)}).`);
    e.target.value = '';
  });
  byId('play').addEventListener('click', () => profileAction({ action: 'play', speed: Number(speedSelect.value) }));
  byId('pause').addEventListener('click', () => profileAction({ action: 'pause' }));
  speedSelect.addEventListener('change', () => {
    profileAction({ action: profileState.playing ? 'play' : 'pause', speed: Number(speedSelect.value) });
  });
  // While the pilot holds the slider, the host's times do not move it.
  profileTime.addEventListener('pointerdown', () => { scrubbing = true; });
  profileTime.addEventListener('input', () => {
    profileClock.textContent = `${clock(Number(profileTime.value))} / ${clock(profileState.length)}`;
    seek(Number(profileTime.value));
  });
  profileTime.addEventListener('change', () => {
    scrubbing = false;
    seek(Number(profileTime.value));
  });
  window.addEventListener('pointerup', () => { scrubbing = false; });
}
