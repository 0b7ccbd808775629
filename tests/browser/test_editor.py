"""The editor (serve PANEL.CFG --edit) worked as a designer works it: gauges
dragged, resized by a corner and nudged, a parameter string typed, a
warning followed to its gauge, undo, save and its backup, a file changed
under the editor. What a gesture should write is read from the file as it
was and the gesture's own distances, never from numbers the editor gave."""

import os
import re

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from harness import REPO, check, wait_until

# Windows-1252 titles, CRLF, comments, another module's gauge, an unknown
# key and section, a virtual cockpit, and no line end at the end.
MESSY = (b"// a panel for the Korvel jet\r\n"
         b"[Window Titles]\r\n"
         b"Window00=Tableau de bord \xc9l\xe8ve\r\n"
         b"Window01=Radios\r\n"
         b"\r\n"
         b"[Window00]\r\n"
         b"size_mm=640,400\r\n"
         b"ident=MAIN_PANEL\r\n"
         b"gauge00=Korvel_Instr!Airspeed,      20, 30, 140, 140\r\n"
         b"gauge01 = Other!Thing , 300, 30, 60, 60 ; not ours\r\n"
         b"gauge02=Korvel_Instr!Radios_Toggle, 200, 200, 24, 24, tRADIO_STACK_PANEL // the stack\r\n"
         b"unknown_key = kept\r\n"
         b"\r\n"
         b"[Window01]\r\n"
         b"size_mm=350,140\r\n"
         b"ident=RADIO_STACK_PANEL\r\n"
         b"gauge00=Korvel_Instr!Radio_COM, 0, 0, 350\r\n"
         b"\r\n"
         b"[Vcockpit01]\r\n"
         b"texture00=$Panel\r\n"
         b"size_mm=256,256\r\n"
         b"gauge00=Korvel_Instr!Altimeter, 0, 0, 256, 256\r\n"
         b"[Something Else]\r\n"
         b"whatever=1")


def sample():
    with open(os.path.join(REPO, "examples", "panel.cfg"), "rb") as f:
        return f.read()


def editing(ctx, text=None):
    """The page of a server editing a copy of the panel in the test's folder."""
    path = os.path.join(ctx.folder, "panel.cfg")
    with open(path, "wb") as f:
        f.write(sample() if text is None else text)
    # At 100 %, a gesture's pixels are the file's units.
    page = ctx.open(path, query="?scale=1", edit=True)
    wait_until(lambda: page.js("return document.getElementById('edit-warnings-title').textContent")
               .startswith("Checker: "), 10, "the editor to read the file and check it")
    return page, path


def on_disk(path):
    with open(path, "rb") as f:
        return f.read()


def lines(data):
    return re.split(rb"\r?\n", data)


def config_lines(page):
    return re.split(r"\r?\n", page.server.get("/api/config")["text"])


def gauge_line(page, name):
    page.panel = page.server.get("/api/panel")
    return page.gauge(name)["line"]


def fields(text):
    """x, y, width, height of a gauge line's text."""
    parts = text.split("=", 1)[1].split(",")
    return [int(p.split(";")[0].split("//")[0]) if p.strip() else None for p in parts[1:5]] + [None] * (5 - len(parts))


def box(page, address):
    return page.js(f"""const r = document.querySelector('.edit-box[data-line="{address}"]').getBoundingClientRect();
                       return [r.left, r.top, r.width, r.height];""")


def drag(page, x, y, dx, dy, shift=False):
    """The left button pressed at a viewport point, moved in steps, let go."""
    b = page._actions()
    # The keyboard's actions run tick by tick beside the pointer's: Shift
    # is held through every one of them.
    b.key_action.key_down(Keys.SHIFT) if shift else b.key_action.pause()
    b.pointer_action.move_to_location(int(x), int(y))
    b.key_action.pause()
    b.pointer_action.pointer_down()
    for i in range(1, 5):
        b.key_action.pause()
        b.pointer_action.move_to_location(int(x + dx * i / 4), int(y + dy * i / 4))
    b.key_action.pause()
    b.pointer_action.pointer_up()
    b.key_action.key_up(Keys.SHIFT) if shift else b.key_action.pause()
    b.pointer_action.pause()
    b.perform()


def changed_lines(before, after):
    return [i + 1 for i, (a, b) in enumerate(zip(before, after)) if a != b] + \
        list(range(min(len(before), len(after)) + 1, max(len(before), len(after)) + 1))


def test_dragging_a_gauge_moves_it_live_and_changes_its_line_alone(ctx):
    page, path = editing(ctx)
    line = gauge_line(page, "Airspeed")
    address = f"{line['section']}/{line['key']}"
    before = config_lines(page)
    x, y, w, h = box(page, address)
    drag(page, x + w / 2, y + h / 2, 24, 12)
    wait_until(lambda: config_lines(page) != before, 5, "the line to change")
    after = config_lines(page)
    check(changed_lines(before, after) == [line["number"]], f"lines {changed_lines(before, after)} changed")
    old, new = fields(before[line["number"] - 1]), fields(after[line["number"] - 1])
    check(new[:2] == [old[0] + 24, old[1] + 12] and new[2:4] == old[2:4], f"{old} moved to {new}")
    check(after[line["number"] - 1].split(",", 1)[0] == before[line["number"] - 1].split(",", 1)[0], "the key changed")
    # The gauge is placed again there and keeps being painted.
    moved = wait_until(lambda: (lambda b: b if abs(b[0] - x - 24) < 1.5 else None)(box(page, address)), 5,
                       "the box to sit at its new place")
    canvas = page.canvas("Airspeed").rect
    check(abs(canvas["x"] - moved[0]) < 1.5 and abs(canvas["y"] - moved[1]) < 1.5, f"canvas at {canvas}, box {moved}")
    wait_until(lambda: page.paints("Airspeed") > 0, 5, "the gauge placed again to be painted")
    check(on_disk(path) == sample(), "the file was written without a save")


def test_a_corner_resizes_and_shift_keeps_the_shape(ctx):
    page, _ = editing(ctx)
    line = gauge_line(page, "Altimeter")
    address = f"{line['section']}/{line['key']}"
    x, y, w, h = box(page, address)
    drag(page, x + w / 2, y + h / 2, 0, 0)  # a click selects it
    old = fields(config_lines(page)[line["number"] - 1])
    before = config_lines(page)
    handle = page.driver.find_element(By.CSS_SELECTOR, f'.edit-box[data-line="{address}"] [data-corner="se"]').rect
    drag(page, handle["x"] + 4, handle["y"] + 4, 30, 20)
    wait_until(lambda: config_lines(page) != before, 5, "the line to change")
    grown = fields(config_lines(page)[line["number"] - 1])
    check(grown == [old[0], old[1], old[2] + 30, (old[3] or old[2]) + 20], f"{old} resized to {grown}")
    # The north-west corner with Shift: the aspect ratio stays, the far corner stays put.
    before = config_lines(page)
    handle = page.driver.find_element(By.CSS_SELECTOR, f'.edit-box[data-line="{address}"] [data-corner="nw"]').rect
    drag(page, handle["x"] + 4, handle["y"] + 4, -40, -5, shift=True)
    wait_until(lambda: config_lines(page) != before, 5, "the line to change again")
    kept = fields(config_lines(page)[line["number"] - 1])
    ratio = grown[2] / grown[3]
    check(kept[2] == grown[2] + 40 and abs(kept[2] / kept[3] - ratio) < 0.02, f"{grown} resized to {kept}")
    check(kept[0] + kept[2] == grown[0] + grown[2] and kept[1] + kept[3] == grown[1] + grown[3],
          f"the south-east corner moved: {grown} -> {kept}")


def test_a_parameter_string_explains_itself_as_typed_and_enter_changes_the_click(ctx):
    page, path = editing(ctx)
    line = gauge_line(page, "Radios_Toggle")
    address = f"{line['section']}/{line['key']}"
    x, y, w, h = box(page, address)
    drag(page, x + w / 2, y + h / 2, 0, 0)
    explain = lambda: page.js("return document.getElementById('edit-explain').textContent")  # noqa: E731
    wait_until(lambda: "RADIO_STACK_PANEL" in explain(), 5, "the explanation of tRADIO_STACK_PANEL")
    before = config_lines(page)
    field = page.driver.find_element(By.ID, "edit-parameters")
    field.click()
    field.send_keys(Keys.CONTROL, "a")
    field.send_keys("tCOMPASS_PANEL")
    wait_until(lambda: "COMPASS_PANEL" in explain() and "RADIO_STACK" not in explain(), 5,
               f"the explanation to follow the typing: {explain()!r}")
    check(config_lines(page) == before, "typing changed the file before Enter")
    compass = page.server.frame()["windows"]["compass_panel"]
    field.send_keys(Keys.ENTER)
    wait_until(lambda: "tCOMPASS_PANEL" in config_lines(page)[line["number"] - 1], 5, "the line to take the string")
    # Flown: the button now toggles the compass window.
    page.driver.find_element(By.ID, "edit-fly").click()
    page.panel = page.server.get("/api/panel")
    wait_until(lambda: page.js(f"""return document.querySelector('canvas[data-gauge="Radios_Toggle"]') &&
                                    document.querySelector('canvas[data-gauge="Radios_Toggle"]').dataset.paints !== '0'"""),
               5, "the button placed again to be painted")
    area = page.gauge("Radios_Toggle")["areas"][0]["box"]
    page.click("Radios_Toggle", area[0] + area[2] // 2, area[1] + area[3] // 2)
    wait_until(lambda: page.server.frame()["windows"]["compass_panel"] != compass, 5, "the compass window to toggle")
    check(on_disk(path) == sample(), "the file was written without a save")


def test_a_warning_in_the_list_selects_its_gauge(ctx):
    page, _ = editing(ctx)
    config = page.server.get("/api/config")
    page.panel = page.server.get("/api/panel")
    lined = {g["line"]["number"]: g["line"] for w in page.panel["windows"] for g in w["gauges"]}
    finding = next(f for f in config["findings"] if f["severity"] == "warning" and f["line"] in lined)
    item = page.driver.find_element(By.CSS_SELECTOR, f'#edit-warnings li[data-finding-line="{finding["line"]}"]')
    check(finding["message"] in item.text, f"the list shows {item.text!r}")
    item.click()
    line = lined[finding["line"]]
    wait_until(lambda: page.js("return document.getElementById('edit-address').textContent")
               .startswith(f"{line['section']}/{line['key']} · line {line['number']}"), 5, "the gauge to be selected")
    check(page.driver.find_element(By.CSS_SELECTOR, f'.edit-box[data-line="{line["section"]}/{line["key"]}"]')
          .get_attribute("class").split().count("selected") == 1, "the gauge's box is not marked")
    shown = page.js("return document.getElementById('edit-explain').textContent")
    check(finding["message"] in shown, f"the selection does not say the warning: {shown!r}")


def test_undo_restores_the_line_and_redo_takes_it_again(ctx):
    page, _ = editing(ctx)
    line = gauge_line(page, "Clock")
    address = f"{line['section']}/{line['key']}"
    x, y, w, h = box(page, address)
    drag(page, x + w / 2, y + h / 2, 0, 0)
    original = config_lines(page)
    page.driver.find_element(By.TAG_NAME, "body").send_keys(Keys.SHIFT, Keys.ARROW_LEFT)
    wait_until(lambda: config_lines(page) != original, 5, "the nudge")
    nudged = config_lines(page)
    old, new = fields(original[line["number"] - 1]), fields(nudged[line["number"] - 1])
    check(new[0] == old[0] - 10 and new[1:] == old[1:], f"Shift+Left moved {old} to {new}")
    page.driver.find_element(By.ID, "edit-undo").click()
    wait_until(lambda: config_lines(page) == original, 5, "undo to restore the line")
    page.driver.find_element(By.ID, "edit-redo").click()
    wait_until(lambda: config_lines(page) == nudged, 5, "redo to take the nudge again")


def test_saving_keeps_every_untouched_byte_and_a_backup_and_refuses_a_file_changed_under_it(ctx):
    page, path = editing(ctx, MESSY)
    save = page.driver.find_element(By.ID, "edit-save")
    save.click()
    wait_until(lambda: os.path.exists(path + ".bak"), 5, "the backup")
    check(on_disk(path) == MESSY and on_disk(path + ".bak") == MESSY, "a save without edits changed the bytes")
    line = gauge_line(page, "Airspeed")
    x, y, w, h = box(page, f"{line['section']}/{line['key']}")
    drag(page, x + w / 2, y + h / 2, 10, 0)
    wait_until(lambda: page.js("return document.body.dataset.unsaved") == "true", 5, "the edit")
    save.click()
    wait_until(lambda: on_disk(path) != MESSY, 5, "the file to be written")
    saved = on_disk(path)
    check(on_disk(path + ".bak") == MESSY, "the backup is not the file as it was")
    check(changed_lines(lines(MESSY), lines(saved)) == [line["number"]], "more than the moved line changed")
    check(saved.count(b"\r\n") == MESSY.count(b"\r\n") and not saved.endswith(b"\n"), "the line ends changed")
    check(b"Tableau de bord \xc9l\xe8ve" in saved, "the title's Windows-1252 bytes changed")
    # Someone else writes the file; the editor's next save refuses and leaves it.
    theirs = saved.replace(b"unknown_key = kept", b"unknown_key = theirs")
    with open(path, "wb") as f:
        f.write(theirs)
    drag(page, x + 10 + w / 2, y + h / 2, 10, 0)
    wait_until(lambda: fields(config_lines(page)[line["number"] - 1])[0] == fields(lines(saved)[line["number"] - 1]
                                                                                   .decode("cp1252"))[0] + 10,
               5, "the second edit")
    save.click()
    message = wait_until(lambda: page.js("""const m = document.getElementById('edit-message');
                                            return m.classList.contains('error') ? m.textContent : '';"""),
                         5, "the refusal")
    check("changed on disk" in message, f"the page says {message!r}")
    # The refusal's 409 is the one error the browser logged.
    logged = [e["message"] for e in page.driver.get_log("browser") if e.get("level") == "SEVERE"]
    check(all("/api/save" in m and "409" in m for m in logged), f"the console has {logged}")
    check(on_disk(path) == theirs and on_disk(path + ".bak") == MESSY, "a refused save wrote something")


def test_the_palette_adds_a_line_copy_adds_another_and_delete_closes_the_gap(ctx):
    page, _ = editing(ctx, MESSY)
    before = config_lines(page)
    page.driver.find_element(By.CSS_SELECTOR, "#edit-palette-box summary").click()
    item = page.driver.find_element(By.CSS_SELECTOR, '.palette-item[data-palette="Clock"]')
    page.driver.execute_script("arguments[0].scrollIntoView({block: 'center'})", item)
    start = item.rect
    layer = page.driver.find_element(By.CSS_SELECTOR, '.edit-layer[data-section="Window00"]').rect
    drag(page, start["x"] + start["width"] / 2, start["y"] + start["height"] / 2,
         layer["x"] + 400 - start["x"] - start["width"] / 2, layer["y"] + 250 - start["y"] - start["height"] / 2)
    wait_until(lambda: len(config_lines(page)) == len(before) + 1, 5, "the added line")
    added = config_lines(page)
    # After Window00's last gauge line, keyed after it; nothing else moved.
    last = max(i for i, t in enumerate(before) if t.startswith("gauge") and i < before.index("[Window01]"))
    check(added[:last + 1] == before[:last + 1] and added[last + 2:] == before[last + 1:], "other lines moved")
    check(re.match(r"gauge03=Korvel_Instr!Clock, 4\d\d, 2\d\d$", added[last + 1]), f"added {added[last + 1]!r}")
    wait_until(lambda: page.js("return document.getElementById('edit-address').textContent").startswith(
        "Window00/gauge03"), 5, "the added gauge to be selected")
    page.driver.find_element(By.ID, "edit-copy").click()
    wait_until(lambda: len(config_lines(page)) == len(before) + 2, 5, "the copy")
    copied = config_lines(page)
    x, y = fields(added[last + 1])[:2]
    check(copied[last + 2].startswith("gauge04=Korvel_Instr!Clock, ") and fields(copied[last + 2])[:2] == [x + 10, y + 10],
          f"copied as {copied[last + 2]!r}")
    # The first line of the window goes: the later keys close the gap.
    gauge = page.driver.find_element(By.CSS_SELECTOR, '.edit-box[data-line="Window00/gauge00"]').rect
    drag(page, gauge["x"] + gauge["width"] / 2, gauge["y"] + gauge["height"] / 2, 0, 0)
    page.driver.find_element(By.TAG_NAME, "body").send_keys(Keys.DELETE)
    wait_until(lambda: len(config_lines(page)) == len(before) + 1, 5, "the removal")
    keys = [t.split("=")[0].strip() for t in config_lines(page)[:before.index("[Window01]") + 1] if t.startswith("gauge")]
    check(keys == ["gauge00", "gauge01", "gauge02", "gauge03"], f"Window00's keys are {keys}")
    window01 = before.index("[Window01]")
    check(config_lines(page)[window01 + 1:] == before[window01:], "Window01 and after changed")
