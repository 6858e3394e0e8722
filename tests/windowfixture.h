#pragma once

#include "frmintroduccio.h"
#include "frmmenvori.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// Starts the main window as the program does: load (which shows the
// introduction window modally), then show. `closeIntro` is run once the
// introduction window is up, and must close it.
inline std::unique_ptr<frmMenvori> startMainWindow(
    std::function<void(frmIntroduccio *)> closeIntro = [](frmIntroduccio *intro) {
        intro->cmdComençar->click();
    })
{
    auto window = std::make_unique<frmMenvori>();
    bool closed = false;
    std::function<void()> poll;
    poll = [&] {
        auto *intro = qobject_cast<frmIntroduccio *>(QApplication::activeModalWidget());
        if (!intro || !intro->isVisible()) {
            QTimer::singleShot(5, poll);
            return;
        }
        closeIntro(intro);
        closed = true;
    };
    QTimer::singleShot(0, poll);
    window->load();
    if (!closed)
        qFatal("load() returned before the introduction window was closed");
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qFatal("main window not exposed");
    window->activateWindow();
    // Some platforms never report the window active; the tests that need it
    // check for themselves.
    (void)QTest::qWaitForWindowActive(window.get());
    return window;
}
