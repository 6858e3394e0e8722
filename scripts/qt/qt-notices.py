#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The notices of the code inside the Qt libraries Menvori ships that is not
under Qt's LGPL.

Reads what each object of a Qt build was compiled from, every file it
included too (ninja -t deps), and takes those of the shipped binaries: Core,
Gui, Widgets, the platform plugin (Windows, or WebAssembly), the bundled
libraries they take in, and on Windows the entry point linked into
menvori.exe. Writes a notice for
  - every third-party component a qt_attribution.json of the source
    attributes one of those files to (or a file generated from one of them);
  - Qt's own files among them under a licence other than the LGPL, by their
    SPDX-License-Identifier (the entry point is under BSD-3-Clause),
with its name, version, licence, copyright and licence text.
  qt-notices.py <qt source> <ninja -t deps output, absolute paths> <output file>
"""
import json
import os
import re
import sys

SHIPPED = ("/Core.dir/", "/Gui.dir/", "/Widgets.dir/", "/QWindowsIntegrationPlugin.dir/",
           "/QWasmIntegrationPlugin.dir/", "/Bundled", "/EntryPointImplementation.dir/")
# Files compiled in that a tool of Qt generated from an attributed one.
GENERATED_FROM = {"src/gui/painting/webgradients.cpp": "util/gradientgen/webgradients.css"}
# The licence Qt itself is shipped under.
QT_LICENCE = "LGPL-3.0-only"


def used_files(source, deps):
    """The source files, relative to the source, that shipped objects came from."""
    used, shipped = set(), False
    with open(deps, encoding="utf-8") as f:
        for line in f:
            if not line.startswith(" "):
                shipped = any(part in "/" + line.split(":")[0] for part in SHIPPED)
            elif shipped and line.strip():
                path = os.path.normpath(line.strip())
                if path.startswith(source + os.sep):
                    used.add(os.path.relpath(path, source))
    used.update(GENERATED_FROM[u] for u in list(used) if u in GENERATED_FROM)
    return used


def attributions(source):
    for top, dirs, names in os.walk(source):
        dirs[:] = [d for d in dirs if d not in ("tests", "examples", "doc", "debian")]
        if "qt_attribution.json" in names:
            with open(os.path.join(top, "qt_attribution.json"), encoding="utf-8") as f:
                data = json.loads(f.read(), strict=False)
            for entry in data if isinstance(data, list) else [data]:
                yield os.path.relpath(top, source), entry


def as_list(value):
    """A field that is a string in some Qt versions and a list in others."""
    if not value:
        return []
    return [value] if isinstance(value, str) else list(value)


def covers(folder, entry):
    """The paths (files or folders) an attribution speaks for."""
    base = os.path.normpath(os.path.join(folder, entry.get("Path", "")))
    files = entry.get("Files")
    if not files:
        return [base]
    names = files.split() if isinstance(files, str) else files
    return [os.path.normpath(os.path.join(base, f)) for f in names]


def text_of(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        return f.read().strip()


def notice(title, where, licence, copyright, texts):
    return "\n".join(["=" * 78, title, where, "Licence: " + licence, "", copyright, ""] + texts) + "\n"


def attributed(source, used):
    """Notices of the attributed components, and the files they cover."""
    parts, covered = [], set()
    for folder, entry in sorted(attributions(source), key=lambda a: a[1].get("Name", "")):
        paths = covers(folder, entry)
        hits = {u for u in used for p in paths if u == p or u.startswith(p + os.sep)}
        if not hits:
            continue
        covered |= hits
        files = as_list(entry.get("LicenseFile")) + as_list(entry.get("LicenseFiles"))
        parts.append(notice(
            "%s %s" % (entry.get("Name", entry.get("Id", folder)), entry.get("Version", "")),
            "In Qt: %s" % folder,
            " ".join(as_list(entry.get("License", entry.get("LicenseId", "")))),
            "\n".join(c.strip() for c in as_list(entry.get("Copyright"))),
            [text_of(os.path.join(source, folder, name)) for name in files]))
    return parts, covered


def own_code(source, used, covered):
    """Notices of Qt's own files under a licence other than Qt's, one a licence."""
    by_licence = {}
    for name in sorted(used - covered):
        try:
            with open(os.path.join(source, name), encoding="utf-8", errors="replace") as f:
                head = f.read(2000)
        except (IsADirectoryError, FileNotFoundError):
            continue
        identifier = re.search(r"SPDX-License-Identifier:\s*(.+)", head)
        if not identifier or QT_LICENCE in identifier.group(1):
            continue
        expression = identifier.group(1).strip().rstrip("*/").strip()
        files, copyrights = by_licence.setdefault(expression, ([], set()))
        files.append(name)
        copyrights.update(c.strip() for c in re.findall(r"Copyright \(C\)[^\n]*", head))
    parts = []
    for expression, (files, copyrights) in sorted(by_licence.items()):
        # Qt offers these under a commercial licence or an open one: the open one.
        chosen = [i for i in re.split(r"\s+OR\s+", expression) if not i.startswith("LicenseRef-")]
        texts = [text_of(os.path.join(source, "LICENSES", i + ".txt")) for i in chosen
                 if os.path.exists(os.path.join(source, "LICENSES", i + ".txt"))]
        if not chosen or not texts:
            sys.exit("qt-notices: no licence text for %s (%s)" % (expression, ", ".join(files)))
        parts.append(notice("Qt's own code under " + " OR ".join(chosen),
                            "In Qt: " + ", ".join(files), " OR ".join(chosen),
                            "\n".join(sorted(copyrights)), texts))
    return parts


def main():
    source, deps, output = sys.argv[1:4]
    source = os.path.realpath(source)
    used = used_files(source, deps)
    if not used:
        sys.exit("qt-notices: no shipped object in " + deps)
    parts, covered = attributed(source, used)
    parts += own_code(source, used, covered)
    with open(output, "w", encoding="utf-8") as f:
        f.write("Code inside the Qt libraries shipped with Menvori (and, for Windows, Qt's\n"
                "entry point, linked into menvori.exe) that is not under Qt's licence,\n"
                "LGPL-3.0-only, and its licences.\n\n")
        f.write("\n".join(parts))
    print("qt-notices: %d components" % len(parts))


main()
