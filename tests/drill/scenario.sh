# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The drill as a quick student goes through it, and what must be seen at each
# step, driven from outside with real key events. The same steps run on every
# platform; a driver (drill/x11.sh, which also serves Wine's windows, or
# drill/wayland.sh) says how to see and press there, with these functions:
#   window_shown TITLE      whether a window of the program so titled is on screen
#   window_raise TITLE      makes it the active window
#   window_shot TITLE FILE  saves a picture of its content (menu bar and client area)
#   press CHORD...          presses each key or chord (xdotool's names: alt+m, Return) at once
#   press_slowly CHORD...   the same, 40 ms apart
#   press_and_type CHORD TEXT  presses CHORD and types TEXT right after it, 20 ms a character
#   hold KEY MS             holds KEY down for MS milliseconds, then lets it go
#   clipboard_text          prints the text on the clipboard
# The caller starts the program and sets:
#   SHOTS        the folder the pictures are saved in
#   SHOT_PREFIX  what their names begin with (intro.png, rest.png, checked.png)
#   APP          the program's process, if the caller started it as its child
#                (start_app)
# and may define:
#   check_window TITLE      more checks of each window as it first comes up
# Each step fails, saying what it waited for, within seconds.
source "$(dirname "${BASH_SOURCE[0]}")/helpers.sh"

# Where the main window's controls are, in pixels of its client area, from
# the table the window is built from. In a picture of the window the client
# area begins, below the menu bar, at the first peach row; however large the
# window, the controls keep their places from its top-left corner.
# pixels TWIPS: where a twip value stands at 96 dots per inch.
pixels() { echo $(((2 * $1 + 15) / 30)); }
# place NAME [INSET]: the control's place, WxH+X+Y, less INSET pixels on
# every side (a framed label's text lies inside its frame).
place() {
  awk -v name="$1" -v inset="${2:-0}" '
    function px(t) { return int(t / 15 + 0.5) }
    $1 == name { printf "%dx%d+%d+%d\n", px($5) - 2 * inset, px($6) - 2 * inset, px($3) + inset, px($4) + inset }
  ' "$(dirname "${BASH_SOURCE[0]}")/../../ui/places.txt"
}
Verdict=$(place lblOK)
# "MOLT BÉ" is narrower than this, about 60 pixels; "NO HO HAS FET BÉ"
# wider, about 140.
LongestRightVerdict=100
Measurements=$(place lblTirades 3)
RightAnswers=$(place lblEncerts 3)
# The two pictures: the caliper's top row, the magnified vernier's left
# column, and the client area down to the caliper's bottom.
IFS='x+' read -r CaliperWidth CaliperHeight _ CaliperTop <<<"$(place PicCoordenades)"
IFS='x+' read -r _ _ ZoomLeft ZoomTop <<<"$(place PicZoom)"
Pictures=${CaliperWidth}x$((CaliperTop + CaliperHeight))+0+0
# In the magnified vernier: a row across its lines (y 700 twips), from just
# left of its first line (x 100 twips) to just right of its last (x 5100
# twips), and a row across its red rule lines (y 500 twips).
ZoomRow=$((ZoomTop + $(pixels 700)))
ZoomRedRow=$((ZoomTop + $(pixels 500)))
ZoomFrom=$((ZoomLeft + $(pixels 100) - 3))
ZoomTo=$((ZoomLeft + $(pixels 5100) + 4))

# start_app COMMAND...: starts the program as the caller's child, as APP; it
# is ended on exit if still running (the caller runs its at_exit list).
start_app() {
  "$@" &
  APP=$!
  at_exit end_app
}
end_app() { [ -z "${APP:-}" ] || kill "$APP" 2>/dev/null || true; }

checked_window() { ! declare -F check_window >/dev/null || check_window "$1"; }

# What the drill has learnt of how the program shows things, kept for the
# rest of the script: the count of measurements as it shows 1.
DRILL_WORK=
drill_work() {
  if [ -z "$DRILL_WORK" ]; then
    DRILL_WORK=$(mktemp -d)
    at_exit rm -rf "$DRILL_WORK"
  fi
}

# client_top FILE: the first row of the client area in the picture FILE of
# the main window. client_part GEOMETRY FILE: GEOMETRY (WxH+X+Y, client
# pixels) as a part of that picture.
client_top() { first_row_of "$1" 2 '#FFE0C0'; }
client_part() {
  echo "$1" | awk -F'[x+]' -v top="$(client_top "$2")" '{printf "%sx%s+%s+%s", $1, $2, $3, $4 + top}'
}
# zoom_lines FILE: how many vernier lines the magnified view shows.
zoom_lines() {
  black_runs "$1" $(($(client_top "$1") + ZoomRow)) $ZoomFrom $ZoomTo
}
# shot_shows TITLE FILE COLOUR...: a picture of the window holds every COLOUR.
shot_shows() {
  local title=$1 file=$2 colour
  shift 2
  window_shot "$title" "$file" || return 1
  for colour in "$@"; do has_colour "$file" "$colour" || return 1; done
}
# measured FILE: a picture of the main window shows a measurement's red zero
# mark (the drawing at rest has no red line so tall).
measured() {
  window_shot Menvori "$1" && [ "$(tallest_red_run "$1")" -ge 60 ]
}
# expect_answer TEXT WHAT: the answer box holds TEXT, read by selecting and
# copying it (the box must have the focus).
# Under Wine a copy now and then never reaches the X clipboard: while the
# clipboard does not show the text, the box is copied again.
answer_is() { [ "$(clipboard_text)" = "$1" ]; }
copied_answer_is() { answer_is "$1" || { press ctrl+a ctrl+c && false; }; }
expect_answer() {
  press ctrl+a ctrl+c
  poll_until 10 "the answer box to hold '$1'" copied_answer_is "$1" \
    || fail "$2: the answer box holds '$(clipboard_text)', not '$1'"
}
# label_filled FILE GEOMETRY: that label of the main window shows text.
label_filled() {
  [ "$(colour_count "$1" "$(client_part "$2" "$1")")" -gt 1 ]
}
# label_is FILE GEOMETRY PICTURE: that label shows what PICTURE shows.
label_is() {
  crop "$1" "$(client_part "$2" "$1")" >"$DRILL_WORK/label.png" && same_picture "$DRILL_WORK/label.png" "$3"
}
# reading_of FILE: the reading the measurement in a picture of the main
# window poses, "12.05", read as a student reads it: the hundredths where the
# magnified vernier's red line meets a line of the vernier, the millimetres
# from where the red zero mark stands on the rule.
reading_of() {
  crop "$1" "$(client_part $Pictures "$1")" | convert - -depth 8 ppm:- | python3 -c '
import sys
data = sys.stdin.buffer.read()
parts = data.split(maxsplit=4)
w, h, pix = int(parts[1]), int(parts[2]), parts[4]
def at(x, y):
    return pix[3 * (y * w + x):3 * (y * w + x) + 3]
red, black = b"\xff\x00\x00", b"\x00\x00\x00"
zoom = range(int(sys.argv[1]), int(sys.argv[2]))
lines = [x for x in zoom if at(x, int(sys.argv[4])) == black]
coinciding = [x for x in zoom if at(x, int(sys.argv[3])) == red and any(abs(x - l) <= 1 for l in lines)]
hundredths = round(((coinciding[0] - int(sys.argv[6])) * 15 - 100) / 50)
def run(x):
    best = length = 0
    for y in range(int(sys.argv[5]), h):
        length = length + 1 if at(x, y) == red else 0
        best = max(best, length)
    return best
mark = max(range(w), key=run)
position = next(p for p in range(1005, 10001, 5) if p % 100 == hundredths and int(p / 15 + 0.5) == mark)
print("%d.%02d" % ((position - 1000) // 100, hundredths))' $ZoomFrom $ZoomTo $ZoomRedRow $ZoomRow $CaliperTop $ZoomLeft
}

# The introduction window comes up alone, with its red title.
drill_intro() {
  poll_until 20 "the introduction window" window_shown " " || fail "no introduction window"
  ! window_shown Menvori || fail "the main window is on screen with the introduction window"
  checked_window " "
  window_raise " "
  poll_until 10 "the introduction window's red title" shot_shows " " "$SHOTS/${SHOT_PREFIX}intro.png" '#FF0000' \
    || fail "the introduction window shows no red title"
}

# KEYS leave the introduction window for the main window, peach, with the
# caliper at rest (the zoom's red line, no measurement) and empty counters.
drill_begin() {
  press_slowly "$@"
  poll_until 20 "the main window" window_shown Menvori || fail "no main window after $*"
  ! window_shown " " || fail "the introduction window is still on screen"
  checked_window Menvori
  window_raise Menvori
  local rest=$SHOTS/${SHOT_PREFIX}rest.png
  poll_until 10 "the peach main window with its rest drawing" shot_shows Menvori "$rest" '#FFE0C0' '#FF0000' \
    || fail "the main window shows no rest drawing"
  [ "$(tallest_red_run "$rest")" -lt 60 ] || fail "$* posed a measurement"
  [ "$(zoom_lines "$rest")" -eq 21 ] || fail "the vernier at rest shows $(zoom_lines "$rest") lines, not 21"
  ! label_filled "$rest" $Measurements || fail "the count of measurements is not empty at rest"
}

# Alt+M with the reading typed at once: the measurement is posed before the
# first digit, which reaches the answer box with the rest; Alt+M again types
# nothing, and Return checks the answer: a verdict in red, both counters.
drill_measure_and_check() {
  local scratch=$SHOTS/${SHOT_PREFIX}measured.png checked=$SHOTS/${SHOT_PREFIX}checked.png
  press_and_type alt+m 12.35
  poll_until 10 "the measurement's red zero mark" measured "$scratch" || fail "Alt+M posed no measurement"
  label_filled "$scratch" $Measurements || fail "no count of measurements after Alt+M"
  drill_work
  crop "$scratch" "$(client_part $Measurements "$scratch")" >"$DRILL_WORK/one-measurement.png"
  ! label_filled "$scratch" $RightAnswers || fail "a count of right answers before any check"
  press alt+m
  expect_answer " 12.35" "Alt+M and typing at once, then Alt+M"
  press Return
  verdict() { window_shot Menvori "$checked" && has_colour "$checked" '#FF0000' "$(client_part $Verdict "$checked")"; }
  poll_until 10 "the verdict" verdict || fail "no verdict after Return"
  label_filled "$checked" $RightAnswers || fail "no count of right answers after the check"
  rm -f "$scratch"
}

# Alt+C and Return 40 ms apart: Alt+C checks the answer and gives Nova Mesura
# the focus, so the Return poses the next measurement, which empties the
# answer box and gives it the focus. Checked twice instead, the box would keep
# its answer and the focus would stay off it.
drill_check_then_next() {
  press_and_type alt+m 12.35
  press_slowly alt+c Return
  expect_answer " " "Alt+C and Return at once"
}

# The menu's first entry, 0,1 mm, applies from the next measurement on: its
# magnified vernier has ten divisions, not twenty.
drill_resolution() {
  local scratch=$SHOTS/${SHOT_PREFIX}resolution.png
  press Return # checks the measurement the drill waits on
  press_slowly alt+a Return
  press alt+m
  tenths() { window_shot Menvori "$scratch" && [ "$(zoom_lines "$scratch")" -eq 11 ]; }
  poll_until 10 "a measurement with the ten-division vernier" tenths \
    || fail "after choosing 0,1 mm, the magnified vernier shows $(zoom_lines "$scratch") lines, not 11"
  rm -f "$scratch"
}

# A key held down is one press (after drill_all, in the program started
# again): Return held for 1.5 s (or HOLD ms) on Nova Mesura poses one
# measurement; held in the answer box over the right reading, read off the
# picture, it judges it once and poses nothing; held on a menu entry, it
# chooses the entry and nothing more. The count of measurements is read
# against the picture of "1" that drill_all saw; each check waits for a copy
# of the answer box, which the program makes only once it has handled every
# key before it.
drill_held_keys() {
  local shot=$SHOTS/${SHOT_PREFIX}held.png reading hold=${1:-1500}
  [ -f "$DRILL_WORK/one-measurement.png" ] || fail "drill_held_keys needs the pictures drill_all learnt"
  drill_intro
  drill_begin Return
  hold Return "$hold"
  expect_answer " " "Return held on Nova Mesura"
  # Under Wine the window's picture may reach the screen after the box.
  poll_until 10 "the measurement's red zero mark" measured "$shot" \
    || fail "Return held on Nova Mesura posed no measurement"
  label_is "$shot" $Measurements "$DRILL_WORK/one-measurement.png" \
    || fail "Return held on Nova Mesura posed more than one measurement"
  ! label_filled "$shot" $Verdict || fail "Return held on Nova Mesura judged an answer"

  reading=$(reading_of "$shot") || fail "no reading in the picture"
  press_and_type ctrl+a "$reading"
  hold Return "$hold"
  # The focus is on Nova Mesura after the check: two Tabs lead to the box.
  press Tab Tab
  expect_answer "$reading" "Return held in the answer box over $reading"
  poll_until 10 "a picture of the main window" window_shot Menvori "$shot" || fail "no picture of the main window"
  label_is "$shot" $Measurements "$DRILL_WORK/one-measurement.png" \
    || fail "Return held in the answer box posed a measurement"
  [ "$(red_width "$shot" "$(client_part $Verdict "$shot")")" -lt $LongestRightVerdict ] \
    || fail "Return held in the answer box over $reading did not judge it right"
  label_filled "$shot" $RightAnswers || fail "no count of right answers after the check"

  press shift+Tab shift+Tab
  press alt+a
  hold Return "$hold"
  press Tab Tab
  expect_answer "$reading" "Return held on the menu's first entry"
  poll_until 10 "a picture of the main window" window_shot Menvori "$shot" || fail "no picture of the main window"
  label_is "$shot" $Measurements "$DRILL_WORK/one-measurement.png" \
    || fail "Return held on the menu's first entry posed a measurement"
  rm -f "$shot"
  drill_end
}

# Alt+S ends the program, with status 0 where the caller started it.
drill_end() {
  press alt+s
  if [ -n "${APP:-}" ]; then
    poll_until 10 "the program to end after Alt+S" sh -c "! kill -0 $APP" || fail "Alt+S did not end the program"
    local status=0
    wait "$APP" || status=$?
    APP=
    [ "$status" -eq 0 ] || fail "exit status $status"
  else
    main_gone() { ! window_shown Menvori; }
    poll_until 10 "the main window to close after Alt+S" main_gone || fail "Alt+S did not end the program"
  fi
}

# The whole drill, started from the introduction window by KEYS.
drill_all() {
  drill_intro
  drill_begin "$@"
  drill_measure_and_check
  drill_check_then_next
  drill_resolution
  drill_end
}
