# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash

# The drill as a quick student goes through it, and what must be seen at each
# step, driven from outside with real key events. The same steps run on every
# platform; a driver says how to see and press there: drill/x11.sh (which also
# serves Wine's windows), drill/wayland.sh, drill/browser.sh. The driver
# sources this file and names itself (drill_driver); its functions, each
# named with the driver's prefix, are called through these:
#   drill_window_shown TITLE      whether a window of the program so titled is on screen
#   drill_window_raise TITLE      makes it the active window
#   drill_window_shot TITLE FILE  saves a picture of its content (menu bar and client area)
#   drill_windows_of PID          the windows looked for are those of process PID
#                                 (any process's where PID is empty, where the driver can)
#   drill_press CHORD...          presses each key or chord (xdotool's names: alt+m, Return) at once
#   drill_press_slowly CHORD...   the same, 40 ms apart
#   drill_press_at_once CHORD...  the same, with no pause between them
#   drill_press_and_type CHORD TEXT  presses CHORD and types TEXT right after it, 20 ms a character
#   drill_hold KEY MS             holds KEY down for MS milliseconds, then lets it go
#   drill_clipboard_text          prints the text on the clipboard
# The steps take a STEM, where their pictures go: the folder and the start of
# the file names ("shots/wine-" gives shots/wine-intro.png, -rest.png,
# -checked.png). The caller starts the program (drill_start_app, or its own
# way and then drill_windows_of) and may name a function that checks each
# window further as it first comes up (drill_check_windows_with).
# Each step fails, saying what it waited for, within seconds.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"

DRILL_FOLDER=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
DRILL_KEYS=
DRILL_WINDOWS=
DRILL_WINDOW_CHECK=
# The program's process, where drill_start_app started it.
DRILL_APP=
# What the drill has learnt of how the program shows things, kept for the
# rest of the script: the count of measurements as it shows 1.
DRILL_WORK=

# drill_driver KEYS WINDOWS: the drivers whose functions press keys and read
# the clipboard (x11, wayland) and find and take pictures of the windows
# (x11, wayland, browser).
drill_driver() {
  DRILL_KEYS=$1
  DRILL_WINDOWS=$2
}
drill_window_shown() { "${DRILL_WINDOWS}_window_shown" "$@"; }
drill_window_raise() { "${DRILL_WINDOWS}_window_raise" "$@"; }
drill_window_shot() { "${DRILL_WINDOWS}_window_shot" "$@"; }
drill_windows_of() { "${DRILL_WINDOWS}_windows_of" "$@"; }
drill_press() { "${DRILL_KEYS}_press" "$@"; }
drill_press_slowly() { "${DRILL_KEYS}_press_slowly" "$@"; }
drill_press_at_once() { "${DRILL_KEYS}_press_at_once" "$@"; }
drill_press_and_type() { "${DRILL_KEYS}_press_and_type" "$@"; }
drill_hold() { "${DRILL_KEYS}_hold" "$@"; }
drill_clipboard_text() { "${DRILL_KEYS}_clipboard_text"; }

# drill_check_windows_with FUNCTION: FUNCTION TITLE runs as each window first
# comes up, and fails the step where it fails.
drill_check_windows_with() { DRILL_WINDOW_CHECK=$1; }
drill_checked_window() { [ -z "$DRILL_WINDOW_CHECK" ] || "$DRILL_WINDOW_CHECK" "$1"; }

# drill_picture COMMAND ARGS...: what a picture shows (picture.py, whose
# first lines list the commands). The main window's controls are named as
# places.txt names them: lblOK (the verdict), lblTirades:3 and lblEncerts:3
# (the text of the counts of measurements and of right answers, inside their
# frames).
drill_picture() { python3 "$DRILL_FOLDER/picture.py" "$@"; }
# "MOLT BÉ" is narrower than this, about 60 pixels; "NO HO HAS FET BÉ"
# wider, about 140.
DRILL_LONGEST_RIGHT_VERDICT=100

# drill_start_app COMMAND...: starts the program as the caller's child; it
# is ended on exit if still running (the caller runs its at_exit list).
drill_start_app() {
  "$@" &
  DRILL_APP=$!
  drill_windows_of "$DRILL_APP"
  at_exit drill_end_app
}
drill_end_app() { [ -z "$DRILL_APP" ] || kill "$DRILL_APP" 2>/dev/null || true; }

drill_work() {
  if [ -z "$DRILL_WORK" ]; then
    DRILL_WORK=$(mktemp -d)
    at_exit rm -rf "$DRILL_WORK"
  fi
}

# drill_shot_shows TITLE FILE COLOUR...: a picture of the window holds every COLOUR.
drill_shot_shows() {
  local title=$1 file=$2 colour
  shift 2
  drill_window_shot "$title" "$file" || return 1
  for colour in "$@"; do drill_picture has-colour "$file" "$colour" || return 1; done
}
# drill_measured FILE: a picture of the main window shows a measurement's red
# zero mark (the drawing at rest has no red line so tall).
drill_measured() {
  drill_window_shot Menvori "$1" && [ "$(drill_picture tallest-red-run "$1")" -ge 60 ]
}
# drill_expect_answer TEXT WHAT: the answer box holds TEXT, read by selecting
# and copying it (the box must have the focus). Under Wine a copy now and
# then never reaches the X clipboard: while the clipboard does not show the
# text, the box is copied again.
drill_answer_is() { [ "$(drill_clipboard_text)" = "$1" ]; }
drill_copied_answer_is() { drill_answer_is "$1" || { drill_press ctrl+a ctrl+c && false; }; }
drill_expect_answer() {
  drill_press ctrl+a ctrl+c
  poll_until 10 "the answer box to hold '$1'" drill_copied_answer_is "$1" \
    || fail "$2: the answer box holds '$(drill_clipboard_text)', not '$1'"
}
# drill_label_filled FILE CONTROL: that label of the main window shows text.
drill_label_filled() {
  [ "$(drill_picture colour-count "$1" "$2")" -gt 1 ]
}
# drill_verdict_shown FILE: a picture of the main window shows a verdict, in red.
drill_verdict_shown() {
  drill_window_shot Menvori "$1" && drill_picture has-colour "$1" '#FF0000' lblOK
}
# drill_menu_open FILE: a picture of the main window shows the resolution
# menu dropped from the menu bar.
drill_menu_open() {
  drill_window_shot Menvori "$1" && drill_picture menu-open "$1"
}
# drill_zoom_lines_are FILE COUNT: a picture of the main window shows COUNT
# vernier lines in the magnified view.
drill_zoom_lines_are() {
  drill_window_shot Menvori "$1" && [ "$(drill_picture zoom-lines "$1")" -eq "$2" ]
}

# The introduction window comes up alone, with its red title.
drill_intro() {
  local stem=$1
  poll_until 20 "the introduction window" drill_window_shown " " || fail "no introduction window"
  ! drill_window_shown Menvori || fail "the main window is on screen with the introduction window"
  drill_checked_window " "
  drill_window_raise " "
  poll_until 10 "the introduction window's red title" drill_shot_shows " " "${stem}intro.png" '#FF0000' \
    || fail "the introduction window shows no red title"
}

# drill_begin STEM KEYS...: KEYS, pressed at once, leave the introduction
# window for the main window, peach, with the caliper at rest (the zoom's red
# line, no measurement) and empty counters. Alt+C shows Començar down for
# 100 ms before it acts, and a Return within them presses it again; the keys
# go with no pause between them, so that a busy machine does not stretch
# them past the 100 ms (a Return after them rightly presses Nova Mesura).
drill_begin() {
  local rest=${1}rest.png
  shift
  drill_press_at_once "$@"
  poll_until 20 "the main window" drill_window_shown Menvori || fail "no main window after $*"
  ! drill_window_shown " " || fail "the introduction window is still on screen"
  drill_checked_window Menvori
  drill_window_raise Menvori
  poll_until 10 "the peach main window with its rest drawing" drill_shot_shows Menvori "$rest" '#FFE0C0' '#FF0000' \
    || fail "the main window shows no rest drawing"
  [ "$(drill_picture tallest-red-run "$rest")" -lt 60 ] || fail "$* posed a measurement"
  [ "$(drill_picture zoom-lines "$rest")" -eq 21 ] || fail "the vernier at rest shows $(drill_picture zoom-lines "$rest") lines, not 21"
  ! drill_label_filled "$rest" lblTirades:3 || fail "the count of measurements is not empty at rest"
}

# Alt+M with the reading typed at once: the measurement is posed before the
# first digit, which reaches the answer box with the rest; Alt+M again types
# nothing, and Return checks the answer: a verdict in red, both counters.
drill_measure_and_check() {
  local scratch=${1}measured.png checked=${1}checked.png
  drill_press_and_type alt+m 12.35
  poll_until 10 "the measurement's red zero mark" drill_measured "$scratch" || fail "Alt+M posed no measurement"
  drill_label_filled "$scratch" lblTirades:3 || fail "no count of measurements after Alt+M"
  drill_work
  drill_picture crop "$scratch" lblTirades:3 "$DRILL_WORK/one-measurement.png"
  ! drill_label_filled "$scratch" lblEncerts:3 || fail "a count of right answers before any check"
  drill_press alt+m
  drill_expect_answer " 12.35" "Alt+M and typing at once, then Alt+M"
  drill_press Return
  poll_until 10 "the verdict" drill_verdict_shown "$checked" || fail "no verdict after Return"
  drill_label_filled "$checked" lblEncerts:3 || fail "no count of right answers after the check"
  rm -f "$scratch"
}

# Alt+C and Return 40 ms apart: Alt+C checks the answer and gives Nova Mesura
# the focus, so the Return poses the next measurement, which empties the
# answer box and gives it the focus. Checked twice instead, the box would keep
# its answer and the focus would stay off it.
drill_check_then_next() {
  drill_press_and_type alt+m 12.35
  drill_press_slowly alt+c Return
  drill_expect_answer " " "Alt+C and Return at once"
}

# The menu's first entry, 0,1 mm, applies from the next measurement on: its
# magnified vernier has ten divisions, not twenty.
drill_resolution() {
  local scratch=${1}resolution.png
  drill_press Return # checks the measurement the drill waits on
  drill_press_slowly alt+a Return
  drill_press alt+m
  poll_until 10 "a measurement with the ten-division vernier" drill_zoom_lines_are "$scratch" 11 \
    || fail "after choosing 0,1 mm, the magnified vernier shows $(drill_picture zoom-lines "$scratch") lines, not 11"
  rm -f "$scratch"
}

# drill_held_keys STEM [HOLD]: a key held down is one press (after
# drill_all, in the program started again). Return held for 1.5 s (or HOLD
# ms) on Nova Mesura poses one measurement; held in the answer box over the
# right reading, read off the picture, it judges it once and poses nothing;
# held on a menu entry, it chooses the entry and nothing more. The count of
# measurements is read against the picture of "1" that drill_all saw; each
# check waits for a copy of the answer box, which the program makes only once
# it has handled every key before it.
drill_held_keys() {
  local stem=$1 hold=${2:-1500} shot=${1}held.png reading one=$DRILL_WORK/one-measurement.png
  [ -f "$one" ] || fail "drill_held_keys needs the pictures drill_all learnt"
  drill_intro "$stem"
  drill_begin "$stem" Return
  drill_hold Return "$hold"
  drill_expect_answer " " "Return held on Nova Mesura"
  # Under Wine the window's picture may reach the screen after the box.
  poll_until 10 "the measurement's red zero mark" drill_measured "$shot" \
    || fail "Return held on Nova Mesura posed no measurement"
  drill_picture same "$shot" lblTirades:3 "$one" || fail "Return held on Nova Mesura posed more than one measurement"
  ! drill_label_filled "$shot" lblOK || fail "Return held on Nova Mesura judged an answer"

  reading=$(drill_picture reading "$shot") || fail "no reading in the picture"
  drill_press_and_type ctrl+a "$reading"
  drill_hold Return "$hold"
  # The focus is on Nova Mesura after the check: two Tabs lead to the box.
  drill_press Tab Tab
  drill_expect_answer "$reading" "Return held in the answer box over $reading"
  poll_until 10 "a picture of the main window" drill_window_shot Menvori "$shot" \
    || fail "no picture of the main window"
  drill_picture same "$shot" lblTirades:3 "$one" || fail "Return held in the answer box posed a measurement"
  [ "$(drill_picture red-width "$shot" lblOK)" -lt "$DRILL_LONGEST_RIGHT_VERDICT" ] \
    || fail "Return held in the answer box over $reading did not judge it right"
  drill_label_filled "$shot" lblEncerts:3 || fail "no count of right answers after the check"

  drill_press shift+Tab shift+Tab
  drill_press alt+a
  # Return goes down only once the menu is open. On Wayland each command of
  # the drill presses on a virtual keyboard of its own, whose keymap numbers
  # its keys from the same keycode, and Qt matches a key's shortcuts when it
  # handles it, in the keymap current then: while the program is busy, the
  # next command's keymap can make Alt+A a plain key, and the Return then
  # rightly presses Nova Mesura.
  poll_until 10 "the menu to open" drill_menu_open "$shot" || fail "Alt+A opened no menu"
  drill_hold Return "$hold"
  drill_press Tab Tab
  drill_expect_answer "$reading" "Return held on the menu's first entry"
  poll_until 10 "a picture of the main window" drill_window_shot Menvori "$shot" \
    || fail "no picture of the main window"
  drill_picture same "$shot" lblTirades:3 "$one" || fail "Return held on the menu's first entry posed a measurement"
  rm -f "$shot"
  drill_end
}

# Alt+S ends the program, with status 0 where drill_start_app started it.
drill_app_gone() { ! kill -0 "$DRILL_APP" 2>/dev/null; }
drill_main_gone() { ! drill_window_shown Menvori; }
drill_end() {
  drill_press alt+s
  if [ -n "$DRILL_APP" ]; then
    poll_until 10 "the program to end after Alt+S" drill_app_gone || fail "Alt+S did not end the program"
    local status=0
    wait "$DRILL_APP" || status=$?
    DRILL_APP=
    [ "$status" -eq 0 ] || fail "exit status $status"
  else
    poll_until 10 "the main window to close after Alt+S" drill_main_gone || fail "Alt+S did not end the program"
  fi
}

# drill_all STEM KEYS...: the whole drill, started from the introduction
# window by KEYS.
drill_all() {
  local stem=$1
  shift
  drill_intro "$stem"
  drill_begin "$stem" "$@"
  drill_measure_and_check "$stem"
  drill_check_then_next
  drill_resolution "$stem"
  drill_end
}
