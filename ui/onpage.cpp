// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "onpage.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

QPoint placeOnPage(const QRect &room, const QSize &frame, std::optional<QPoint> wanted)
{
    const QPoint corner = wanted.value_or(
        room.topLeft() + QPoint((room.width() - frame.width()) / 2, (room.height() - frame.height()) / 2));
    // The right and bottom edges first, so that the left and top win where
    // the frame is the larger.
    const int x = std::max(room.left(), std::min(corner.x(), room.left() + room.width() - frame.width()));
    const int y = std::max(room.top(), std::min(corner.y(), room.top() + room.height() - frame.height()));
    return {x, y};
}

void showOnPage(QWidget *window, std::optional<QPoint> wanted)
{
    window->setVisible(true);
#ifdef Q_OS_WASM
    // The frame's size is known once the window is on the page.
    const auto place = [window](std::optional<QPoint> at) {
        if (const QScreen *screen = window->screen())
            window->move(placeOnPage(screen->availableGeometry(), window->frameGeometry().size(), at));
    };
    place(wanted);
    window->activateWindow();
    if (QScreen *screen = window->screen())
        QObject::connect(screen, &QScreen::availableGeometryChanged, window, [place] { place(std::nullopt); });
#else
    Q_UNUSED(wanted);
#endif
}
