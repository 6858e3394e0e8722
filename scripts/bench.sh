#!/usr/bin/env bash
# Sets up the machine, builds Menvori (Release) and runs every benchmark in a
# real X server (Xvfb), printing one table. Usage: bash scripts/bench.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh >/dev/null

display=
for n in $(seq 141 190); do
  if [ ! -e /tmp/.X$n-lock ] && [ ! -e /tmp/.X11-unix/X$n ]; then display=:$n; break; fi
done
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display QT_QPA_PLATFORM=xcb
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
./build/bench/bench_run build/bench "${1:-21}" 2> >(grep -v -e propagateSizeHints -e XDG_RUNTIME >&2)
