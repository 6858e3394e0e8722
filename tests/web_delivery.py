#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""How the page reaches a browser and stays with it, in headless Chromium
driven over its DevTools pipe, the page as the zip has it (A) and a second
build of it (B, another version of the same program):

  counting      on a server of this script's own that counts and can hold
                back every request: a first visit fetches the program's code
                once; with the server hanging the kept page starts within
                3 s; an update from A to B is taken at the next visit, and
                no visit runs files of both; copies in two folders of one
                server both start with no server; the page in a frame of
                another site's page runs the drill.
  iis           web.config read as IIS reads it (no IIS here).
  nginx, apache Debian's nginx and Apache with the zip's settings (nginx.conf
                and .htaccess), each started on a loopback port with a
                configuration of its own in the scratch folder and ended by
                its process: the types, compression and lifetimes they send,
                the drill in the page, the start with the server ended.

In each, the drill: a click on the introduction window and Return, Alt+M, an
answer typed, Return, and a verdict; read off the windows' pictures in the
page. Every wait polls for its condition with a deadline.
  web_delivery.py second-build <program folder>
  web_delivery.py <page A> <page B> <scratch> counting|iis|nginx|apache...
"""
import gzip
import http.client
import http.server
import os
import re
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "ui"))
import places  # noqa: E402
from cdp import Chromium  # noqa: E402


class Failure(Exception):
    pass


class NoAnswer(Failure):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def poll(what, seconds, probe, interval=0.1):
    """probe() every interval until it gives something true, which it
    returns; after seconds, fails saying what it waited for."""
    deadline = time.monotonic() + seconds
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure("gave up after %g s waiting for %s" % (seconds, what))
        time.sleep(interval)


# What the page shows, read in it: the windows of the program on screen
# (Qt's screen in the page holds a canvas for each window's client area),
# and the page's own message. The introduction window is known by its red
# title, the main window by its peach background, below the menu bar; in
# it, a measurement by the tall red zero mark on the caliper (PicCoordenades,
# below the menu bar), a verdict by red in its label (lblOK); the title by red
# in its label (lblEtiqueta). Where they stand comes from the table of places.
STATE = r"""
(() => {
    const result = { windows: [], message: null, ready: !!document.querySelector('#qt-shadow-container') };
    const estat = document.getElementById('estat');
    if (estat && !estat.hidden)
        result.message = document.getElementById('missatge').textContent;
    const host = document.querySelector('#qt-shadow-container');
    const root = host && host.shadowRoot;
    if (!root)
        return result;
    for (const frame of root.querySelectorAll('.qt-window')) {
        if (frame.style.display !== 'block')
            continue;
        const canvas = frame.querySelector('canvas');
        if (!canvas || canvas.width < 700)
            continue;
        const box = canvas.getBoundingClientRect();
        const outer = frame.getBoundingClientRect();
        const w = canvas.width, h = canvas.height;
        const data = canvas.getContext('2d').getImageData(0, 0, w, h).data;
        const is = (x, y, r, g, b) => {
            const i = 4 * (y * w + x);
            return data[i] === r && data[i + 1] === g && data[i + 2] === b;
        };
        const red = (x, y) => is(x, y, 255, 0, 0);
        const any = (x0, y0, x1, y1, test) => {
            for (let y = y0; y < Math.min(y1, h); y++)
                for (let x = x0; x < Math.min(x1, w); x++)
                    if (test(x, y))
                        return true;
            return false;
        };
        const window = { x: box.left, y: box.top, width: box.width, height: box.height, outerX: outer.left,
                         outerY: outer.top, outerWidth: outer.width, outerHeight: outer.height, kind: 'other' };
        let top = -1;
        for (let y = 0; y < h && top < 0; y++)
            if (is(2, y, 255, 224, 192))
                top = y;
        if (top >= 0) {
            window.kind = 'main';
            let tallest = 0;
            for (let x = 0; x < w; x++) {
                let run = 0;
                for (let y = top + %(caliper_top)d; y < Math.min(top + %(caliper_bottom)d, h); y++) {
                    run = red(x, y) ? run + 1 : 0;
                    tallest = Math.max(tallest, run);
                }
            }
            window.measured = tallest >= 60;
            window.verdict = any(%(verdict_left)d, top + %(verdict_top)d, %(verdict_right)d, top + %(verdict_bottom)d, red);
        } else if (any(%(title_left)d, %(title_top)d, %(title_right)d, %(title_bottom)d, red)) {
            window.kind = 'intro';
        }
        result.windows.push(window);
    }
    return result;
})()
"""
_caliper, _verdict, _title = (places.rect(n) for n in ("PicCoordenades", "lblOK", "lblEtiqueta"))
STATE = STATE % dict(
    caliper_top=_caliper.y, caliper_bottom=_caliper.y + _caliper.height,
    verdict_left=_verdict.x, verdict_top=_verdict.y, verdict_right=_verdict.x + _verdict.width,
    verdict_bottom=_verdict.y + _verdict.height,
    title_left=_title.x, title_top=_title.y, title_right=_title.x + _title.width,
    title_bottom=_title.y + _title.height)

# The page's service worker, once it has taken the page: its state, and the
# names of the files it keeps for this folder.
WORKER = r"""
(async () => {
    const registration = await navigator.serviceWorker.getRegistration();
    if (!registration || !registration.active || registration.installing || registration.waiting
        || registration.active.state !== 'activated' || !navigator.serviceWorker.controller)
        return null;
    const cache = await caches.open('menvori ' + new URL('.', location.href).href);
    return (await cache.keys()).map(request => new URL(request.url).pathname.split('/').pop());
})()
"""

# The loading bar, while the page loads: how much of the program's code it
# has counted, where that is some but not all of it.
COUNTED = r"""
(() => {
    const bar = document.getElementById('progres');
    return bar && !document.getElementById('estat').hidden && bar.value > 0 && bar.value < bar.max
        ? bar.value : null;
})()
"""
# A network slow enough for the bar to be seen counting: the code takes
# some 3 s to come.
SLOW = dict(offline=False, latency=20, downloadThroughput=16e6 / 8, uploadThroughput=16e6 / 8)
FAST = dict(offline=False, latency=0, downloadThroughput=-1, uploadThroughput=-1)

# The files a visit loaded: the page's scripts and style, and everything
# fetched after them.
LOADED = r"""
[...document.querySelectorAll('script[src], link[href]')].map(e => e.getAttribute('src') || e.getAttribute('href'))
    .concat(performance.getEntriesByType('resource').map(e => e.name))
    .map(name => new URL(name, location.href).pathname.split('/').pop())
"""


class View:
    """The page in the browser's tab, or in a frame of another site's page
    there (frame: the frame's address)."""

    def __init__(self, browser, frame=None):
        self.browser = browser
        self.frame = frame

    def session(self):
        if not self.frame:
            return self.browser.page
        # The frame's own process and session, once it has one (the page
        # holds one frame, of another site).
        self.browser.call("Runtime.evaluate", expression="1")
        return self.browser.frames[-1] if self.browser.frames else None

    def evaluate(self, expression):
        session = self.session()
        return self.browser.value(expression, session) if session else None

    def state(self):
        return self.evaluate(STATE) or {"windows": [], "message": None}

    def offset(self):
        """Where the view's top-left corner is in the tab."""
        if not self.frame:
            return 0, 0
        box = self.browser.value(
            "(() => { const f = document.querySelector('iframe'); const r = f.getBoundingClientRect();"
            " return [r.left + f.clientLeft, r.top + f.clientTop]; })()")
        return box[0], box[1]

    def window(self, kind):
        windows = [w for w in self.state()["windows"] if w["kind"] == kind]
        return windows[0] if windows else None

    def describe(self):
        state = self.state()
        lines = ["windows: %s; message: %s" % ([w["kind"] for w in state["windows"]], state["message"])]
        lines += self.browser.console[-8:]
        return "\n    ".join(lines)

    def wait_window(self, kind, seconds, what):
        try:
            return poll(what, seconds, lambda: self.window(kind))
        except Failure as failure:
            raise Failure("%s (%s)" % (failure, self.describe()))

    def press(self, name):
        """A key, to the view: in a frame, to the frame a click has just
        given the keys (the browser moves them there some milliseconds after
        the click, later than a key sent at once reaches the page)."""
        self.browser.press(name, self.session() if self.frame else None)

    def click_corner(self, window):
        """A click on the window's background: its bottom left corner."""
        dx, dy = self.offset()
        self.browser.click(dx + window["x"] + 6, dy + window["y"] + window["height"] - 6)


def drill(view, name):
    """The drill, as a student goes through it: the introduction window, a
    click on it and Return, Alt+M, an answer, Return, and a verdict. Where it
    fails, what the page showed and said, and a picture of the tab."""
    try:
        intro = view.wait_window("intro", 30, "%s: the introduction window" % name)
        view.click_corner(intro)
        view.press("Return")
        main = view.wait_window("main", 20, "%s: the main window after Return" % name)
        view.click_corner(main)
        view.press("alt+m")
        poll("%s: a measurement after Alt+M" % name, 10, lambda: (view.window("main") or {}).get("measured"))
        for key in "12.35":
            view.press(key)
        view.press("Return")
        poll("%s: the verdict after the answer and Return" % name, 10,
             lambda: (view.window("main") or {}).get("verdict"))
        return intro, main
    except Failure as failure:
        shot(view.browser, "delivery-failed-%s.png" % name.replace(" ", "-"))
        raise Failure("%s (%s; the page's focus on %s)" % (
            failure, view.describe(), view.evaluate("document.activeElement?.tagName"))) from None


def started(view, name, seconds=30):
    """The program started: its introduction window is up."""
    return view.wait_window("intro", seconds, "%s: the introduction window" % name)


def worker_keeps(view, name):
    """Waits for the page's service worker to have taken the page; the
    names of the files it keeps."""
    return poll("%s: the service worker to take the page" % name, 30, lambda: view.evaluate(WORKER))


def page_files(folder):
    """The files a page's folder holds that carry a digest in their names."""
    names = set()
    for top, _, files in os.walk(folder):
        names.update(f for f in files if re.search(r"\.[0-9a-f]{16}\.[^/.]+$", f))
    return names


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def answers(port):
    try:
        with socket.create_connection(("127.0.0.1", port), timeout=1):
            return True
    except OSError:
        return False


# The counting server: a plain static server (no Cache-Control, the
# program's code as application/wasm), each folder of the site at a path of
# its own, which the test can change while it serves; it counts the requests
# for each path, and while told to hang it accepts each connection and sends
# nothing.
class CountingServer:
    def __init__(self):
        self.routes = {}
        self.requests = []
        self.hanging = False
        self.release = threading.Event()
        self.lock = threading.Lock()
        outer = self

        class Handler(http.server.SimpleHTTPRequestHandler):
            extensions_map = {
                **http.server.SimpleHTTPRequestHandler.extensions_map,
                ".wasm": "application/wasm",
                ".webmanifest": "application/manifest+json",
                ".js": "text/javascript",
            }

            def do_GET(self):
                with outer.lock:
                    outer.requests.append(self.path.split("?")[0])
                    hanging = outer.hanging
                if hanging:
                    outer.release.wait(60)
                    self.close_connection = True
                    return
                if self.path.split("?")[0] == "/host.html":
                    body = outer.host_page.encode()
                    self.send_response(200)
                    self.send_header("Content-Type", "text/html; charset=utf-8")
                    self.send_header("Content-Length", str(len(body)))
                    self.end_headers()
                    self.wfile.write(body)
                    return
                super().do_GET()

            def translate_path(self, path):
                path = path.split("?")[0]
                for prefix, folder in outer.routes.items():
                    if path.startswith(prefix):
                        return os.path.join(folder, path[len(prefix):])
                return "/nonexistent"

            def log_message(self, format, *args):
                pass

        self.host_page = ""
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.server.daemon_threads = True
        self.port = self.server.server_address[1]
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    def count(self, name):
        with self.lock:
            return sum(1 for path in self.requests if path.endswith("/" + name))

    def hang(self, on):
        self.hanging = on
        if on:
            self.release.clear()
        else:
            self.release.set()

    def stop(self):
        self.release.set()
        self.server.shutdown()
        self.server.server_close()


def counting(page_a, page_b, scratch):
    server = CountingServer()
    url = "http://127.0.0.1:%d" % server.port
    files_a, files_b = page_files(page_a), page_files(page_b)
    wasm_a = next(f for f in files_a if f.endswith(".wasm"))
    wasm_b = next(f for f in files_b if f.endswith(".wasm"))
    check(wasm_a != wasm_b, "the second build's code has the first's name")
    only_a, only_b = files_a - files_b, files_b - files_a
    try:
        # A first visit, on a slow network while the code comes (the bar
        # counts it), then a second: the program's code crosses the network
        # once, whatever the worker keeps.
        server.routes = {"/a/": page_a}
        browser = Chromium(scratch=scratch, window_size="1100,860", frames=True)
        try:
            view = View(browser)
            browser.call("Network.enable", browser.page)
            browser.call("Network.emulateNetworkConditions", browser.page, **SLOW)
            browser.navigate(url + "/a/")
            poll("first visit: the loading bar counting the program's code as it comes", 20,
                 lambda: view.evaluate(COUNTED))
            browser.call("Network.emulateNetworkConditions", browser.page, **FAST)
            drill(view, "first visit")
            kept = set(worker_keeps(view, "first visit"))
            check(files_a <= kept, "the worker keeps %s, not all of %s" % (sorted(kept), sorted(files_a)))
            browser.navigate("about:blank")
            browser.navigate(url + "/a/")
            started(view, "second visit")
            check(server.count(wasm_a) == 1, "the program's code was fetched %d times over a first visit, the "
                  "worker's keeping and a second visit, not once" % server.count(wasm_a))
            print("PASS: first visit: the program's code fetched once (%d requests in all, %d for the page)"
                  % (len(server.requests), server.count("")))

            # The server hangs: the kept page within 3 s, and the program.
            server.hang(True)
            before = len(server.requests)
            browser.navigate("about:blank")
            start = time.monotonic()
            browser.navigate(url + "/a/")
            intro = started(view, "visit with the server hanging", 20)
            shown = time.monotonic() - start
            response = view.evaluate("performance.getEntriesByType('navigation')[0].responseStart")
            check(response is not None and response <= 3000,
                  "with the server hanging, the page came %s ms after the navigation, not within 3000" % response)
            hung = server.requests[before:]
            check(all(not re.search(r"\.[0-9a-f]{16}\.", path) for path in hung),
                  "with the kept page, files named by their digests were asked of the server: %s" % hung)
            server.hang(False)
            print("PASS: server hanging: the kept page %.0f ms after navigation, the introduction window after "
                  "%.1f s" % (response, shown))

            # An update: B replaces A in the folder. The next visit runs B,
            # every file of it B's; the worker then keeps B's files alone.
            server.routes = {"/a/": page_b}
            browser.navigate("about:blank")
            browser.navigate(url + "/a/")
            drill(view, "visit after the update")
            loaded = set(f for f in view.evaluate(LOADED) if re.search(r"\.[0-9a-f]{16}\.", f))
            check(wasm_b in loaded and not loaded & only_a,
                  "the visit after the update loaded %s: B's own are %s" % (sorted(loaded), sorted(only_b)))
            kept = set(poll("the worker to keep the new version's files alone", 30,
                            lambda: (lambda k: k if k and set(k) == files_b else None)(view.evaluate(WORKER))))
            print("PASS: update: taken at the next visit, %d files of B and none of A's %d own" %
                  (len(loaded), len(only_a)))
            # With no server, the kept page is B's, with B's files.
            server.routes = {}
            browser.navigate("about:blank")
            browser.navigate(url + "/a/")
            started(view, "visit after the update, with no server")
            loaded = set(f for f in view.evaluate(LOADED) if re.search(r"\.[0-9a-f]{16}\.", f))
            check(wasm_b in loaded and not loaded & only_a,
                  "with no server after the update, the visit loaded %s" % sorted(loaded))
            print("PASS: update: with no server, B's page and files")
        finally:
            browser.close()

        # Two copies on one server: both start with no server.
        server.routes = {"/menvori/": page_a, "/menvori-prova/": page_b}
        browser = Chromium(scratch=scratch, window_size="1100,860", frames=True)
        try:
            view = View(browser)
            for path in ("/menvori/", "/menvori-prova/"):
                browser.navigate(url + path)
                started(view, path)
                worker_keeps(view, path)
            server.routes = {}
            for path, files in (("/menvori/", files_a), ("/menvori-prova/", files_b)):
                browser.navigate("about:blank")
                browser.navigate(url + path)
                started(view, "%s with no server" % path)
                check(set(view.evaluate(WORKER) or []) == files, "%s keeps other files than its own" % path)
            print("PASS: two copies, /menvori/ and /menvori-prova/: each starts with no server")
        finally:
            browser.close()

        # In a frame of another site's page (a course's page): the drill.
        server.routes = {"/a/": page_a}
        frame = "http://127.0.0.1:%d/a/" % server.port
        server.host_page = ("<!doctype html><html lang=ca><title>Curs</title><body style='margin:0'>"
                            "<p style='margin:8px'>Pràctica</p><iframe src='%s' width=%d height=%d "
                            "style='border:1px solid'></iframe>" % (frame, IFRAME_WIDTH, IFRAME_HEIGHT))
        browser = Chromium(scratch=scratch, window_size="1100,860", frames=True)
        try:
            browser.navigate("http://localhost:%d/host.html" % server.port)
            view = View(browser, frame)
            intro, main = drill(view, "in a frame")
            for window in (intro, main):
                check(window["outerX"] >= 0 and window["outerY"] >= 0
                      and window["outerX"] + window["outerWidth"] <= IFRAME_WIDTH
                      and window["outerY"] + window["outerHeight"] <= IFRAME_HEIGHT,
                      "a window of %gx%g px at %g,%g does not fit the %dx%d frame" %
                      (window["outerWidth"], window["outerHeight"], window["outerX"], window["outerY"],
                       IFRAME_WIDTH, IFRAME_HEIGHT))
            shot(browser, "delivery-frame.png")
            print("PASS: in a %dx%d frame of another site's page: the drill (windows %gx%g and %gx%g with "
                  "their frames)" % (IFRAME_WIDTH, IFRAME_HEIGHT, intro["outerWidth"], intro["outerHeight"],
                                     main["outerWidth"], main["outerHeight"]))
        finally:
            browser.close()
    finally:
        server.stop()


# The frame a course's page gives the drill (README).
IFRAME_WIDTH, IFRAME_HEIGHT = 900, 660
# Where pictures of the pages go, if anywhere.
SHOTS = os.environ.get("SHOTS")


def shot(browser, name):
    """A picture of the tab, into SHOTS where it is set."""
    if SHOTS:
        browser.screenshot(os.path.join(SHOTS, name))


def fetch(port, path, encodings=None):
    connection = http.client.HTTPConnection("127.0.0.1", port, timeout=10)
    try:
        connection.request("GET", path, headers={"Accept-Encoding": encodings} if encodings else {})
        response = connection.getresponse()
        return response.status, {k.lower(): v for k, v in response.getheaders()}, response.read()
    finally:
        connection.close()


def decoded(headers, body):
    encoding = headers.get("content-encoding", "identity")
    if encoding == "gzip":
        return gzip.decompress(body)
    if encoding == "br":
        return subprocess.run(["brotli", "-d", "-c"], input=body, stdout=subprocess.PIPE, check=True).stdout
    return body


def served_with_kit(name, port, page):
    """What the server sends, with the zip's settings."""
    files = page_files(page)
    wasm = next(f for f in files if f.endswith(".wasm"))
    manifest = next(f for f in files if f.endswith(".webmanifest"))
    original = open(os.path.join(page, wasm), "rb").read()
    for path in ("/menvori/", "/menvori/sw.js"):
        status, headers, _ = fetch(port, path)
        check(status == 200 and "no-cache" in headers.get("cache-control", ""),
              "%s: %s: %s, Cache-Control '%s', not no-cache" % (name, path, status, headers.get("cache-control")))
    encodings = []
    for accept in ("gzip, deflate, br", "gzip", None):
        status, headers, body = fetch(port, "/menvori/" + wasm, accept)
        check(status == 200 and headers.get("content-type", "").startswith("application/wasm"),
              "%s: the program's code: %s, %s" % (name, status, headers.get("content-type")))
        check("immutable" in headers.get("cache-control", "") and "max-age=31536000" in headers["cache-control"],
              "%s: the program's code with Cache-Control '%s'" % (name, headers.get("cache-control")))
        check(decoded(headers, body) == original, "%s: the program's code is not what the folder holds" % name)
        if accept:
            check(headers.get("content-encoding") in ("gzip", "br"),
                  "%s: the program's code uncompressed to a browser that takes %s" % (name, accept))
        encodings.append("%s %d bytes" % (headers.get("content-encoding", "identity"), len(body)))
    status, headers, _ = fetch(port, "/menvori/" + manifest)
    check(headers.get("content-type", "").startswith("application/manifest+json"),
          "%s: the manifest as %s" % (name, headers.get("content-type")))
    return encodings


def web_server(kind, page, scratch):
    """Starts Debian's nginx or Apache on a free loopback port, with a
    configuration of its own, the page at /menvori/ of the site; returns the
    process and the port."""
    port = free_port()
    # A folder of its own where the servers' workers, which read the site
    # as an unprivileged user, can reach it (not in the scratch folder).
    root = tempfile.mkdtemp(prefix="menvori-%s-" % kind)
    os.chmod(root, 0o755)
    site = os.path.join(root, "www")
    os.mkdir(site)
    shutil.copytree(page, os.path.join(site, "menvori"))
    subprocess.run(["chmod", "-R", "a+rX", root], check=True)
    log = open(os.path.join(root, "server.log"), "wb")
    if kind == "nginx":
        with open(os.path.join(root, "nginx.conf"), "w") as conf:
            conf.write("""daemon off;
user nobody nogroup;
worker_processes 1;
pid %(root)s/nginx.pid;
error_log %(root)s/error.log;
events { }
http {
    include /etc/nginx/mime.types;
    default_type application/octet-stream;
    access_log %(root)s/access.log;
    client_body_temp_path %(root)s/body;
    proxy_temp_path %(root)s/proxy;
    fastcgi_temp_path %(root)s/fastcgi;
    uwsgi_temp_path %(root)s/uwsgi;
    scgi_temp_path %(root)s/scgi;
    server {
        listen 127.0.0.1:%(port)d;
        root %(site)s;
        include %(site)s/menvori/nginx.conf;
    }
}
""" % dict(root=root, port=port, site=site))
        command = ["nginx", "-p", root, "-c", os.path.join(root, "nginx.conf"), "-e", os.path.join(root, "error.log")]
    else:
        modules = ["mpm_event", "authz_core", "mime", "dir", "headers", "rewrite", "deflate",
                   "filter", "setenvif", "brotli"]
        with open(os.path.join(root, "apache2.conf"), "w") as conf:
            conf.write("".join("LoadModule %s_module /usr/lib/apache2/modules/mod_%s.so\n" % (m, m) for m in modules))
            conf.write("""ServerRoot %(root)s
ServerName 127.0.0.1
Listen 127.0.0.1:%(port)d
PidFile %(root)s/apache2.pid
DefaultRuntimeDir %(root)s
ErrorLog %(root)s/error.log
User nobody
Group nogroup
TypesConfig /etc/mime.types
DocumentRoot %(site)s
<Directory />
    AllowOverride None
    Require all denied
</Directory>
<Files ".ht*">
    Require all denied
</Files>
<Directory %(site)s>
    Options FollowSymLinks
    AllowOverride FileInfo Indexes
    Require all granted
</Directory>
""" % dict(root=root, port=port, site=site))
        command = ["apache2", "-f", os.path.join(root, "apache2.conf"), "-DFOREGROUND"]
    process = subprocess.Popen(command, stdout=log, stderr=log)

    def up():
        if process.poll() is not None:
            raise Failure("ended")
        return answers(port)
    try:
        poll("%s to answer on port %d" % (kind, port), 15, up)
    except Failure:
        if process.poll() is None:
            process.kill()
        process.wait()
        shutil.rmtree(root, ignore_errors=True)
        logs = [os.path.join(root, name) for name in ("server.log", "error.log") if os.path.exists(os.path.join(root, name))]
        raise Failure("%s did not start: %s" % (kind, " ".join(open(f).read()[-2000:] for f in logs)))
    return process, port, root


def readme_has_nginx_block(page):
    """The README shows nginx's settings as the zip has them."""
    block = [line for line in open(os.path.join(page, "nginx.conf")).read().splitlines()
             if line and not line.startswith("#")]
    readme = open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "README.md")).read()
    check("```nginx\n" + "\n".join(block) + "\n```" in readme, "the README does not show nginx.conf's block as it is")


def served_by(kind, page_a, scratch):
    if kind == "nginx":
        readme_has_nginx_block(page_a)
    process, port, root = web_server(kind, page_a, scratch)
    try:
        encodings = served_with_kit(kind, port, page_a)
        print("PASS: %s: types, lifetimes and compression as set (the code as %s)" % (kind, ", ".join(encodings)))
        browser = Chromium(scratch=scratch, window_size="1100,860", frames=True)
        try:
            view = View(browser)
            browser.navigate("http://127.0.0.1:%d/menvori/" % port)
            drill(view, kind)
            shot(browser, "delivery-%s.png" % kind)
            worker_keeps(view, kind)
            process.terminate()
            process.wait()
            browser.navigate("about:blank")
            browser.navigate("http://127.0.0.1:%d/menvori/" % port)
            started(view, "%s ended, the page reloaded" % kind)
            shot(browser, "delivery-%s-offline.png" % kind)
            print("PASS: %s: the drill, and the start with the server ended" % kind)
        finally:
            browser.close()
    finally:
        if process.poll() is None:
            process.terminate()
            process.wait()
        shutil.rmtree(root, ignore_errors=True)


def iis_settings(page):
    """IIS is not at hand: its settings are read as IIS reads them, a
    well-formed web.config with the types it refuses to send files without,
    no-cache for the folder, and a year for every file named by its digest."""
    import xml.etree.ElementTree as ElementTree
    root = ElementTree.parse(os.path.join(page, "web.config")).getroot()
    types = {m.get("fileExtension"): m.get("mimeType") for m in root.iter("mimeMap")}
    check(types.get(".wasm") == "application/wasm" and types.get(".webmanifest") == "application/manifest+json",
          "IIS: web.config maps %s" % types)
    check(root.find("system.webServer/staticContent/clientCache").get("cacheControlMode") == "DisableCache",
          "IIS: the folder is not no-cache")
    lasting = {l.get("path") for l in root.findall("location")
               if l.find("system.webServer/staticContent/clientCache").get("cacheControlMaxAge") == "365.00:00:00"}
    named = set()
    for top, _, files in os.walk(page):
        named.update(os.path.relpath(os.path.join(top, f), page) for f in files
                     if re.search(r"\.[0-9a-f]{16}\.[^/.]+$", f))
    check(lasting == named, "IIS: web.config keeps for a year %s, the folder's files named by their digests are %s"
          % (sorted(lasting), sorted(named)))
    print("PASS: IIS: web.config maps the types, and keeps the %d files named by their digests a year" % len(named))


def second_build(program):
    """Makes the program folder another build of the same program: a custom
    section (which the program ignores) at the end of its code, and a line
    at the end of its script."""
    name = b"menvori-second-build"
    payload = bytes([len(name)]) + name + b"B"
    with open(os.path.join(program, "menvori.wasm"), "ab") as wasm:
        wasm.write(bytes([0, len(payload)]) + payload)
    with open(os.path.join(program, "menvori.js"), "a") as script:
        script.write("\n// The second build.\n")


def main():
    if sys.argv[1] == "second-build":
        second_build(sys.argv[2])
        return
    page_a, page_b, scratch = sys.argv[1:4]
    for what in sys.argv[4:]:
        start = time.monotonic()
        try:
            if what == "counting":
                counting(page_a, page_b, scratch)
            elif what == "iis":
                iis_settings(page_a)
            else:
                served_by(what, page_a, scratch)
        except Failure as failure:
            print("FAIL: %s: %s" % (what, failure))
            sys.exit(1)
        print("%s: %.0f s" % (what, time.monotonic() - start))


main()
