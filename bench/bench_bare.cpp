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
Control *place(QWidget *parent, const char *text, int x, int y, int w, int h, const QFont &font)
{
    auto *control = new Control(QString::fromUtf8(text), parent);
    control->setGeometry(x, y, w, h);
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
    intro->resize(792, 573);
    intro->setPalette(colours(intro->palette(), Qt::black, Qt::white));
    intro->setAutoFillBackground(true);
    auto *picture = new QLabel(intro.get());
    picture->setGeometry(192, 16, 481, 193);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setPixmap(QPixmap(QStringLiteral(":/images/peu_de_rei.bmp")));
    auto *title = place<QLabel>(intro.get(), "El Menvori", 272, 232, 265, 105, face("Liberation Serif", 37, true, 160));
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    title->setWordWrap(true);
    title->setPalette(colours(title->palette(), Qt::black, Qt::red));
    place<QLabel>(intro.get(), "Pràctiques de lectura del peu de rei", 624, 488, 137, 49,
                  face("Liberation Sans", 13, false, 92))
        ->setWordWrap(true);
    place<QPushButton>(intro.get(), "&Començar", 336, 376, 125, 41, face("Liberation Sans", 13, false, 92))->setFocus();
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
    const QFont small = face("Liberation Sans", 11, false, 92), smallBold = face("Liberation Sans", 11, true, 92);
    const QFont medium = face("Liberation Sans", 13, false, 92), mediumBold = face("Liberation Sans", 13, true, 92);
    const QFont large = face("Liberation Sans", 16, true, 92);

    for (const QRect &area : {QRect(0, 104, 793, 241), QRect(400, 0, 387, 97)}) {
        auto *picture = new QWidget(client);
        picture->setGeometry(area);
        picture->setAutoFillBackground(true);
    }
    place<QPushButton>(client, "Nova &Mesura", 384, 456, 97, 41, small);
    place<QLabel>(client, "Solució", 272, 384, 193, 17, large)->setAlignment(Qt::AlignHCenter);
    place<QPushButton>(client, "&Sortir", 648, 456, 97, 41, small);
    place<QLabel>(client, "Menvori        Apreciació:", 8, 8, 225, 25, large);
    place<QLabel>(client, "Introduïu el resultat:", 48, 384, 137, 25, mediumBold);
    place<QLineEdit>(client, "", 48, 408, 137, 25, large);
    place<QPushButton>(client, "&Comprovació", 512, 456, 105, 41, small)->setEnabled(false);
    place<QLabel>(client, "", 40, 464, 217, 25, large);
    for (const QRect &framed : {QRect(264, 408, 97, 25), QRect(368, 408, 105, 25), QRect(512, 408, 113, 25),
                                QRect(632, 408, 113, 25)})
        place<QLabel>(client, "", framed.x(), framed.y(), framed.width(), framed.height(), medium)
            ->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    place<QLineEdit>(client, "0,05 mm", 240, 8, 97, 25, large)->setEnabled(false);
    place<QLabel>(client, "Comptador", 584, 384, 113, 25, large);
    place<QLabel>(client, "línia del nònius que coincideix amb una del regle fix", 408, 8, 313, 17, smallBold)
        ->setAlignment(Qt::AlignHCenter);
    place<QRadioButton>(client, "Zoom Nònius", 32, 56, 137, 25, smallBold)->setChecked(true);
    place<QRadioButton>(client, "Sense Zoom", 232, 56, 137, 25, smallBold);
    window.resize(792, window.menuBar()->sizeHint().height() + 554);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
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
            second.show();
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
    first->show();
    return QApplication::exec();
}
