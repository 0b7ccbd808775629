// The small helpers every part of the page shares: elements, the API's
// requests and answers, messages, clocks, and requests kept one at a time.

export const byId = (id) => document.getElementById(id);

export function make(tag, attributes = {}, ...children) {
  const node = document.createElement(tag);
  for (const [key, value] of Object.entries(attributes)) {
    if (value === undefined || value === null || value === false) continue;
    if (key === 'class') node.className = value;
    else if (key === 'text') node.textContent = value;
    else if (key.startsWith('on')) node.addEventListener(key.slice(2), value);
    else node.setAttribute(key, value === true ? '' : String(value));
  }
  for (const child of children) if (child !== null && child !== undefined) node.append(child);
  return node;
}

export class ApiError extends Error {}

// Every API answer is JSON; a refusal carries its reason in "error".
export async function request(path, body) {
  const init = body === undefined ? {} : {
    method: 'POST',
    headers: { 'Content-Type': 'application/json' },
    body: JSON.stringify(body),
  };
  let response;
  try {
    response = await fetch(path, init);
  } catch (e) {
    throw new ApiError('the panel does not answer');
  }
  let data = {};
  try {
    data = await response.json();
  } catch (e) {
    data = {};
  }
  if (!response.ok) throw new ApiError(data.error || `${response.status} ${response.statusText}`);
  return data;
}

export function say(output, text, isError = false) {
  output.textContent = text;
  output.classList.toggle('error', isError);
}

export function clock(seconds) {
  const s = Math.max(0, Math.floor(seconds + 1e-6));
  return `${Math.floor(s / 60)}:${String(s % 60).padStart(2, '0')}`;
}

// Keeps one request of a kind in flight: while one is out, only the
// latest of those asked meanwhile goes next, so a slider dragged fast
// never queues up a backlog on the host.
export function latestOnly(send) {
  let busy = false;
  let waiting = null;
  return async function submit(value) {
    if (busy) {
      waiting = { value };
      return;
    }
    busy = true;
    try {
      await send(value);
    } finally {
      busy = false;
      if (waiting) {
        const next = waiting.value;
        waiting = null;
        submit(next);
      }
    }
  };
}
