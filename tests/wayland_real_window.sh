#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Drives the built program as a native Wayland client in a headless wlroots
# compositor (sway), from outside, with keys from a virtual keyboard (wtype),
# through the whole drill (drill/scenario.sh): the introduction window comes
# first, Return dismisses it, Alt+M with the answer typed at once poses a
# measurement, Alt+M again in the answer box types nothing, Return checks the
# answer, Alt+C and Return at once check and pose the next, the resolution
# menu, and Alt+S ends the program with status 0. Both windows must carry the
# app id the desktop entry is matched by, as the compositor sees it. The
# windows as sway shows them are saved in the folder given as $2:
# wayland-intro.png, wayland-rest.png, wayland-checked.png. Then, started
# again, Return held on Nova Mesura, in the answer box and on a menu entry
# acts once, with sway's repeat delay at its default 0.6 s, at 2.5 s and at
# 5 s.
#   wayland_real_window.sh <menvori binary> <picture folder>
# sway refuses to run as root: run as root, the test stages the program and
# its helpers in a scratch folder and runs the session as the unprivileged
# nobody, without creating a user. Every session is private to the test
# (in_private_session.sh).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" != --inside ]; then
  program=$(realpath "$1")
  shots=$(realpath -m "$2")
  mkdir -p "$shots"
  if [ "$(id -u)" -ne 0 ]; then
    exec "$here/in_private_session.sh" bash "$here/wayland_real_window.sh" --inside "$program" "$shots"
  fi
  source "$here/../scripts/lib.sh"
  trap run_at_exit EXIT
  stage=$(mktemp -d)
  at_exit rm -rf --one-file-system "$stage"
  chmod 755 "$stage"
  mkdir -p "$stage/tests" "$stage/scripts" "$stage/ui"
  cp "$program" "$stage/menvori"
  cp -r "$here/wayland_real_window.sh" "$here/in_private_session.sh" "$here/drill" "$stage/tests/"
  cp "$here/../scripts/lib.sh" "$stage/scripts/"
  cp "$here/../ui/places.txt" "$here/../ui/places.py" "$stage/ui/"
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
  at_exit end_process $!
  wait $! || status=$?
  cp "$stage"/shots/*.png "$shots/" 2>/dev/null || true
  exit $status
fi

# Inside the private session, as an unprivileged user.
program=$2
shots=$3
source "$here/drill/wayland.sh"
set_script_name wayland
trap run_at_exit EXIT

config=$XDG_RUNTIME_DIR/sway.conf
printf 'output HEADLESS-1 resolution 1280x1024\nxwayland disable\n' >"$config"
WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$config" >"$XDG_RUNTIME_DIR/sway.log" 2>&1 &
at_exit end_process $!
# sway's display socket and its IPC socket, in the private runtime folder.
sway_ready() {
  local socket
  WAYLAND_DISPLAY=''
  SWAYSOCK=''
  for socket in "$XDG_RUNTIME_DIR"/wayland-[0-9]* "$XDG_RUNTIME_DIR"/sway-ipc.*.sock; do
    [ -S "$socket" ] || continue
    case $socket in
      */wayland-*) WAYLAND_DISPLAY=${socket##*/} ;;
      *) SWAYSOCK=$socket ;;
    esac
  done
  export WAYLAND_DISPLAY SWAYSOCK
  [ -n "$WAYLAND_DISPLAY" ] && [ -n "$SWAYSOCK" ] && swaymsg -t get_version
}
poll_until 10 "sway to take clients" sway_ready || { cat "$XDG_RUNTIME_DIR/sway.log" >&2; fail "sway did not start"; }

# The seat has a keyboard only while a virtual keyboard exists: one held for
# the whole test gives it one before the program starts, so that the program
# takes its keyboard at once and no key sent later is lost.
wtype -s 600000 &
at_exit end_process $!
poll_until 10 "the seat's keyboard" sh -c 'swaymsg -t get_seats | grep -q virtual_keyboard'

# In a sanitizer build, the leaks of Qt's Wayland plugin are suppressed, and
# only those. The compositor draws with pixman and offers no GPU: Qt's EGL
# buffer integration is not loaded, which would load Mesa's driver only to
# draw nothing with it (and the driver, unloaded at exit, leaks where no
# suppression can name it).
start_menvori() {
  drill_start_app env QT_QPA_PLATFORM=wayland QT_WAYLAND_CLIENT_BUFFER_INTEGRATION=none \
    ${MENVORI_LSAN_SUPPRESSIONS:+LSAN_OPTIONS=suppressions=$MENVORI_LSAN_SUPPRESSIONS} "$program"
}
start_menvori

# Both windows carry the app id of the desktop entry.
check_app_id() {
  [ "$(wayland_window_app_id "$1")" = cat.menvori.Menvori ] || fail "the window '$1' has the app id '$(wayland_window_app_id "$1")'"
}
drill_check_windows_with check_app_id
drill_all "$shots/wayland-" Return
start_menvori
drill_held_keys "$shots/wayland-held-"
# Qt repeats a held key itself, after the delay and at the rate the
# compositor gives for the keyboard (sway's own default: 600 ms, 25 a second).
for slow in "2500 20 3500" "5000 5 6000"; do
  read -r delay rate hold <<<"$slow"
  swaymsg input type:keyboard repeat_delay "$delay" >/dev/null
  swaymsg input type:keyboard repeat_rate "$rate" >/dev/null
  start_menvori
  drill_held_keys "$shots/wayland-held-$delay-" "$hold"
done
echo "PASS: the drill on Wayland (sway): intro, rest, Alt+M with the answer typed at once, Alt+M in the answer box, check, Alt+C and Return at once, the resolution menu, exit; app id cat.menvori.Menvori; Return held on Nova Mesura, in the answer box and on a menu entry acts once with the compositor's repeat delay at 0.6 s, 2.5 s and 5 s"
