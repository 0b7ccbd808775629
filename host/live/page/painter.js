// The gauges' canvases painted from the host's display lists: the module's
// bitmaps, turned, clipped and masked as cairo lays them, and the texts.

// Every gauge on the page by name: {name, canvas, ctx, box, size, areas,
// paints, picture}; the cockpit puts them here as it builds the windows.
export const gauges = new Map();

// ---------------------------------------------------------------- bitmaps

// Each module bitmap is fetched once; the painter reads them synchronously.
const bitmapLoads = new Map();   // id -> Promise
const bitmaps = new Map();       // id -> ImageBitmap, or null for one that could not be had

function loadBitmap(id) {
  let load = bitmapLoads.get(id);
  if (!load) {
    load = fetch(`/api/bitmap/${id}.png`)
      .then((r) => (r.ok ? r.blob() : null))
      .then((blob) => (blob ? createImageBitmap(blob) : null))
      .catch(() => null)
      .then((bitmap) => { bitmaps.set(id, bitmap); });
    bitmapLoads.set(id, load);
  }
  return load;
}

function bitmapsOf(picture) {
  const ids = new Set();
  for (const item of picture.items) {
    if (item.img !== undefined) ids.add(item.img);
    if (item.mask) ids.add(item.mask[0]);
  }
  return [...ids];
}

// ---------------------------------------------------------------- items

// One scratch canvas serves every masked item: an image is drawn there
// first, then cut by its mask, then laid on the gauge.
const scratch = document.createElement('canvas');
const scratchCtx = scratch.getContext('2d');

// `base` maps gauge pixels to the canvas's own; everything of an item
// (its matrix, clip and mask) is in gauge pixels, as cairo takes it
// under the window's scale.
function paintImage(ctx, item, base, width, height) {
  const bitmap = bitmaps.get(item.img);
  if (!bitmap) return;
  const mask = item.mask ? bitmaps.get(item.mask[0]) : null;
  const alpha = item.a === undefined ? 1 : item.a;
  const m = item.m;
  ctx.save();
  if (item.clip) {
    ctx.beginPath();
    ctx.rect(item.clip[0], item.clip[1], item.clip[2], item.clip[3]);
    ctx.clip();
  }
  if (mask) {
    if (scratch.width < width || scratch.height < height) {
      scratch.width = Math.max(scratch.width, width);
      scratch.height = Math.max(scratch.height, height);
    }
    const s = scratchCtx;
    s.setTransform(1, 0, 0, 1, 0, 0);
    s.globalCompositeOperation = 'source-over';
    s.globalAlpha = 1;
    s.clearRect(0, 0, width, height);
    s.save();
    s.setTransform(base[0], 0, 0, base[1], 0, 0);
    // Nothing shows outside the mask, whatever the compositing of the
    // image's own transparent margins.
    s.beginPath();
    s.rect(item.mask[1], item.mask[2], mask.width, mask.height);
    s.clip();
    s.transform(m[0], m[1], m[2], m[3], m[4], m[5]);
    s.drawImage(bitmap, 0, 0);
    s.setTransform(base[0], 0, 0, base[1], 0, 0);
    s.globalCompositeOperation = 'destination-in';
    s.drawImage(mask, item.mask[1], item.mask[2]);
    s.restore();
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.globalAlpha = alpha;
    ctx.drawImage(scratch, 0, 0, width, height, 0, 0, width, height);
  } else {
    ctx.transform(m[0], m[1], m[2], m[3], m[4], m[5]);
    ctx.globalAlpha = alpha;
    ctx.drawImage(bitmap, 0, 0);
  }
  ctx.restore();
}

const genericFamilies = new Set(['serif', 'sans-serif', 'monospace', 'cursive', 'fantasy', 'system-ui']);

function fontOf(item) {
  const face = item.font || 'sans-serif';
  const family = genericFamilies.has(face) ? face : `"${face.replace(/["\\]/g, '')}", sans-serif`;
  return `${item.weight >= 600 ? 700 : 400} ${item.size}px ${family}`;
}

function paintText(ctx, item) {
  const [x, y, w, h] = item.box;
  ctx.save();
  ctx.beginPath();
  ctx.rect(x, y, w, h);
  ctx.clip();
  ctx.font = fontOf(item);
  ctx.textAlign = 'left';
  ctx.textBaseline = 'alphabetic';
  const metrics = ctx.measureText(item.text);
  const ascent = metrics.fontBoundingBoxAscent;
  const descent = metrics.fontBoundingBoxDescent;
  // The ink starts at the box's left edge, as cairo places it from the
  // text's x bearing; centring across centres the advance.
  let left = x + metrics.actualBoundingBoxLeft;
  if (item.across) left += (w - metrics.width) / 2;
  const baseline = item.down ? y + (h - (ascent + descent)) / 2 + ascent : y + ascent;
  ctx.fillStyle = item.colour;
  ctx.fillText(item.text, left, baseline);
  ctx.restore();
}

// ---------------------------------------------------------------- gauges

// The simulator draws a gauge straight at its box's size, so the canvas
// holds as many pixels as the screen shows of the box (the gauge's own
// pixels, stretched, would blur or alias a scaled gauge). With
// ?pixels=gauge in the address the canvas keeps the gauge's own pixels,
// as its bitmaps have them.
const ownPixels = new URLSearchParams(location.search).get('pixels') === 'gauge';
let cockpitZoom = 1;

export function setCockpitZoom(zoom) {
  cockpitZoom = zoom;
}

function canvasSize(gauge, picture) {
  if (ownPixels) return [picture.w, picture.h];
  const ratio = (window.devicePixelRatio || 1) * cockpitZoom;
  return [Math.max(1, Math.round(gauge.box[2] * ratio)), Math.max(1, Math.round(gauge.box[3] * ratio))];
}

function paint(gauge) {
  const picture = gauge.picture;
  const { canvas, ctx } = gauge;
  const [width, height] = canvasSize(gauge, picture);
  if (canvas.width !== width || canvas.height !== height) {
    canvas.width = width;
    canvas.height = height;
  }
  const base = [width / picture.w, height / picture.h];
  ctx.setTransform(1, 0, 0, 1, 0, 0);
  ctx.globalAlpha = 1;
  ctx.globalCompositeOperation = 'source-over';
  ctx.clearRect(0, 0, width, height);
  ctx.setTransform(base[0], 0, 0, base[1], 0, 0);
  // A gauge drawn smaller than its bitmaps needs them averaged, not
  // sampled, as cairo does, or thin graduations flicker and thicken.
  ctx.imageSmoothingQuality = 'high';
  scratchCtx.imageSmoothingQuality = 'high';
  for (const item of picture.items) {
    if (item.text !== undefined) paintText(ctx, item);
    else paintImage(ctx, item, base, width, height);
  }
  gauge.paints += 1;
  canvas.dataset.paints = String(gauge.paints);
}

export function repaintAll() {
  for (const gauge of gauges.values()) if (gauge.picture) show(gauge.name, gauge.picture);
}

// A picture waits for its bitmaps; when a newer one arrives meanwhile,
// only the newest is painted.
export function show(name, picture) {
  const gauge = gauges.get(name);
  if (!gauge) return Promise.resolve();
  gauge.picture = picture;
  const missing = bitmapsOf(picture).filter((id) => !bitmaps.has(id));
  if (missing.length === 0) {
    paint(gauge);
    return Promise.resolve();
  }
  return Promise.all(missing.map(loadBitmap)).then(() => {
    if (gauge.picture === picture) paint(gauge);
  });
}
