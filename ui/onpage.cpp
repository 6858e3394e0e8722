// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "onpage.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>

#ifdef Q_OS_WASM
#include <QtGui/private/qhighdpiscaling_p.h>
#include <qpa/qplatformscreen.h>

#include <emscripten/val.h>
#endif

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

qreal fitScale(const QSize &page, const QSize &client, const QSize &frame, int margin)
{
    const qreal across = qreal(page.width() - frame.width() - 2 * margin) / client.width();
    const qreal down = qreal(page.height() - frame.height() - 2 * margin) / client.height();
    return std::clamp(std::min(across, down), SmallestScale, 1.0);
}

#ifdef Q_OS_WASM
namespace {

// Around the window, in the page's pixels.
constexpr int PageMargin = 8;

// The page's size in its own (CSS) pixels, whatever scale the windows are
// drawn at.
QSize pageSize(const QScreen *screen)
{
    return screen->handle()->geometry().size();
}

// Scales everything the program draws on the page so that `window` fits it
// whole, at most at its own size. The window keeps its size in the
// program's own pixels; Qt draws it at the device's pixels for the new
// scale, so it stays sharp. The page is told the scale (the root element's
// data-escala), to size what it shows beside the window.
void fitToPage(QWidget *window)
{
    QScreen *screen = window->screen();
    QWindow *handle = window->windowHandle();
    if (!screen || !handle)
        return;
    // The frame is the page's: its title bar and borders keep their size.
    const qreal old = QHighDpiScaling::factor(screen);
    const QSize frame = (window->frameGeometry().size() - window->geometry().size()) * old;
    const qreal scale = fitScale(pageSize(screen), window->size(), frame, PageMargin);
    if (std::abs(scale - old) > 0.001) {
        const QRect geometry = handle->geometry();
        QHighDpiScaling::setScreenFactor(screen, scale);
        handle->setGeometry(geometry);
    }
    emscripten::val::global("document")["documentElement"].call<void>(
        "setAttribute", std::string("data-escala"), std::to_string(scale));
}

} // namespace
#endif

void showOnPage(QWidget *window, std::optional<QPoint> wanted)
{
#ifdef Q_OS_WASM
    // Shown without the keyboard, which it takes below: a browser page gives
    // the keyboard to a window being shown before its controls are, and it
    // is then lost.
    window->setAttribute(Qt::WA_ShowWithoutActivating);
#endif
    window->setVisible(true);
#ifdef Q_OS_WASM
    // The frame's size is known once the window is on the page.
    const auto place = [window](std::optional<QPoint> at) {
        fitToPage(window);
        if (const QScreen *screen = window->screen())
            window->move(placeOnPage(screen->availableGeometry(), window->frameGeometry().size(), at));
    };
    place(wanted);
    // The window takes the keyboard once the window system has handled what
    // came before, and again each time the keyboard is left with no window
    // until it has it: the window that closed to make way for this one gives
    // the keyboard up to nobody, sooner or later than this one comes.
    const auto takeKeyboard = [window] {
        QTimer::singleShot(0, window, [window] {
            if (window->isVisible() && !QGuiApplication::focusWindow())
                window->activateWindow();
        });
    };
    takeKeyboard();
    // Watches only until the window has the keyboard.
    auto *watcher = new QObject(window);
    QObject::connect(qApp, &QGuiApplication::focusWindowChanged, watcher,
                     [window, watcher, takeKeyboard](QWindow *focus) {
        if (!focus)
            takeKeyboard();
        else if (focus == window->windowHandle())
            watcher->deleteLater();
    });
    // Queued: the scale changes the screen's geometry too.
    if (QScreen *screen = window->screen())
        QObject::connect(screen, &QScreen::geometryChanged, window, [place] { place(std::nullopt); },
                         Qt::QueuedConnection);
#else
    Q_UNUSED(wanted);
#endif
}
