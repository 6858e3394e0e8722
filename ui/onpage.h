// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

class QWidget;

// In a web page there is no window manager: nothing places a window that is
// shown, gives it the keyboard, or keeps it on the page when the page
// changes size (a phone or tablet turned, a browser window resized). On the
// desktop the window manager does all of it.

// Where the top left corner of a window's frame of size `frame` goes in
// `room`: at `wanted`, moved the least that keeps the frame inside; centred
// where nothing is wanted. Where the frame is larger than the room, its top
// left corner stays in it.
QPoint placeOnPage(const QRect &room, const QSize &frame, std::optional<QPoint> wanted = std::nullopt);

// The scale at which a window whose client area is `client` pixels fits
// `page`, with `frame` around it (its title bar and borders, which keep their
// size) and `margin` on every side; never above 1, never below SmallestScale.
inline constexpr qreal SmallestScale = 0.25;
qreal fitScale(const QSize &page, const QSize &client, const QSize &frame, int margin);

// Shows a top-level window at its own size. In a web page it also scales it
// down where the page is too small for it (fitScale), places it (its frame's
// top left at `wanted`, or centred), gives it the keyboard, and does it all
// again whenever the page changes size.
void showOnPage(QWidget *window, std::optional<QPoint> wanted = std::nullopt);
