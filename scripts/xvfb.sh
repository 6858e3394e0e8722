# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by the scripts and tests that need a real X server. Every wait here
# polls for its condition with a deadline, and every process is ended by the
# PID its starter recorded.
source "$(dirname "${BASH_SOURCE[0]}")/../tests/drill/helpers.sh"

# start_xvfb: starts Xvfb on a display it picks itself (so two runs never
# race for one), exports DISPLAY and sets XVFB_PID; the caller ends it.
# -noreset: the server would otherwise reset when its last client leaves, and
# refuse the next one for a moment.
start_xvfb() {
  local dir
  dir=$(mktemp -d)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$dir/display" >/dev/null 2>&1 &
  XVFB_PID=$!
  if ! poll_until 10 "Xvfb to report its display" test -s "$dir/display"; then
    rm -rf "$dir"
    return 1
  fi
  DISPLAY=":$(tr -d '[:space:]' <"$dir/display")"
  export DISPLAY
  rm -rf "$dir"
  poll_until 10 "the X server on $DISPLAY" xdpyinfo
}

# start_wm: starts the openbox window manager on DISPLAY and sets WM_PID once
# it manages the screen; the caller ends it.
start_wm() {
  local log
  log=$(mktemp)
  openbox >"$log" 2>&1 &
  WM_PID=$!
  if ! poll_until 10 "the window manager" sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'; then
    cat "$log" >&2
    rm -f "$log"
    return 1
  fi
  rm -f "$log"
}
