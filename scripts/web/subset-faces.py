#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Menvori developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""The program's faces as the web page carries them: only the letters a
Catalan, Spanish, French or English keyboard types and the drill shows (the
Latin letters with their accents, digits, punctuation), a tenth of the whole
face to download. Outlines, hinting and kerning are kept, so each letter is
drawn as before. A face cut down this way is a modified version under the
SIL Open Font License, which may not bear the face's reserved name
("Liberation"): it is renamed FAMILY.
  subset-faces.py IN.ttf OUT.ttf FAMILY
"""
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

# Basic Latin, Latin-1 and Latin Extended-A; general punctuation (dashes,
# quotes, the ellipsis); the euro; the replacement character.
KEEP = [*range(0x20, 0x7F), *range(0xA0, 0x180), *range(0x2010, 0x2028), *range(0x2030, 0x203B),
        0x20AC, 0x2122, 0xFFFD]
RESERVED = "Liberation"


def main():
    source, target, family = sys.argv[1:4]
    font = TTFont(source)
    options = subset.Options()
    options.hinting = True
    options.layout_features = ["*"]
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    options.glyph_names = False
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=KEEP)
    subsetter.subset(font)
    old = None
    for record in font["name"].names:
        if record.nameID == 1:
            old = str(record)
    for record in font["name"].names:
        text = str(record)
        if record.nameID in (1, 3, 4, 16, 17):
            record.string = text.replace(old, family)
        elif record.nameID == 6:
            record.string = text.replace(old.replace(" ", ""), family.replace(" ", ""))
    # The trademark notice is the face's own, not this one's.
    font["name"].names = [r for r in font["name"].names if r.nameID != 7]
    left = [r.nameID for r in font["name"].names if r.nameID in (1, 3, 4, 6, 16) and RESERVED in str(r)]
    if left:
        sys.exit("subset-faces: the reserved name is left in name records %s" % left)
    font.save(target)


main()
