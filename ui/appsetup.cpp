// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "appsetup.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

void setUpApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Menvori"));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(DesktopEntryId));
    QApplication::setWindowIcon(QIcon::fromTheme(QString::fromLatin1(DesktopEntryId),
                                                 QIcon(QStringLiteral(":/icons/menvori.png"))));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}
