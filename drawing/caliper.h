// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "drawingsurface.h"
#include "exercisestate.h"
#include "places.h"

// The caliper's pictures. Each routine is a fixed sequence of surface
// operations in twips that depends on nothing but its arguments; the tick
// loops count in 16-bit arithmetic, as the drill's Integer fields do.
//
// On the caliper picture 100 twips stand for 1 mm, the rule's zero line is at
// x = 1000 and its lower edge y = 1100 is where the rule's ticks (rising) and
// the vernier's ticks (hanging) meet.

// The two pictures, blank, each the size of the picture box that shows it:
// the caliper, and the magnified vernier with its caption band at the top.
inline DrawingSurface blankCaliper()
{
    return {places::PicCoordenades.width, places::PicCoordenades.height};
}
inline DrawingSurface blankZoom()
{
    return {places::PicZoom.width, places::PicZoom.height};
}

// The beam with its millimetre scale 0..100 and the fixed jaw.
void drawFixedRule(DrawingSurface &caliper);

// The slide closed against the fixed jaw, with a twenty-division vernier.
void drawRestSlide(DrawingSurface &caliper);

// The magnified vernier at rest, one red line at its zero.
void drawRestZoom(DrawingSurface &zoom);

// The slide and its vernier at Posicio, for the resolution in Apreciacio.
void drawSlide(const ExerciseState &s, DrawingSurface &caliper);

// The magnified vernier of the current measurement, with red rule lines placed
// so that one continues the coinciding vernier line (set by ValorNonius).
void drawZoom(const ExerciseState &s, DrawingSurface &zoom);

// The two pictures the main window shows, composed of the routines above.
struct CaliperPictures {
    DrawingSurface caliper = blankCaliper();
    DrawingSurface zoom = blankZoom();

    bool operator==(const CaliperPictures &) const = default;
};

// The caliper at rest, as the window first shows it: the rule, the slide
// closed with its twenty-division vernier, and the magnified vernier with one
// red line at its zero.
CaliperPictures restPictures();

// A measurement as generation left the state: the rule with the slide at
// Posicio, and the magnified vernier of its hundredths. For a resolution the
// drill does not know, nothing was posed: the rule alone, and no magnified
// vernier.
CaliperPictures measurementPictures(const ExerciseState &s);
