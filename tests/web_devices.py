#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The page on the devices a class has, in headless Chromium's device
emulation: phones and tablets either way up (with touch), a Chromebook (a
mouse). At each size, as a student does it: the title window wholly on
screen, a tap (or a click) on Començar, the main window wholly on screen, a
tap on Nova Mesura, the answer typed on the page's keypad (or, with a
mouse, as a keyboard types it) and its Enter, the verdict; then the device
turned, and the window wholly on screen again. What a screen reader gets is
read from the accessibility tree, before and after the check. A Mac's
Option with the letters works as Alt does elsewhere. Prints a table of what
it found; a picture of each step goes to SHOTS.
  web_devices.py <page url> <shots folder>
"""
import os
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "ui"))
import places  # noqa: E402
from cdp import Chromium, Timeout  # noqa: E402

# name, width, height (CSS pixels), device pixel ratio, touch
DEVICES = [
    ("phone-360x640", 360, 640, 3, True),
    ("phone-412x915", 412, 915, 2.625, True),
    ("phone-915x412", 915, 412, 2.625, True),
    ("tablet-768x1024", 768, 1024, 2, True),
    ("tablet-1024x768", 1024, 768, 2, True),
    ("tablet-800x1280", 800, 1280, 2, True),
    ("chromebook-1366x657", 1366, 657, 1, False),
]
# The smallest text the windows show: 8.25 points, 11 pixels at 96 dpi.
SMALLEST_TEXT = 11
# How long a window stays put before the pass takes it as settled at its scale.
SETTLED = 0.3
ANSWER = "12.35"


class Failure(Exception):
    pass


# In the page: the program's window shown, its frame and its client area
# (the canvas) in layout pixels, the visual viewport, the page's keypad, and
# Qt's field that holds the keyboard focus.
STATE = r"""(() => {
    const root = document.querySelector('#qt-shadow-container')?.shadowRoot;
    const win = root && [...root.querySelectorAll('.qt-window')].find(w => w.style.display === 'block');
    const rect = e => { const r = e.getBoundingClientRect(); return [r.left, r.top, r.width, r.height]; };
    const vv = visualViewport;
    let active = document.activeElement;
    while (active?.shadowRoot?.activeElement)
        active = active.shadowRoot.activeElement;
    const keypad = document.getElementById('teclat');
    if (!keypad)
        return null;
    return {
        window: win ? rect(win) : null,
        canvas: win ? rect(win.querySelector('canvas')) : null,
        title: win ? win.querySelector('.window-name')?.textContent ?? null : null,
        viewport: [vv.offsetLeft, vv.offsetTop, vv.width, vv.height, vv.scale],
        keypad: keypad.hidden ? null : rect(keypad),
        turn: !document.getElementById('gira').hidden,
        scale: Number(document.documentElement.dataset.escala || 1),
        focus: active ? {tag: active.tagName, inputmode: active.getAttribute('inputmode'),
                         text: active.getAttribute('data-qt-text-input')} : null,
        // A message the page says instead of the program (not while loading).
        message: document.getElementById('estat').hidden || !document.getElementById('progres').hidden
            ? null : document.getElementById('missatge').textContent,
    };
})()"""


class Page:
    def __init__(self, browser, shots, name):
        self.b, self.shots, self.name = browser, shots, name
        self.step = 0

    def state(self):
        return self.b.evaluate(STATE)

    def shot(self, what):
        self.step += 1
        self.b.screenshot(os.path.join(self.shots, "%s-%d-%s.png" % (self.name, self.step, what)))

    def whole(self, s):
        """Whether the window's frame lies wholly inside the visual viewport."""
        if not s["window"]:
            return False
        x, y, w, h = s["window"]
        vx, vy, vw, vh, _ = s["viewport"]
        return x >= vx - 0.5 and y >= vy - 0.5 and x + w <= vx + vw + 0.5 and y + h <= vy + vh + 0.5

    def wait_whole(self, what, client_height):
        """Waits until the window whose client area is CLIENT_HEIGHT pixels
        high (below its menu bar) is shown wholly on screen; its state. The
        title window has a blank title, the main window "Menvori"."""
        title = " " if client_height == INTRO_HEIGHT else "Menvori"
        deadline = time.monotonic() + 20
        # The page settles at its scale: the same whole window in the same
        # place over polls that span SETTLED seconds.
        seen, since = None, None
        while True:
            s = self.state() or {"message": None, "canvas": None, "window": None}
            if s["message"]:
                raise Failure("%s: the page says: %s" % (what, s["message"]))
            now = time.monotonic()
            if s["canvas"] and s.get("title") == title and self.whole(s):
                placed = (s["canvas"], s["viewport"])
                if placed != seen:
                    seen, since = placed, now
                elif now - since >= SETTLED:
                    return s
            else:
                seen = None
            if now > deadline:
                raise Failure("%s: the window is not wholly on screen: %s" % (what, s))
            time.sleep(0.05)

    def screen_point(self, s, place, client_height):
        """Where the middle of a control is, in the viewport's CSS pixels."""
        x, y, w, h = places.rect(place)
        cx, cy, cw, ch = s["canvas"]
        k = cw / places.rect(client_name(client_height)).width
        top = cy + ch - client_height * k  # below the menu bar, if any
        vx, vy, _, _, scale = s["viewport"]
        return ((cx + (x + w / 2) * k - vx) * scale, (top + (y + h / 2) * k - vy) * scale)

    def press(self, touch, point):
        (self.b.tap if touch else self.b.click)(*point)


def client_name(height):
    return "frmIntroduccio" if height == INTRO_HEIGHT else "frmMenvori"


def ax_names(browser):
    """Every name and description in the accessibility tree."""
    nodes = browser.call("Accessibility.getFullAXTree")["nodes"]
    found = set()
    for node in nodes:
        for key in ("name", "description"):
            value = node.get(key, {}).get("value")
            if value:
                found.add(str(value).strip())
    return found


def announced(browser, text):
    """Whether the text TEXT of the accessibility tree stands in a live region
    (itself or one of its ancestors), which a screen reader reads out as it
    changes."""
    nodes = browser.call("Accessibility.getFullAXTree")["nodes"]
    by_id = {node["nodeId"]: node for node in nodes}
    for node in nodes:
        if str(node.get("name", {}).get("value", "")).strip() != text:
            continue
        while node:
            live = {p["name"]: p["value"].get("value") for p in node.get("properties") or []}.get("live")
            if live in ("polite", "assertive"):
                return True
            node = by_id.get(node.get("parentId"))
    return False


INTRO_HEIGHT = MAIN_HEIGHT = 0
SCREEN_READER_NAMES = ["Nova Mesura", "Comprovació", "Sortir", "Introduïu el resultat:",
                       "Zoom Nònius", "Sense Zoom", "Peu de rei", "Nònius ampliat", "Apreciació",
                       "Comptador de mesures", "Comptador d'encerts", "Correcció de la resposta"]
VERDICTS = {"MOLT BÉ", "NO HO HAS FET BÉ"}


# Below this scale a phone held upright shows the drill's text too small to
# read, and the page asks to turn it.
READABLE_SCALE = 0.55


def check_turn(state, width, height):
    """The line that asks to turn the device shows where the page is upright
    and the window drawn below the readable scale, and nowhere else."""
    wanted = height > width and state["scale"] < READABLE_SCALE
    if state["turn"] != wanted:
        raise Failure("at scale %.3f, %s, the page %s to turn the device" % (
            state["scale"], "upright" if height > width else "on its side", "asks" if state["turn"] else "does not ask"))


def device_pass(url, shots, device):
    name, width, height, ratio, touch = device
    profile = tempfile.mkdtemp()
    b = Chromium(profile)
    row = {"device": name}
    try:
        b.call("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=ratio,
               mobile=touch, screenOrientation={"type": "portraitPrimary" if height > width else "landscapePrimary",
                                                "angle": 0 if height > width else 90})
        b.call("Emulation.setTouchEmulationEnabled", enabled=touch, maxTouchPoints=5 if touch else 1)
        b.call("Accessibility.enable")
        b.call("Page.navigate", url=url)
        p = Page(b, shots, name)
        s = p.wait_whole("the title window", INTRO_HEIGHT)
        row["scale"] = round(s["scale"], 3)
        row["fits"] = "yes"
        row["turn"] = "asks to turn" if s["turn"] else "-"
        check_turn(s, width, height)
        p.shot("intro")
        names = ax_names(b)
        if "Enable Screen Reader" in names:
            raise Failure("the page offers an English button to turn accessibility on")
        if "Començar" not in names:
            raise Failure("the accessibility tree has no Començar: %s" % sorted(names))
        p.press(touch, p.screen_point(s, "cmdComençar", INTRO_HEIGHT))
        s = p.wait_whole("the main window after a %s on Començar" % ("tap" if touch else "click"), MAIN_HEIGHT)
        row["start"] = "yes"
        p.shot("main")
        p.press(touch, p.screen_point(s, "cmdNovaMesura", MAIN_HEIGHT))
        b.poll("document.activeElement?.getAttribute('data-qt-text-input') === 'true'", 10,
               "the answer box to take the keyboard after Nova Mesura")
        if touch:
            b.poll("!document.getElementById('teclat').hidden", 5, "the keypad for a finger after Nova Mesura")
        s = p.state()
        row["pose"] = "yes"
        focus = s["focus"]
        if focus["tag"] != "INPUT" or focus["inputmode"] != "none":
            raise Failure("the focused field is %s" % focus)
        if touch:
            if not s["keypad"]:
                raise Failure("no keypad for a finger after Nova Mesura")
            box = p.screen_point(s, "txtSolucioAlumnes", MAIN_HEIGHT)
            keypad_top = (s["keypad"][1] - s["viewport"][1]) * s["viewport"][4]
            if box[1] >= keypad_top:
                raise Failure("the answer box (y %.0f) is under the keypad (y %.0f)" % (box[1], keypad_top))
            row["field"] = "Qt's field, inputmode none; the page's keypad below the answer box"
        else:
            if s["keypad"]:
                raise Failure("the keypad came up after a click")
            row["field"] = "Qt's field, inputmode none; no keypad (a mouse)"
        p.shot("posed")
        for key in ANSWER:
            if touch:
                keypad = b.evaluate("(() => { const r = document.querySelector('#teclat [data-tecla=\"%s\"]')"
                                    ".getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2]; })()"
                                    % key)
                vx, vy, _, _, scale = s["viewport"]
                b.tap((keypad[0] - vx) * scale, (keypad[1] - vy) * scale)
            else:
                b.call("Input.insertText", text=key)
        b.poll("[...document.querySelector('#qt-shadow-container').shadowRoot.querySelectorAll('input')]"
               ".some(e => e.id.endsWith('txtSolucioAlumnes') && e.value.trim() === '%s')" % ANSWER, 10,
               "the answer box to hold %s" % ANSWER)
        p.shot("typed")
        if touch:
            enter = b.evaluate("(() => { const r = document.querySelector('#teclat [data-tecla=\"Enter\"]')"
                               ".getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2]; })()")
            vx, vy, _, _, scale = s["viewport"]
            b.tap((enter[0] - vx) * scale, (enter[1] - vy) * scale)
        else:
            b.key("Enter", "Enter", "\r", key_code=13)
        deadline = time.monotonic() + 10
        while not (VERDICTS & ax_names(b)):
            if time.monotonic() > deadline:
                raise Failure("no verdict in the accessibility tree after Enter")
            time.sleep(0.1)
        row["judged"] = "yes"
        names = ax_names(b)
        verdict = (VERDICTS & names).pop()
        if not announced(b, verdict):
            raise Failure("the verdict '%s' is in no live region: a screen reader would not read it out" % verdict)
        missing = [n for n in SCREEN_READER_NAMES if n not in names]
        if missing:
            raise Failure("the accessibility tree lacks %s" % missing)
        b.poll("document.getElementById('teclat').hidden", 5, "the keypad to go after the check")
        p.shot("checked")
        b.call("Emulation.setDeviceMetricsOverride", width=height, height=width, deviceScaleFactor=ratio,
               mobile=touch, screenOrientation={"type": "portraitPrimary" if width > height else "landscapePrimary",
                                                "angle": 0 if width > height else 90})
        s = p.wait_whole("the main window after the device turned", MAIN_HEIGHT)
        row["rotation"] = "yes, scale %.3f%s" % (s["scale"], ", asks to turn" if s["turn"] else "")
        check_turn(s, height, width)
        p.shot("turned")
        row["text"] = "%.1f" % (SMALLEST_TEXT * row["scale"])
        return row
    finally:
        b.close()
        shutil.rmtree(profile, ignore_errors=True)


def mac_pass(url, shots):
    """Option with the letter, on a page that takes the browser for a
    Mac's: Option+M poses a measurement (the key a Mac sends is "µ")."""
    profile = tempfile.mkdtemp()
    b = Chromium(profile)
    try:
        agent = b.evaluate("navigator.userAgent")
        b.call("Emulation.setUserAgentOverride", userAgent=agent, platform="MacIntel")
        b.call("Accessibility.enable")
        b.call("Page.navigate", url=url)
        b.poll("navigator.platform === 'MacIntel' && document.getElementById('estat').hidden", 30,
               "the title window, on a Mac")
        b.poll("document.activeElement?.tagName === 'INPUT'", 10, "the title window to have the keyboard")
        b.key("Enter", "Enter", "\r", key_code=13)
        b.poll("document.activeElement?.getAttribute('data-qt-text-input') === 'false' && "
               "[...document.querySelector('#qt-shadow-container').shadowRoot.querySelectorAll('.qt-window')]"
               ".filter(w => w.style.display === 'block').length === 1", 10, "the main window")
        time.sleep(0.5)
        b.screenshot(os.path.join(shots, "mac-main.png"))
        b.key("µ", "KeyM", "µ", modifiers=1, key_code=77)
        b.poll("document.activeElement?.getAttribute('data-qt-text-input') === 'true'", 10,
               "Option+M to pose a measurement")
        b.key("ç", "KeyC", "ç", modifiers=1, key_code=67)
        deadline = time.monotonic() + 10
        while not (VERDICTS & ax_names(b)):
            if time.monotonic() > deadline:
                raise Failure("Option+C judged nothing")
            time.sleep(0.1)
        b.screenshot(os.path.join(shots, "mac-checked.png"))
    finally:
        b.close()
        shutil.rmtree(profile, ignore_errors=True)


def main():
    global INTRO_HEIGHT, MAIN_HEIGHT
    url, shots = sys.argv[1:3]
    os.makedirs(shots, exist_ok=True)
    INTRO_HEIGHT = places.rect("frmIntroduccio").height
    MAIN_HEIGHT = places.rect("frmMenvori").height
    rows, failed = [], []
    for device in DEVICES:
        try:
            rows.append(device_pass(url, shots, device))
        except (Failure, Timeout, RuntimeError) as e:
            failed.append("%s: %s" % (device[0], e))
    try:
        mac_pass(url, shots)
        mac = "yes"
    except (Failure, Timeout, RuntimeError) as e:
        failed.append("Mac: %s" % e)
        mac = "NO"
    columns = ["device", "scale", "fits", "start", "pose", "field", "judged", "rotation", "text", "turn"]
    lines = ["| " + " | ".join(columns) + " |", "|" + "---|" * len(columns)]
    lines += ["| " + " | ".join(str(row.get(c, "")) for c in columns) + " |" for row in rows]
    lines.append("Option with the letters on a Mac: %s" % mac)
    print("\n".join(lines))
    with open(os.path.join(shots, "devices.md"), "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")
    for line in failed:
        print("FAIL: " + line, file=sys.stderr)
    sys.exit(1 if failed else 0)


main()
