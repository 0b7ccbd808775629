// A gauge's click areas as a hand finds them: the area under a point, and
// the controls they make: a knob is an area with the up cursor and the
// area with the down cursor nearest it; every other area a button takes,
// but a lever's, is a switch.

export function areaAt(gauge, p) {
  // The host hands a point to the first area in list order that holds it.
  for (const area of gauge.areas) {
    const [x, y, w, h] = area.box;
    if (p.x >= x && p.y >= y && p.x < x + w && p.y < y + h) return area;
  }
  return null;
}

export function centreOf(area) {
  const [x, y, w, h] = area.box;
  return { x: x + Math.floor(w / 2), y: y + Math.floor(h / 2) };
}

function distance(a, b) {
  const p = centreOf(a);
  const q = centreOf(b);
  return Math.hypot(p.x - q.x, p.y - q.y);
}

function union(areas) {
  const left = Math.min(...areas.map((a) => a.box[0]));
  const top = Math.min(...areas.map((a) => a.box[1]));
  const right = Math.max(...areas.map((a) => a.box[0] + a.box[2]));
  const bottom = Math.max(...areas.map((a) => a.box[1] + a.box[3]));
  return [left, top, right - left, bottom - top];
}

// {kind: 'knob', up, down, box} or {kind: 'switch', area, box}, in the
// order of the areas; a knob may lack one of its halves.
export function controlsOf(gauge) {
  if (gauge.controls) return gauge.controls;
  const used = new Set();
  const controls = [];
  for (const area of gauge.areas) {
    if (used.has(area) || area.drag || !area.buttons.includes('left')) continue;
    used.add(area);
    if (area.cursor === 'n-resize' || area.cursor === 's-resize') {
      const other = area.cursor === 'n-resize' ? 's-resize' : 'n-resize';
      let partner = null;
      for (const a of gauge.areas)
        if (!used.has(a) && a.cursor === other && (!partner || distance(area, a) < distance(area, partner))) partner = a;
      if (partner) used.add(partner);
      const up = area.cursor === 'n-resize' ? area : partner;
      const down = area.cursor === 's-resize' ? area : partner;
      controls.push({ kind: 'knob', up, down, box: union([area, partner].filter(Boolean)) });
    } else {
      controls.push({ kind: 'switch', area, box: area.box });
    }
  }
  gauge.controls = controls;
  return controls;
}

export function knobOf(gauge, area) {
  return controlsOf(gauge).find((c) => c.kind === 'knob' && (c.up === area || c.down === area)) || null;
}
