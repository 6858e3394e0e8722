#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Rewrites the qt_attribution.json files under a Qt source folder whose
Copyright is a list of lines (as Qt 6.8 has them) with that list joined into
one text, as Qt 6.4 has it, the form scripts/windows/qt-notices.py reads.
  qt-attribution-lists.py <qt source>
"""
import json
import os
import sys

for top, _, names in os.walk(sys.argv[1]):
    if "qt_attribution.json" not in names:
        continue
    path = os.path.join(top, "qt_attribution.json")
    with open(path, encoding="utf-8") as f:
        data = json.loads(f.read(), strict=False)
    entries = data if isinstance(data, list) else [data]
    if not any(isinstance(entry.get("Copyright"), list) for entry in entries):
        continue
    for entry in entries:
        if isinstance(entry.get("Copyright"), list):
            entry["Copyright"] = "\n".join(entry["Copyright"])
    with open(path, "w", encoding="utf-8") as f:
        json.dump(data, f, indent=4, ensure_ascii=False)
        f.write("\n")
