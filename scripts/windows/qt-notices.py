#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The notices of the third-party code inside the Qt libraries Menvori ships.

Reads what each object of a Qt build was compiled from, every file it
included too (ninja -t deps), and the qt_attribution.json files of the
source; writes, for every attributed component of which a file went into the
shipped libraries (Core, Gui, Widgets, the Windows platform plugin and the
bundled libraries they take in), its name, version, licence, copyright and
licence text.
  qt-notices.py <qt source> <qt build> <ninja -t deps output> <output file>
"""
import json
import os
import sys

SHIPPED = ("/Core.dir/", "/Gui.dir/", "/Widgets.dir/", "/QWindowsIntegrationPlugin.dir/", "/Bundled")


def used_files(source, build, deps):
    """The source files, relative to the source, that shipped objects came from."""
    used, shipped = set(), False
    with open(deps, encoding="utf-8") as f:
        for line in f:
            if not line.startswith(" "):
                shipped = any(part in "/" + line.split(":")[0] for part in SHIPPED)
            elif shipped and line.strip():
                path = os.path.normpath(os.path.join(build, line.strip()))
                if path.startswith(source + os.sep):
                    used.add(os.path.relpath(path, source))
    return used


def attributions(source):
    for top, dirs, names in os.walk(source):
        dirs[:] = [d for d in dirs if d not in ("tests", "examples", "doc", "debian")]
        if "qt_attribution.json" in names:
            with open(os.path.join(top, "qt_attribution.json"), encoding="utf-8") as f:
                data = json.loads(f.read(), strict=False)
            for entry in data if isinstance(data, list) else [data]:
                yield os.path.relpath(top, source), entry


def covers(folder, entry):
    """The paths (files or folders) an attribution speaks for."""
    base = os.path.normpath(os.path.join(folder, entry.get("Path", "")))
    files = entry.get("Files")
    if not files:
        return [base]
    return [os.path.normpath(os.path.join(base, f)) for f in (files.split() if isinstance(files, str) else files)]


def main():
    source, build, deps, output = sys.argv[1:5]
    source, build = os.path.realpath(source), os.path.realpath(build)
    used = used_files(source, build, deps)
    if not used:
        sys.exit("qt-notices: no shipped object in " + deps)
    parts = []
    for folder, entry in sorted(attributions(source), key=lambda a: a[1].get("Name", "")):
        paths = covers(folder, entry)
        if not any(u == p or u.startswith(p + os.sep) for u in used for p in paths):
            continue
        files = entry.get("LicenseFile") or entry.get("LicenseFiles") or []
        texts = []
        for name in [files] if isinstance(files, str) else files:
            with open(os.path.join(source, folder, name), encoding="utf-8", errors="replace") as f:
                texts.append(f.read().strip())
        parts.append("\n".join([
            "=" * 78,
            "%s %s" % (entry.get("Name", entry.get("Id", folder)), entry.get("Version", "")),
            "In Qt: %s" % folder,
            "Licence: %s" % entry.get("License", entry.get("LicenseId", "")),
            "",
            entry.get("Copyright", "").strip(),
            "",
        ] + texts) + "\n")
    with open(output, "w", encoding="utf-8") as f:
        f.write("Third-party code inside the Qt libraries shipped with Menvori, and its licences.\n\n")
        f.write("\n".join(parts))
    print("qt-notices: %d components" % len(parts))


main()
