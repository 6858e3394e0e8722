# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash

# The drill's driver on Wayland, in sway: wtype presses (a virtual keyboard),
# sway's window tree finds the windows of the process drill_windows_of names,
# grim takes pictures of them and wl-paste reads the clipboard. sway gives
# the focus to each new window itself.
source "$(dirname "${BASH_SOURCE[0]}")/scenario.sh"
drill_driver wayland wayland

WAYLAND_WINDOW_PID=
wayland_windows_of() { WAYLAND_WINDOW_PID=$1; }
# wayland_windows: the program's windows on screen, a line each: app id,
# title, and the window's content as grim takes a part of the screen
# ("X,Y WxH").
wayland_windows() { swaymsg -t get_tree | drill_picture sway-windows "$WAYLAND_WINDOW_PID"; }
# wayland_window_app_id TITLE: the app ids of the visible windows so titled.
wayland_window_app_id() { wayland_windows | awk -F '\t' -v t="$1" '$2 == t {print $1}'; }
wayland_window_shown() { [ -n "$(wayland_window_app_id "$1")" ]; }
wayland_window_raise() { :; }
wayland_window_shot() {
  local area
  area=$(wayland_windows | awk -F '\t' -v t="$1" '$2 == t {print $3; exit}')
  [ -n "$area" ] && grim -g "$area" "$2" 2>/dev/null
}

# wayland_keys CHORD...: wtype's arguments for the chords, xdotool's names
# (alt+m, ctrl+c, Return) pressed one after the other.
wayland_keys() {
  local chord key mods m
  for chord in "$@"; do
    key=${chord##*+}
    mods=()
    [ "$key" = "$chord" ] || IFS=+ read -r -a mods <<<"${chord%+*}"
    for m in "${mods[@]}"; do printf -- '-M\n%s\n' "$m"; done
    printf -- '-k\n%s\n' "$key"
    for m in "${mods[@]}"; do printf -- '-m\n%s\n' "$m"; done
  done
}
wayland_press() {
  local keys
  mapfile -t keys < <(wayland_keys "$@") && wtype "${keys[@]}"
}
# wtype sends the keys of one command with no pause between them.
wayland_press_at_once() { wayland_press "$@"; }
wayland_press_slowly() {
  local args=() chord first=1 keys
  for chord in "$@"; do
    [ $first -eq 1 ] || args+=(-s 40)
    first=0
    mapfile -t keys < <(wayland_keys "$chord")
    args+=("${keys[@]}")
  done
  wtype "${args[@]}"
}
wayland_press_and_type() {
  local keys
  mapfile -t keys < <(wayland_keys "$1") && wtype "${keys[@]}" -d 20 "$2"
}
wayland_clipboard_text() { wl-paste --no-newline 2>/dev/null; }
# The key held for $2 ms. wtype stamps its keys 0: a virtual keyboard's
# client gives each key its time, and the compositor passes it on (only a
# real device's keys carry the compositor's clock); Qt stamps its own repeats
# with their press's time.
wayland_hold() { wtype -P "$1" -s "$2" -p "$1"; }
