// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>

// The program's faces, the same on every machine so that every picture and
// caption looks alike: Liberation Sans stands in for "MS Sans Serif", and
// Liberation Serif Bold, stretched, for the very wide "Wide Latin". They are
// the system's where it has them, else the copies shipped inside the program.
// Sizes are given in points at 96 dots per inch and set in pixels, so that a
// caption is as large on every screen as the control that holds it.
namespace appfonts {

// The point sizes the windows and pictures use.
inline constexpr qreal Small = 8.25;
inline constexpr qreal Medium = 9.75;
inline constexpr qreal Large = 12;
inline constexpr qreal Title = 27.75;

// Pixel size at 96 dots per inch of a size in points: 8.25 pt is 11 px.
int pixelSize(qreal points);

// The "MS Sans Serif" stand-in, regular or bold.
QFont sans(qreal points, bool bold);

// The "Wide Latin" stand-in, bold.
QFont wide(qreal points);

} // namespace appfonts
