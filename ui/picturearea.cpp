// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "picturearea.h"

#include <QPainter>

PictureArea::PictureArea(DrawingSurface picture, QWidget *parent)
    : QWidget(parent)
    , picture_(std::move(picture))
{
    // The picture covers every pixel of the area.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(picture_.pixelSize());
}

void PictureArea::setPicture(DrawingSurface picture)
{
    picture_ = std::move(picture);
    update();
}

void PictureArea::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const qreal scale = devicePixelRatioF();
    // Work in device pixels, so that every line is snapped to the pixel grid.
    painter.setWorldTransform(QTransform::fromScale(1.0 / scale, 1.0 / scale));
    picture_.paint(painter, scale);
}
