// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "places.h"

#include <QRect>

#include <cmath>

// The windows and the pictures are laid out in twips, 15 to a pixel at 96
// dots per inch. A twip value stands on the nearest pixel.
inline constexpr float TwipsPerPixel = 15.0f;

inline int twipsToPixels(float twips)
{
    return static_cast<int>(std::floor(twips / TwipsPerPixel + 0.5f));
}

// Where a control of the windows' table stands, in pixels.
inline QRect pixelsOf(const Place &place)
{
    return QRect(twipsToPixels(place.left), twipsToPixels(place.top), twipsToPixels(place.width),
                 twipsToPixels(place.height));
}
