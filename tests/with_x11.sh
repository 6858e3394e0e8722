#!/usr/bin/env bash
# Runs a command in a real X server (Xvfb, with the openbox window manager)
# on its own D-Bus session with Qt's accessibility bridge switched on, as a
# screen reader would find the program. Usage: with_x11.sh command [args...]
set -euo pipefail

display=
for n in $(seq 241 290); do
  if [ ! -e /tmp/.X$n-lock ] && [ ! -e /tmp/.X11-unix/X$n ]; then display=:$n; break; fi
done
[ -n "$display" ] || { echo "no free X display" >&2; exit 1; }
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
exec dbus-run-session -- bash -c 'openbox >/dev/null 2>&1 & wm=$!; sleep 0.3; "$@"; status=$?; kill $wm 2>/dev/null; exit $status' bash "$@"
