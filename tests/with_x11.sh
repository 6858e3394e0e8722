#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command in a real X server (Xvfb, with the openbox window manager)
# on its own D-Bus session with Qt's accessibility bridge switched on, as a
# screen reader would find the program. Usage: with_x11.sh command [args...]
set -euo pipefail

source "$(dirname "$0")/../scripts/xvfb.sh"
start_xvfb
trap 'kill $XVFB_PID 2>/dev/null || true' EXIT
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
here=$(cd "$(dirname "$0")/.." && pwd)
dbus-run-session -- bash -c 'source "$0/scripts/xvfb.sh"; start_wm || exit 1; status=0; "$@" || status=$?; kill $WM_PID 2>/dev/null; exit $status' "$here" "$@"
