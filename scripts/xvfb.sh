# Sourced by the scripts that need a real X server.
# start_xvfb FIRST LAST: starts Xvfb on the first free display numbered FIRST
# to LAST, exports DISPLAY and sets XVFB_PID; the caller ends it.
start_xvfb() {
  local n
  for n in $(seq "$1" "$2"); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      XVFB_PID=$!
      export DISPLAY=":$n"
      for _ in $(seq 200); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.05
      done
      echo "Xvfb did not start on :$n" >&2
      return 1
    fi
  done
  echo "no free X display" >&2
  return 1
}

# wait_for_window NAME: prints the id of a visible window whose name matches
# the pattern NAME, waiting up to 30 s; fails if none comes.
wait_for_window() {
  local deadline=$((SECONDS + 30)) w
  while [ $SECONDS -lt $deadline ]; do
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
    if [ -n "$w" ]; then
      echo "$w"
      return 0
    fi
    sleep 0.1
  done
  echo "no window named '$1'" >&2
  return 1
}
