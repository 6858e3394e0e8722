// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the two caliper pictures of one measurement as PNG images, so that
// any measurement's picture can be looked at without playing the drill.
//
//   caliper_png <out-prefix> rest [scale]
//   caliper_png <out-prefix> <Posicio> <1|2> [scale]
//
// writes <out-prefix>-caliper.png and <out-prefix>-zoom.png. Posicio is the
// slide position in twips (1000..10000), 1 the 0,05 mm vernier and 2 the
// 0,1 mm one; scale is the screen's device pixels per pixel (default 1).
#include "caliper.h"
#include "measurement.h"

#include <QGuiApplication>

#include <cmath>
#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool rest = args.size() >= 3 && args[2] == QLatin1String("rest");
    if (args.size() < 3 || (!rest && args.size() < 4)) {
        std::fprintf(stderr, "usage: caliper_png <out-prefix> rest [scale]\n"
                             "       caliper_png <out-prefix> <Posicio> <1|2> [scale]\n");
        return 2;
    }
    const int scaleArg = rest ? 3 : 4;
    const double scale = args.size() > scaleArg ? args[scaleArg].toDouble() : 1.0;
    if (!(scale > 0 && scale <= 8)) {
        std::fprintf(stderr, "caliper_png: scale must be between 0 and 8\n");
        return 2;
    }

    CaliperPictures pictures;
    if (rest) {
        pictures = restPictures();
    } else {
        bool ok = false;
        const int posicio = args[2].toInt(&ok);
        const int apreciacio = args[3].toInt();
        if (!ok || posicio < 1000 || posicio > 10000 || (apreciacio != 1 && apreciacio != 2)) {
            std::fprintf(stderr, "caliper_png: Posicio 1000..10000 and resolution 1 or 2\n");
            return 2;
        }
        pictures = measurementPictures(measurementAt(posicio, apreciacio));
    }

    const QString prefix = args[1];
    const bool saved = pictures.caliper.render(scale).save(prefix + "-caliper.png")
                       && pictures.zoom.render(scale).save(prefix + "-zoom.png");
    if (!saved) {
        std::fprintf(stderr, "caliper_png: cannot write %s-*.png\n", qPrintable(prefix));
        return 1;
    }
    return 0;
}
