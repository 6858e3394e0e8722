# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by the scripts and tests that need a real X server (and by the
# Wayland test, for its waits and pictures). Every wait here
# polls for its condition with a deadline, and every process is ended by the
# PID its starter recorded.

# poll_until SECONDS WHAT COMMAND...: runs COMMAND every 50 ms until it
# succeeds; after SECONDS, says what it waited for and fails.
poll_until() {
  local limit=$1 what=$2 deadline=$((SECONDS + $1))
  shift 2
  until "$@" >/dev/null 2>&1; do
    if [ $SECONDS -ge $deadline ]; then
      echo "gave up after $limit s waiting for $what" >&2
      return 1
    fi
    sleep 0.05
  done
}

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

# find_window PATTERN [PID]: sets FOUND_WINDOW to the id of a visible window
# whose name matches PATTERN (of process PID, if given); fails if there is none.
# wait_for_window PATTERN [PID]: prints that id, waiting up to 20 s.
find_window() {
  FOUND_WINDOW=$(xdotool search --all --onlyvisible ${2:+--pid "$2"} --name "$1" 2>/dev/null | head -n 1)
  [ -n "$FOUND_WINDOW" ]
}
wait_for_window() {
  poll_until 20 "a window named '$1'" find_window "$@" && echo "$FOUND_WINDOW"
}

# has_colour IMAGE COLOUR: whether IMAGE holds a pixel of COLOUR (#RRGGBB).
# grep reads the whole histogram: with -q it would stop at the first match,
# and convert, cut off mid-write, would fail the pipeline under pipefail.
has_colour() {
  convert "$1" -format %c histogram:info:- | grep -i "$2" >/dev/null
}

# shows_colour WINDOW FILE COLOUR [GEOMETRY]: screenshots WINDOW into FILE and
# says whether the picture (or its part GEOMETRY, WxH+X+Y) shows COLOUR.
# capture WINDOW FILE COLOUR [GEOMETRY]: screenshots until it does, up to 10 s:
# the window has then painted what the caller waits for.
shows_colour() {
  import -window "$1" "$2" && convert "$2" ${4:+-crop "$4" +repage} png:- | has_colour - "$3"
}
capture() {
  poll_until 10 "window $1 to show $3${4:+ in $4}" shows_colour "$@"
}

# tallest_red_run IMAGE: the height of the tallest unbroken run of pure red
# pixels in any column of IMAGE. A measurement's red zero mark crosses the
# rule, 60 pixels and more; the drawing at rest has none so tall.
tallest_red_run() {
  convert "$1" ppm:- | python3 -c '
import sys
data = sys.stdin.buffer.read()
parts = data.split(maxsplit=4)
w, h, pix = int(parts[1]), int(parts[2]), parts[4]
best = 0
for x in range(w):
    run = 0
    for y in range(h):
        i = 3 * (y * w + x)
        run = run + 1 if pix[i:i + 3] == b"\xff\x00\x00" else 0
        best = max(best, run)
print(best)'
}
