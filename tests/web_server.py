#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Serves a folder over HTTP on the loopback only, as a plain static web
server does (the program's code as application/wasm), for the browser tests
and the page benchmark. It picks a free port and writes it to PORT_FILE, and
it notes in LOG_FILE each file it has sent whole, a line each.
  web_server.py <folder> <port file> <log file>
"""
import functools
import http.server
import os
import sys

folder, port_file, log_file = sys.argv[1:4]


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".wasm": "application/wasm",
        ".webmanifest": "application/manifest+json",
        ".js": "text/javascript",
    }

    def copyfile(self, source, outputfile):
        super().copyfile(source, outputfile)
        with open(log_file, "a", encoding="utf-8") as log:
            log.write(self.path + "\n")

    def log_message(self, format, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Handler, directory=folder))
with open(port_file + ".new", "w", encoding="utf-8") as f:
    f.write(str(server.server_address[1]))
# The port file appears whole, by a rename.
os.rename(port_file + ".new", port_file)
server.serve_forever()
