// Tooltips after the pointer rests on a gauge, asked of the host for the
// gauge pixel under it, as the simulator asks the module.

import { byId, request } from './util.js';

const tooltip = byId('tooltip');
const hoverDelay = 500;
let hovering = null;  // {gauge, x, y, timer, clientX, clientY}

// A press that comes while a tooltip is being asked for wins over it; the
// pointer's state is the input's, handed in by whoever wires the two.
let pressed = () => false;

export function suppressTooltipsWhile(predicate) {
  pressed = predicate;
}

export function hideTooltip() {
  tooltip.hidden = true;
  tooltip.textContent = '';
  delete tooltip.dataset.gauge;
  delete tooltip.dataset.helpId;
}

export function hover(gauge, p, e) {
  if (hovering && hovering.gauge === gauge && hovering.x === p.x && hovering.y === p.y) return;
  if (hovering) clearTimeout(hovering.timer);
  if (!tooltip.hidden) hideTooltip();
  const here = { gauge, x: p.x, y: p.y, clientX: e.clientX, clientY: e.clientY, timer: 0 };
  here.timer = setTimeout(() => askTooltip(here), hoverDelay);
  hovering = here;
}

export function unhover(gauge) {
  if (hovering && hovering.gauge === gauge) {
    clearTimeout(hovering.timer);
    hovering = null;
  }
  hideTooltip();
}

async function askTooltip(here) {
  let tip;
  try {
    const q = new URLSearchParams({ gauge: here.gauge.name, x: here.x, y: here.y });
    tip = await request(`/api/tooltip?${q}`);
  } catch (e) {
    return;
  }
  if (hovering !== here || pressed() || !tip.shown) return;
  if (tip.text) {
    tooltip.textContent = tip.text;
  } else if (tip.help_id !== undefined) {
    // The simulator's own help text, which only the simulator has.
    tooltip.textContent = `Help text 0x${tip.help_id.toString(16).toUpperCase().padStart(4, '0')}`;
    tooltip.dataset.helpId = String(tip.help_id);
  } else {
    return;
  }
  tooltip.dataset.gauge = here.gauge.name;
  tooltip.hidden = false;
  const box = tooltip.getBoundingClientRect();
  const left = Math.min(here.clientX + 12, window.innerWidth - box.width - 4);
  const top = here.clientY + 20 + box.height > window.innerHeight ? here.clientY - box.height - 8 : here.clientY + 20;
  tooltip.style.left = `${Math.max(0, left)}px`;
  tooltip.style.top = `${Math.max(0, top)}px`;
}
