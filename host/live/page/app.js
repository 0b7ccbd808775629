// The live panel in a browser: the windows as the simulator shows them,
// painted from the host's display lists; the pilot's clicks, holds, drags
// and hovers sent back to the host; sounds; a side panel to set the flight.
'use strict';

(() => {
  // ---------------------------------------------------------------- helpers

  const byId = (id) => document.getElementById(id);

  function make(tag, attributes = {}, ...children) {
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

  class ApiError extends Error {}

  // Every API answer is JSON; a refusal carries its reason in "error".
  async function request(path, body) {
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

  function say(output, text, isError = false) {
    output.textContent = text;
    output.classList.toggle('error', isError);
  }

  function clock(seconds) {
    const s = Math.max(0, Math.floor(seconds + 1e-6));
    return `${Math.floor(s / 60)}:${String(s % 60).padStart(2, '0')}`;
  }

  // Keeps one request of a kind in flight: while one is out, only the
  // latest of those asked meanwhile goes next, so a slider dragged fast
  // never queues up a backlog on the host.
  function latestOnly(send) {
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

  // ---------------------------------------------------------------- state

  const gauges = new Map();   // name -> {name, canvas, ctx, size, areas, paints, picture}
  const frames = new Map();   // window id -> {frame, element, listItem}
  let panel = null;

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

  // ---------------------------------------------------------------- painter

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

  // The simulator draws a gauge straight at its box's size, so the canvas
  // holds as many pixels as the screen shows of the box (the gauge's own
  // pixels, stretched, would blur or alias a scaled gauge). With
  // ?pixels=gauge in the address the canvas keeps the gauge's own pixels,
  // as its bitmaps have them.
  const ownPixels = new URLSearchParams(location.search).get('pixels') === 'gauge';
  let cockpitZoom = 1;

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

  function repaintAll() {
    for (const gauge of gauges.values()) if (gauge.picture) show(gauge.name, gauge.picture);
  }

  // A picture waits for its bitmaps; when a newer one arrives meanwhile,
  // only the newest is painted.
  function show(name, picture) {
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

  // ---------------------------------------------------------------- windows

  const panelPaint = 'linear-gradient(to bottom, rgb(68.85, 71.4, 73.95), rgb(51, 53.55, 56.1))';

  // Another module's gauge, drawn as the tool draws it: a dark veil, an
  // amber outline and the module's and gauge's names.
  function otherGauge(other) {
    const [x, y, w, h] = other.box;
    const canvas = make('canvas', {
      class: 'other',
      width: Math.max(1, Math.ceil(w)),
      height: Math.max(1, Math.ceil(h)),
      title: `${other.module}!${other.gauge}`,
      'aria-label': `${other.module}!${other.gauge} (another module)`,
      'data-other': `${other.module}!${other.gauge}`,
    });
    canvas.style.left = `${x}px`;
    canvas.style.top = `${y}px`;
    canvas.style.width = `${w}px`;
    canvas.style.height = `${h}px`;
    const ctx = canvas.getContext('2d');
    ctx.fillStyle = 'rgba(13, 13, 15, 0.55)';
    ctx.fillRect(0.5, 0.5, w - 1, h - 1);
    ctx.setLineDash([5, 3]);
    ctx.lineWidth = 1;
    ctx.strokeStyle = 'rgb(242, 191, 51)';
    ctx.strokeRect(0.5, 0.5, w - 1, h - 1);
    ctx.font = `${Math.min(12, Math.max(7, w / 12))}px "DejaVu Sans Condensed", sans-serif`;
    ctx.fillStyle = 'rgb(242, 191, 51)';
    ctx.fillText(other.module, 3, 12);
    ctx.fillText(other.gauge, 3, 25);
    return canvas;
  }

  function buildWindow(win, first) {
    const element = make('div', {
      class: 'window',
      'data-window': win.id,
      'data-kind': win.kind,
      role: 'group',
      'aria-label': win.title,
    });
    element.style.width = `${win.width}px`;
    element.style.height = `${win.height}px`;
    if (win.background) {
      element.style.backgroundImage = `url("${win.background}")`;
    } else if (win.background_color) {
      const [r, g, b] = win.background_color;
      element.style.backgroundColor = `rgb(${r}, ${g}, ${b})`;
    } else {
      element.style.backgroundImage = panelPaint;
    }
    for (const other of win.others || []) element.append(otherGauge(other));
    for (const g of win.gauges) element.append(buildGauge(g));

    const label = win.kind === 'virtual_cockpit' ? 'virtual cockpit' : `ident ${win.ident}`;
    const frame = make('section', {
      class: first ? 'frame main' : 'frame',
      id: `window-${win.id}`,
      'data-shown': 'true',
    },
    make('div', { class: 'frame-title' },
      make('span', { class: 'name', text: win.title }),
      make('span', { text: `${label} · ${win.width}×${win.height}` })),
    element);
    return { frame, element };
  }

  function setShown(id, shown) {
    const entry = frames.get(id);
    if (!entry) return;
    const value = shown ? 'true' : 'false';
    entry.frame.dataset.shown = value;
    entry.element.dataset.visible = value;
    entry.lamp.dataset.on = value;
    entry.state.textContent = shown ? 'shown' : 'hidden';
  }

  // ---------------------------------------------------------------- gauges

  function buildGauge(g) {
    const [x, y, w, h] = g.box;
    const canvas = make('canvas', {
      class: 'gauge',
      'data-gauge': g.name,
      'data-paints': '0',
      'data-size': `${g.size[0]}x${g.size[1]}`,
      width: g.size[0],
      height: g.size[1],
      'aria-label': g.gauge,
    });
    canvas.style.left = `${x}px`;
    canvas.style.top = `${y}px`;
    canvas.style.width = `${w}px`;
    canvas.style.height = `${h}px`;
    const gauge = {
      name: g.name,
      canvas,
      ctx: canvas.getContext('2d'),
      box: g.box,
      size: g.size,
      areas: g.areas,
      paints: 0,
      picture: null,
    };
    gauges.set(g.name, gauge);
    attachPointer(gauge);
    return canvas;
  }

  // A pointer's position in the gauge's own pixels, as the API counts them;
  // `inside` keeps it on the gauge (a drag may leave it).
  function gaugePoint(gauge, event, inside) {
    const r = gauge.canvas.getBoundingClientRect();
    let x = Math.floor((event.clientX - r.left) * gauge.size[0] / r.width);
    let y = Math.floor((event.clientY - r.top) * gauge.size[1] / r.height);
    if (inside) {
      x = Math.min(Math.max(x, 0), gauge.size[0] - 1);
      y = Math.min(Math.max(y, 0), gauge.size[1] - 1);
    }
    return { x, y };
  }

  // The host hands a point to the first area in list order that holds it.
  function areaAt(gauge, p) {
    for (const area of gauge.areas) {
      const [x, y, w, h] = area.box;
      if (p.x >= x && p.y >= y && p.x < x + w && p.y < y + h) return area;
    }
    return null;
  }

  // ---------------------------------------------------------------- mouse

  // Presses, drags and releases reach the host in the order made; a drag
  // waiting behind another is replaced by the newer one.
  const mouseQueue = [];
  let mouseBusy = false;

  function sendMouse(body) {
    const last = mouseQueue[mouseQueue.length - 1];
    if (body.action === 'drag' && last && last.action === 'drag' && last.gauge === body.gauge) {
      mouseQueue[mouseQueue.length - 1] = body;
    } else {
      mouseQueue.push(body);
    }
    pumpMouse();
  }

  async function pumpMouse() {
    if (mouseBusy) return;
    mouseBusy = true;
    while (mouseQueue.length > 0) {
      const body = mouseQueue.shift();
      try {
        await request('/api/click', body);
      } catch (e) {
        linkMessage(e.message);
      }
    }
    mouseBusy = false;
  }

  let held = null;  // {gauge, button, pointerId, drag}

  function release() {
    if (!held) return;
    const { gauge, button, drag, pointerId } = held;
    held = null;
    if (drag && gauge.canvas.hasPointerCapture(pointerId)) gauge.canvas.releasePointerCapture(pointerId);
    gauge.canvas.style.cursor = gauge.lastCursor || 'default';
    sendMouse({ gauge: gauge.name, x: 0, y: 0, button, action: 'release' });
  }

  function attachPointer(gauge) {
    const canvas = gauge.canvas;

    canvas.addEventListener('contextmenu', (e) => e.preventDefault());

    canvas.addEventListener('pointerdown', (e) => {
      if (e.button !== 0 && e.button !== 2) return;
      e.preventDefault();
      hideTooltip();
      unlockSound();
      if (held) return;
      const button = e.button === 0 ? 'left' : 'right';
      const p = gaugePoint(gauge, e, true);
      const area = areaAt(gauge, p);
      const drag = button === 'left' && area !== null && area.drag;
      held = { gauge, button, pointerId: e.pointerId, drag };
      // A dragged lever follows the pointer off the gauge, so the gauge
      // keeps the pointer until the button comes up.
      if (drag) {
        canvas.setPointerCapture(e.pointerId);
        canvas.style.cursor = 'grabbing';
      }
      sendMouse({ gauge: gauge.name, x: p.x, y: p.y, button, action: 'press' });
    });

    canvas.addEventListener('pointermove', (e) => {
      if (held) return;
      const p = gaugePoint(gauge, e, true);
      const area = areaAt(gauge, p);
      const cursor = area ? area.cursor : 'default';
      if (cursor !== gauge.lastCursor) {
        canvas.style.cursor = cursor;
        gauge.lastCursor = cursor;
      }
      hover(gauge, p, e);
    });

    // A held knob lets go when the pointer leaves it, as the simulator's does.
    canvas.addEventListener('pointerleave', () => {
      if (held && held.gauge === gauge && !held.drag) release();
      unhover(gauge);
    });
    canvas.addEventListener('pointercancel', () => {
      if (held && held.gauge === gauge) release();
    });
  }

  // Drags are followed over the whole page, not only over the gauge: the
  // pointer capture that would bring them to the gauge is not granted in
  // every browser and input path.
  window.addEventListener('pointermove', (e) => {
    if (!held || !held.drag) return;
    const p = gaugePoint(held.gauge, e, false);
    sendMouse({ gauge: held.gauge.name, x: p.x, y: p.y, button: 'left', action: 'drag' });
  });

  window.addEventListener('pointerup', (e) => {
    if (!held) return;
    if ((held.button === 'left' && e.button === 0) || (held.button === 'right' && e.button === 2)) release();
  });
  window.addEventListener('blur', release);
  document.addEventListener('visibilitychange', () => { if (document.hidden) release(); });

  // ---------------------------------------------------------------- tooltip

  const tooltip = byId('tooltip');
  const hoverDelay = 500;
  let hovering = null;  // {gauge, x, y, timer, clientX, clientY}

  function hideTooltip() {
    tooltip.hidden = true;
    tooltip.textContent = '';
    delete tooltip.dataset.gauge;
    delete tooltip.dataset.helpId;
  }

  function hover(gauge, p, e) {
    if (hovering && hovering.gauge === gauge && hovering.x === p.x && hovering.y === p.y) return;
    if (hovering) clearTimeout(hovering.timer);
    if (!tooltip.hidden) hideTooltip();
    const here = { gauge, x: p.x, y: p.y, clientX: e.clientX, clientY: e.clientY, timer: 0 };
    here.timer = setTimeout(() => askTooltip(here), hoverDelay);
    hovering = here;
  }

  function unhover(gauge) {
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
    if (hovering !== here || held || !tip.shown) return;
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

  // ---------------------------------------------------------------- sound

  // Browsers let a page make sound only after the pilot has touched it;
  // until then the module's sounds are shown on the lamp and not heard.
  let audio = null;
  let muted = false;
  const waves = new Map();  // id -> Promise<AudioBuffer|null>
  const soundLamp = byId('sound-lamp');
  const muteButton = byId('mute');
  let lampTimer = 0;

  function unlockSound() {
    if (audio) {
      if (audio.state === 'suspended') audio.resume().catch(() => {});
      return;
    }
    const Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return;
    try {
      audio = new Context();
    } catch (e) {
      audio = null;
    }
  }
  document.addEventListener('pointerdown', unlockSound, true);
  document.addEventListener('keydown', unlockSound, true);

  function wave(id) {
    let load = waves.get(id);
    if (!load) {
      load = fetch(`/api/wave/${id}.wav`)
        .then((r) => (r.ok ? r.arrayBuffer() : null))
        .then((bytes) => (bytes ? audio.decodeAudioData(bytes) : null))
        .catch(() => null);
      waves.set(id, load);
    }
    return load;
  }

  function playSound(sound) {
    const count = Number(soundLamp.dataset.count) + 1;
    soundLamp.dataset.count = String(count);
    soundLamp.dataset.wave = String(sound.wave);
    soundLamp.title = `Sound ${sound.wave} from ${sound.gauge || 'the module'} (${count} so far)`;
    soundLamp.classList.add('flash');
    clearTimeout(lampTimer);
    lampTimer = setTimeout(() => soundLamp.classList.remove('flash'), 150);
    if (muted || !audio) return;
    wave(sound.wave).then((buffer) => {
      if (!buffer || muted) return;
      const source = audio.createBufferSource();
      source.buffer = buffer;
      source.connect(audio.destination);
      source.start();
    });
  }

  muteButton.addEventListener('click', () => {
    muted = !muted;
    muteButton.setAttribute('aria-pressed', String(muted));
    muteButton.textContent = muted ? 'Muted' : 'Sound on';
    muteButton.title = muted ? 'Let the module be heard' : "Silence the module's sounds";
  });

  // ---------------------------------------------------------------- link

  const linkLamp = byId('link-lamp');
  const linkText = byId('link-text');
  const cycleReadout = byId('cycle');

  function linkMessage(text) {
    linkText.textContent = text;
  }

  let firstFrame = true;

  function connect() {
    const events = new EventSource('/api/events');
    events.onopen = () => {
      linkLamp.dataset.on = 'true';
      linkMessage('Live');
    };
    events.onerror = () => {
      // EventSource reconnects by itself; the server then sends everything.
      linkLamp.dataset.on = 'lost';
      linkMessage('Reconnecting…');
    };
    events.onmessage = (message) => {
      let frame;
      try {
        frame = JSON.parse(message.data);
      } catch (e) {
        return;
      }
      receive(frame);
    };
  }

  function receive(frame) {
    const painted = [];
    if (frame.gauges) {
      for (const [name, picture] of Object.entries(frame.gauges)) painted.push(show(name, picture));
    }
    if (frame.windows) {
      for (const [id, shown] of Object.entries(frame.windows)) setShown(id, shown);
    }
    if (frame.sounds) for (const sound of frame.sounds) playSound(sound);
    if (frame.values) showValues(frame.values);
    if (frame.profile) showProfile(frame.profile);
    if (frame.failed) showFailed(frame.failed);
    if (frame.fault) {
      // The host thread went on after a fault of its own; the pilot is told.
      linkMessage(`Host fault: ${frame.fault}`);
      document.body.dataset.fault = frame.fault;
    }
    if (frame.cycle !== undefined) {
      cycleReadout.textContent = String(frame.cycle);
      document.body.dataset.cycle = String(frame.cycle);
    }
    if (firstFrame) {
      firstFrame = false;
      Promise.all(painted).then(() => { document.body.dataset.state = 'live'; });
    }
  }

  // ---------------------------------------------------------------- side panel: flight state

  const stateMessage = byId('state-message');

  function problemsText(problems) {
    if (!problems || problems.length === 0) return '';
    return problems.map((p) => `line ${p.line}: ${p.message}`).join('\n');
  }

  async function setState(body, output, done) {
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

  function buildStateTools() {
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

  // ---------------------------------------------------------------- side panel: profile

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

  function showProfile(p) {
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

  function buildProfileTools() {
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

  // ---------------------------------------------------------------- side panel: failures

  const failureBoxes = new Map();  // key -> checkbox

  function showFailed(failed) {
    const set = new Set(failed);
    for (const [key, box] of failureBoxes) box.checked = set.has(key);
  }

  function buildFailures() {
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

  // ---------------------------------------------------------------- side panel: controls

  const controls = new Map();  // id -> {control, range, number, editing, value}

  function decimals(step) {
    const text = String(step);
    const dot = text.indexOf('.');
    return dot < 0 ? 0 : text.length - dot - 1;
  }

  // Values travel in the pilot's units both ways; the server converts.
  function showValues(values) {
    for (const [id, value] of Object.entries(values)) {
      const c = controls.get(id);
      if (!c) continue;
      c.value = value;
      if (c.editing) continue;
      if (value === null) {
        c.number.value = '';
        continue;
      }
      c.range.value = String(value);
      c.number.value = c.control.kind === 'code'
        ? String(Math.round(value)).padStart(4, '0')
        : value.toFixed(decimals(c.control.step));
    }
  }

  function buildControls() {
    const holder = byId('controls');
    const groups = new Map();
    for (const control of panel.controls) {
      let group = groups.get(control.group);
      if (!group) {
        group = make('fieldset', {}, make('legend', { text: control.group }));
        groups.set(control.group, group);
        holder.append(group);
      }
      const id = `control-${control.id}`;
      const range = make('input', {
        type: 'range', min: control.low, max: control.high, step: control.step,
        'aria-label': `${control.label} (${control.unit})`,
      });
      const number = make('input', {
        type: 'number', id, min: control.low, max: control.high, step: control.step,
        'data-control': control.id,
      });
      const entry = { control, range, number, editing: false, value: null };
      const send = latestOnly(async (shown) => {
        const answer = await setState({ values: { [control.id]: shown } }, byId('controls-message'));
        if (answer && !answer.problems?.length) say(byId('controls-message'), '');
      });
      range.addEventListener('pointerdown', () => { entry.editing = true; });
      range.addEventListener('input', () => {
        number.value = Number(range.value).toFixed(decimals(control.step));
        send(Number(range.value));
      });
      range.addEventListener('change', () => { entry.editing = false; });
      number.addEventListener('focus', () => { entry.editing = true; });
      number.addEventListener('blur', () => {
        entry.editing = false;
        if (entry.value !== null) showValues({ [control.id]: entry.value });
      });
      number.addEventListener('change', () => {
        let shown = Number(number.value);
        if (number.value === '' || !Number.isFinite(shown)) return;
        // What the control cannot hold is held at its end, as the slider is.
        shown = Math.min(control.high, Math.max(control.low, shown));
        number.value = control.kind === 'code' ? String(shown).padStart(4, '0') : String(shown);
        range.value = String(shown);
        send(shown);
      });
      number.addEventListener('keydown', (e) => { if (e.key === 'Enter') number.blur(); });
      controls.set(control.id, entry);
      group.append(make('div', { class: 'control' },
        make('label', { for: id, text: control.label }), range, number,
        make('span', { class: 'unit', text: control.unit })));
    }
  }

  // ---------------------------------------------------------------- side panel: windows

  function buildWindowList(win, entry) {
    const lamp = make('span', { class: 'lamp', 'data-on': 'true' });
    const state = make('span', { class: 'window-state', text: 'shown' });
    const item = make('li', { 'data-window-item': win.id },
      lamp,
      make('a', { href: `#window-${win.id}`, text: win.title }),
      make('span', { class: 'ident', text: win.kind === 'virtual_cockpit' ? 'virtual cockpit' : `ident ${win.ident}` }),
      state);
    entry.lamp = lamp;
    entry.state = state;
    byId('window-list').append(item);
  }

  byId('show-hidden').addEventListener('change', (e) => {
    document.body.classList.toggle('show-hidden', e.target.checked);
  });

  // ---------------------------------------------------------------- scale

  const zoom = byId('zoom');
  zoom.addEventListener('change', () => {
    byId('cockpit').style.zoom = zoom.value;
    cockpitZoom = Number(zoom.value);
    repaintAll();
  });
  // The browser's own zoom, or a screen of another density, changes how
  // many pixels a box covers.
  let screenRatio = window.devicePixelRatio;
  window.addEventListener('resize', () => {
    if (window.devicePixelRatio === screenRatio) return;
    screenRatio = window.devicePixelRatio;
    repaintAll();
  });

  // ---------------------------------------------------------------- start

  async function start() {
    try {
      panel = await request('/api/panel');
    } catch (e) {
      const notice = byId('cockpit-notice');
      notice.textContent = `The panel could not be loaded: ${e.message}`;
      notice.classList.add('error');
      document.body.dataset.state = 'failed';
      return;
    }
    byId('panel-source').textContent = panel.panel;
    const cockpit = byId('cockpit');
    cockpit.textContent = '';
    panel.windows.forEach((win, i) => {
      const entry = buildWindow(win, i === 0);
      frames.set(win.id, entry);
      buildWindowList(win, entry);
      cockpit.append(entry.frame);
    });
    buildStateTools();
    buildProfileTools();
    buildFailures();
    buildControls();
    connect();
  }

  start();
})();
