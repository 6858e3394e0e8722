# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The drill's driver for the program in a web page, in a browser that draws
# into an X window (Chromium, Firefox, WebKitGTK under Xvfb): keys, and the
# clipboard, as for the program's own X windows (drill/x11.sh); the
# program's windows are found in a picture of the browser's window, as a
# person finds them there: the introduction window is the large black
# rectangle, the main window the large peach one (the page around them is
# neither). The browser's window is that of process BROWSER_PID.
source "$(dirname "${BASH_SOURCE[0]}")/x11.sh"

# browser_window: the browser's visible window.
browser_window() {
  xdotool search --all --onlyvisible --pid "$BROWSER_PID" --name . 2>/dev/null | head -n 1
}

# page_shot FILE: a picture of the browser's window.
page_shot() {
  local id
  id=$(browser_window)
  [ -n "$id" ] && import -window "$id" "$1" 2>/dev/null
}

# window_box TITLE FILE: where the program's window so titled is in the
# picture FILE of the browser's window, "X Y W H" of its client area; fails
# where it is not there. A window is the bounding box of the rows that hold
# its background colour over 300 pixels and more (not the small icons of its
# title bar), at least 700 pixels wide and mostly of that colour.
window_box() {
  local colour
  case $1 in
    " ") colour=000000 ;;
    Menvori) colour=ffe0c0 ;;
    *) return 1 ;;
  esac
  convert "$2" ppm:- | python3 -c '
import sys
data = sys.stdin.buffer.read()
parts = data.split(maxsplit=4)
w, h, pix = int(parts[1]), int(parts[2]), parts[4]
want = bytes.fromhex(sys.argv[1])
rows = [y for y in range(h) if [pix[3 * (y * w + x):3 * (y * w + x) + 3] for x in range(0, w, 4)].count(want) >= 75]
if not rows:
    sys.exit(1)
cols = [x for x in range(w) if any(pix[3 * (y * w + x):3 * (y * w + x) + 3] == want for y in rows[::4])]
x0, x1, y0, y1 = min(cols), max(cols), min(rows), max(rows)
inside = [pix[3 * (y * w + x):3 * (y * w + x) + 3] for y in range(y0, y1 + 1, 3) for x in range(x0, x1 + 1, 3)]
if x1 - x0 + 1 < 700 or inside.count(want) < len(inside) / 2:
    sys.exit(1)
print(x0, y0, x1 - x0 + 1, y1 - y0 + 1)' "$colour"
}

window_shown() {
  local scratch
  scratch=$(mktemp --suffix=.png)
  page_shot "$scratch" && window_box "$1" "$scratch" >/dev/null
  local status=$?
  rm -f "$scratch"
  return $status
}

# window_raise TITLE: gives the page the keyboard, with a click on the
# window's background (its bottom left corner, where it has no control).
window_raise() {
  local scratch box id
  id=$(browser_window)
  [ -n "$id" ] || return 0
  xdotool windowactivate --sync "$id" 2>/dev/null || true
  scratch=$(mktemp --suffix=.png)
  page_shot "$scratch" && box=$(window_box "$1" "$scratch")
  rm -f "$scratch"
  [ -n "${box:-}" ] || return 0
  read -r x y w h <<<"$box"
  xdotool mousemove --window "$id" $((x + 6)) $((y + h - 6)) click 1
}

# window_shot TITLE FILE: the window's client area, with the menu bar and
# the title bar above it (the main window's client area begins at its first
# peach row, below them).
window_shot() {
  local scratch box top
  scratch=$(mktemp --suffix=.png)
  page_shot "$scratch" && box=$(window_box "$1" "$scratch")
  [ -n "${box:-}" ] || { rm -f "$scratch"; return 1; }
  read -r x y w h <<<"$box"
  top=$((y > 60 ? y - 60 : 0))
  convert "$scratch" -crop "${w}x$((h + y - top))+$x+$top" +repage "$2"
  rm -f "$scratch"
}
