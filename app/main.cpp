#include "frmmenvori.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // One look on every desktop, so that every caption fits its control.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    frmMenvori window;
    window.load();
    window.show();
    return app.exec();
}
