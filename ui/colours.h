#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

// Gives a control its own background and text colours, as the windows lay
// them down, and has it fill its background. The disabled text colour is left
// to the style, so a disabled control keeps the platform's disabled look.
inline void setColours(QWidget *w, QPalette::ColorRole backgroundRole, const QColor &background,
                       QPalette::ColorRole textRole, const QColor &text)
{
    QPalette pal = w->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, backgroundRole, background);
        if (group != QPalette::Disabled)
            pal.setColor(group, textRole, text);
    }
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}
