// One whole drill session, driven from inside the process the way the
// program runs: the introduction window closed by its button, the main
// window shown, N cycles of measurement and check, then "Sortir". Used by
// the leak check under valgrind. Usage: session_driver [cycles]
#include "appfonts.h"
#include "windowfixture.h"

#include <QLineEdit>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    appfonts::load();
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 20;

    auto window = startMainWindow();
    frmMenvori &w = *window;
    QTimer::singleShot(0, &w, [&] {
        for (int i = 0; i < cycles; ++i) {
            w.cmdNovaMesura->click();
            w.txtSolucioAlumnes->setText(i % 2 ? QStringLiteral("12.35") : QStringLiteral("1"));
            w.cmdComprovacio->click();
            QCoreApplication::processEvents();
        }
        w.cmdSortir->click();
    });
    return QApplication::exec();
}
