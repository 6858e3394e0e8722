#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Where the windows' controls stand, read from places.txt beside this file
(the table the windows are built from), for the scripts that read pictures
of the windows or time them: in twips, and in pixels at 96 dots per inch.
  places.py NAME [INSET]   prints the control's place in pixels, WxH+X+Y,
                           less INSET pixels on every side
"""
import collections
import math
import os
import sys

TWIPS_PER_PIXEL = 15

Place = collections.namedtuple("Place", "parent left top width height")
Rect = collections.namedtuple("Rect", "x y width height")


def pixels(twips):
    """The pixel a twip value stands on: the nearest one."""
    return int(math.floor(twips / TWIPS_PER_PIXEL + 0.5))


def table():
    """Every control's place in twips, by name."""
    places = {}
    with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "places.txt"), encoding="utf-8") as f:
        for line in f:
            fields = line.split()
            if fields and not fields[0].startswith("#"):
                places[fields[0]] = Place(fields[1], *(int(v) for v in fields[2:6]))
    return places


def rect(name, inset=0):
    """The control's place in pixels, less inset pixels on every side."""
    p = table()[name]
    return Rect(pixels(p.left) + inset, pixels(p.top) + inset,
                pixels(p.width) - 2 * inset, pixels(p.height) - 2 * inset)


def geometry(r):
    """A rectangle as ImageMagick writes it, WxH+X+Y."""
    return "%dx%d+%d+%d" % (r.width, r.height, r.x, r.y)


if __name__ == "__main__":
    print(geometry(rect(sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 0)))
