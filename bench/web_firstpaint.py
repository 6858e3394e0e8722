#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""How soon the page shows the drill, in headless Chromium: Menvori's page
against the floor, a bare Qt program showing the same windows (bench_bare)
on Qt's own page, each with a cold cache (a new profile) and a warm one (the
same profile, the page loaded again once the first visit has settled:
Menvori's service worker has taken it), on this machine as it is and as a
low-end Chromebook on a school's network (the processor four times slower,
10 Mbit/s, 40 ms each way). Two moments, in milliseconds from navigation:
  title  the title window's picture shows its red title ("El Menvori");
  ready  the main window is painted, the title window having been left
         100 ms after it came (the floor leaves it by itself 100 ms after its
         first paint; in Menvori's page the probe presses Enter on Começar
         then, as a student does).
A script put into each page before its own looks at every frame, and says
when. Prints the medians of RUNS runs each.
  web_firstpaint.py <menvori page url> <floor page url> <runs>
"""
import os
import shutil
import statistics
import sys
import tempfile

# The table of places, read by its module (ui/places.py), and the browser's
# driver; nothing is written into the source tree.
sys.dont_write_bytecode = True
here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "ui"))
sys.path.insert(0, os.path.join(here, "..", "tests"))
import places  # noqa: E402
from cdp import Chromium, Timeout  # noqa: E402

# Where the title is: the label that holds it, in the title window's client
# area; the main window's client area is peach.
TITLE = places.rect("lblEtiqueta")

PROBE = r"""
(() => {
    const canvases = () => {
        const host = document.querySelector('#qt-shadow-container');
        return host && host.shadowRoot ? [...host.shadowRoot.querySelectorAll('canvas')] : [];
    };
    const has = (canvas, x, y, w, h, r, g, b) => {
        const pixels = canvas.getContext('2d').getImageData(x, y, w, h).data;
        for (let i = 0; i < pixels.length; i += 4)
            if (pixels[i] === r && pixels[i + 1] === g && pixels[i + 2] === b)
                return true;
        return false;
    };
    const ready = () => {
        if (canvases().some(c => c.width >= 700 && has(c, 2, 40, 1, 40, 255, 224, 192)))
            console.log('ready ' + performance.now());
        else
            requestAnimationFrame(ready);
    };
    const title = () => {
        if (canvases().some(c => c.width >= 700 && has(c, %d, %d, %d, %d, 255, 0, 0))) {
            console.log('title ' + performance.now());
            // Menvori's title window waits for Començar; the floor's goes by itself.
            setTimeout(() => {
                for (const type of ['keydown', 'keyup'])
                    document.activeElement?.dispatchEvent(
                        new KeyboardEvent(type, { key: 'Enter', code: 'Enter', bubbles: true }));
            }, 100);
            requestAnimationFrame(ready);
        } else {
            requestAnimationFrame(title);
        }
    };
    requestAnimationFrame(title);
})();
""" % TITLE

# A repeat start is a later visit: Menvori's page has by then done what it
# leaves until its first window is up, and its service worker serves it.
SETTLED = r"""
navigator.serviceWorker.getRegistration().then(r => Boolean(r && r.active && r.active.state === 'activated'
    && !r.installing && !r.waiting && navigator.serviceWorker.controller))
"""

# A low-end Chromebook on a school's network.
SLOW_CPU = 4
SLOW_NETWORK = dict(offline=False, latency=40, downloadThroughput=10e6 / 8, uploadThroughput=10e6 / 8)


def moments(browser, url):
    """Navigates to URL: the title and ready moments, in ms."""
    browser.events = []
    browser.navigate(url)
    seen = {}
    while len(seen) < 2:
        event = browser.wait_event(lambda e: e.get("method") == "Runtime.consoleAPICalled", 120,
                                   "the page's windows")
        words = str(event["params"]["args"][0].get("value", "")).split()
        if len(words) == 2 and words[0] in ("title", "ready"):
            seen[words[0]] = float(words[1])
    return seen["title"], seen["ready"]


def one_run(url, slow, settled):
    """A cold visit in a new profile, then a warm one once the first visit
    has SETTLED (a JavaScript condition): their moments."""
    profile = tempfile.mkdtemp()
    browser = Chromium(profile)
    try:
        browser.call("Page.addScriptToEvaluateOnNewDocument", source=PROBE)
        if slow:
            browser.call("Emulation.setCPUThrottlingRate", rate=SLOW_CPU)
            browser.call("Network.enable")
            browser.call("Network.emulateNetworkConditions", **SLOW_NETWORK)
        cold = moments(browser, url)
        try:
            browser.poll(settled, 30, "the first visit's own work after the start")
        except Timeout as timeout:
            print("  (%s: %s)" % (url, timeout), file=sys.stderr)
        browser.call("Page.navigate", url="about:blank")
        return cold, moments(browser, url)
    finally:
        browser.close()
        shutil.rmtree(profile, ignore_errors=True)


def measure(urls, runs, slow):
    """Medians for each of URLS (Menvori's page, then the floor's), their
    runs taken in turn, so that the machine's drift weighs on all alike."""
    taken = [[] for _ in urls]
    for _ in range(runs):
        for i, url in enumerate(urls):
            taken[i].append(one_run(url, slow, SETTLED if i == 0 else "true"))
    results = []
    for values in taken:
        median = lambda visit, moment: statistics.median(v[visit][moment] for v in values)  # noqa: E731
        results.append({(cache, moment): median(visit, m) for visit, cache in enumerate(("cold", "warm"))
                        for m, moment in enumerate(("title", "ready"))})
    return results


def main():
    menvori_url, floor_url, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
    print("%-54s %9s %9s %7s %s" % ("from navigation, median of %d" % runs, "Menvori", "floor", "ratio", "target"))
    for slow, setting in ((False, "this machine"), (True, "low-end Chromebook, school network")):
        ours, floor = measure((menvori_url, floor_url), runs, slow)
        print(setting)
        for cache in ("cold", "warm"):
            for moment in ("title", "ready"):
                a, b = ours[(cache, moment)], floor[(cache, moment)]
                if moment == "title" and not slow:
                    target = "%s (1.10 x the floor)" % ("yes" if a / b <= 1.10 else "NO")
                elif moment == "ready" and slow and cache == "warm":
                    target = "%s (1.5 s)" % ("yes" if a <= 1500 else "NO")
                else:
                    target = ""
                print("%-54s %6.0f ms %6.0f ms %7.2f %s" % ("  %s cache, %s" % (cache, moment), a, b, a / b, target))


main()
