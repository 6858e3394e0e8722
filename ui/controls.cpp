// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls.h"

QLabel *makeLabel(QWidget *parent, const Place &place, const QString &text, const QFont &font,
                  Qt::Alignment alignment, bool framed)
{
    auto *label = makeControl<QLabel>(parent, place, text, font);
    label->setAlignment(alignment | Qt::AlignTop);
    if (framed) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setLineWidth(1);
        label->setIndent(2);
    }
    return label;
}
