// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

// In-process timings of the drill's commands, each the median of many runs,
// printed as "<name> <median µs>" lines for the benchmark driver:
//   measure@1, measure@2   a new measurement (clear, rule, generation, zoom,
//                          slide, labels) plus painting both pictures at
//                          screen scale 1 or 2
//   check                  checkAnswer with its label updates
//   parse-1MB, -2MB, -4MB  parseNumber on pasted texts of those sizes
#include "appsetup.h"
#include "picturearea.h"
#include "frmmenvori.h"
#include "numbers.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double medianMicroseconds(int runs, const std::function<void()> &prepare, const std::function<void()> &work)
{
    std::vector<double> times;
    times.reserve(size_t(runs));
    for (int i = 0; i < runs; ++i) {
        prepare();
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[size_t(runs / 2)];
}

void report(const char *name, double micros)
{
    std::printf("%s %.3f\n", name, micros);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setUpApplication();

    // The window as the program starts it, at 0,05 mm, found by its
    // controls' names.
    frmMenvori w;
    w.findChild<QAction *>(QStringLiteral("mnu5Centèssimes"))->trigger();
    w.show();
    QCoreApplication::processEvents();
    auto *measure = w.findChild<QPushButton *>(QStringLiteral("cmdNovaMesura"));
    auto *check = w.findChild<QPushButton *>(QStringLiteral("cmdComprovacio"));
    auto *answer = w.findChild<QLineEdit *>(QStringLiteral("txtSolucioAlumnes"));
    auto *caliper = w.findChild<PictureArea *>(QStringLiteral("PicCoordenades"));
    auto *zoom = w.findChild<PictureArea *>(QStringLiteral("PicZoom"));

    for (qreal scale : {1.0, 2.0}) {
        const double t = medianMicroseconds(
            2001, [&] { check->click(); },
            [&] {
                measure->click();
                (void)caliper->picture().render(scale);
                (void)zoom->picture().render(scale);
            });
        report(scale == 1.0 ? "measure@1" : "measure@2", t);
    }

    report("check", medianMicroseconds(
                        2001,
                        [&] {
                            measure->click();
                            answer->setText(QStringLiteral("12.35"));
                        },
                        [&] { check->click(); }));

    for (int megabytes : {1, 2, 4}) {
        // A reading followed by a long paste of digits, blanks and points:
        // every character is looked at until the second point ends it.
        std::u16string text = u"12.35";
        const size_t size = size_t(megabytes) << 20;
        while (text.size() < size)
            text += u"3 1 4 1 5 9 2 6 ";
        text += u".5";
        char name[32];
        std::snprintf(name, sizeof name, "parse-%dMB", megabytes);
        volatile double sink = 0;
        report(name, medianMicroseconds(51, [] {}, [&] { sink = sink + parseNumber(text); }));
    }
    return 0;
}
