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
