#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""What the page says, in Catalan, where the program cannot run, each case
made as it happens in a school, in headless Chromium: a content filter that
answers the program's code with a page of its own; a server that takes the
request and sends nothing; the page opened from its file (a double click on
index.html); a device with too little memory; a browser too old for the
page's Content-Security-Policy. Each must end in its own message, with no
program window. A picture of each goes to SHOTS.
  web_failures.py <page folder> <shots folder>
"""
import functools
import http.server
import os
import shutil
import sys
import tempfile
import threading

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from cdp import Chromium, Timeout  # noqa: E402


class Handler(http.server.SimpleHTTPRequestHandler):
    """The page's folder, as a static server serves it, but for the program's
    code, which each case answers its own way."""
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript"}
    wasm = "whole"
    release = threading.Event()

    def do_GET(self):
        if self.path.split("?")[0].endswith(".wasm") and self.wasm != "whole":
            if self.wasm == "filtered":
                body = "<!doctype html><title>Accés restringit</title><p>Contingut bloquejat.</p>".encode()
                self.send_response(200)
                self.send_header("Content-Type", "text/html; charset=utf-8")
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)
            else:
                # The connection is taken and nothing comes back.
                self.release.wait(120)
            return
        super().do_GET()

    def log_message(self, format, *args):
        pass


def serve(folder, wasm):
    handler = type("CaseHandler", (Handler,), {"wasm": wasm, "release": threading.Event()})
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(handler, directory=folder))
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, handler


# Scripts put into the page before its own: the browser as it would be.
SHORT_OF_MEMORY = r"""
WebAssembly.instantiate = () => Promise.reject(
    new RangeError('WebAssembly.instantiate(): Out of memory: Cannot allocate Wasm memory for new instance'));
"""
TOO_OLD = r"""
WebAssembly.compile = () => Promise.reject(
    new WebAssembly.CompileError('WebAssembly.compile(): Wasm code generation disallowed by embedder'));
WebAssembly.compileStreaming = WebAssembly.compile;
"""

CASES = [
    # name, how the code is served ("file" for no server), script, words the message must hold, seconds
    ("filtered", "filtered", None, "filtre de continguts", 30),
    ("silent", "silent", None, "El servidor no respon", 45),
    ("from-file", "file", None, "doble clic a index.html", 30),
    ("short-of-memory", "whole", SHORT_OF_MEMORY, "no té prou memòria", 30),
    ("too-old", "whole", TOO_OLD, "massa antic", 30),
]

MESSAGE = r"""(() => {
    const estat = document.getElementById('estat');
    if (!estat || estat.hidden || !document.getElementById('progres').hidden)
        return null;
    const root = document.querySelector('#qt-shadow-container')?.shadowRoot;
    const windows = root ? [...root.querySelectorAll('.qt-window')].filter(w => w.style.display === 'block').length : 0;
    return {text: document.getElementById('missatge').textContent, windows,
            button: !document.getElementById('tornar').hidden};
})()"""


def run_case(folder, shots, case):
    name, wasm, script, words, seconds = case
    server = None
    profile = tempfile.mkdtemp()
    b = Chromium(profile)
    try:
        if wasm == "file":
            url = "file://" + os.path.join(os.path.abspath(folder), "index.html")
        else:
            server, handler = serve(folder, wasm)
            url = "http://127.0.0.1:%d/" % server.server_address[1]
        if script:
            b.call("Page.addScriptToEvaluateOnNewDocument", source=script)
        b.call("Page.navigate", url=url)
        said = b.poll(MESSAGE, seconds, "a message on the page")
        b.screenshot(os.path.join(shots, "failure-%s.png" % name))
        if words not in said["text"]:
            return "%s: the page says '%s', not a message with '%s'" % (name, said["text"], words)
        if said["windows"]:
            return "%s: a window of the program is on the page with the message" % name
        return None
    except Timeout as e:
        return "%s: %s" % (name, e)
    finally:
        b.close()
        shutil.rmtree(profile, ignore_errors=True)
        if server:
            handler.release.set()
            server.shutdown()


def main():
    folder, shots = sys.argv[1:3]
    os.makedirs(shots, exist_ok=True)
    failed = [f for f in (run_case(folder, shots, case) for case in CASES) if f]
    for line in failed:
        print("FAIL: " + line, file=sys.stderr)
    print("failure messages: %d of %d as they should be" % (len(CASES) - len(failed), len(CASES)))
    sys.exit(1 if failed else 0)


main()
