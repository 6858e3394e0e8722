// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>

// The drill's colours, one definition each for both windows and both pictures.
namespace colours {

inline constexpr QRgb Peach = qRgb(255, 224, 192);  // the main window and its pictures
// Texts and lines on peach. Black whatever the desktop's colour scheme: the
// peach stays, and a dark scheme's light text would be unreadable on it.
inline constexpr QRgb Black = qRgb(0, 0, 0);
inline constexpr QRgb White = qRgb(255, 255, 255);
inline constexpr QRgb Yellow = qRgb(255, 255, 0);   // the slide and the magnified vernier
inline constexpr QRgb Blue = qRgb(0, 0, 255);       // the slide's edge and the window's title
inline constexpr QRgb Red = qRgb(255, 0, 0);        // the zero mark, the coinciding lines, the verdict
inline constexpr QRgb Answer = qRgb(192, 64, 0);    // what the student types

} // namespace colours
