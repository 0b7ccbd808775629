// The keyboard: every knob and switch of a gauge is a place Tab stops at,
// outlined while focused, its tooltip shown. Arrow keys, + and - step a
// knob as clicks on its halves do; Space and Enter work a switch.

import { make } from './util.js';
import { centreOf, controlsOf } from './areas.js';
import { clickArea } from './input.js';
import { hideTooltip, showTooltipAt, tooltipText } from './tooltip.js';

const upKeys = new Set(['ArrowUp', 'ArrowRight', '+', '=', 'PageUp']);
const downKeys = new Set(['ArrowDown', 'ArrowLeft', '-', '_', 'PageDown']);

function keyed(gauge, control, e) {
  if (control.kind === 'knob') {
    const half = upKeys.has(e.key) ? control.up : downKeys.has(e.key) ? control.down : undefined;
    if (half === undefined) return false;
    if (half) clickArea(gauge, half);
    return true;
  }
  if (e.key !== ' ' && e.key !== 'Enter') return false;
  if (!e.repeat) clickArea(gauge, control.area);
  return true;
}

// A focus ring over each control, in the window's units: its box in gauge
// pixels stretched as the gauge's canvas is.
export function attachKeys(gauge, holder) {
  const [gx, gy, gw, gh] = gauge.box;
  const sx = gw / gauge.size[0];
  const sy = gh / gauge.size[1];
  controlsOf(gauge).forEach((control, i) => {
    const [x, y, w, h] = control.box;
    const knob = control.kind === 'knob';
    const ring = make('div', {
      class: 'key-area',
      tabindex: 0,
      role: knob ? 'spinbutton' : 'button',
      'aria-label': `${gauge.label} ${knob ? 'knob' : 'switch'} ${i + 1}`,
      'data-gauge': gauge.name,
      'data-control': String(i),
      'data-kind': control.kind,
    });
    ring.style.left = `${gx + x * sx}px`;
    ring.style.top = `${gy + y * sy}px`;
    ring.style.width = `${w * sx}px`;
    ring.style.height = `${h * sy}px`;
    ring.addEventListener('keydown', (e) => {
      if (e.ctrlKey || e.altKey || e.metaKey) return;
      if (keyed(gauge, control, e)) e.preventDefault();
    });
    // What the control is, as the host's tooltip tells it, shown beside it.
    ring.addEventListener('focus', () => {
      const r = ring.getBoundingClientRect();
      const p = centreOf(knob ? control.up || control.down : control.area);
      showTooltipAt(gauge, p, r.right, r.top, 0).then((shown) => {
        if (shown && document.activeElement === ring) ring.setAttribute('aria-description', tooltipText());
      });
    });
    ring.addEventListener('blur', hideTooltip);
    holder.append(ring);
  });
}
