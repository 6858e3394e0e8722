// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

class QPainter;

// One operation drawn on a surface, kept in twips as it was issued.
// For LineTo, (x1, y1) is the current point the line started from; for
// PrintNumber, (x1, y1) is the text's top-left corner and text what is shown.
struct DrawOp {
    enum class Kind { Line, LineTo, FillBox, OutlineBox, PrintNumber };
    Kind kind;
    float x1, y1, x2, y2;
    QRgb colour;
    QString text;

    bool operator==(const DrawOp &) const = default;
};

// A picture of a given size in twips: everything drawn on it since the last
// clear(), as a list of operations, and the current point. It is a value:
// two pictures are equal when the same operations were drawn on them, and it
// renders itself at any screen scale.
//
// Twips map to device-independent pixels at 15 twips a pixel (rounded to the
// nearest pixel), then to device pixels by the screen's scale (rounded down).
// Lines are one device-independent pixel wide rounded to whole device pixels,
// snapped to the pixel grid and not antialiased, so that two lines at the same
// twip land on the same pixel column at every scale. What falls outside is
// clipped.
class DrawingSurface {
public:
    DrawingSurface(int widthTwips, int heightTwips);

    void clear();
    void line(float x1, float y1, float x2, float y2, std::optional<QRgb> colour = {});
    void lineTo(float x2, float y2, std::optional<QRgb> colour = {});
    void fillBox(float x1, float y1, float x2, float y2, QRgb colour);
    void outlineBox(float x1, float y1, float x2, float y2, QRgb colour);
    // The value's text: a blank for the sign, the digits and one blank, " 10 ".
    void printNumber(double value);

    const std::vector<DrawOp> &operations() const { return ops_; }
    QPointF currentPoint() const { return {curX_, curY_}; }

    // The size in device-independent pixels.
    QSize pixelSize() const;
    // The picture as it appears on a screen of the given scale (device pixels
    // per device-independent pixel).
    QImage render(qreal scale) const;
    // Paints it on a painter whose units are device pixels of that scale.
    void paint(QPainter &painter, qreal scale) const;

    bool operator==(const DrawingSurface &) const = default;

    // Makes the face the numbers are drawn in ready for a screen of this
    // scale, with every digit drawn once, so that the first picture shown
    // does not wait for it.
    static void prepareNumbers(qreal scale);

private:
    int widthTwips_;
    int heightTwips_;
    std::vector<DrawOp> ops_;
    float curX_ = 0;
    float curY_ = 0;
};
