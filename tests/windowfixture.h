// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "appsetup.h"
#include "caliper.h"
#include "frmintroduccio.h"
#include "frmmenvori.h"
#include "picturearea.h"
#include "posedrandom.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// A window's control as whoever watches from outside finds it: by the name
// it carries. Ends the test program when there is none.
template <typename T>
T *findNamed(const QWidget *window, const char *name)
{
    auto *found = window->findChild<T *>(QString::fromUtf8(name));
    if (!found)
        qFatal("%s has no %s", qPrintable(window->objectName()), name);
    return found;
}

// The introduction window's button.
inline QPushButton *startButton(const frmIntroduccio *intro)
{
    return findNamed<QPushButton>(intro, "cmdComençar");
}

// The main window as a test drives it from outside: its controls, found by
// the names they carry, and the drill's state, read only.
struct MainWindow {
    std::unique_ptr<frmMenvori> window;
    PosedRandom *random = nullptr; // where the test poses the measurements

    explicit MainWindow(std::unique_ptr<frmMenvori> w)
        : window(std::move(w))
    {
    }
    template <typename T>
    T *find(const char *name) const
    {
        return findNamed<T>(window.get(), name);
    }
    frmMenvori *operator->() const { return window.get(); }
    const ExerciseState &state() const { return window->drillState(); }
    CaliperPictures pictures() const { return {PicCoordenades->picture(), PicZoom->picture()}; }

    PictureArea *PicCoordenades = find<PictureArea>("PicCoordenades"), *PicZoom = find<PictureArea>("PicZoom");
    QPushButton *cmdNovaMesura = find<QPushButton>("cmdNovaMesura");
    QPushButton *cmdComprovacio = find<QPushButton>("cmdComprovacio");
    QPushButton *cmdSortir = find<QPushButton>("cmdSortir");
    QLineEdit *txtSolucioAlumnes = find<QLineEdit>("txtSolucioAlumnes");
    QLineEdit *txtApreciacio = find<QLineEdit>("txtApreciacio");
    QLabel *lblOK = find<QLabel>("lblOK"), *lblResultat = find<QLabel>("lblResultat");
    QLabel *lblValorNonius = find<QLabel>("lblValorNonius"), *lblTirades = find<QLabel>("lblTirades");
    QLabel *lblEncerts = find<QLabel>("lblEncerts"), *lblTitol = find<QLabel>("lblTitol");
    QRadioButton *OptZoom = find<QRadioButton>("OptZoom"), *OptNoZoom = find<QRadioButton>("OptNoZoom");
    QMenu *mnuApreciacio = find<QMenu>("mnuApreciació");
    QAction *mnuDecimes = find<QAction>("mnuDècimes"), *mnu5Centessimes = find<QAction>("mnu5Centèssimes");
};

// The drill's step as the window shows it, from which of the two drill
// buttons is enabled; exactly one of them always is.
inline const QString WaitingForAnswer = QStringLiteral("waiting for an answer");
inline const QString WaitingForMeasurement = QStringLiteral("waiting for a measurement");
inline QString drillStep(const MainWindow &w)
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
    startButton(intro)->click();
}

// Starts the main window as the program does: load, which shows the
// introduction window; `closeIntro` is run once that is on screen, and must
// close it; the main window then shows itself. Ends the test program within
// seconds, saying what it waited for, when a window does not come or go.
inline MainWindow startMainWindow(
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
    return MainWindow(std::move(window));
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

// The main window with a random source that poses what the test asks, first
// `drawn` (then random->pose).
inline MainWindow startPosedWindow(int drawn, const CloseIntro &closeIntro = pressStart)
{
    auto *random = new PosedRandom; // owned by the window
    random->pose(drawn);
    MainWindow w = startMainWindow(std::unique_ptr<RandomSource>(random), closeIntro);
    w.random = random;
    return w;
}

// The width a caption needs: its text without the access-key marker.
inline int captionWidth(const QWidget *w, QString caption)
{
    caption.remove(QLatin1Char('&'));
    return w->fontMetrics().horizontalAdvance(caption);
}
