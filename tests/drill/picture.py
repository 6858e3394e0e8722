#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""What a picture of the program's windows shows, for the drill's scripts
(tests/drill/): the one reader of pictures' pixels, read through
ImageMagick's convert. Nothing here depends on the platform the picture was
taken on.

A PART of a picture is either a rectangle of it, WxH+X+Y, or a control of the
main window, NAME or NAME:INSET (its place in ui/places.txt less INSET pixels
on every side), in a picture of the main window whose client area begins, below
the menu bar, at its first peach row. A COLOUR is RRGGBB, with or without #.

  picture.py has-colour IMAGE COLOUR [PART]  succeeds where a pixel has COLOUR
  picture.py colour-count IMAGE PART         how many colours PART shows
  picture.py crop IMAGE PART OUTPUT          writes PART as a picture
  picture.py same IMAGE PART OTHER           succeeds where PART is OTHER, pixel for pixel
  picture.py red-width IMAGE PART            how wide a red text in PART is
  picture.py tallest-red-run IMAGE           the tallest run of red in a column
  picture.py zoom-lines IMAGE                the vernier lines the magnified view shows
  picture.py menu-open IMAGE                 succeeds where a menu drops over the top left
  picture.py reading IMAGE                   the reading a measurement poses, "12.05"
  picture.py size NAME                       a window's client area, WxH
  picture.py window-box IMAGE COLOUR         where a window of that background is
  picture.py lowest-box IMAGE COLOUR         the middle of the lowest run of COLOUR
  picture.py sway-windows PID                the windows of PID in sway's tree (stdin)
"""
import json
import os
import subprocess
import sys

# The table of places, read by its module beside it; nothing is written
# into the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "ui"))
import places  # noqa: E402

RED, BLACK, PEACH = b"\xff\x00\x00", b"\x00\x00\x00", b"\xff\xe0\xc0"
# A column of the main window that the resolution menu covers when it drops
# from the menu bar, on every platform's style.
MENU_COLUMN = 20

# What the caliper drawing draws where (drawing/caliper.cpp), in twips: the
# rule's zero line, 100 twips a millimetre, the positions a measurement takes
# (5 twips apart); in the magnified vernier, its first line, 50 twips a
# hundredth, a row across its lines and one across its red rule lines.
RULE_ZERO, TWIPS_PER_MM = 1000, 100
POSITIONS = range(1005, 10001, 5)
ZOOM_FIRST_LINE, ZOOM_LAST_LINE, ZOOM_TWIPS_PER_HUNDREDTH = 100, 5100, 50
ZOOM_LINES_ROW, ZOOM_RED_ROW = 700, 500


class Picture:
    """An image's pixels, 3 bytes a pixel, row by row."""

    def __init__(self, width, height, pixels):
        self.width, self.height, self.pixels = width, height, pixels

    @staticmethod
    def read(path):
        data = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True,
                              stdout=subprocess.PIPE).stdout
        magic, width, height, _, pixels = data.split(maxsplit=4)
        if magic != b"P6":
            sys.exit("picture: %s is not read as a colour picture" % path)
        return Picture(int(width), int(height), pixels)

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return self.pixels[i:i + 3]

    def crop(self, r):
        x0, y0 = max(r.x, 0), max(r.y, 0)
        x1, y1 = min(r.x + r.width, self.width), min(r.y + r.height, self.height)
        rows = [self.pixels[3 * (y * self.width + x0):3 * (y * self.width + x1)] for y in range(y0, y1)]
        return Picture(max(x1 - x0, 0), max(y1 - y0, 0), b"".join(rows))

    def has(self, colour):
        i = self.pixels.find(colour)
        while i >= 0 and i % 3:
            i = self.pixels.find(colour, i + 1)
        return i >= 0

    def colours(self):
        return {self.pixels[i:i + 3] for i in range(0, len(self.pixels), 3)}

    def first_row(self, x, colour):
        """The first row where column x has colour, from the top; -1 if none."""
        return next((y for y in range(self.height) if self.at(x, y) == colour), -1)

    def menu_open(self):
        """In a picture of the main window, whether a menu hangs from the menu
        bar over the top left of the client area: there the peach begins
        lower than at the right edge, which no menu reaches. Under Wine a
        menu is a window of its own that bears its owner's name, and the
        picture is then of the menu: black text, and no peach at all."""
        if not self.has(PEACH):
            return self.has(BLACK)
        return self.first_row(MENU_COLUMN, PEACH) > self.first_row(self.width - 3, PEACH)

    def client_top(self):
        """In a picture of the main window, the first row of its client area."""
        return self.first_row(2, PEACH)


def colour(text):
    return bytes.fromhex(text.lstrip("#"))


def rectangle(text):
    size, x, y = text.split("+")
    width, height = size.split("x")
    return places.Rect(int(x), int(y), int(width), int(height))


def part(picture, text):
    """The rectangle PART names in the picture."""
    if text[0].isdigit():
        return rectangle(text)
    name, _, inset = text.partition(":")
    r = places.rect(name, int(inset or 0))
    return r._replace(y=r.y + picture.client_top())


def geometry(r):
    return places.geometry(r)


def red_width(picture):
    """From the first column with a pixel of red to the last (0 if none)."""
    red = [x for x in range(picture.width) if any(picture.at(x, y) == RED for y in range(picture.height))]
    return red[-1] - red[0] + 1 if red else 0


def longest_run(picture, x, colour, top=0):
    best = length = 0
    for y in range(top, picture.height):
        length = length + 1 if picture.at(x, y) == colour else 0
        best = max(best, length)
    return best


def zoom_row(picture, twips_y):
    """A row across the magnified vernier, from just left of its first line
    to just right of its last: its first column, and its pixels."""
    zoom = places.rect("PicZoom")
    x0 = zoom.x + places.pixels(ZOOM_FIRST_LINE) - 3
    x1 = zoom.x + places.pixels(ZOOM_LAST_LINE) + 4
    y = picture.client_top() + zoom.y + places.pixels(twips_y)
    return x0, [picture.at(x, y) for x in range(x0, x1 + 1)]


def zoom_lines(picture):
    """How many separate runs of black the row across the vernier's lines
    holds: the lines that cross it."""
    runs, inside = 0, False
    for pixel in zoom_row(picture, ZOOM_LINES_ROW)[1]:
        if pixel == BLACK and not inside:
            runs += 1
        inside = pixel == BLACK
    return runs


def reading(picture):
    """The reading, read as a student reads it: the hundredths where the
    magnified vernier's red line meets a line of the vernier, the
    millimetres from where the red zero mark stands on the rule."""
    # Short of the row's last column.
    x0, lines_row = zoom_row(picture, ZOOM_LINES_ROW)
    _, red_row = zoom_row(picture, ZOOM_RED_ROW)
    lines = [x0 + i for i, p in enumerate(lines_row[:-1]) if p == BLACK]
    coinciding = [x0 + i for i, p in enumerate(red_row[:-1]) if p == RED and any(abs(x0 + i - l) <= 1 for l in lines)]
    zoom_left = places.rect("PicZoom").x
    hundredths = round(((coinciding[0] - zoom_left) * places.TWIPS_PER_PIXEL - ZOOM_FIRST_LINE)
                       / ZOOM_TWIPS_PER_HUNDREDTH)
    caliper = places.rect("PicCoordenades")
    pictures = picture.crop(places.Rect(0, picture.client_top(), caliper.x + caliper.width, caliper.y + caliper.height))
    mark = max(range(pictures.width), key=lambda x: longest_run(pictures, x, RED, caliper.y))
    position = next(p for p in POSITIONS
                    if p % TWIPS_PER_MM == hundredths and caliper.x + places.pixels(p) == mark)
    return "%d.%02d" % ((position - RULE_ZERO) // TWIPS_PER_MM, hundredths)


def window_box(picture, want):
    """Where a window of background want is: the bounding box of the rows
    that hold that colour over 300 pixels and more (not the small icons of a
    title bar), at least 700 pixels wide and mostly of that colour; None
    where there is none."""
    w = picture.width
    rows = [y for y in range(picture.height) if [picture.at(x, y) for x in range(0, w, 4)].count(want) >= 75]
    if not rows:
        return None
    cols = [x for x in range(w) if any(picture.at(x, y) == want for y in rows[::4])]
    x0, x1, y0, y1 = min(cols), max(cols), min(rows), max(rows)
    inside = [picture.at(x, y) for y in range(y0, y1 + 1, 3) for x in range(x0, x1 + 1, 3)]
    if x1 - x0 + 1 < 700 or inside.count(want) < len(inside) / 2:
        return None
    return x0, y0, x1 - x0 + 1, y1 - y0 + 1


def lowest_box(picture, want):
    """The middle of the lowest run of rows that hold want, across the
    columns that hold it there; None where no row does."""
    w = picture.width
    rows = [y for y in range(picture.height) if any(picture.at(x, y) == want for x in range(w))]
    if not rows:
        return None
    last = [rows[-1]]
    while last[-1] - 1 in rows:
        last.append(last[-1] - 1)
    cols = [x for x in range(w) if any(picture.at(x, y) == want for y in last)]
    return (min(cols) + max(cols)) // 2, (min(last) + max(last)) // 2


def sway_windows(tree, pid):
    """The visible windows of process pid: app id, title, and the window's
    content as grim takes a part of the screen ("X,Y WxH")."""
    def walk(n):
        yield n
        for c in n.get("nodes", []) + n.get("floating_nodes", []):
            yield from walk(c)
    for n in walk(tree):
        if n.get("pid") == pid and n.get("visible"):
            r, w = n["rect"], n["window_rect"]
            yield n.get("app_id"), n.get("name"), "%d,%d %dx%d" % (r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"])


def crop_command(image, r, output):
    subprocess.run(["convert", image, "-crop", geometry(r), "+repage", output], check=True)


def main(command, *args):
    if command == "size":
        r = places.rect(args[0])
        print("%dx%d" % (r.width, r.height))
        return 0
    if command == "sway-windows":
        for window in sway_windows(json.load(sys.stdin), int(args[0])):
            print(*window, sep="\t")
        return 0
    picture = Picture.read(args[0])
    if command == "has-colour":
        shown = picture.crop(part(picture, args[2])) if len(args) > 2 else picture
        return 0 if shown.has(colour(args[1])) else 1
    if command == "colour-count":
        print(len(picture.crop(part(picture, args[1])).colours()))
    elif command == "crop":
        crop_command(args[0], part(picture, args[1]), args[2])
    elif command == "same":
        shown, other = picture.crop(part(picture, args[1])), Picture.read(args[2])
        return 0 if (shown.width, shown.height, shown.pixels) == (other.width, other.height, other.pixels) else 1
    elif command == "red-width":
        print(red_width(picture.crop(part(picture, args[1]))))
    elif command == "tallest-red-run":
        print(max((longest_run(picture, x, RED) for x in range(picture.width)), default=0))
    elif command == "zoom-lines":
        print(zoom_lines(picture))
    elif command == "menu-open":
        return 0 if picture.menu_open() else 1
    elif command == "reading":
        print(reading(picture))
    elif command in ("window-box", "lowest-box"):
        box = (window_box if command == "window-box" else lowest_box)(picture, colour(args[1]))
        if box is None:
            return 1
        print(*box)
    else:
        sys.exit("picture: no command %s" % command)
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
