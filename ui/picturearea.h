// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "drawingsurface.h"

#include <QWidget>

// A picture area of the main window: shows one picture, at the picture's
// size, painted scaled to the screen whenever the toolkit asks. Hiding,
// covering and showing it again shows the same picture; it never draws
// anything of its own accord.
class PictureArea : public QWidget {
    Q_OBJECT

public:
    PictureArea(DrawingSurface picture, QWidget *parent);

    const DrawingSurface &picture() const { return picture_; }
    void setPicture(DrawingSurface picture);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    DrawingSurface picture_;
};
