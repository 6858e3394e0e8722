# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Headless Chromium driven over its DevTools pipe, for the page's tests and
its benchmark: a browser with a profile of its own, one page (and, where
asked, the frames of other sites inside it), and the calls those scripts
make of it. Messages are JSON, each ended by a NUL byte; the browser reads
commands on descriptor 3 and writes answers on 4.
"""
import base64
import fcntl
import json
import os
import select
import subprocess
import tempfile
import time

# What keeps a headless browser from reaching out on its own (updates,
# translation, sign-in), and from needing a sandbox root may not have.
FLAGS = ["--headless=new", "--remote-debugging-pipe", "--no-sandbox", "--disable-gpu",
         "--no-first-run", "--no-default-browser-check", "--password-store=basic",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--disable-features=Translate,TranslateUI,MediaRouter"]

# Keys by name, as a keyboard sends them.
KEYS = {
    "Return": dict(key="Enter", code="Enter", windowsVirtualKeyCode=13, text="\r"),
    ".": dict(key=".", code="Period", windowsVirtualKeyCode=190, text="."),
    **{d: dict(key=d, code="Digit" + d, windowsVirtualKeyCode=48 + int(d), text=d) for d in "0123456789"},
}


class Timeout(Exception):
    pass


class Chromium:
    """One headless Chromium, its profile PROFILE (a new folder in SCRATCH
    where none is given, its messages beside it), and its first page
    attached. EXTRA are more command-line flags; with FRAMES the frames of
    other sites in the page are attached too (FRAMES, their sessions)."""

    def __init__(self, profile=None, extra=(), window_size="1100,800", scratch=None, frames=False):
        self.profile = profile or tempfile.mkdtemp(dir=scratch, prefix="profile-")
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

        self.log = open(self.profile + ".log", "wb") if scratch else subprocess.DEVNULL
        self.process = subprocess.Popen(
            ["chromium", *FLAGS, "--window-size=" + window_size, "--user-data-dir=" + self.profile,
             *extra, "about:blank"],
            close_fds=False, preexec_fn=descriptors, stdout=self.log, stderr=self.log)
        for fd in high:
            os.close(fd)
        self.send_fd = to_browser[1]
        self.receive_fd = from_browser[0]
        self.buffer = b""
        self.next_id = 0
        self.page = None
        self.frames = []
        self.console = []
        self.events = []
        target = next(t for t in self.call("Target.getTargets")["targetInfos"] if t["type"] == "page")
        self.page = self.call("Target.attachToTarget", targetId=target["targetId"], flatten=True)["sessionId"]
        self.call("Target.activateTarget", targetId=target["targetId"])
        self.call("Page.enable")
        self.call("Runtime.enable")
        if frames:
            # Asked of the page: the browser's own auto-attach reaches pages,
            # not the frames inside them.
            self.call("Target.setAutoAttach", session=self.page, autoAttach=True,
                      waitForDebuggerOnStart=False, flatten=True)

    # The pipe.
    def _message(self, deadline, what):
        while b"\0" not in self.buffer:
            left = deadline - time.monotonic()
            if left <= 0:
                raise Timeout("Chromium did not answer %s in time" % what)
            ready, _, _ = select.select([self.receive_fd], [], [], left)
            if not ready:
                continue
            chunk = os.read(self.receive_fd, 1 << 16)
            if not chunk:
                raise RuntimeError("Chromium closed its pipe")
            self.buffer += chunk
        text, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(text)

    def _note(self, message):
        """Keeps an event for next_event, and notes frames and the console."""
        method = message.get("method")
        params = message.get("params", {})
        if method == "Target.attachedToTarget" and params["targetInfo"]["type"] == "iframe":
            self.frames.append(params["sessionId"])
        elif method == "Runtime.consoleAPICalled":
            self.console.append(" ".join(str(a.get("value", a.get("description", ""))) for a in params["args"]))
        elif method == "Runtime.exceptionThrown":
            self.console.append(json.dumps(params["exceptionDetails"])[:400])
        if method:
            self.events.append(message)

    def send(self, method, session=None, **params):
        """Sends a command without waiting for its answer (which call, later,
        passes over); the page's session unless SESSION or a Target command."""
        self.next_id += 1
        request = {"id": self.next_id, "method": method, "params": params}
        session = session or (None if method.startswith("Target.") else self.page)
        if session:
            request["sessionId"] = session
        os.write(self.send_fd, json.dumps(request).encode() + b"\0")

    def call(self, method, session=None, timeout=30, **params):
        """Sends a command; its result, once it comes (Timeout after TIMEOUT
        seconds). Events that come meanwhile are kept for next_event."""
        self.send(method, session, **params)
        deadline = time.monotonic() + timeout
        while True:
            reply = self._message(deadline, method)
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise RuntimeError("%s: %s" % (method, reply["error"]))
                return reply.get("result", {})
            self._note(reply)

    def next_event(self, timeout):
        """The next event, kept or new; Timeout after TIMEOUT seconds."""
        if self.events:
            return self.events.pop(0)
        message = self._message(time.monotonic() + timeout, "an event")
        self._note(message)
        return self.events.pop(0) if self.events else {}

    def wait_event(self, matches, timeout, what):
        """The first event for which MATCHES is true, within TIMEOUT seconds."""
        deadline = time.monotonic() + timeout
        while True:
            try:
                event = self.next_event(max(deadline - time.monotonic(), 0))
            except Timeout:
                raise Timeout("gave up after %g s waiting for %s" % (timeout, what)) from None
            if matches(event):
                return event

    # The page.
    def evaluate(self, expression, session=None):
        """The value of a JavaScript expression in the page (awaited where it
        is a promise); RuntimeError where it throws."""
        result = self.call("Runtime.evaluate", session, expression=expression, returnByValue=True,
                           awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError("%s: %s" % (expression, result["exceptionDetails"]))
        return result["result"].get("value")

    def value(self, expression, session=None):
        """The expression's value, or None where it has none yet (a page still
        on its way answers nothing until it has come)."""
        try:
            return self.call("Runtime.evaluate", session, timeout=2, expression=expression,
                             returnByValue=True, awaitPromise=True).get("result", {}).get("value")
        except (Timeout, RuntimeError):
            return None

    def poll(self, expression, timeout, what, interval=0.05):
        """Evaluates EXPRESSION every INTERVAL seconds until it is truthy, and
        returns it; Timeout after TIMEOUT seconds, saying WHAT it waited for."""
        deadline = time.monotonic() + timeout
        while True:
            value = self.value(expression)
            if value:
                return value
            if time.monotonic() >= deadline:
                raise Timeout("gave up after %g s waiting for %s" % (timeout, what))
            time.sleep(interval)

    def navigate(self, url):
        """Starts loading URL; what comes of it, the caller waits for."""
        self.console = []
        self.send("Page.navigate", url=url)

    def screenshot(self, path):
        """A PNG of the page as the device shows it. Right after a navigation
        Chromium may refuse for a moment: it is asked again."""
        deadline = time.monotonic() + 10
        while True:
            try:
                data = self.call("Page.captureScreenshot", format="png")["data"]
                break
            except (RuntimeError, Timeout):
                if time.monotonic() >= deadline:
                    raise
                time.sleep(0.1)
        with open(path, "wb") as f:
            f.write(base64.b64decode(data))

    # What a person does.
    def tap(self, x, y):
        """A finger's tap at (X, Y), CSS pixels of the viewport."""
        point = [{"x": x, "y": y, "radiusX": 4, "radiusY": 4, "force": 1, "id": 1}]
        self.call("Input.dispatchTouchEvent", type="touchStart", touchPoints=point)
        self.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    def click(self, x, y):
        """A mouse click at (X, Y), CSS pixels of the viewport."""
        for kind in ("mouseMoved", "mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y,
                      button="left" if kind != "mouseMoved" else "none", clickCount=1)

    def key(self, key, code, text="", modifiers=0, key_code=0, session=None):
        """A key pressed and let go, as the keyboard sends it: KEY is
        KeyboardEvent.key, CODE its code; MODIFIERS Alt 1, Ctrl 2, Meta 4,
        Shift 8. To the page, or to the frame of SESSION (a frame of another
        site's page, which has the keys once a person has clicked in it)."""
        down = {"type": "keyDown" if text else "rawKeyDown", "key": key, "code": code,
                "modifiers": modifiers, "windowsVirtualKeyCode": key_code}
        if text:
            down["text"] = text
        self.call("Input.dispatchKeyEvent", session, **down)
        self.call("Input.dispatchKeyEvent", session, type="keyUp", key=key, code=code, modifiers=modifiers,
                  windowsVirtualKeyCode=key_code)

    def press(self, name, session=None):
        """A key by name: Return, a digit, the point, or Alt with a letter
        ("alt+m"), Alt going down first and up last; SESSION as for key."""
        if name.startswith("alt+"):
            letter = name[4:]
            alt = dict(key="Alt", code="AltLeft", windowsVirtualKeyCode=18, location=1)
            press = dict(key=letter, code="Key" + letter.upper(), windowsVirtualKeyCode=ord(letter.upper()))
            self.call("Input.dispatchKeyEvent", session, type="rawKeyDown", modifiers=1, **alt)
            self.call("Input.dispatchKeyEvent", session, type="rawKeyDown", modifiers=1, **press)
            self.call("Input.dispatchKeyEvent", session, type="keyUp", modifiers=1, **press)
            self.call("Input.dispatchKeyEvent", session, type="keyUp", modifiers=0, **alt)
            return
        down = KEYS[name]
        self.key(down["key"], down["code"], down["text"], key_code=down["windowsVirtualKeyCode"], session=session)

    def close(self):
        self.process.kill()
        self.process.wait()
        os.close(self.receive_fd)
        os.close(self.send_fd)
        if self.log is not subprocess.DEVNULL:
            self.log.close()
