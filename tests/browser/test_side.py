"""The side panel: flight states, the profile player, failures and the
controls, each worked through the page's own inputs and checked against
what the host reports."""

import os
import re
import time

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select

from harness import REPO, check, wait_until


def control(page, name):
    return next(c for c in page.panel["controls"] if c["id"] == name)


def type_value(page, name, value):
    box = page.driver.find_element(By.CSS_SELECTOR, f'input[data-control="{name}"]')
    box.click()
    box.send_keys(Keys.CONTROL, "a")
    box.send_keys(str(value), Keys.ENTER)


def close(a, b, within):
    return a is not None and abs(a - b) <= within


def keyframes(path, token):
    """(time, value) of each keyframe of a profile file that sets `token`."""
    found, at = [], None
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.split(";")[0].strip()
            m = re.match(r"at\s+([\d.]+)$", line)
            if m:
                at = float(m.group(1))
                continue
            m = re.match(rf"{token}\s*=\s*([-\d.]+)$", line)
            if m and at is not None:
                found.append((at, float(m.group(1))))
    return found


def test_playing_the_shipped_profile_moves_the_airspeed_needle(ctx):
    page = ctx.open()
    name = page.panel["profiles"][0]
    # Where the shipped profile's airspeed first starts to change.
    track = keyframes(os.path.join(REPO, "examples", "profiles", f"{name}.profile"), 61)
    start = next(t for (t, v), (_, w) in zip(track, track[1:]) if v != w)
    Select(page.driver.find_element(By.ID, "profile")).select_by_value(name)
    page.driver.find_element(By.ID, "load-profile").click()
    wait_until(lambda: page.server.frame()["profile"]["loaded"], 3, "the profile to load")
    # The time slider, moved as a pilot lets go of it.
    page.js("""
        const s = document.getElementById('profile-time');
        s.value = arguments[0];
        s.dispatchEvent(new Event('input', {bubbles: true}));
        s.dispatchEvent(new Event('change', {bubbles: true}));
    """, start)
    wait_until(lambda: close(page.server.frame()["profile"]["time"], start, 0.01), 3, "the profile to seek")
    time.sleep(0.3)
    Select(page.driver.find_element(By.ID, "speed")).select_by_value("4")
    at_start = page.server.values()["airspeed"]
    page.keep("airspeed", "Airspeed")
    page.driver.find_element(By.ID, "play").click()
    wait_until(lambda: page.server.frame()["profile"]["playing"], 3, "the profile to play")
    wait_until(lambda: page.differs("airspeed", "Airspeed")["changed"] > 50, 4, "the airspeed needle to move")
    moving = page.server.values()["airspeed"]
    check(moving != at_start, f"the airspeed stayed at {at_start} kt")
    profile = page.server.frame()["profile"]
    check(profile["speed"] == 4, f"the profile plays at {profile['speed']}x, not the 4x chosen")
    shown = page.driver.find_element(By.ID, "profile-clock").text
    check(shown.split("/")[0].strip() != "0:00", f"the page's profile clock stands at {shown}")
    page.driver.find_element(By.ID, "pause").click()
    wait_until(lambda: not page.server.frame()["profile"]["playing"], 3, "the profile to pause")
    paused = page.server.values()["airspeed"]
    time.sleep(0.5)
    check(page.server.values()["airspeed"] == paused, "the airspeed goes on changing after the pause")
    ctx.figure("profile played", f"airspeed {at_start} kt at {start} s, {moving} kt while playing")


def test_a_failed_pitot_static_system_freezes_the_altimeter(ctx):
    page = ctx.open()
    altitude = control(page, "altitude")
    page.driver.find_element(By.CSS_SELECTOR, 'input[data-failure="pitot_static"]').click()
    key = next(f["key"] for f in page.panel["failures"] if f["name"] == "pitot_static")
    wait_until(lambda: key in page.server.frame()["failed"], 3, "pitot_static to fail")
    time.sleep(0.4)
    page.keep("frozen", "Altimeter")
    now = page.server.values()["altitude"]
    far = now + 20000 if now + 20000 <= altitude["high"] else now - 20000
    type_value(page, "altitude", far)
    wait_until(lambda: close(page.server.values()["altitude"], far, altitude["step"]), 3, "the altitude to be set")
    time.sleep(1.5)
    still = page.differs("frozen", "Altimeter")
    check(still["changed"] == 0, f"the failed altimeter moved: {still}")
    # Restored, the altimeter catches up with the altitude.
    page.driver.find_element(By.CSS_SELECTOR, 'input[data-failure="pitot_static"]').click()
    wait_until(lambda: key not in page.server.frame()["failed"], 3, "pitot_static to be restored")
    wait_until(lambda: page.differs("frozen", "Altimeter")["changed"] > 50, 4, "the altimeter to move")
    check(not page.driver.find_element(By.CSS_SELECTOR, 'input[data-failure="pitot_static"]').is_selected(),
          "the failure stays ticked after the restore")


def test_the_failure_boxes_follow_the_host(ctx):
    page = ctx.open()
    names = [f["name"] for f in page.panel["failures"]]
    # Failed behind the page's back, then restored from the page.
    page.server.post("/api/state", {"fail": names[:2]})
    page.driver.refresh()
    wait_until(lambda: page.driver.execute_script("return document.body.dataset.state") == "live", 15,
               "the page to come back")
    ticked = [n for n in names
              if page.driver.find_element(By.CSS_SELECTOR, f'input[data-failure="{n}"]').is_selected()]
    check(ticked == names[:2], f"ticked {ticked}, the host failed {names[:2]}")
    page.driver.find_element(By.ID, "restore-all").click()
    wait_until(lambda: page.server.frame()["failed"] == [], 3, "everything to be restored")
    wait_until(lambda: not any(page.driver.find_element(By.CSS_SELECTOR, f'input[data-failure="{n}"]').is_selected()
                               for n in names), 2, "the boxes to clear")


def test_the_controls_set_values_in_their_own_units(ctx):
    page = ctx.open()
    # A radio, set in megahertz and kept by the host as BCD: a whole
    # megahertz and a half up from where it is.
    com = control(page, "com1")
    now = page.server.values()["com1"]
    wanted = now + 1.5 if now + 1.5 <= com["high"] else now - 1.5
    type_value(page, "com1", f"{wanted:.3f}")
    wait_until(lambda: close(page.server.values()["com1"], wanted, 0.001), 3, f"COM1 to be {wanted:.3f} MHz")
    # The COM face's tooltip tells the new frequency too, from the module's
    # next update on.
    face = next(a for a in page.gauge("Radio_COM")["areas"] if a["repeat"])
    x, y = face["box"][0] + face["box"][2] // 2, face["box"][1] + face["box"][3] // 2
    wait_until(lambda: f"{wanted:.2f}" in page.server.tooltip("Radio_COM", x, y).get("text", ""), 3,
               "the COM tooltip to tell the new frequency")
    # A control with a scale of its own: the vertical speed in feet a minute.
    vs = control(page, "vertical_speed")
    target = vs["low"] + round((vs["high"] - vs["low"]) * 0.3 / vs["step"]) * vs["step"]
    type_value(page, "vertical_speed", target)
    wait_until(lambda: close(page.server.values()["vertical_speed"], target, vs["step"] / 2), 3,
               f"the vertical speed to be {target}")
    # A code: the transponder.
    xpdr = control(page, "transponder")
    code = 4321 if page.server.values()["transponder"] != 4321 else 1234
    type_value(page, "transponder", code)
    wait_until(lambda: page.server.values()["transponder"] == code, 3, f"the transponder to squawk {code}")
    # And the page shows the host's values back once the field is left.
    page.park_pointer()
    page.driver.find_element(By.ID, "cycle").click()
    shown = page.js("return document.querySelector('input[data-control=\"vertical_speed\"]').value;")
    check(close(float(shown), page.server.values()["vertical_speed"], vs["step"] / 2), f"the page shows {shown} ft/min")
    check(xpdr["kind"] == "code", "the transponder should take a code")


def flight_state_value(path, token):
    with open(path, encoding="utf-8") as f:
        for line in f:
            m = re.match(rf"\s*{token}\s*=\s*([-\w.]+)", line.split(";")[0])
            if m:
                return float(int(m.group(1), 0)) if m.group(1).startswith("0x") else float(m.group(1))
    return None


def test_a_shipped_flight_state_and_a_file_load(ctx):
    page = ctx.open()
    now = page.server.values()["altitude"]
    # The shipped state whose altitude is farthest from the present one.
    examples = []
    for name in page.panel["examples"]:
        value = flight_state_value(os.path.join(REPO, "examples", "states", f"{name}.flt"), 74)
        if value is not None:
            examples.append((abs(value - now), name, value))
    check(examples, "no shipped flight state sets the altitude")
    _, name, value = max(examples)
    Select(page.driver.find_element(By.ID, "example")).select_by_value(name)
    page.driver.find_element(By.ID, "load-example").click()
    wait_until(lambda: close(page.server.values()["altitude"], value, 0.5), 3, f"the altitude of {name}")
    # A file of the pilot's own, through the file input.
    path = os.path.join(ctx.folder, "mine.flt")
    own = round(value / 2 + 1234)
    with open(path, "w", encoding="utf-8") as f:
        f.write(f"74 = {own}\natc_id = TEST-1\n")
    page.driver.find_element(By.ID, "state-file").send_keys(path)
    wait_until(lambda: close(page.server.values()["altitude"], own, 0.5), 3, "the altitude of the file")
    message = page.driver.find_element(By.ID, "state-message").text
    check("mine.flt" in message, f"the page did not say the file was loaded: {message!r}")
    # The registration plate shows the file's registration from its next update on.
    def plate_shows():
        items = page.server.frame()["gauges"]["Registration"]["items"]
        return any(item.get("text") == "TEST-1" for item in items)

    wait_until(plate_shows, 3, "the registration plate to show TEST-1")
