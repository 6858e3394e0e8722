# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by every script that drives the program from outside: what a
# picture of a window shows. Nothing here depends on the platform the picture
# was taken on.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"

# crop IMAGE [GEOMETRY]: the image, or its part GEOMETRY (WxH+X+Y), as PNG on
# standard output.
crop() {
  convert "$1" ${2:+-crop "$2" +repage} png:-
}

# has_colour IMAGE COLOUR [GEOMETRY]: whether IMAGE (or its part GEOMETRY)
# holds a pixel of COLOUR (#RRGGBB). grep reads the whole histogram: with -q
# it would stop at the first match, and convert, cut off mid-write, would
# fail the pipeline under pipefail.
has_colour() {
  crop "$1" "${3:-}" | convert - -format %c histogram:info:- | grep -i "$2" >/dev/null
}

# colour_count IMAGE GEOMETRY: how many colours that part of IMAGE shows; an
# empty label is one colour, a label with text many.
colour_count() {
  crop "$1" "$2" | convert - -format %k info:-
}

# tallest_red_run IMAGE: the height of the tallest unbroken run of pure red
# pixels in any column of IMAGE. A measurement's red zero mark crosses the
# rule, 60 pixels and more; the drawing at rest has none so tall.
tallest_red_run() {
  convert "$1" ppm:- | python3 -c '
import sys
data = sys.stdin.buffer.read()
parts = data.split(maxsplit=4)
w, h, pix = int(parts[1]), int(parts[2]), parts[4]
best = 0
for x in range(w):
    run = 0
    for y in range(h):
        i = 3 * (y * w + x)
        run = run + 1 if pix[i:i + 3] == b"\xff\x00\x00" else 0
        best = max(best, run)
print(best)'
}

# black_runs IMAGE Y X0 X1: how many separate runs of black pixels row Y of
# IMAGE holds between columns X0 and X1: the lines that cross that row.
black_runs() {
  crop "$1" "$(($4 - $3 + 1))x1+$3+$2" | convert - -depth 8 gray:- | python3 -c '
import sys
row = sys.stdin.buffer.read()
runs, inside = 0, False
for value in row:
    if value == 0 and not inside:
        runs += 1
    inside = value == 0
print(runs)'
}

# first_row_of IMAGE X COLOUR: the first row, from the top, where column X of
# IMAGE has COLOUR (#RRGGBB); -1 if none has.
first_row_of() {
  crop "$1" "1x$(identify -format %h "$1")+$2+0" | convert - -depth 8 rgb:- | python3 -c '
import sys
want = bytes.fromhex(sys.argv[1].lstrip("#"))
data = sys.stdin.buffer.read()
rows = [data[i:i + 3] for i in range(0, len(data), 3)]
print(rows.index(want) if want in rows else -1)' "$3"
}

# same_picture A B: whether two pictures are the same, pixel for pixel.
same_picture() {
  [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]
}

# red_width IMAGE GEOMETRY: how wide a red text in that part of IMAGE is,
# from its first column with a pixel of pure red to its last (0 if none).
red_width() {
  crop "$1" "$2" | convert - -depth 8 ppm:- | python3 -c '
import sys
data = sys.stdin.buffer.read()
parts = data.split(maxsplit=4)
w, h, pix = int(parts[1]), int(parts[2]), parts[4]
red = [x for x in range(w) if any(pix[3 * (y * w + x):3 * (y * w + x) + 3] == b"\xff\x00\x00" for y in range(h))]
print(red[-1] - red[0] + 1 if red else 0)'
}
