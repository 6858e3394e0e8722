#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command in a real X server of its own (Xvfb, with the openbox window
# manager), with Qt on X11, and ends both when the command ends. Meant to run
# inside in_private_session.sh. Usage: with_x11.sh command [args...]
set -euo pipefail

source "$(dirname "$0")/../scripts/xvfb.sh"
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done' EXIT
start_xvfb || { echo "no X server" >&2; exit 1; }
pids+=("$XVFB_PID")
start_wm || { echo "no window manager" >&2; exit 1; }
pids+=("$WM_PID")
export QT_QPA_PLATFORM=xcb
status=0
"$@" || status=$?
exit $status
