#pragma once

#include <QRect>

// The windows are laid out in twips, 15 to a pixel at 96 dots per inch.
inline constexpr int twipsToPixels(int twips)
{
    return twips / 15;
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}
