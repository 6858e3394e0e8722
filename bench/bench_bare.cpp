// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor the toolkit sets: a plain Qt Widgets program that shows what
// Menvori shows, with none of its code. First a window like the
// introduction (black, the caliper picture, the wide red title, the credit
// line and the button, in the same faces), then one like the main window
// (its menu, its nineteen controls in their places and faces, two empty
// peach picture areas): no drill, no caliper drawing, no font lookup of its
// own. It reports as bench_menvori does.
//   bench_bare startup | memory
#include "firstpaint.h"
#include "places.h"
#include "twips.h"

#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>

#include <sys/resource.h>

#include <cstring>
#include <memory>

namespace {

QFont face(const char *family, int pixels, bool bold, int stretch)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setStretch(stretch);
    return font;
}

template <typename Control>
Control *place(QWidget *parent, const char *text, const Place &where, const QFont &font)
{
    auto *control = new Control(QString::fromUtf8(text), parent);
    control->setGeometry(pixelsOf(where));
    control->setFont(font);
    return control;
}

QPalette colours(QPalette palette, QColor window, QColor text)
{
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    return palette;
}

std::unique_ptr<QWidget> introWindow()
{
    auto intro = std::make_unique<QWidget>();
    intro->resize(pixelsOf(places::frmIntroduccio).size());
    intro->setPalette(colours(intro->palette(), Qt::black, Qt::white));
    intro->setAutoFillBackground(true);
    auto *picture = new QLabel(intro.get());
    picture->setGeometry(pixelsOf(places::picDibuix));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setPixmap(QPixmap(QStringLiteral(":/images/peu_de_rei.bmp")));
    auto *title = place<QLabel>(intro.get(), "El Menvori", places::lblEtiqueta, face(MENVORI_WIDE_FAMILY, 37, true, 160));
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    title->setWordWrap(true);
    title->setPalette(colours(title->palette(), Qt::black, Qt::red));
    place<QLabel>(intro.get(), "Pràctiques de lectura del peu de rei", places::lblAutor,
                  face(MENVORI_SANS_FAMILY, 13, false, 92))
        ->setWordWrap(true);
    place<QPushButton>(intro.get(), "&Començar", places::cmdComencar, face(MENVORI_SANS_FAMILY, 13, false, 92))->setFocus();
    return intro;
}

void buildMainWindow(QMainWindow &window)
{
    window.setWindowTitle(QStringLiteral("Menvori"));
    window.menuBar()->setNativeMenuBar(false);
    QMenu *menu = window.menuBar()->addMenu(QStringLiteral("&Apreciació"));
    menu->addAction(QStringLiteral("0,1 mm"));
    menu->addAction(QStringLiteral("0,05 mm"));
    menu->addSeparator();
    menu->addAction(QStringLiteral("&Sortir"));

    auto *client = new QWidget(&window);
    client->setPalette(colours(client->palette(), QColor(255, 224, 192), Qt::black));
    client->setAutoFillBackground(true);
    window.setCentralWidget(client);
    const QFont small = face(MENVORI_SANS_FAMILY, 11, false, 92), smallBold = face(MENVORI_SANS_FAMILY, 11, true, 92);
    const QFont medium = face(MENVORI_SANS_FAMILY, 13, false, 92), mediumBold = face(MENVORI_SANS_FAMILY, 13, true, 92);
    const QFont large = face(MENVORI_SANS_FAMILY, 16, true, 92);

    QWidget *zoom = nullptr;
    for (const Place &area : {places::PicCoordenades, places::PicZoom}) {
        zoom = new QWidget(client);
        zoom->setGeometry(pixelsOf(area));
        zoom->setAutoFillBackground(true);
    }
    place<QPushButton>(client, "Nova &Mesura", places::cmdNovaMesura, small);
    place<QLabel>(client, "Solució", places::lblLectura, large)->setAlignment(Qt::AlignHCenter);
    place<QPushButton>(client, "&Sortir", places::cmdSortir, small);
    place<QLabel>(client, "Menvori        Apreciació:", places::lblTitol, large);
    place<QLabel>(client, "Introduïu el resultat:", places::lblSolucioAlumne, mediumBold);
    place<QLineEdit>(client, "", places::txtSolucioAlumnes, large);
    place<QPushButton>(client, "&Comprovació", places::cmdComprovacio, small)->setEnabled(false);
    place<QLabel>(client, "", places::lblOK, large);
    for (const Place &framed : {places::lblResultat, places::lblValorNonius, places::lblTirades, places::lblEncerts})
        place<QLabel>(client, "", framed, medium)->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    place<QLineEdit>(client, "0,05 mm", places::txtApreciacio, large)->setEnabled(false);
    place<QLabel>(client, "Comptador", places::lblComptador, large);
    place<QLabel>(zoom, "línia del nònius que coincideix amb una del regle fix", places::LblLecturaDirecte, smallBold)
        ->setAlignment(Qt::AlignHCenter);
    place<QRadioButton>(client, "Zoom Nònius", places::OptZoom, smallBold)->setChecked(true);
    place<QRadioButton>(client, "Sense Zoom", places::OptNoZoom, smallBold);
    window.resize(pixelsOf(places::frmMenvori).width(),
                  window.menuBar()->sizeHint().height() + pixelsOf(places::frmMenvori).height());
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Where the system has not the faces (a browser page), the copies
    // shipped inside the program serve, as they do for Menvori.
    if (!QFontDatabase::families().contains(QStringLiteral(MENVORI_SANS_FAMILY))) {
        for (const char *file : {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf",
                                 ":/fonts/LiberationSerif-Bold.ttf"})
            QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    }
    const bool memory = argc > 1 && std::strcmp(argv[1], "memory") == 0;

    // The main window is made before the introduction shows, as Menvori's is.
    QMainWindow second;
    buildMainWindow(second);
    auto first = introWindow();
    std::chrono::steady_clock::time_point pressed;

    FirstPaint firstPainted([&](QWidget *w) { return w == first.get(); }, [&] {
        if (!memory)
            say("intro");
        QTimer::singleShot(100, [&] {
            pressed = std::chrono::steady_clock::now();
            first.reset();
            second.setVisible(true); // at its own size, as Menvori shows it
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
    first->setVisible(true);
    return QApplication::exec();
}
