"""The page as a whole: it loads cleanly, lays out every window and gauge
where the panel puts them, and paints what cairo paints."""

import os
import subprocess
import time

from harness import check, data_url, wait_until


def test_page_loads_without_console_errors(ctx):
    page = ctx.open()
    # A few cycles of frames, so that errors of the live part show too.
    time.sleep(1.0)
    errors = page.console_errors()
    check(not errors, f"console errors: {errors}")
    asked = page.js("return performance.getEntriesByType('resource').map((e) => e.name);")
    check(not any("favicon" in url for url in asked), f"the page asked for a favicon: {asked}")
    title = page.driver.title
    check(title.strip() != "", "the page has no title")


def test_every_window_and_gauge_sits_at_its_box(ctx):
    # At the design scale, a CSS pixel to a unit.
    page = ctx.open(query="?scale=1")
    shown = page.server.frame()["windows"]
    layout = page.js("""
        const out = {};
        for (const w of document.querySelectorAll('[data-window]')) {
          const r = w.getBoundingClientRect();
          const gauges = {};
          for (const c of w.querySelectorAll('canvas[data-gauge]')) {
            const g = c.getBoundingClientRect();
            gauges[c.dataset.gauge] = {box: [g.left - r.left, g.top - r.top, g.width, g.height],
                                       size: [c.width, c.height], paints: Number(c.dataset.paints),
                                       opaque: window.__korvel.opaque(c.dataset.gauge)};
          }
          out[w.dataset.window] = {size: [r.width, r.height], gauges,
                                   others: w.querySelectorAll('[data-other]').length,
                                   displayed: w.offsetParent !== null,
                                   background: getComputedStyle(w).backgroundImage};
        }
        return out;
    """)
    for w in page.panel["windows"]:
        check(w["id"] in layout, f"no element has data-window={w['id']}")
        seen = layout[w["id"]]
        check(seen["displayed"] == shown[w["id"]],
              f"{w['id']}: displayed {seen['displayed']}, the host says visible {shown[w['id']]}")
        if seen["displayed"]:
            check(seen["size"] == [w["width"], w["height"]], f"{w['id']} is {seen['size']} CSS px")
        check(seen["others"] == len(w["others"]), f"{w['id']}: {seen['others']} outlines of other modules")
        if not w["background"] and "background_color" not in w:
            check("gradient" in seen["background"], f"{w['id']} lacks the panel paint: {seen['background']}")
        for g in w["gauges"]:
            check(g["name"] in seen["gauges"], f"{w['id']} has no canvas with data-gauge={g['name']}")
            c = seen["gauges"][g["name"]]
            if seen["displayed"]:
                # A canvas holds the pixels the screen shows of its box.
                check(c["size"] == [round(g["box"][2]), round(g["box"][3])],
                      f"{g['name']}: canvas {c['size']} for a box of {g['box'][2:]}")
            if seen["displayed"]:
                check(all(abs(a - b) < 0.01 for a, b in zip(c["box"], g["box"])),
                      f"{g['name']} stands at {c['box']}, the panel puts it at {g['box']}")
            check(c["paints"] >= 1, f"{g['name']} was never painted")


# What a gauge canvas may differ from cairo's own picture of the gauge, mean
# per channel of 255 over its pixels (colours weighted by their alpha). The
# painters agree on bitmaps to a fraction of a level (they filter turned
# bitmaps each their own way); text is hinted by cairo and not by the
# canvas, which moves stems by a pixel.
BITMAP_TOLERANCE = 1.0
TEXT_TOLERANCE = 6.0


def test_gauges_paint_as_cairo_paints_them(ctx):
    # Canvases at the gauges' own pixels, as cairo's pictures of them are.
    page = ctx.open(query="?pixels=gauge")
    time.sleep(0.3)
    pictures = page.server.frame()["gauges"]
    names = [g["name"] for w in page.panel["windows"] for g in w["gauges"]]
    results = {}
    for name in names:
        with_text = any("text" in item for item in pictures[name]["items"])
        tolerance = TEXT_TOLERANCE if with_text else BITMAP_TOLERANCE
        for attempt in range(3):
            # cairo's picture of the gauge now, against the canvas now; an
            # idle panel leaves both alone, a changing one is asked again.
            before = page.paints(name)
            png = page.server.get_bytes(f"/api/gauge/{name}.png")
            diff = page.driver.execute_async_script("""
                const [name, url, done] = arguments;
                const canvas = document.querySelector(`canvas[data-gauge="${name}"]`);
                const img = new Image();
                img.onload = () => {
                  const w = canvas.width, h = canvas.height;
                  if (img.width !== w || img.height !== h) {
                    done({error: `canvas ${w}x${h}, cairo's picture ${img.width}x${img.height}`});
                    return;
                  }
                  const other = document.createElement('canvas');
                  other.width = w; other.height = h;
                  const o = other.getContext('2d');
                  o.drawImage(img, 0, 0);
                  const a = canvas.getContext('2d').getImageData(0, 0, w, h).data;
                  const b = o.getImageData(0, 0, w, h).data;
                  let total = 0, far = 0;
                  for (let i = 0; i < a.length; i += 4) {
                    let d = 0;
                    for (let k = 0; k < 3; ++k) d += Math.abs(a[i + k] * a[i + 3] - b[i + k] * b[i + 3]) / 255;
                    total += d;
                    if (d > 96) far += 1;
                  }
                  done({mean: total / (w * h * 3), far: far / (w * h)});
                };
                img.onerror = () => done({error: 'the gauge picture does not load'});
                img.src = url;
            """, name, data_url(png))
            check("error" not in diff, f"{name}: {diff.get('error')}")
            if diff["mean"] <= tolerance or page.paints(name) == before:
                break
        results[name] = (diff["mean"], diff["far"], tolerance)
    worst = max(results, key=lambda n: results[n][0])
    ctx.figure("gauge canvases against cairo",
               f"mean {sum(r[0] for r in results.values()) / len(results):.3f} of 255 over {len(results)} gauges; "
               f"worst {worst} {results[worst][0]:.2f} ({100 * results[worst][1]:.1f} % of its pixels far apart)")
    off = {n: r for n, r in results.items() if r[0] > r[2]}
    check(not off, "canvases that differ from cairo's pictures: " + ", ".join(
        f"{n} by {r[0]:.2f} of 255 ({100 * r[1]:.1f} % far apart)" for n, r in sorted(off.items())))


# The page's picture of a window against the tool's own: the mean absolute
# difference per channel of 255, and the share of pixels far apart (more
# than 96 of 765 over the three channels). The two painters average scaled
# bitmaps a little differently, which spreads over every edge but moves no
# pixel far; a needle turned the wrong way or a gauge out of place does.
WINDOW_TOLERANCE = 3.0
WINDOW_FAR_SHARE = 0.01


def test_windows_match_the_tool_render(ctx):
    # At the design scale, as the tool draws the windows.
    page = ctx.open(query="?scale=1")
    time.sleep(0.5)
    page.park_pointer()
    shown = page.server.frame()["windows"]
    compared = 0
    for w in page.panel["windows"]:
        if w["kind"] != "window" or not shown[w["id"]]:
            continue
        out = os.path.join(ctx.folder, f"{w['id']}.png")
        # The same panel (the tool's own) and state (its own), drawn by cairo.
        run = subprocess.run([ctx.binary, "render", "--window", str(w["number"]), "-o", out],
                             capture_output=True, text=True, timeout=60)
        check(run.returncode == 0, f"render failed: {run.stdout}{run.stderr}")
        with open(out, "rb") as f:
            expected = f.read()
        element = page.window_element(w["id"])
        page.driver.execute_script("arguments[0].scrollIntoView({block: 'start', inline: 'start'});", element)
        shot = element.screenshot_as_png
        result = page.driver.execute_async_script("""
            const [a, b, done] = arguments;
            const load = (url) => new Promise((ok, fail) => {
              const i = new Image(); i.onload = () => ok(i); i.onerror = fail; i.src = url; });
            Promise.all([load(a), load(b)]).then(([x, y]) => {
              const data = (img) => {
                const c = document.createElement('canvas');
                c.width = img.width; c.height = img.height;
                const g = c.getContext('2d'); g.drawImage(img, 0, 0);
                return g.getImageData(0, 0, img.width, img.height).data;
              };
              if (x.width !== y.width || x.height !== y.height) {
                done({error: `sizes differ: ${x.width}x${x.height} and ${y.width}x${y.height}`});
                return;
              }
              const p = data(x), q = data(y);
              let total = 0, far = 0;
              for (let i = 0; i < p.length; i += 4) {
                let d = 0;
                for (let k = 0; k < 3; ++k) d += Math.abs(p[i + k] - q[i + k]);
                total += d;
                if (d > 96) far += 1;
              }
              done({mean: total / (p.length / 4 * 3), far: far / (p.length / 4)});
            }, () => done({error: 'a picture does not load'}));
        """, data_url(shot), data_url(expected))
        check("error" not in result, f"{w['id']}: {result.get('error')}")
        ctx.figure(f"window {w['id']} against render",
                   f"mean {result['mean']:.2f} of 255 per channel, {100 * result['far']:.2f} % of pixels far apart")
        check(result["mean"] < WINDOW_TOLERANCE,
              f"{w['id']}: the page differs from the tool's picture by {result['mean']:.2f} of 255")
        check(result["far"] < WINDOW_FAR_SHARE,
              f"{w['id']}: {100 * result['far']:.2f} % of the page's pixels are far from the tool's")
        compared += 1
    check(compared > 0, "no visible window to compare")
