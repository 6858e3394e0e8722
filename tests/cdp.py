# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Headless Chromium driven over its DevTools pipe, for the page's tests and
its benchmark: a browser with a profile of its own, one page, and the calls
those scripts make of it. Messages are JSON, each ended by a NUL byte; the
browser reads commands on descriptor 3 and writes answers on 4.
"""
import base64
import fcntl
import json
import os
import select
import subprocess
import time

# What keeps a headless browser from reaching out on its own (updates,
# translation, sign-in), and from needing a sandbox root may not have.
FLAGS = ["--headless=new", "--remote-debugging-pipe", "--no-sandbox", "--disable-gpu",
         "--no-first-run", "--no-default-browser-check", "--password-store=basic",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--disable-features=Translate,TranslateUI,MediaRouter"]


class Timeout(Exception):
    pass


class Chromium:
    """One headless Chromium with PROFILE as its user data, and its first
    page attached. EXTRA are more command-line flags."""

    def __init__(self, profile, extra=(), window_size="1100,800"):
        to_browser = os.pipe()
        from_browser = os.pipe()
        high = [fcntl.fcntl(fd, fcntl.F_DUPFD, 10) for fd in (to_browser[0], from_browser[1])]
        for fd in high:
            os.set_inheritable(fd, True)
        os.close(to_browser[0])
        os.close(from_browser[1])

        def descriptors():
            # Moved into place after the child has closed the others.
            os.dup2(high[0], 3)
            os.dup2(high[1], 4)

        self.process = subprocess.Popen(
            ["chromium", *FLAGS, "--window-size=" + window_size, "--user-data-dir=" + profile,
             *extra, "about:blank"],
            close_fds=False, preexec_fn=descriptors, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for fd in high:
            os.close(fd)
        self.send_fd = to_browser[1]
        self.receive_fd = from_browser[0]
        self.buffer = b""
        self.next_id = 0
        self.session = None
        self.events = []
        self.target = next(t for t in self.call("Target.getTargets")["targetInfos"] if t["type"] == "page")
        self.session = self.call("Target.attachToTarget", targetId=self.target["targetId"],
                                 flatten=True)["sessionId"]
        self.call("Target.activateTarget", targetId=self.target["targetId"])
        self.call("Page.enable")
        self.call("Runtime.enable")

    # The pipe.
    def _message(self, deadline):
        while b"\0" not in self.buffer:
            left = deadline - time.monotonic()
            if left <= 0:
                raise Timeout("no message from Chromium")
            ready, _, _ = select.select([self.receive_fd], [], [], left)
            if not ready:
                continue
            chunk = os.read(self.receive_fd, 1 << 16)
            if not chunk:
                raise RuntimeError("Chromium closed its pipe")
            self.buffer += chunk
        text, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(text)

    def call(self, method, timeout=30, **params):
        """Sends a command; its result, once it comes. Events that come
        meanwhile are kept for next_event."""
        self.next_id += 1
        request = {"id": self.next_id, "method": method, "params": params}
        if self.session and not method.startswith("Target."):
            request["sessionId"] = self.session
        os.write(self.send_fd, json.dumps(request).encode() + b"\0")
        deadline = time.monotonic() + timeout
        while True:
            reply = self._message(deadline)
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise RuntimeError("%s: %s" % (method, reply["error"]))
                return reply.get("result", {})
            self.events.append(reply)

    def next_event(self, timeout):
        """The next event, kept or new; Timeout after TIMEOUT seconds."""
        if self.events:
            return self.events.pop(0)
        return self._message(time.monotonic() + timeout)

    def wait_event(self, matches, timeout, what):
        """The first event for which MATCHES is true, within TIMEOUT seconds."""
        deadline = time.monotonic() + timeout
        while True:
            left = deadline - time.monotonic()
            try:
                event = self.next_event(max(left, 0))
            except Timeout:
                raise Timeout("gave up after %g s waiting for %s" % (timeout, what)) from None
            if matches(event):
                return event

    # The page.
    def evaluate(self, expression):
        """The value of a JavaScript expression in the page (awaited where it
        is a promise)."""
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError("%s: %s" % (expression, result["exceptionDetails"]))
        return result["result"].get("value")

    def poll(self, expression, timeout, what, interval=0.05):
        """Evaluates EXPRESSION every INTERVAL seconds until it is truthy, and
        returns it; Timeout after TIMEOUT seconds, saying WHAT it waited for."""
        deadline = time.monotonic() + timeout
        while True:
            try:
                value = self.evaluate(expression)
            except RuntimeError:
                value = None
            if value:
                return value
            if time.monotonic() >= deadline:
                raise Timeout("gave up after %g s waiting for %s" % (timeout, what))
            time.sleep(interval)

    def screenshot(self, path):
        """A PNG of the page as the device shows it. Right after a navigation
        Chromium may refuse for a moment: it is asked again."""
        deadline = time.monotonic() + 10
        while True:
            try:
                data = self.call("Page.captureScreenshot", format="png")["data"]
                break
            except RuntimeError:
                if time.monotonic() >= deadline:
                    raise
                time.sleep(0.1)
        with open(path, "wb") as f:
            f.write(base64.b64decode(data))

    def tap(self, x, y):
        """A finger's tap at (X, Y), CSS pixels of the viewport."""
        point = [{"x": x, "y": y, "radiusX": 4, "radiusY": 4, "force": 1, "id": 1}]
        self.call("Input.dispatchTouchEvent", type="touchStart", touchPoints=point)
        self.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    def click(self, x, y):
        """A mouse click at (X, Y), CSS pixels of the viewport."""
        for kind in ("mouseMoved", "mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", clickCount=1)

    def key(self, key, code, text="", modifiers=0, key_code=0):
        """A key pressed and let go, as the keyboard sends it: KEY is
        KeyboardEvent.key, CODE its code; MODIFIERS Alt 1, Ctrl 2, Meta 4,
        Shift 8."""
        down = {"type": "keyDown" if text else "rawKeyDown", "key": key, "code": code,
                "modifiers": modifiers, "windowsVirtualKeyCode": key_code}
        if text:
            down["text"] = text
        self.call("Input.dispatchKeyEvent", **down)
        self.call("Input.dispatchKeyEvent", type="keyUp", key=key, code=code, modifiers=modifiers,
                  windowsVirtualKeyCode=key_code)

    def close(self):
        self.process.kill()
        self.process.wait()
        os.close(self.receive_fd)
        os.close(self.send_fd)
