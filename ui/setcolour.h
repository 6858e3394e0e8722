// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

// Gives a control a colour of its own for one palette role, in every state.
// Every other role it keeps taking from its parent, as Qt passes palettes
// down to children.
inline void setColour(QWidget *w, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = w->palette();
    palette.setColor(role, colour);
    w->setPalette(palette);
}
