// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "appsetup.h"

#include "keystate.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QStyleFactory>

namespace {

// The theme's icon where the program is installed with its icons, else the
// one shipped inside it. Looking a name up in the theme costs a search of
// every icon folder when the name is not there, a good part of start-up, so
// the theme is asked only when the installed icon stands beside the program.
QIcon programIcon()
{
    const QIcon shipped(QStringLiteral(":/icons/menvori.png"));
    const QString name = QString::fromLatin1(DesktopEntryId);
    const QString installed = QCoreApplication::applicationDirPath()
                              + QStringLiteral("/../share/icons/hicolor/scalable/apps/") + name
                              + QStringLiteral(".svg");
    return QFileInfo::exists(installed) ? QIcon::fromTheme(name, shipped) : shipped;
}

} // namespace

void setUpApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Menvori"));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(DesktopEntryId));
    QApplication::setWindowIcon(programIcon());
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    KeyState::install();
}
