#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Drives the built program in a real X window, from outside, with real key
# events, through the whole drill (drill/scenario.sh) as a quick student
# would: Alt+C and Return at once start it once, Alt+M and the answer typed
# at once pose a measurement and fill the answer box, Alt+M again types
# nothing, Return checks; Alt+C and Return at once check and pose the next
# (judging nothing twice); the resolution menu; Alt+S ends the program with
# status 0. Then, started again, Return held on Nova Mesura, in the answer
# box and on a menu entry acts once; and so it does, held 3.5 s and 6 s,
# where the keyboard waits 2.5 s and 5 s before it repeats (the X server's
# repeat put back as it was at the end). The windows as a person sees them
# are saved in the folder given as $2: intro.png, rest.png, checked.png.
# Runs inside with_x11.sh.
#   e2e_real_window.sh <menvori binary> <picture folder>
set -euo pipefail
program=$1
shots=$2
mkdir -p "$shots"
source "$(dirname "$0")/drill/x11.sh"

trap run_at_exit EXIT
drill_start_app "$program"
drill_all "$shots/" alt+c Return
drill_start_app "$program"
drill_held_keys "$shots/held-"
# repeat_after DELAY RATE: the keyboard repeats a key held DELAY ms, then RATE
# times a second.
repeat_after() { xset r rate "$1" "$2"; }
read -r delay rate < <(xset q | awk '/auto repeat delay/ {print $4, $7}')
at_exit repeat_after "$delay" "$rate"
for slow in "2500 20 3500" "5000 5 6000"; do
  read -r delay rate hold <<<"$slow"
  repeat_after "$delay" "$rate"
  drill_start_app "$program"
  drill_held_keys "$shots/held-$delay-" "$hold"
done
echo "PASS: the drill in a real X window: intro by Alt+C and Return, Alt+M with the answer typed at once, Alt+M in the answer box, check, Alt+C and Return at once, the resolution menu, exit; Return held on Nova Mesura, in the answer box and on a menu entry acts once, however long the keyboard waits before it repeats (2.5 s, 5 s)"
