// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "places.h"
#include "twips.h"

#include <QFont>
#include <QLabel>

// How both windows make their controls: each named and placed as the table of
// places says (places.txt), with its caption and face.

template <typename Control>
Control *makeControl(QWidget *parent, const Place &place, const QString &text, const QFont &font)
{
    auto *control = new Control(text, parent);
    control->setObjectName(QString::fromUtf8(place.name));
    control->setGeometry(pixelsOf(place));
    control->setFont(font);
    return control;
}

// A label whose text runs from its top, aligned as given; framed, with a thin
// sunken frame.
QLabel *makeLabel(QWidget *parent, const Place &place, const QString &text, const QFont &font,
                  Qt::Alignment alignment, bool framed = false);
