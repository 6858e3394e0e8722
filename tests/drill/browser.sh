# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash

# The drill's driver for the program in a web page, in a browser that draws
# into an X window (Chromium, Firefox, WebKitGTK under Xvfb): keys, and the
# clipboard, as for the program's own X windows (drill/x11.sh); the
# program's windows are found in a picture of the browser's window, as a
# person finds them there: the introduction window is the large black
# rectangle, the main window the large peach one (the page around them is
# neither). The browser's window is that of the process browser_of names.
source "$(dirname "${BASH_SOURCE[0]}")/x11.sh"
drill_driver x11 browser

BROWSER_PID=
# browser_of PID: the browser is process PID.
browser_of() { BROWSER_PID=$1; }
# The program's windows are the page's, whatever process draws them.
browser_windows_of() { :; }

# browser_window: the browser's visible window.
browser_window() {
  xdotool search --all --onlyvisible --pid "$BROWSER_PID" --name . 2>/dev/null | head -n 1
}

# browser_page_shot FILE: a picture of the browser's window.
browser_page_shot() {
  local id
  id=$(browser_window)
  [ -n "$id" ] && import -window "$id" "$1" 2>/dev/null
}

# browser_window_box TITLE FILE: where the program's window so titled is in
# the picture FILE of the browser's window, "X Y W H" of its client area;
# fails where it is not there (picture.py window-box says how it is found).
browser_window_box() {
  case $1 in
    " ") drill_picture window-box "$2" 000000 ;;
    Menvori) drill_picture window-box "$2" ffe0c0 ;;
    *) return 1 ;;
  esac
}

# browser_window_found TITLE: prints where the window is in a picture of the
# browser's window taken now, as browser_window_box does.
browser_window_found() {
  local scratch status=0
  scratch=$(mktemp --suffix=.png)
  browser_page_shot "$scratch" && browser_window_box "$1" "$scratch" || status=1
  rm -f "$scratch"
  return $status
}

browser_window_shown() { browser_window_found "$1" >/dev/null; }

# browser_window_raise TITLE: brings the browser's window to the front, as a
# student does coming back to it; the page keeps the keyboard it had, and the
# program gives it to the window it shows (no click on the page: a keyboard
# user makes none).
browser_window_raise() {
  local id
  id=$(browser_window)
  [ -z "$id" ] || xdotool windowactivate --sync "$id" 2>/dev/null || true
}

# browser_window_shot TITLE FILE: the window's client area, with the menu bar
# and the title bar above it (the main window's client area begins at its
# first peach row, below them).
browser_window_shot() {
  local scratch box top x y w h
  scratch=$(mktemp --suffix=.png)
  browser_page_shot "$scratch" && box=$(browser_window_box "$1" "$scratch")
  [ -n "${box:-}" ] || { rm -f "$scratch"; return 1; }
  read -r x y w h <<<"$box"
  top=$((y > 60 ? y - 60 : 0))
  convert "$scratch" -crop "${w}x$((h + y - top))+$x+$top" +repage "$2"
  rm -f "$scratch"
}
