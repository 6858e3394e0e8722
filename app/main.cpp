// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "appsetup.h"
#include "frmmenvori.h"
#include "runningmark.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    markRunning();
    QApplication app(argc, argv);
    setUpApplication();

    // The main window shows itself once the introduction window has closed.
    frmMenvori window;
    window.load();
    return app.exec();
}
