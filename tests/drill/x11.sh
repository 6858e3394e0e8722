# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash

# The drill's driver for X11 windows, the program's own and, under Wine, those
# Wine makes for it: xdotool presses and finds, import takes pictures, xclip
# reads the clipboard. The windows are those of the process drill_windows_of
# names, or any on the display where it names none.
source "$(dirname "${BASH_SOURCE[0]}")/scenario.sh"
drill_driver x11 x11

X11_WINDOW_PID=
x11_windows_of() { X11_WINDOW_PID=$1; }
# x11_window_id TITLE: the visible window so titled.
x11_window_id() {
  xdotool search --all --onlyvisible ${X11_WINDOW_PID:+--pid "$X11_WINDOW_PID"} --name "^$1\$" 2>/dev/null | head -n 1
}
x11_window_shown() { [ -n "$(x11_window_id "$1")" ]; }
x11_window_raise() {
  local id
  id=$(x11_window_id "$1")
  [ -z "$id" ] || xdotool windowactivate --sync "$id" 2>/dev/null || true
}
x11_window_shot() {
  local id
  id=$(x11_window_id "$1")
  [ -n "$id" ] && import -window "$id" "$2" 2>/dev/null
}
# The keys go to the focused window. None is sent with --window: a key that
# closes its window would stay down in the X server.
x11_press() { xdotool key "$@"; }
x11_press_slowly() { xdotool key --delay 40 "$@"; }
x11_press_at_once() { xdotool key --delay 0 "$@"; }
x11_press_and_type() { xdotool key "$1" type --delay 20 "$2"; }
# xclip waits for the selection's owner to answer, and under Wine the answer
# is now and then never sent: each read gives up after 2 s, and the caller's
# poll asks again.
x11_clipboard_text() { timeout 2 xclip -o -selection clipboard 2>/dev/null; }
x11_hold() {
  xdotool keydown "$1"
  sleep "$(($2 / 1000)).$(printf %03d $(($2 % 1000)))" # the hold's length
  xdotool keyup "$1"
}
