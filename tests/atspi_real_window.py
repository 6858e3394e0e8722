#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The built program as a screen reader meets it, over AT-SPI.

Run inside tests/with_x11.sh (Xvfb, a private D-Bus session, Qt's
accessibility bridge). Starts the program, presses "Començar" through its
accessible action, checks the name of every control of the main window, poses
a measurement, types an answer and checks it through the accessibility
interfaces alone, and checks that the verdict, the solution and the counters
were announced as they changed. Ends the program with "Sortir".
Usage: atspi_real_window.py <menvori binary>
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

program = sys.argv[1]
failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)


def showing(acc):
    return acc.getState().contains(pyatspi.STATE_SHOWING)


def walk(acc):
    yield acc
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def wait_for(condition, seconds):
    """Runs the AT-SPI event loop, so that events arrive, until condition()
    gives a true value or the time is up; returns that value."""
    deadline = time.monotonic() + seconds
    result = condition()
    while not result and time.monotonic() < deadline:
        GLib.timeout_add(50, lambda: pyatspi.Registry.stop() or False)
        pyatspi.Registry.start()
        result = condition()
    return result


def the_app():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Menvori":
            return app
    return None


def shown(app, role, name):
    for acc in walk(app):
        if acc.getRole() == role and acc.name == name and showing(acc):
            return acc
    return None


def find(app, role, name):
    return wait_for(lambda: shown(app, role, name), 10)


def press(acc):
    acc.queryAction().doAction(0)


proc = subprocess.Popen([program])
try:
    app = wait_for(the_app, 20)
    check(app is not None, "the program is on the accessibility bus")
    if app is None:
        sys.exit(1)

    start = find(app, pyatspi.ROLE_PUSH_BUTTON, "Començar")
    check(start is not None, "introduction window: button 'Començar'")
    check(shown(app, pyatspi.ROLE_FRAME, "Menvori") is None,
          "the main window is not shown while the introduction is")
    intro_names = {acc.name for acc in walk(app) if showing(acc)}
    for name in ("El Menvori", "Dibuix d'un peu de rei"):
        check(name in intro_names, f"introduction window: '{name}'")
    press(start)

    main = find(app, pyatspi.ROLE_FRAME, "Menvori")
    check(main is not None, "main window 'Menvori' after 'Començar'")

    expected = [
        (pyatspi.ROLE_PUSH_BUTTON, "Nova Mesura"),
        (pyatspi.ROLE_PUSH_BUTTON, "Comprovació"),
        (pyatspi.ROLE_PUSH_BUTTON, "Sortir"),
        (pyatspi.ROLE_RADIO_BUTTON, "Zoom Nònius"),
        (pyatspi.ROLE_RADIO_BUTTON, "Sense Zoom"),
        (pyatspi.ROLE_TEXT, "Introduïu el resultat:"),
        (pyatspi.ROLE_TEXT, "Apreciació"),
        (pyatspi.ROLE_LABEL, "Solució"),
        (pyatspi.ROLE_LABEL, "Comptador"),
        (pyatspi.ROLE_LABEL, "línia del nònius que coincideix amb una del regle fix"),
    ]
    present = {(acc.getRole(), acc.name) for acc in walk(main) if showing(acc)}
    names = {acc.name for acc in walk(main) if showing(acc)}
    for role, name in expected:
        check((role, name) in present, f"{pyatspi.Role(role)} '{name}'")
    described = {acc.name: acc.description for acc in walk(main) if showing(acc)}
    for picture in ("Peu de rei", "Nònius ampliat"):
        check(bool(described.get(picture)), f"picture '{picture}', described")
    menu = [acc for acc in walk(main)
            if acc.getRole() in (pyatspi.ROLE_MENU, pyatspi.ROLE_MENU_ITEM) and acc.name == "Apreciació"]
    check(bool(menu), "menu 'Apreciació'")

    check_button = find(main, pyatspi.ROLE_PUSH_BUTTON, "Comprovació")
    check(not check_button.getState().contains(pyatspi.STATE_ENABLED),
          "'Comprovació' is disabled before a measurement")

    announced = []
    pyatspi.Registry.registerEventListener(
        lambda event: announced.append(event.source.name), "object:property-change:accessible-name")

    press(find(main, pyatspi.ROLE_PUSH_BUTTON, "Nova Mesura"))
    answer = find(main, pyatspi.ROLE_TEXT, "Introduïu el resultat:")
    check(wait_for(lambda: answer.getState().contains(pyatspi.STATE_FOCUSED), 5), "the answer box has the focus")
    answer.queryEditableText().setTextContents("12.35")
    press(check_button)
    wait_for(lambda: any(n.startswith("Núm d'encerts: ") for n in announced), 5)

    check("Mesura núm:  1" in announced, "announced: 'Mesura núm:  1'")
    check(any(n in ("MOLT BÉ", "NO HO HAS FET BÉ") for n in announced), "announced: the verdict")
    check(any(n.endswith(" milímetres") for n in announced), "announced: the whole millimetres")
    check(any(n.endswith(" centèssimes") for n in announced), "announced: the hundredths")
    check(any(n.startswith("Núm d'encerts: ") for n in announced), "announced: the count of right answers")

    press(find(main, pyatspi.ROLE_PUSH_BUTTON, "Sortir"))
    try:
        status = proc.wait(timeout=10)
    except subprocess.TimeoutExpired:
        status = None
    check(status == 0, "'Sortir' ends the program with status 0")
finally:
    if proc.poll() is None:
        proc.kill()

print(f"{len(failures)} failed" if failures else "PASS: the program as a screen reader finds it")
sys.exit(1 if failures else 0)
