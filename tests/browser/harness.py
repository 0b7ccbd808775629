"""The browser tests' machinery: a live panel server, the page on it in the
browser, and helpers that ask the API and the page (conftest.py hands them
to the tests).

Expected answers come from the server's own API (tooltips, values, areas)
or from the tool's own pictures, never from numbers written into a test.
"""

import base64
import json
import os
import queue
import re
import signal
import socket
import subprocess
import threading
import time
import urllib.parse
import urllib.request

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.mouse_button import MouseButton
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.actions.wheel_input import ScrollOrigin
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


class TestFailure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise TestFailure(message)


def wait_until(predicate, timeout, what, interval=0.03):
    """Polls until `predicate` gives something true and returns it; fails
    with `what` when the time runs out."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TestFailure(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Server:
    """`korvel-panel serve` on a free port of the loopback, stopped with the
    test whatever happens."""

    def __init__(self, binary, panel=None, state=None, port=None, edit=False):
        self.binary = binary
        args = [binary, "serve"]
        if panel:
            args.append(panel)
        if state:
            args += ["--state", state]
        if edit:
            args.append("--edit")
        self.port = port or free_port()
        args += ["--port", str(self.port), "--bind", "127.0.0.1"]
        self.process = subprocess.Popen(args, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        self.output = []
        lines = queue.Queue()

        def read():
            for line in self.process.stdout:
                self.output.append(line)
                lines.put(line)
            lines.put(None)

        threading.Thread(target=read, daemon=True).start()
        deadline = time.monotonic() + 10
        while True:
            try:
                line = lines.get(timeout=max(0.01, deadline - time.monotonic()))
            except queue.Empty:
                line = None
            if line is None:
                self.stop()
                raise TestFailure("korvel-panel serve did not start: " + "".join(self.output))
            found = re.search(r"(http://\S+?:(\d+)/)", line)
            if found:
                self.url = found.group(1)
                check(int(found.group(2)) == self.port, f"serve bound {found.group(2)}, not {self.port}")
                break

    # Servers told to stop and not yet gone: the server waits out its idle
    # keep-alive connections before it exits, so the next test need not.
    stopping = []

    def stop(self, wait=True):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            Server.stopping.append(self)
        if wait:
            self.finish()

    def finish(self):
        try:
            self.process.wait(timeout=15)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            raise TestFailure("korvel-panel serve did not stop within 15 s of SIGTERM")
        finally:
            if self in Server.stopping:
                Server.stopping.remove(self)

    @staticmethod
    def finish_all():
        """Waits for every server told to stop; fails for any that would not."""
        stubborn = []
        for server in list(Server.stopping):
            try:
                server.finish()
            except TestFailure:
                stubborn.append(server.port)
        return stubborn

    # -- the API, straight from Python

    def get(self, path, **query):
        url = self.url.rstrip("/") + path
        if query:
            url += "?" + urllib.parse.urlencode(query)
        with urllib.request.urlopen(url, timeout=10) as r:
            return json.loads(r.read())

    def get_bytes(self, path):
        with urllib.request.urlopen(self.url.rstrip("/") + path, timeout=10) as r:
            return r.read()

    def post(self, path, body):
        data = json.dumps(body).encode()
        req = urllib.request.Request(self.url.rstrip("/") + path, data=data,
                                     headers={"Content-Type": "application/json"})
        with urllib.request.urlopen(req, timeout=10) as r:
            return json.loads(r.read())

    def frame(self):
        """The whole panel as a newly connected page gets it: its first event."""
        with urllib.request.urlopen(self.url.rstrip("/") + "/api/events", timeout=10) as r:
            event = "message"
            for raw in r:
                line = raw.decode().rstrip("\n")
                if line.startswith("event:"):
                    event = line[6:].strip()
                elif line == "":
                    event = "message"
                elif line.startswith("data:") and event == "message":
                    return json.loads(line[5:])
        raise TestFailure("the event stream ended before its first frame")

    def values(self):
        return self.frame()["values"]

    def tooltip(self, gauge, x, y):
        return self.get("/api/tooltip", gauge=gauge, x=x, y=y)


# In-page helpers the tests share: pixels of a gauge's canvas kept under a
# name and compared later, without carrying them out of the browser.
PAGE_HELPERS = r"""
window.__korvel = window.__korvel || (() => {
  const kept = new Map();
  const canvasOf = (name) => document.querySelector(`canvas[data-gauge="${CSS.escape(name)}"]`);
  const pixels = (name, box) => {
    // A box in gauge pixels, read where the canvas holds it.
    const c = canvasOf(name);
    if (!box) return c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    const [gw, gh] = c.dataset.size.split('x').map(Number);
    const sx = c.width / gw, sy = c.height / gh;
    const x = Math.floor(box[0] * sx), y = Math.floor(box[1] * sy);
    const w = Math.max(1, Math.ceil((box[0] + box[2]) * sx) - x), h = Math.max(1, Math.ceil((box[1] + box[3]) * sy) - y);
    return c.getContext('2d').getImageData(x, y, w, h).data;
  };
  return {
    keep(key, name, box) { kept.set(key, pixels(name, box)); return kept.get(key).length; },
    // How many pixels differ from those kept, and the mean difference per channel.
    differs(key, name, box) {
      const a = kept.get(key), b = pixels(name, box);
      let changed = 0, total = 0;
      for (let i = 0; i < a.length; i += 4) {
        let d = 0;
        for (let k = 0; k < 4; ++k) d += Math.abs(a[i + k] - b[i + k]);
        if (d > 0) changed += 1;
        total += d;
      }
      return {changed, mean: total / a.length};
    },
    opaque(name) {
      const d = pixels(name);
      let n = 0;
      for (let i = 3; i < d.length; i += 4) if (d[i] > 0) n += 1;
      return n;
    },
    point(name, gx, gy, sw, sh) {
      // The viewport point, in whole CSS pixels, at the middle of a gauge
      // pixel, and the gauge pixel the page reads back from that point.
      const c = canvasOf(name);
      let r = c.getBoundingClientRect();
      if (r.top < 0 || r.left < 0 || r.bottom > innerHeight || r.right > innerWidth) {
        c.scrollIntoView({block: 'center', inline: 'nearest'});
        r = c.getBoundingClientRect();
      }
      const sx = r.width / sw, sy = r.height / sh;
      const cx = Math.round(r.left + (gx + 0.5) * sx), cy = Math.round(r.top + (gy + 0.5) * sy);
      return {x: cx, y: cy, gx: Math.floor((cx - r.left) / sx), gy: Math.floor((cy - r.top) / sy),
              scale: [sx, sy], rect: [r.left, r.top, r.width, r.height]};
    },
  };
})();
"""


class Page:
    """The live panel page of one server in the shared browser."""

    def __init__(self, driver, server, query="", host=None):
        self.driver = driver
        self.server = server
        self.panel = server.get("/api/panel")
        url = server.url if host is None else server.url.replace("//127.0.0.1:", f"//{host}:")
        driver.get(url + query)
        wait_until(lambda: driver.execute_script("return document.body.dataset.state") == "live", 15,
                   "the page to paint its first frame")
        driver.execute_script(PAGE_HELPERS)

    def js(self, script, *args):
        return self.driver.execute_script(PAGE_HELPERS + script, *args)

    # -- the panel's layout

    def gauge(self, name):
        for w in self.panel["windows"]:
            for g in w["gauges"]:
                if g["name"] == name:
                    return g
        raise TestFailure(f"the panel places no gauge {name}")

    def window_of(self, name):
        for w in self.panel["windows"]:
            if any(g["name"] == name for g in w["gauges"]):
                return w
        raise TestFailure(f"the panel places no gauge {name}")

    def area_by_tooltip(self, name, pattern):
        """The area of a gauge whose tooltip (asked of the API at its middle)
        matches `pattern`, and that tooltip."""
        seen = []
        for area in self.gauge(name)["areas"]:
            x, y = centre(area["box"])
            tip = self.server.tooltip(name, x, y)
            if tip["shown"] and re.search(pattern, tip.get("text", "")):
                return area, tip
            seen.append(tip.get("text"))
        raise TestFailure(f"no area of {name} has a tooltip matching {pattern!r}: {seen}")

    def canvas(self, name):
        return self.driver.find_element(By.CSS_SELECTOR, f'canvas[data-gauge="{name}"]')

    def window_element(self, ident):
        return self.driver.find_element(By.CSS_SELECTOR, f'[data-window="{ident}"]')

    def paints(self, name):
        return int(self.canvas(name).get_attribute("data-paints"))

    # -- pixels

    def keep(self, key, name, box=None):
        return self.js("return window.__korvel.keep(arguments[0], arguments[1], arguments[2]);", key, name, box)

    def differs(self, key, name, box=None):
        return self.js("return window.__korvel.differs(arguments[0], arguments[1], arguments[2]);", key, name, box)

    # -- the pointer, as a pilot's mouse: real input events at viewport points

    def point(self, name, gx, gy):
        w, h = self.gauge(name)["size"]
        return self.js("return window.__korvel.point(arguments[0], arguments[1], arguments[2], arguments[3], arguments[4]);",
                       name, gx, gy, w, h)

    def _actions(self):
        return ActionBuilder(self.driver, duration=0)

    def move(self, name, gx, gy):
        p = self.point(name, gx, gy)
        b = self._actions()
        b.pointer_action.move_to_location(p["x"], p["y"])
        b.perform()
        return p

    def press(self, name, gx, gy, button="left"):
        p = self.point(name, gx, gy)
        b = self._actions()
        b.pointer_action.move_to_location(p["x"], p["y"])
        b.pointer_action.pointer_down(MouseButton.LEFT if button == "left" else MouseButton.RIGHT)
        b.perform()
        return p

    def release(self, button="left"):
        b = self._actions()
        b.pointer_action.pointer_up(MouseButton.LEFT if button == "left" else MouseButton.RIGHT)
        b.perform()

    def click(self, name, gx, gy, button="left"):
        p = self.point(name, gx, gy)
        b = self._actions()
        which = MouseButton.LEFT if button == "left" else MouseButton.RIGHT
        b.pointer_action.move_to_location(p["x"], p["y"])
        b.pointer_action.pointer_down(which)
        b.pointer_action.pointer_up(which)
        b.perform()
        return p

    def touch(self, name, gx, gy, hold=0.0):
        """A finger on a gauge pixel, held `hold` seconds and lifted."""
        p = self.point(name, gx, gy)
        self.touch_at(p["x"], p["y"], hold)
        return p

    def touch_at(self, x, y, hold=0.0):
        """A finger at a viewport point, without a script of the page's."""
        finger = PointerInput(interaction.POINTER_TOUCH, "finger")
        b = ActionBuilder(self.driver, mouse=finger, duration=0)
        b.pointer_action.move_to_location(x, y)
        b.pointer_action.pointer_down()
        if hold:
            b.pointer_action.pause(hold)
        b.pointer_action.pointer_up()
        b.perform()

    def wheel(self, name, gx, gy, dy):
        """The mouse wheel turned over a gauge pixel: `dy` pixels, negative
        away from the pilot."""
        p = self.point(name, gx, gy)
        ActionChains(self.driver, duration=0).scroll_from_origin(
            ScrollOrigin.from_viewport(p["x"], p["y"]), 0, dy).perform()
        return p

    def move_by(self, dx, dy):
        ActionChains(self.driver, duration=0).move_by_offset(dx, dy).perform()

    def set_control(self, name, value):
        """A value typed into a control's box of the side panel, as a pilot
        types it, and Enter."""
        box = self.driver.find_element(By.CSS_SELECTOR, f'input[data-control="{name}"]')
        self.driver.execute_script("arguments[0].scrollIntoView({block: 'center'});", box)
        box.click()
        box.send_keys(Keys.CONTROL, "a")
        box.send_keys(str(value), Keys.ENTER)
        return box

    def tooltip_shown(self):
        """The page's tooltip text while it shows, else None."""
        return self.js("""
            const t = document.querySelector('[role=tooltip]');
            return !t.hidden && t.getClientRects().length > 0 ? t.textContent : null;""")

    def park_pointer(self):
        """The pointer off every gauge, so that no tooltip or cursor is left."""
        b = self._actions()
        b.pointer_action.move_to_location(1, 1)
        b.perform()

    def console_errors(self):
        return [e for e in self.driver.get_log("browser") if e.get("level") == "SEVERE"]


def centre(box):
    x, y, w, h = box
    return x + w // 2, y + h // 2


def data_url(png_bytes):
    return "data:image/png;base64," + base64.b64encode(png_bytes).decode()
