#include "appsetup.h"
#include "frmmenvori.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setUpApplication();

    frmMenvori window;
    window.load();
    window.show();
    return app.exec();
}
