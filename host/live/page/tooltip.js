// Tooltips, asked of the host for the gauge pixel under the pointer as the
// simulator asks the module: after the mouse rests on a gauge, or at once
// for a long press of a finger or a gauge focused from the keyboard.

import { byId, request } from './util.js';

const tooltip = byId('tooltip');
const hoverDelay = 500;
let hovering = null;  // {gauge, x, y, timer, clientX, clientY}
let asked = null;     // the last tooltip asked for, so that only its answer shows
let hideTimer = 0;

// A press that comes while a tooltip is being asked for wins over it; the
// pointer's state is the input's, handed in by whoever wires the two.
let pressed = () => false;

export function suppressTooltipsWhile(predicate) {
  pressed = predicate;
}

export function tooltipText() {
  return tooltip.hidden ? '' : tooltip.textContent;
}

export function hideTooltip() {
  clearTimeout(hideTimer);
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
  here.timer = setTimeout(() => askTooltip(here, false), hoverDelay);
  hovering = here;
}

export function unhover(gauge) {
  if (hovering && hovering.gauge === gauge) {
    clearTimeout(hovering.timer);
    hovering = null;
  }
  hideTooltip();
}

// The tooltip at a gauge point now, whatever the pointer does, for a while.
export function showTooltipAt(gauge, p, clientX, clientY, seconds = 4) {
  if (hovering) clearTimeout(hovering.timer);
  hovering = null;
  return askTooltip({ gauge, x: p.x, y: p.y, clientX, clientY }, true).then((shown) => {
    if (shown && seconds > 0) hideTimer = setTimeout(hideTooltip, seconds * 1000);
    return shown;
  });
}

async function askTooltip(here, forced) {
  asked = here;
  let tip;
  try {
    const q = new URLSearchParams({ gauge: here.gauge.name, x: here.x, y: here.y });
    tip = await request(`/api/tooltip?${q}`);
  } catch (e) {
    return false;
  }
  if (asked !== here || (!forced && (hovering !== here || pressed())) || !tip.shown || !tip.text) return false;
  clearTimeout(hideTimer);
  // Where the simulator would show a help text of its own, the host names
  // the instrument, the help identifier after it.
  tooltip.textContent = tip.text;
  if (tip.help_id !== undefined) tooltip.dataset.helpId = String(tip.help_id);
  else delete tooltip.dataset.helpId;
  tooltip.dataset.gauge = here.gauge.name;
  tooltip.hidden = false;
  const box = tooltip.getBoundingClientRect();
  const left = Math.min(here.clientX + 12, window.innerWidth - box.width - 4);
  const top = here.clientY + 20 + box.height > window.innerHeight ? here.clientY - box.height - 8 : here.clientY + 20;
  tooltip.style.left = `${Math.max(0, left)}px`;
  tooltip.style.top = `${Math.max(0, top)}px`;
  return true;
}
