// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "drawingsurface.h"

#include "appfonts.h"
#include "colours.h"
#include "numbers.h"
#include "twips.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Twips to device pixels, the mapping every operation goes through.
int toDevice(float twips, qreal scale)
{
    return static_cast<int>(std::floor(twipsToPixels(twips) * scale));
}

// One device-independent pixel, in whole device pixels.
int lineWidth(qreal scale)
{
    return std::max(1, static_cast<int>(std::lround(scale)));
}

} // namespace

DrawingSurface::DrawingSurface(int widthTwips, int heightTwips)
    : widthTwips_(widthTwips)
    , heightTwips_(heightTwips)
{
}

void DrawingSurface::clear()
{
    ops_.clear();
    curX_ = 0;
    curY_ = 0;
}

void DrawingSurface::line(float x1, float y1, float x2, float y2, std::optional<QRgb> colour)
{
    ops_.push_back({DrawOp::Kind::Line, x1, y1, x2, y2, colour.value_or(colours::Black), {}});
    curX_ = x2;
    curY_ = y2;
}

void DrawingSurface::lineTo(float x2, float y2, std::optional<QRgb> colour)
{
    ops_.push_back({DrawOp::Kind::LineTo, curX_, curY_, x2, y2, colour.value_or(colours::Black), {}});
    curX_ = x2;
    curY_ = y2;
}

void DrawingSurface::fillBox(float x1, float y1, float x2, float y2, QRgb colour)
{
    ops_.push_back({DrawOp::Kind::FillBox, x1, y1, x2, y2, colour, {}});
}

void DrawingSurface::outlineBox(float x1, float y1, float x2, float y2, QRgb colour)
{
    ops_.push_back({DrawOp::Kind::OutlineBox, x1, y1, x2, y2, colour, {}});
}

void DrawingSurface::printNumber(double value)
{
    const QString text = QString::fromStdString(numberText(value)) + QLatin1Char(' ');
    ops_.push_back({DrawOp::Kind::PrintNumber, curX_, curY_, curX_, curY_, colours::Black, text});
}

QSize DrawingSurface::pixelSize() const
{
    return {twipsToPixels(float(widthTwips_)), twipsToPixels(float(heightTwips_))};
}

void DrawingSurface::prepareNumbers(qreal scale)
{
    DrawingSurface digits(1500, 300);
    digits.printNumber(1234567890);
    (void)digits.render(scale);
}

QImage DrawingSurface::render(qreal scale) const
{
    const QSize size = pixelSize();
    QImage image(static_cast<int>(std::ceil(size.width() * scale)),
                 static_cast<int>(std::ceil(size.height() * scale)), QImage::Format_RGB32);
    QPainter painter(&image);
    paint(painter, scale);
    return image;
}

void DrawingSurface::paint(QPainter &painter, qreal scale) const
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QSize size = pixelSize();
    painter.fillRect(QRect(0, 0, static_cast<int>(std::ceil(size.width() * scale)) + 1,
                           static_cast<int>(std::ceil(size.height() * scale)) + 1),
                     QColor(colours::Peach));

    const int w = lineWidth(scale);
    auto px = [scale](float twips) { return toDevice(twips, scale); };

    // The device pixels from one corner to the other, both included, with
    // the far edges a line's width thick.
    auto block = [&](int ax, int ay, int bx, int by, QRgb colour) {
        painter.fillRect(QRect(std::min(ax, bx), std::min(ay, by), std::abs(bx - ax) + w, std::abs(by - ay) + w),
                         QColor(colour));
    };
    // A segment between two device points, inclusive of both ends.
    auto segment = [&](int ax, int ay, int bx, int by, QRgb colour) {
        if (ax == bx || ay == by) {
            block(ax, ay, bx, by, colour);
            return;
        }
        QPen pen{QColor(colour)};
        pen.setWidth(w);
        pen.setCapStyle(Qt::SquareCap);
        painter.setPen(pen);
        // Centre the pen on the pixel block a vertical line of this width fills.
        const qreal half = w / 2.0;
        painter.drawLine(QPointF(ax + half, ay + half), QPointF(bx + half, by + half));
    };

    QFont font = appfonts::sans(appfonts::Small, false);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(appfonts::pixelSize(appfonts::Small) * scale))));
    // Plain pixels, like the lines: a number drawn over itself then leaves the
    // picture exactly as it was.
    font.setStyleStrategy(QFont::NoAntialias);
    const int ascent = QFontMetrics(font).ascent();
    painter.setFont(font);

    for (const DrawOp &op : ops_) {
        const int x1 = px(op.x1), y1 = px(op.y1), x2 = px(op.x2), y2 = px(op.y2);
        switch (op.kind) {
        case DrawOp::Kind::Line:
        case DrawOp::Kind::LineTo:
            segment(x1, y1, x2, y2, op.colour);
            break;
        case DrawOp::Kind::FillBox:
            block(x1, y1, x2, y2, op.colour);
            break;
        case DrawOp::Kind::OutlineBox:
            segment(x1, y1, x2, y1, op.colour);
            segment(x2, y1, x2, y2, op.colour);
            segment(x2, y2, x1, y2, op.colour);
            segment(x1, y2, x1, y1, op.colour);
            break;
        case DrawOp::Kind::PrintNumber:
            painter.setPen(QColor(op.colour));
            painter.drawText(QPoint(x1, y1 + ascent), op.text);
            break;
        }
    }
}
