#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command in a real X server of its own (Xvfb, with the openbox window
# manager), with Qt on X11, and ends both when the command ends. Meant to run
# inside in_private_session.sh. Usage: with_x11.sh command [args...]
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
set_script_name with_x11
trap run_at_exit EXIT
start_xvfb || fail "no X server"
start_wm || fail "no window manager"
export QT_QPA_PLATFORM=xcb
status=0
"$@" || status=$?
exit $status
