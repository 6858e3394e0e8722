#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Drives the built program in a real X window (Xvfb with openbox), from
# outside, with real key events: the introduction window comes first, Return
# dismisses it, Alt+M poses a measurement, Alt+M again while the answer box
# has the focus types nothing, the typed answer and Return check it, and
# Alt+S ends the program with status 0. The three windows as a person sees
# them are saved in the folder given as $2: intro.png, rest.png, checked.png.
#   e2e_real_window.sh <menvori binary> <picture folder>
set -euo pipefail

program=$1
shots=$2
mkdir -p "$shots"

fail() { echo "FAIL: $*" >&2; exit 1; }

pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT

source "$(dirname "$0")/../scripts/xvfb.sh"
start_xvfb || fail "no X server"
pids+=("$XVFB_PID")
start_wm || fail "no window manager"
pids+=("$WM_PID")

export QT_QPA_PLATFORM=xcb
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR

"$program" &
app=$!
pids+=("$app")

intro=$(wait_for_window '^ $' "$app") || fail "no introduction window"
if xdotool search --all --onlyvisible --pid "$app" --name '^Menvori$' >/dev/null 2>&1; then
  fail "the main window is on screen with the introduction window"
fi
xdotool windowactivate --sync "$intro" 2>/dev/null || true
capture "$intro" "$shots/intro.png" '#FF0000' || fail "the introduction window shows no red title"
xdotool key Return

main=$(wait_for_window '^Menvori$' "$app") || fail "no main window after Return"
xdotool windowactivate --sync "$main" 2>/dev/null || true
# The zoom at rest has its red line; the caliper is peach.
capture "$main" "$shots/rest.png" '#FF0000' || fail "the main window shows no rest drawing"
has_colour "$shots/rest.png" '#FFE0C0' || fail "the main window is not peach"

# The main window's client area is 554 pixels high below its menu bar.
eval "$(xwininfo -id "$main" | awk '/Width:/ {print "ww=" $2} /Height:/ {print "wh=" $2}')"
top=$((wh - 554))
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
measured() {
  import -window "$main" "$shots/measured.png" 2>/dev/null && [ "$(tallest_red_run "$shots/measured.png")" -ge 60 ]
}

# A measurement draws the red zero mark across the rule (60 pixels and more;
# the rest drawing has none) and gives the answer box the focus.
xdotool key alt+m
poll_until 10 "the measurement's red zero mark" measured || fail "Alt+M posed no measurement"

# Alt+M again: Nova Mesura is disabled now, and nothing may reach the answer.
xdotool key alt+m
xdotool type --delay 20 '12.35'
xdotool key ctrl+a ctrl+c
answer=$(xclip -o -selection clipboard 2>/dev/null || true)
[ "$answer" = " 12.35" ] || fail "the answer box holds '$answer', not ' 12.35'"

xdotool key Return
# The verdict, in red, in its label (40,464 217x25 in the client area).
capture "$main" "$shots/checked.png" '#FF0000' "217x25+40+$((top + 464))" || fail "no verdict after Return"
rm -f "$shots/measured.png"

xdotool key alt+s
poll_until 10 "the program to end after Alt+S" sh -c "! kill -0 $app" || fail "Alt+S did not end the program"
status=0
wait "$app" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
echo "PASS: intro, rest, measurement, Alt+M in the answer box, check and exit in a real window"
