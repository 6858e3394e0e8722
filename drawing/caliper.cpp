// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "caliper.h"

#include "colours.h"
#include "drawingsurface.h"
#include "int16.h"
#include "resolution.h"

#include <QPointF>

#include <initializer_list>
#include <optional>

namespace {

using colours::Blue;
using colours::Red;
using colours::Yellow;

// The vernier drawn for a resolution code; a code the drill does not know
// draws the ten-division one.
const Resolution &vernierOf(std::uint8_t apreciacio)
{
    const Resolution *r = findResolution(apreciacio);
    return r ? *r : Tenths;
}

// x of a tick counted from the rule's zero line, as the 16-bit value the
// loops compute.
float tickX(std::int16_t index)
{
    return static_cast<float>(toInt16(index + 1000L));
}

// A path through the points: a line from the first to the second, then on
// from the current point to each next one.
void path(DrawingSurface &c, std::initializer_list<QPointF> points, std::optional<QRgb> colour = {})
{
    const QPointF *p = points.begin();
    c.line(float(p[0].x()), float(p[0].y()), float(p[1].x()), float(p[1].y()), colour);
    for (p += 2; p != points.end(); ++p)
        c.lineTo(float(p->x()), float(p->y()), colour);
}

void advance(std::int16_t &counter, int step)
{
    counter = toInt16(static_cast<long>(counter) + step);
}

// The vernier under the slide, its zero line at x = zero: numbered lines every
// 1.9 mm, and for the 0,05 mm vernier a short line halfway between each pair,
// all short lines first.
void drawVernier(DrawingSurface &c, float zero, bool shortLines)
{
    if (shortLines) {
        for (std::int16_t index = 95; index <= 1900; advance(index, 190))
            c.line(zero + index, 1100, zero + index, 1200);
    }
    for (std::int16_t index = 0; index <= 1900; advance(index, 190)) {
        c.line(zero + index, 1100, zero + index, 1300);
        c.printNumber(static_cast<double>(index) / 190.0);
    }
}

// The magnified vernier plate with its numbered lines, and for the 0,05 mm
// vernier the short lines between them.
void drawMagnifiedVernier(DrawingSurface &z, bool shortLines)
{
    z.fillBox(100, 600, 5100, 1300, Yellow);
    path(z, {{100, 600}, {5100, 600}, {5100, 1300}, {100, 1300}, {100, 600}});

    for (int v = 0; v <= 5000; v += 500) {
        z.line(v + 100, 600, v + 100, 900);
        z.printNumber(v / 500);
    }
    if (shortLines) {
        for (int v = 250; v <= 5000; v += 500)
            z.line(v + 100, 600, v + 100, 750);
    }
}

} // namespace

void drawFixedRule(DrawingSurface &c)
{
    // The beam's outline, then the fixed jaw; the baseline stops at the jaw.
    path(c, {{350, 100}, {11000, 100}, {11000, 1100}, {800, 1100}});
    c.line(350, 1100, 350, 100);
    path(c, {{350, 1100}, {400, 1800}, {750, 3500}, {850, 3500}, {850, 1800}, {800, 1800}, {800, 1100}});

    // Millimetres, then tens with their numbers, then fives, drawn over the
    // millimetre ticks.
    for (std::int16_t index = 0; index <= 10000; advance(index, 100))
        c.line(tickX(index), 1100, tickX(index), 1000);
    for (std::int16_t index = 0; index <= 10000; advance(index, 1000)) {
        c.line(tickX(index), 1100, tickX(index), 700);
        c.printNumber(static_cast<double>(index) / 100.0);
    }
    for (std::int16_t index = 500; index <= 10000; advance(index, 1000))
        c.line(tickX(index), 1100, tickX(index), 900);
}

void drawRestSlide(DrawingSurface &c)
{
    c.fillBox(900, 1100, 3200, 1600, Yellow);
    path(c, {{900, 1100}, {900, 1800}, {850, 1800}, {850, 3500}, {950, 3500}, {1400, 1800}, {3200, 1800}, {3200, 1600}});
    path(c, {{900, 1100}, {3200, 1100}, {3200, 1600}, {900, 1600}, {900, 1100}}, Blue);

    // Twenty divisions of 0.95 mm from the rule's zero to its 19 mm line,
    // whatever the resolution chosen.
    drawVernier(c, 1000, true);
}

void drawRestZoom(DrawingSurface &z)
{
    drawMagnifiedVernier(z, true);
    z.line(100, 400, 100, 600, Red);
}

void drawSlide(const ExerciseState &s, DrawingSurface &c)
{
    const float p = s.Posicio;

    c.outlineBox(p, 1100, p, 100, Red);
    c.fillBox(p - 100, 1100, p + 2300, 1600, Yellow);

    path(c, {{p - 100, 1100}, {p - 100, 1800}, {p - 150, 1800}, {p - 150, 3500}, {p - 50, 3500}, {p + 350, 1800},
             {p + 2300, 1800}, {p + 2300, 1600}});
    path(c, {{p - 100, 1100}, {p + 2300, 1100}, {p + 2300, 1600}, {p - 100, 1600}, {p - 100, 1100}}, Blue);

    drawVernier(c, p, vernierOf(s.Apreciacio).shortLines);
}

CaliperPictures restPictures()
{
    CaliperPictures pictures;
    drawFixedRule(pictures.caliper);
    drawRestSlide(pictures.caliper);
    drawRestZoom(pictures.zoom);
    return pictures;
}

CaliperPictures measurementPictures(const ExerciseState &s)
{
    CaliperPictures pictures;
    drawFixedRule(pictures.caliper);
    if (findResolution(s.Apreciacio)) {
        drawZoom(s, pictures.zoom);
        drawSlide(s, pictures.caliper);
    }
    return pictures;
}

void drawZoom(const ExerciseState &s, DrawingSurface &z)
{
    const Resolution &resolution = vernierOf(s.Apreciacio);
    drawMagnifiedVernier(z, resolution.shortLines);

    // Red rule lines 450 twips apart, one at x0 continuing the coinciding
    // vernier line (at 50 twips per hundredth of the reading). The bounds
    // are taken from d, not x0, so the two sides need not be equal.
    const int d = 50 * s.ValorNonius;
    const std::int16_t x0 = toInt16(d + 100L);
    const std::int16_t right = toInt16(d + static_cast<long>(resolution.zoomReach));
    const std::int16_t left = toInt16(d - static_cast<long>(resolution.zoomReach));
    for (std::int16_t index = x0; index <= right; advance(index, 450))
        z.line(index, 400, index, 600, Red);
    for (std::int16_t index = x0; index >= left; advance(index, -450))
        z.line(index, 400, index, 600, Red);
}
