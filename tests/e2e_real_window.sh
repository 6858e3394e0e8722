#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Drives the built program in a real X window, from outside, with real key
# events, as a quick student would: Alt+C and Return at once start the drill
# once, Alt+M and the answer typed at once pose a measurement and fill the
# answer box, Alt+M again in the answer box types nothing, Return checks the
# answer; Alt+M, typing, then Alt+C and Return at once check that answer and
# pose the next one (and judge nothing twice); Alt+S ends the program with
# status 0. The three windows as a person sees them are saved in the folder
# given as $2: intro.png, rest.png, checked.png. Runs inside with_x11.sh.
#   e2e_real_window.sh <menvori binary> <picture folder>
set -euo pipefail

program=$1
shots=$2
mkdir -p "$shots"

fail() { echo "FAIL: $*" >&2; exit 1; }

app=
trap '[ -z "$app" ] || kill "$app" 2>/dev/null || true' EXIT
source "$(dirname "$0")/../scripts/xvfb.sh"

"$program" &
app=$!

intro=$(wait_for_window '^ $' "$app") || fail "no introduction window"
if xdotool search --all --onlyvisible --pid "$app" --name '^Menvori$' >/dev/null 2>&1; then
  fail "the main window is on screen with the introduction window"
fi
xdotool windowactivate --sync "$intro" 2>/dev/null || true
capture "$intro" "$shots/intro.png" '#FF0000' || fail "the introduction window shows no red title"
# Alt+C presses "Començar", and the Return 40 ms later presses it too: the
# drill starts once, and no measurement is posed.
xdotool key --delay 40 alt+c Return

main=$(wait_for_window '^Menvori$' "$app") || fail "no main window after Alt+C"
xdotool windowactivate --sync "$main" 2>/dev/null || true
# The zoom at rest has its red line; the caliper is peach.
capture "$main" "$shots/rest.png" '#FF0000' || fail "the main window shows no rest drawing"
has_colour "$shots/rest.png" '#FFE0C0' || fail "the main window is not peach"

# The main window's client area is 554 pixels high below its menu bar.
eval "$(xwininfo -id "$main" | awk '/Width:/ {print "ww=" $2} /Height:/ {print "wh=" $2}')"
top=$((wh - 554))
measured() {
  import -window "$main" "$shots/measured.png" 2>/dev/null && [ "$(tallest_red_run "$shots/measured.png")" -ge 60 ]
}
# copy_answer: selects and copies what the answer box holds (the box must have
# the focus). holds TEXT: whether the clipboard holds TEXT; it is read until
# the program has handled the copy.
copy_answer() { xdotool key ctrl+a ctrl+c; }
holds() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }
expect_answer() {
  poll_until 10 "the answer box to hold '$1'" holds "$1" \
    || fail "$2: the answer box holds '$(xclip -o -selection clipboard 2>/dev/null)', not '$1'"
}

# A measurement draws the red zero mark across the rule (60 pixels and more;
# the rest drawing has none) and gives the answer box the focus.
[ "$(tallest_red_run "$shots/rest.png")" -lt 60 ] || fail "Alt+C and Return posed a measurement"

# Alt+M and the answer typed at once: the measurement is posed before the
# first digit, which reaches the answer box with the rest.
xdotool key alt+m type --delay 20 '12.35'
poll_until 10 "the measurement's red zero mark" measured || fail "Alt+M posed no measurement"
# Alt+M again: Nova Mesura is disabled now, and nothing may reach the answer.
xdotool key alt+m
copy_answer
expect_answer " 12.35" "Alt+M and typing at once, then Alt+M"

xdotool key Return
capture "$main" "$shots/checked.png" '#FF0000' "217x25+40+$((top + 464))" || fail "no verdict after Return"

# Alt+C then Return 40 ms later: Alt+C checks the answer and gives "Nova
# Mesura" the focus, so the Return poses the next measurement, which empties
# the answer box and gives it the focus. Checked twice instead, the box would
# keep its answer and the focus would stay off it.
xdotool key alt+m type --delay 20 '12.35'
xdotool key --delay 40 alt+c Return
copy_answer
expect_answer " " "Alt+C and Return at once"
rm -f "$shots/measured.png"

xdotool key alt+s
poll_until 10 "the program to end after Alt+S" sh -c "! kill -0 $app" || fail "Alt+S did not end the program"
status=0
wait "$app" || status=$?
app=
[ "$status" -eq 0 ] || fail "exit status $status"
echo "PASS: intro by Alt+C and Return, Alt+M with the answer typed at once, Alt+M in the answer box, check, Alt+C and Return at once, exit, in a real window"
