// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Bench-only build of the program's start-up, as app/main.cpp does it, with
// reports on standard output for the benchmark driver:
//   bench_menvori startup   "intro" at the introduction window's first
//                           completed paint; 100 ms later (sooner than any
//                           student reads the window and reaches the button)
//                           presses Començar and says "main <µs>" at the
//                           main window's first paint.
//   bench_menvori memory    the same start, 1000 drill cycles with painting,
//                           then "maxrss <KiB>".
#include "appsetup.h"
#include "firstpaint.h"
#include "frmintroduccio.h"
#include "frmmenvori.h"

#include <QLineEdit>
#include <QPushButton>

#include <sys/resource.h>

#include <cstring>
#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setUpApplication();
    const bool memory = argc > 1 && std::strcmp(argv[1], "memory") == 0;

    frmMenvori window;
    std::chrono::steady_clock::time_point pressed;
    FirstPaint introPainted([](QWidget *w) { return qobject_cast<frmIntroduccio *>(w) != nullptr; }, [&] {
        if (!memory)
            say("intro");
        QTimer::singleShot(100, [&] {
            pressed = std::chrono::steady_clock::now();
            if (auto *intro = qobject_cast<frmIntroduccio *>(QApplication::activeModalWidget()))
                intro->findChild<QPushButton *>(QStringLiteral("cmdComençar"))->click();
        });
    });
    FirstPaint mainPainted([&](QWidget *w) { return w == &window; }, [&] {
        if (!memory) {
            char line[64];
            std::snprintf(line, sizeof line, "main %.1f", microsecondsSince(pressed));
            say(line);
            QCoreApplication::exit(0);
            return;
        }
        auto *measure = window.findChild<QPushButton *>(QStringLiteral("cmdNovaMesura"));
        auto *check = window.findChild<QPushButton *>(QStringLiteral("cmdComprovacio"));
        auto *answer = window.findChild<QLineEdit *>(QStringLiteral("txtSolucioAlumnes"));
        for (int i = 0; i < 1000; ++i) {
            measure->click();
            answer->setText(QStringLiteral("12.35"));
            check->click();
            QCoreApplication::processEvents();
        }
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        char line[64];
        std::snprintf(line, sizeof line, "maxrss %ld", usage.ru_maxrss);
        say(line);
        QCoreApplication::exit(0);
    });

    window.load();
    return QApplication::exec();
}
