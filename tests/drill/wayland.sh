# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The drill's driver on Wayland, in sway: wtype presses (a virtual keyboard),
# sway's window tree finds the windows of process APP, grim takes pictures of
# them and wl-paste reads the clipboard. sway gives the focus to each new
# window itself.
source "$(dirname "${BASH_SOURCE[0]}")/scenario.sh"

# windows: the program's windows on screen, a line each: app id, title, and
# the window's content as grim takes a part of the screen ("X,Y WxH").
windows() {
  swaymsg -t get_tree | python3 -c '
import json, sys
def walk(n):
    yield n
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        yield from walk(c)
for n in walk(json.load(sys.stdin)):
    if n.get("pid") == int(sys.argv[1]) and n.get("visible"):
        r, w = n["rect"], n["window_rect"]
        print(n.get("app_id"), n.get("name"),
              "%d,%d %dx%d" % (r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"]), sep="\t")' "$APP"
}
# window_app_id TITLE: the app ids of the visible windows so titled.
window_app_id() { windows | awk -F '\t' -v t="$1" '$2 == t {print $1}'; }
window_shown() { [ -n "$(window_app_id "$1")" ]; }
window_raise() { :; }
window_shot() {
  local area
  area=$(windows | awk -F '\t' -v t="$1" '$2 == t {print $3; exit}')
  [ -n "$area" ] && grim -g "$area" "$2" 2>/dev/null
}

# wtype_keys CHORD...: wtype's arguments for the chords, xdotool's names
# (alt+m, ctrl+c, Return) pressed one after the other.
wtype_keys() {
  local chord key mods
  for chord in "$@"; do
    key=${chord##*+}
    mods=()
    [ "$key" = "$chord" ] || IFS=+ read -r -a mods <<<"${chord%+*}"
    for m in "${mods[@]}"; do printf -- '-M\n%s\n' "$m"; done
    printf -- '-k\n%s\n' "$key"
    for m in "${mods[@]}"; do printf -- '-m\n%s\n' "$m"; done
  done
}
press() { mapfile -t keys < <(wtype_keys "$@") && wtype "${keys[@]}"; }
press_slowly() {
  local args=() chord first=1
  for chord in "$@"; do
    [ $first -eq 1 ] || args+=(-s 40)
    first=0
    mapfile -t keys < <(wtype_keys "$chord")
    args+=("${keys[@]}")
  done
  wtype "${args[@]}"
}
press_and_type() { mapfile -t keys < <(wtype_keys "$1") && wtype "${keys[@]}" -d 20 "$2"; }
clipboard_text() { wl-paste --no-newline 2>/dev/null; }
# The key held for $2 ms. wtype stamps its keys 0: a virtual keyboard's
# client gives each key its time, and the compositor passes it on (only a
# real device's keys carry the compositor's clock); Qt stamps its own repeats
# with their press's time.
hold() { wtype -P "$1" -s "$2" -p "$1"; }
