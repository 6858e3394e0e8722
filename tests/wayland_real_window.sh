#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Drives the built program as a native Wayland client in a headless wlroots
# compositor (sway), from outside, with keys from a virtual keyboard (wtype):
# the introduction window comes first, Return dismisses it, Alt+M with the
# answer typed at once poses a measurement, Alt+M again in the answer box
# types nothing, Return checks the answer, and Alt+S ends the program with
# status 0. Both windows must carry the app id the desktop entry is matched
# by, as the compositor sees it. The windows as sway shows them are saved in
# the folder given as $2: wayland-intro.png, wayland-rest.png,
# wayland-checked.png.
#   wayland_real_window.sh <menvori binary> <picture folder>
# sway refuses to run as root: run as root, the test stages the program and
# its helpers in a scratch folder and runs the session as the unprivileged
# nobody, without creating a user. Every session is private to the test
# (in_private_session.sh).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }

if [ "${1:-}" != --inside ]; then
  program=$(realpath "$1")
  shots=$(realpath -m "$2")
  mkdir -p "$shots"
  if [ "$(id -u)" -ne 0 ]; then
    exec "$here/in_private_session.sh" bash "$here/wayland_real_window.sh" --inside "$program" "$shots"
  fi
  stage=$(mktemp -d)
  session=
  trap '[ -z "$session" ] || kill "$session" 2>/dev/null || true; rm -rf --one-file-system "$stage"' EXIT
  chmod 755 "$stage"
  mkdir -p "$stage/tests" "$stage/scripts"
  cp "$program" "$stage/menvori"
  cp "$here/wayland_real_window.sh" "$here/in_private_session.sh" "$stage/tests/"
  cp "$here/../scripts/xvfb.sh" "$stage/scripts/"
  if [ -n "${MENVORI_LSAN_SUPPRESSIONS:-}" ]; then
    cp "$MENVORI_LSAN_SUPPRESSIONS" "$stage/lsan-suppressions.txt"
    MENVORI_LSAN_SUPPRESSIONS=$stage/lsan-suppressions.txt
  fi
  install -d -o nobody -g nogroup "$stage/shots" "$stage/home"
  status=0
  setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$stage/home" \
    ${MENVORI_LSAN_SUPPRESSIONS:+MENVORI_LSAN_SUPPRESSIONS=$MENVORI_LSAN_SUPPRESSIONS} \
    "$stage/tests/in_private_session.sh" bash "$stage/tests/wayland_real_window.sh" --inside \
    "$stage/menvori" "$stage/shots" &
  session=$!
  wait "$session" || status=$?
  session=
  cp "$stage"/shots/*.png "$shots/" 2>/dev/null || true
  exit $status
fi

# Inside the private session, as an unprivileged user.
program=$2
shots=$3
source "$here/../scripts/xvfb.sh" # poll_until, has_colour, tallest_red_run
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done' EXIT

config=$XDG_RUNTIME_DIR/sway.conf
printf 'output HEADLESS-1 resolution 1280x1024\nxwayland disable\n' >"$config"
WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$config" >"$XDG_RUNTIME_DIR/sway.log" 2>&1 &
pids+=("$!")
sway_ready() {
  WAYLAND_DISPLAY=$(cd "$XDG_RUNTIME_DIR" && ls -d wayland-[0-9]* 2>/dev/null | grep -v lock | head -n 1)
  SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock 2>/dev/null | head -n 1)
  export WAYLAND_DISPLAY SWAYSOCK
  [ -n "$WAYLAND_DISPLAY" ] && [ -n "$SWAYSOCK" ] && swaymsg -t get_version
}
poll_until 10 "sway to take clients" sway_ready || { cat "$XDG_RUNTIME_DIR/sway.log" >&2; fail "sway did not start"; }

# The seat has a keyboard only while a virtual keyboard exists: one held for
# the whole test gives it one before the program starts, so that the program
# takes its keyboard at once and no key sent later is lost.
wtype -s 600000 &
pids+=("$!")
poll_until 10 "the seat's keyboard" sh -c 'swaymsg -t get_seats | grep -q virtual_keyboard'

# In a sanitizer build, the leaks of Qt's Wayland plugin are suppressed, and
# only those. The compositor draws with pixman and offers no GPU: Qt's EGL
# buffer integration is not loaded, which would load Mesa's driver only to
# draw nothing with it (and the driver, unloaded at exit, leaks where no
# suppression can name it).
env QT_QPA_PLATFORM=wayland QT_WAYLAND_CLIENT_BUFFER_INTEGRATION=none \
  ${MENVORI_LSAN_SUPPRESSIONS:+LSAN_OPTIONS=suppressions=$MENVORI_LSAN_SUPPRESSIONS} "$program" &
app=$!
pids+=("$app")

# windows: the program's windows on screen, as the compositor lists them, a
# line each: app id, then title.
windows() {
  swaymsg -t get_tree | python3 -c '
import json, sys
def walk(n):
    yield n
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        yield from walk(c)
for n in walk(json.load(sys.stdin)):
    if n.get("pid") == int(sys.argv[1]) and n.get("visible"):
        print(n.get("app_id"), n.get("name"), sep="\t")' "$app"
}
# window_with TITLE: the app ids of the visible windows so titled.
window_with() { windows | awk -F '\t' -v t="$1" '$2 == t {print $1}'; }
shown() { [ -n "$(window_with "$1")" ]; }
shot() { grim "$1" 2>/dev/null; }
shows() { shot "$1" && has_colour "$1" "$2"; }

poll_until 20 "the introduction window" shown " " || fail "no introduction window"
shown Menvori && fail "the main window is on screen with the introduction window"
[ "$(window_with " ")" = cat.menvori.Menvori ] || fail "the introduction window's app id is '$(window_with " ")'"
poll_until 10 "the red title" shows "$shots/wayland-intro.png" '#FF0000' || fail "the introduction window shows no red title"

wtype -k Return
poll_until 20 "the main window" shown Menvori || fail "no main window after Return"
shown " " && fail "the introduction window is still on screen"
[ "$(window_with Menvori)" = cat.menvori.Menvori ] || fail "the main window's app id is '$(window_with Menvori)'"
rest_drawn() {
  shot "$shots/wayland-rest.png" && has_colour "$shots/wayland-rest.png" '#FFE0C0' \
    && has_colour "$shots/wayland-rest.png" '#FF0000'
}
poll_until 10 "the peach window with its rest drawing" rest_drawn || fail "the main window shows no rest drawing"

# A measurement's red zero mark crosses the rule: a red run 60 pixels high,
# which the rest drawing has not.
measured() { shot "$XDG_RUNTIME_DIR/measured.png" && [ "$(tallest_red_run "$XDG_RUNTIME_DIR/measured.png")" -ge 60 ]; }
[ "$(tallest_red_run "$shots/wayland-rest.png")" -lt 60 ] || fail "a measurement was posed before Alt+M"

# Alt+M and the answer typed at once; Alt+M again types nothing.
wtype -M alt -k m -m alt 12.35
poll_until 10 "the measurement's red zero mark" measured || fail "Alt+M posed no measurement"
wtype -M alt -k m -m alt
wtype -M ctrl -k a -k c -m ctrl
holds() { [ "$(wl-paste --no-newline 2>/dev/null)" = "$1" ]; }
poll_until 10 "the answer box to hold ' 12.35'" holds " 12.35" \
  || fail "the answer box holds '$(wl-paste --no-newline 2>/dev/null)', not ' 12.35'"

# Return checks it: the verdict, in red, left of the buttons, below the rule.
wtype -k Return
verdict() {
  shot "$shots/wayland-checked.png" \
    && convert "$shots/wayland-checked.png" -crop 260x120+20+460 +repage png:- | has_colour - '#FF0000'
}
poll_until 10 "the verdict" verdict || fail "no verdict after Return"

wtype -M alt -k s -m alt
poll_until 10 "the program to end after Alt+S" sh -c "! kill -0 $app" || fail "Alt+S did not end the program"
status=0
wait "$app" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
echo "PASS: intro, rest, Alt+M with the answer typed at once, Alt+M in the answer box, check and exit on Wayland (sway), app id cat.menvori.Menvori"
