// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor the toolkit sets: a bare Qt Widgets program that shows an empty
// window of the introduction window's size and then one of the main window's,
// reporting as bench_menvori does.
//   bench_bare startup | memory
#include "firstpaint.h"

#include <QStyleFactory>

#include <sys/resource.h>

#include <cstring>
#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const bool memory = argc > 1 && std::strcmp(argv[1], "memory") == 0;

    auto first = std::make_unique<QWidget>();
    first->resize(792, 573);
    QWidget second;
    second.resize(792, 554 + 22);
    std::chrono::steady_clock::time_point pressed;

    FirstPaint firstPainted([&](QWidget *w) { return w == first.get(); }, [&] {
        if (!memory)
            say("intro");
        QTimer::singleShot(100, [&] {
            pressed = std::chrono::steady_clock::now();
            first.reset();
            second.show();
        });
    });
    FirstPaint secondPainted([&](QWidget *w) { return w == &second; }, [&] {
        char line[64];
        if (memory) {
            rusage usage{};
            getrusage(RUSAGE_SELF, &usage);
            std::snprintf(line, sizeof line, "maxrss %ld", usage.ru_maxrss);
        } else {
            std::snprintf(line, sizeof line, "main %.1f", microsecondsSince(pressed));
        }
        say(line);
        QCoreApplication::exit(0);
    });
    first->show();
    return QApplication::exec();
}
