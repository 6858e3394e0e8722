#!/usr/bin/env bash
# Drives the built program in a real X window, from outside, with real key
# events: the introduction window comes first, Return dismisses it, Alt+M
# poses a measurement, typing and Return check it, and Alt+S ends the
# program with status 0. Screenshots go to the folder given as $2.
#   e2e_real_window.sh <menvori binary> <screenshot folder>
set -euo pipefail

program=$1
shots=$2
mkdir -p "$shots"

fail() { echo "FAIL: $*" >&2; exit 1; }

pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT

source "$(dirname "$0")/../scripts/xvfb.sh"
start_xvfb 91 140 || fail "no X server"
pids+=("$XVFB_PID")
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 0.5

export QT_QPA_PLATFORM=xcb
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR

"$program" &
app=$!
pids+=($app)

# Polls until a visible window of the program matches, or fails.
wait_window() {
  local name=$1 deadline=$((SECONDS + 20)) w
  while [ $SECONDS -lt $deadline ]; do
    w=$(xdotool search --all --onlyvisible --pid "$app" --name "$name" 2>/dev/null | head -n 1 || true)
    if [ -n "$w" ]; then echo "$w"; return 0; fi
    kill -0 "$app" 2>/dev/null || fail "the program ended early"
    sleep 0.05
  done
  fail "no window named '$name'"
}

intro=$(wait_window '^ $')
if xdotool search --all --onlyvisible --pid "$app" --name '^Menvori$' >/dev/null 2>&1; then
  fail "the main window is on screen with the introduction window"
fi
xdotool windowactivate --sync "$intro" 2>/dev/null || true
sleep 0.3
import -window root "$shots/1-intro.png"
xdotool key Return

main=$(wait_window '^Menvori$')
xdotool windowactivate --sync "$main" 2>/dev/null || true
sleep 0.5
import -window root "$shots/2-rest.png"

xdotool key alt+m
sleep 0.5
xdotool type --delay 20 '12.35'
xdotool key Return
sleep 0.5
import -window root "$shots/3-checked.png"

# The main window's picture: peach caliper area with a red zero mark, a
# vertical red run at least 60 pixels tall (the rest slide has none).
eval "$(xwininfo -id "$main" | awk '/Absolute upper-left X/ {print "wx=" $4} /Absolute upper-left Y/ {print "wy=" $4} /Width:/ {print "ww=" $2} /Height:/ {print "wh=" $2}')"
convert "$shots/3-checked.png" -crop "${ww}x${wh}+${wx}+${wy}" +repage "$shots/3-window.ppm"
python3 - "$shots/3-window.ppm" <<'PY' || fail "the picture is not as expected"
import sys
data = open(sys.argv[1], 'rb').read()
parts = data.split(maxsplit=4)
w, h = int(parts[1]), int(parts[2])
pix = parts[4]
def at(x, y):
    i = 3 * (y * w + x)
    return tuple(pix[i:i + 3])
peach = sum(1 for y in range(h) for x in range(w) if at(x, y) == (255, 224, 192))
tallest = 0
for x in range(w):
    run = 0
    for y in range(h):
        run = run + 1 if at(x, y) == (255, 0, 0) else 0
        tallest = max(tallest, run)
print(f"peach pixels {peach} of {w * h}, tallest red run {tallest}")
sys.exit(0 if peach > w * h // 2 and tallest >= 60 else 1)
PY

xdotool key alt+s
deadline=$((SECONDS + 10))
while kill -0 "$app" 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.05; done
kill -0 "$app" 2>/dev/null && fail "Alt+S did not end the program"
status=0
wait "$app" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
echo "PASS: intro, rest, measurement, check and exit in a real window"
