# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The drill's driver for X11 windows, the program's own and, under Wine, those
# Wine makes for it: xdotool presses and finds, import takes pictures, xclip
# reads the clipboard. The windows are those of process WINDOW_PID (or of
# APP), or any on the display where neither is set.
source "$(dirname "${BASH_SOURCE[0]}")/scenario.sh"

window_id() {
  local pid=${WINDOW_PID:-${APP:-}}
  xdotool search --all --onlyvisible ${pid:+--pid "$pid"} --name "^$1\$" 2>/dev/null | head -n 1
}
window_shown() { [ -n "$(window_id "$1")" ]; }
window_raise() {
  local id
  id=$(window_id "$1")
  [ -z "$id" ] || xdotool windowactivate --sync "$id" 2>/dev/null || true
}
window_shot() {
  local id
  id=$(window_id "$1")
  [ -n "$id" ] && import -window "$id" "$2" 2>/dev/null
}
# The keys go to the focused window. None is sent with --window: a key that
# closes its window would stay down in the X server.
press() { xdotool key "$@"; }
press_slowly() { xdotool key --delay 40 "$@"; }
press_and_type() { xdotool key "$1" type --delay 20 "$2"; }
# xclip waits for the selection's owner to answer, and under Wine the answer
# is now and then never sent: each read gives up after 2 s, and the caller's
# poll asks again.
clipboard_text() { timeout 2 xclip -o -selection clipboard 2>/dev/null; }
hold() {
  xdotool keydown "$1"
  sleep "$(($2 / 1000)).$(printf %03d $(($2 % 1000)))" # the hold's length
  xdotool keyup "$1"
}
