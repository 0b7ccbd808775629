"""A pilot's habits from the panel software pilots use: the mouse wheel on
knobs, the keyboard, a long press of a finger for the tooltip, the panel
fitted to the window, a lost connection that shows, and the first touch
heard."""

import time

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

import harness
from harness import centre, check, wait_until


def com_knob(page, cursor):
    for area in page.gauge("Radio_COM")["areas"]:
        if area["repeat"] and "left" in area["buttons"] and area["cursor"] == cursor:
            return area
    raise AssertionError(f"Radio_COM has no repeating area with the {cursor} cursor")


def settled(page, key, wait=0.4):
    """A value of the host once it has stopped changing."""
    value = page.server.values()[key]
    while True:
        time.sleep(wait)
        now = page.server.values()[key]
        if now == value:
            return now
        value = now


def battery(page):
    return page.area_by_tooltip("Elec_Board", r"(?i)^battery")


def test_the_wheel_over_a_knob_steps_it_as_clicks_on_its_halves_do_and_elsewhere_scrolls(ctx):
    page = ctx.open()
    up, down = com_knob(page, "n-resize"), com_knob(page, "s-resize")
    before = page.server.values()["com1"]
    scroll = lambda: page.js("return document.getElementById('cockpit').scrollTop;")
    # Two notches away from the pilot, over the down half: the wheel's
    # direction counts, not the half under it.
    x, y = centre(down["box"])
    page.wheel("Radio_COM", x, y, -200)
    wait_until(lambda: page.server.values()["com1"] != before, 3, "the wheel to turn the COM knob")
    by_wheel = settled(page, "com1")
    at = scroll()
    # Two clicks on the up half, from the same frequency, go as far.
    page.server.post("/api/state", {"values": {"com1": before}})
    ux, uy = centre(up["box"])
    for _ in range(2):
        page.server.post("/api/click", {"gauge": "Radio_COM", "x": ux, "y": uy})
    check(settled(page, "com1") == by_wheel, f"two notches went {before} to {by_wheel}, two clicks elsewhere")
    # Towards the pilot, back down.
    page.server.post("/api/state", {"values": {"com1": by_wheel}})
    page.wheel("Radio_COM", x, y, 200)
    wait_until(lambda: page.server.values()["com1"] == before, 3, f"the wheel to turn the knob back to {before}")
    check(scroll() == at, "the page scrolled under the knob")
    # Over an instrument without a knob the cockpit scrolls as usual.
    size = page.gauge("Airspeed")["size"]
    if page.js("const c = document.getElementById('cockpit'); return c.scrollHeight > c.clientHeight + 50;"):
        page.js("document.getElementById('cockpit').scrollTop = 0;")
        page.wheel("Airspeed", size[0] // 2, size[1] // 2, 100)
        wait_until(lambda: scroll() > 0, 3, "the cockpit to scroll under the airspeed indicator")


def tab_until(page, predicate, what, limit=400):
    for _ in range(limit):
        ActionChains(page.driver).send_keys(Keys.TAB).perform()
        if page.js("const e = document.activeElement; return " + predicate + ";"):
            return
    raise AssertionError(f"Tab never reached {what}")


def test_tab_reaches_each_knob_and_switch_and_keys_work_them(ctx):
    page = ctx.open()
    page.js("document.activeElement && document.activeElement.blur();")
    tab_until(page, "e.dataset.gauge === 'Radio_COM' && e.dataset.kind === 'knob'", "the COM knob")
    ring = page.js("return getComputedStyle(document.activeElement).outlineStyle;")
    check(ring == "solid", f"the focused knob has no ring: {ring}")
    up = com_knob(page, "n-resize")
    tip = wait_until(page.tooltip_shown, 3, "the focused knob's tooltip")
    check(tip == page.server.tooltip("Radio_COM", *centre(up["box"]))["text"], f"the focus shows {tip!r}")
    before = page.server.values()["com1"]
    ActionChains(page.driver).send_keys(Keys.ARROW_UP).perform()
    wait_until(lambda: page.server.values()["com1"] > before, 3, "the up arrow to step the knob")
    stepped = settled(page, "com1")
    ActionChains(page.driver).send_keys("-").perform()
    wait_until(lambda: page.server.values()["com1"] == before, 3, "- to step the knob back")
    check(stepped != before, "the up arrow did not step")
    # A switch: Space works it.
    area, tip = battery(page)
    tab_until(page, "e.dataset.gauge === 'Elec_Board' && /battery/i.test(e.getAttribute('aria-description') || "
              "document.getElementById('tooltip').textContent)", "the battery switch")
    ActionChains(page.driver).send_keys(Keys.SPACE).perform()
    wait_until(lambda: page.server.tooltip("Elec_Board", *centre(area["box"]))["text"] != tip["text"], 3,
               "Space to work the battery switch")


def test_a_long_press_of_a_finger_shows_the_tooltip_and_clicks_nothing(ctx):
    page = ctx.open()
    area, tip = battery(page)
    x, y = centre(area["box"])
    page.touch("Elec_Board", x, y, hold=1.0)
    shown = wait_until(page.tooltip_shown, 3, "the long press's tooltip")
    check(shown == tip["text"], f"the long press shows {shown!r}, the switch's tooltip is {tip['text']!r}")
    time.sleep(0.5)
    check(page.server.tooltip("Elec_Board", x, y)["text"] == tip["text"], "the long press worked the switch")
    # A tap works it.
    page.touch("Elec_Board", x, y)
    wait_until(lambda: page.server.tooltip("Elec_Board", x, y)["text"] != tip["text"], 3, "a tap to work the switch")
    # An instrument's tooltip names it where the simulator would show its own help.
    w, h = page.gauge("Airspeed")["size"]
    page.touch("Airspeed", w // 2, h // 2, hold=1.0)
    expected = page.server.tooltip("Airspeed", w // 2, h // 2)["text"]
    shown = wait_until(lambda: (t := page.tooltip_shown()) and "Airspeed" in t and t, 3, "the airspeed tooltip")
    check(shown == expected and shown.startswith("Airspeed indicator"), f"the airspeed indicator reads {shown!r}")


def test_fit_to_window_shows_the_main_panel_whole_on_a_tablet_and_a_small_screen(ctx):
    for width, height in ((1024, 768), (800, 600)):
        ctx.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                   {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": False})
        try:
            page = ctx.open()
            main = page.panel["windows"][0]
            seen = page.js("""
                const w = document.querySelector(`[data-window="${arguments[0]}"]`).getBoundingClientRect();
                const c = document.getElementById('cockpit').getBoundingClientRect();
                return {w: [w.left, w.top, w.right, w.bottom], c: [c.left, c.top, c.right, c.bottom],
                        view: [innerWidth, innerHeight], scale: document.getElementById('zoom').value};
            """, main["id"])
            (wl, wt, wr, wb), (cl, ct, cr, cb) = seen["w"], seen["c"]
            check(seen["view"] == [width, height], f"the viewport is {seen['view']}")
            check(seen["scale"] == "fit", f"the scale is {seen['scale']}, not fitted to the window")
            check(wl >= cl - 0.5 and wt >= ct - 0.5 and wr <= cr + 0.5 and wb <= cb + 0.5,
                  f"{width}x{height}: the main panel {seen['w']} is not whole in the cockpit {seen['c']}")
            check(max((wr - wl) / (cr - cl), (wb - wt) / (cb - ct)) > 0.85,
                  f"{width}x{height}: the main panel {seen['w']} leaves the cockpit {seen['c']} unused")
            # A click lands where it is aimed at that scale.
            toggle = page.gauge("Radios_Toggle")
            radios = page.window_of("Radio_COM")["id"]
            page.click("Radios_Toggle", *centre(toggle["areas"][0]["box"]))
            wait_until(lambda: page.server.frame()["windows"][radios] is False, 3,
                       f"{width}x{height}: the radio button to close the radio stack")
        finally:
            ctx.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})


def test_a_lost_connection_greys_the_instruments_under_a_banner_until_the_page_is_back(ctx):
    page = ctx.open()
    state = lambda: page.js("""
        const banner = document.getElementById('link-banner');
        return {banner: !banner.hidden && banner.getClientRects().length > 0,
                filter: getComputedStyle(document.querySelector('canvas[data-gauge="Airspeed"]')).filter};""")
    check(state() == {"banner": False, "filter": "none"}, f"a live page shows {state()}")
    port = page.server.port
    page.server.stop()
    wait_until(lambda: state()["banner"], 5, "the banner of a lost connection")
    check("grayscale" in state()["filter"], f"the instruments are not greyed: {state()['filter']}")
    # The panel back on its address: the page comes back by itself.
    page.server = ctx.serve(port=port)
    wait_until(lambda: not state()["banner"], 10, "the banner to go when the panel is back")
    check(state()["filter"] == "none", f"the instruments stay greyed: {state()['filter']}")
    area, tip = battery(page)
    page.click("Elec_Board", *centre(area["box"]))
    wait_until(lambda: page.server.tooltip("Elec_Board", *centre(area["box"]))["text"] != tip["text"], 3,
               "the page to work the new server")
    # The browser said the panel could not be reached while it was away; nothing else.
    errors = [e["message"] for e in page.console_errors()]
    check(all("/api/" in m for m in errors), f"console errors besides the lost connection: {errors}")


def test_the_first_touch_is_heard(ctx):
    page = ctx.open()
    area, _ = battery(page)
    size = page.gauge("Elec_Board")["size"]
    # WebDriver's scripts count as the pilot's gestures: the page is loaded
    # afresh and read only through the DevTools protocol, which gives none,
    # so that the tap is the page's first activation. Headless Chromium lets
    # any page make sound; the browsers pilots use let an AudioContext start
    # only during an activation, as the page is made to here.
    evaluate = lambda expression: ctx.driver.execute_cdp_cmd(
        "Runtime.evaluate", {"expression": expression, "returnByValue": True})["result"].get("value")
    hook = ctx.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": """
        window.__started = [];
        window.__refused = [];
        const start = AudioBufferSourceNode.prototype.start;
        AudioBufferSourceNode.prototype.start = function (...args) {
          window.__started.push(this.context.state);
          return start.apply(this, args);
        };
        const Free = window.AudioContext;
        window.AudioContext = class extends Free {
          constructor(...args) {
            super(...args);
            if (!navigator.userActivation.isActive) {
              window.__refused.push('created');
              super.suspend();
            }
          }
          resume() {
            if (navigator.userActivation.isActive) return super.resume();
            window.__refused.push('resumed');
            return new Promise(() => {});
          }
        };"""})
    try:
        ctx.driver.get(page.server.url)
        wait_until(lambda: evaluate("document.body.dataset.state") == "live", 15, "the page to come back")
        x, y = centre(area["box"])
        p = evaluate(harness.PAGE_HELPERS + f"window.__korvel.point('Elec_Board', {x}, {y}, {size[0]}, {size[1]})")
        check(evaluate("navigator.userActivation.hasBeenActive") is False, "the page was activated before the tap")
        page.touch_at(p["x"], p["y"])
        started = wait_until(lambda: evaluate("window.__started"), 5, "the first touch's sound")
        refused = evaluate("window.__refused")
    finally:
        ctx.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", {"identifier": hook["identifier"]})
    check(not refused, f"the page asked for sound outside an activation: {refused}")
    check(started[0] == "running", f"the sound started in a {started[0]} context: not heard")
