// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "appsetup.h"
#include "frmintroduccio.h"
#include "frmmenvori.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// The drill's step as the window shows it, from which of the two drill
// buttons is enabled; exactly one of them always is.
inline const QString WaitingForAnswer = QStringLiteral("waiting for an answer");
inline const QString WaitingForMeasurement = QStringLiteral("waiting for a measurement");
inline QString drillStep(const frmMenvori &w)
{
    const bool measure = w.cmdNovaMesura->isEnabled(), check = w.cmdComprovacio->isEnabled();
    if (measure == check)
        return measure ? QStringLiteral("both drill buttons enabled") : QStringLiteral("no drill button enabled");
    return check ? WaitingForAnswer : WaitingForMeasurement;
}

// How a test closes the introduction window once it is up.
using CloseIntro = std::function<void(frmIntroduccio *)>;

inline void pressStart(frmIntroduccio *intro)
{
    intro->cmdComençar->click();
}

// Starts the main window as the program does: load (which shows the
// introduction window modally), then show. `closeIntro` is run once the
// introduction window is up, and must close it. Ends the test program within
// seconds, saying what it waited for, when the introduction window does not
// come up or does not close.
inline std::unique_ptr<frmMenvori> startMainWindow(
    std::unique_ptr<RandomSource> random = std::make_unique<ClockRandomSource>(),
    const CloseIntro &closeIntro = pressStart)
{
    auto window = std::make_unique<frmMenvori>(std::move(random));
    bool closed = false;
    const QDeadlineTimer deadline(5000);
    QTimer poll; // lives only as long as this call
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *intro = qobject_cast<frmIntroduccio *>(QApplication::activeModalWidget());
        if (!closed && intro && intro->isVisible()) {
            closed = true;
            closeIntro(intro);
        } else if (deadline.hasExpired()) {
            qFatal(closed ? "the introduction window was still open 5 s after the test closed it"
                          : "the introduction window did not come up within 5 s");
        }
    });
    poll.start();
    window->load();
    poll.stop();
    if (!closed)
        qFatal("load() returned before the introduction window was closed");
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qFatal("the main window was not on screen within 5 s");
    window->activateWindow();
    // Some platforms never report the window active; the tests that need it
    // check for themselves.
    (void)QTest::qWaitForWindowActive(window.get());
    return window;
}

// Runs the application's event loop, starting with `then`, until the program
// ends it, and returns its exit status. A watchdog that dies with this call
// ends the loop with 99 after 5 s.
inline int runEventLoop(const std::function<void()> &then)
{
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(5000);
    QTimer::singleShot(0, &watchdog, then);
    return QApplication::exec();
}
