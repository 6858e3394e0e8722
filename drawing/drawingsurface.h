// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>

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
};

// A picture area of the main window. It keeps everything drawn since the last
// clear() as a list of operations in twips and paints that list, scaled to the
// screen, whenever the toolkit asks: hiding, covering and showing it again
// shows the same picture, and it never draws anything of its own accord.
//
// Twips map to device-independent pixels at 15 twips a pixel (rounded to the
// nearest pixel), then to device pixels by the screen's scale (rounded down).
// Lines are one device-independent pixel wide rounded to whole device pixels,
// snapped to the pixel grid and not antialiased, so that two lines at the same
// twip land on the same pixel column at every scale. What falls outside is
// clipped.
class DrawingSurface : public QWidget {
    Q_OBJECT

public:
    explicit DrawingSurface(QWidget *parent = nullptr);

    void clear();
    void line(float x1, float y1, float x2, float y2, std::optional<QRgb> colour = {});
    void lineTo(float x2, float y2, std::optional<QRgb> colour = {});
    void fillBox(float x1, float y1, float x2, float y2, QRgb colour);
    void outlineBox(float x1, float y1, float x2, float y2, QRgb colour);
    // The value's text: a blank for the sign, the digits and one blank, " 10 ".
    void printNumber(double value);

    const std::vector<DrawOp> &operations() const { return ops_; }
    float currentX() const { return curX_; }
    float currentY() const { return curY_; }

    // The picture as it appears on a screen of the given scale (device pixels
    // per device-independent pixel), the whole widget size.
    QImage render(qreal scale) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Paints on a painter whose units are device pixels.
    void paintOps(QPainter &painter, qreal scale) const;
    void add(DrawOp op);

    std::vector<DrawOp> ops_;
    float curX_ = 0;
    float curY_ = 0;
};
