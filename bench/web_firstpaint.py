#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Time from navigation to the title window painted, in headless Chromium:
Menvori's page against the floor, a bare Qt program showing the same windows
(bench_bare) on Qt's own page, each with a cold cache (a new profile) and a
warm one (the same profile, the page loaded a second time). Chromium is
driven over its DevTools pipe; a script put into each page before its own
looks, at every frame, for the red of the title ("El Menvori") in the title
window's picture, and says when it is there (milliseconds since navigation
started). Prints the medians of RUNS runs each.
  web_firstpaint.py <menvori page url> <floor page url> <runs>
"""
import fcntl
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile

# The table of places, read by its module (ui/places.py); nothing is written
# into the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "ui"))
import places  # noqa: E402

# Where the title is: the label that holds it, in the title window's client
# area.
TITLE = places.rect("lblEtiqueta")

PROBE = r"""
(() => {
    const look = () => {
        const host = document.querySelector('#qt-shadow-container');
        const canvases = host && host.shadowRoot ? host.shadowRoot.querySelectorAll('canvas') : [];
        for (const canvas of canvases) {
            if (canvas.width < 700)
                continue;
            const pixels = canvas.getContext('2d').getImageData(%d, %d, %d, %d).data;
            for (let i = 0; i < pixels.length; i += 4) {
                if (pixels[i] === 255 && pixels[i + 1] === 0 && pixels[i + 2] === 0) {
                    console.log('firstpaint ' + performance.now());
                    return;
                }
            }
        }
        requestAnimationFrame(look);
    };
    requestAnimationFrame(look);
})();
""" % TITLE


class Chromium:
    """A headless Chromium with a profile of its own, driven over a pipe."""

    def __init__(self, profile):
        to_browser = os.pipe()
        from_browser = os.pipe()
        # The browser reads on descriptor 3 and writes on 4.
        high = [fcntl.fcntl(fd, fcntl.F_DUPFD, 10) for fd in (to_browser[0], from_browser[1])]
        for fd in high:
            os.set_inheritable(fd, True)
        os.close(to_browser[0])
        os.close(from_browser[1])

        def descriptors():
            os.dup2(high[0], 3)
            os.dup2(high[1], 4)

        # (The descriptors are moved into place after the child has closed
        # the others, so none is closed.)
        self.process = subprocess.Popen(
            ["chromium", "--headless=new", "--remote-debugging-pipe", "--no-sandbox", "--disable-gpu",
             "--no-first-run", "--no-default-browser-check", "--password-store=basic",
             "--disable-background-networking", "--disable-sync", "--window-size=1100,800",
             "--user-data-dir=" + profile, "about:blank"],
            close_fds=False, preexec_fn=descriptors, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for fd in high:
            os.close(fd)
        self.send_fd = to_browser[1]
        self.receive = os.fdopen(from_browser[0], "rb")
        self.buffer = b""
        self.next_id = 0
        self.session = None
        self.events = []
        page = next(t for t in self.call("Target.getTargets")["targetInfos"] if t["type"] == "page")
        self.session = self.call("Target.attachToTarget", targetId=page["targetId"], flatten=True)["sessionId"]
        self.call("Page.enable")
        self.call("Runtime.enable")
        self.call("Page.addScriptToEvaluateOnNewDocument", source=PROBE)

    def message(self):
        while b"\0" not in self.buffer:
            chunk = self.receive.read1(65536)
            if not chunk:
                raise RuntimeError("Chromium closed its pipe")
            self.buffer += chunk
        text, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(text)

    def call(self, method, **params):
        self.next_id += 1
        request = {"id": self.next_id, "method": method, "params": params}
        if self.session and not method.startswith("Target."):
            request["sessionId"] = self.session
        os.write(self.send_fd, json.dumps(request).encode() + b"\0")
        while True:
            reply = self.message()
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise RuntimeError("%s: %s" % (method, reply["error"]))
                return reply.get("result", {})
            self.events.append(reply)

    def first_paint(self, url):
        """Navigates to url; milliseconds until the title window is painted."""
        self.events = []
        self.call("Page.navigate", url=url)
        while True:
            event = self.events.pop(0) if self.events else self.message()
            if event.get("method") == "Runtime.consoleAPICalled":
                args = event["params"]["args"]
                if args and str(args[0].get("value", "")).startswith("firstpaint "):
                    return float(args[0]["value"].split()[1])

    def close(self):
        self.process.kill()
        self.process.wait()
        self.receive.close()
        os.close(self.send_fd)


def measure(url, runs):
    cold, warm = [], []
    for _ in range(runs):
        profile = tempfile.mkdtemp()
        try:
            browser = Chromium(profile)
            try:
                cold.append(browser.first_paint(url))
                browser.call("Page.navigate", url="about:blank")
                warm.append(browser.first_paint(url))
            finally:
                browser.close()
        finally:
            shutil.rmtree(profile, ignore_errors=True)
    return statistics.median(cold), statistics.median(warm)


def main():
    menvori_url, floor_url, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
    figures = {}
    for name, url in (("floor", floor_url), ("menvori", menvori_url)):
        figures[name] = measure(url, runs)
    print("%-52s %9s %9s %7s %s" % ("title window painted, from navigation (median of %d)" % runs,
                                     "Menvori", "floor", "ratio", "target 1.10"))
    for i, cache in enumerate(("cold cache", "warm cache")):
        ours, floor = figures["menvori"][i], figures["floor"][i]
        ratio = ours / floor
        print("%-52s %7.0f ms %6.0f ms %7.2f %s" % ("  " + cache, ours, floor, ratio,
                                                   "yes" if ratio <= 1.10 else "NO"))


main()
