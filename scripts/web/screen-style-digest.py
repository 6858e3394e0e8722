#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Prints the Content-Security-Policy source ('sha256-...') of the style sheet
that Qt's WebAssembly platform puts into the page as a <style> element: the
raw string literal R"css(...)css" of its qwasmcssstyle.cpp.
  screen-style-digest.py <qwasmcssstyle.cpp>
"""
import base64
import hashlib
import re
import sys

with open(sys.argv[1], encoding="utf-8") as f:
    found = re.findall(r'R"css\((.*?)\)css"', f.read(), re.S)
if len(found) != 1:
    sys.exit("screen-style-digest: %d style sheets in %s, not one" % (len(found), sys.argv[1]))
print("'sha256-%s'" % base64.b64encode(hashlib.sha256(found[0].encode("utf-8")).digest()).decode())
