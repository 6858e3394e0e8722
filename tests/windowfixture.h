// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "appsetup.h"
#include "frmintroduccio.h"
#include "frmmenvori.h"

#include <QApplication>
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

// Starts the main window as the program does: load, which shows the
// introduction window; `closeIntro` is run once that is on screen, and must
// close it; the main window then shows itself. Ends the test program within
// seconds, saying what it waited for, when a window does not come or go.
inline std::unique_ptr<frmMenvori> startMainWindow(
    std::unique_ptr<RandomSource> random = std::make_unique<ClockRandomSource>(),
    const CloseIntro &closeIntro = pressStart)
{
    auto window = std::make_unique<frmMenvori>(std::move(random));
    window->load();
    auto *intro = qobject_cast<frmIntroduccio *>(QApplication::activeModalWidget());
    if (!intro || !QTest::qWaitForWindowExposed(intro))
        qFatal("the introduction window did not come up within 5 s");
    closeIntro(intro);
    if (!QTest::qWaitFor([&] { return window->isVisible(); }, 5000))
        qFatal("the main window did not show within 5 s of the introduction window's closing");
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
