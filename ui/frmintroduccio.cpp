// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmintroduccio.h"

#include "appfonts.h"
#include "colours.h"
#include "setcolour.h"
#include "twips.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

frmIntroduccio::frmIntroduccio(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmIntroduccio"));
    // An empty title bar. Qt shows the program's name for an empty title, so
    // the title is a single blank.
    setWindowTitle(QStringLiteral(" "));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);
    // White on black; the credit line takes the platform's highlighted-text
    // colour, read before the window's own colours are set.
    const QColor credit = palette().color(QPalette::HighlightedText);
    setColour(this, QPalette::Window, QColor(colours::Black));
    setColour(this, QPalette::WindowText, QColor(colours::White));
    resize(twipsToPixels(11880), twipsToPixels(8595));

    cmdComençar = new QPushButton(QStringLiteral("&Començar"), this);
    cmdComençar->setObjectName(QStringLiteral("cmdComençar"));
    cmdComençar->setGeometry(twipsRect(5040, 5640, 1875, 615));
    cmdComençar->setFont(appfonts::sans(appfonts::Medium, false));
    cmdComençar->setAutoDefault(true);
    // Unlike the main window's buttons, Alt+C keeps Qt's 100 ms press here:
    // a Return pressed meanwhile presses this same button, instead of
    // reaching the main window, already up, as a press of "Nova Mesura".
    connect(cmdComençar, &QPushButton::clicked, this, &QDialog::accept);

    lblEtiqueta = new QLabel(QStringLiteral("El Menvori"), this);
    lblEtiqueta->setObjectName(QStringLiteral("lblEtiqueta"));
    lblEtiqueta->setGeometry(twipsRect(4080, 3480, 3975, 1575));
    lblEtiqueta->setFont(appfonts::wide(appfonts::Title));
    lblEtiqueta->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblEtiqueta->setWordWrap(true);
    setColour(lblEtiqueta, QPalette::WindowText, QColor(colours::Red));

    lblAutor = new QLabel(QStringLiteral("Pràctiques de lectura del peu de rei"), this);
    lblAutor->setObjectName(QStringLiteral("lblAutor"));
    lblAutor->setGeometry(twipsRect(9360, 7320, 2055, 735));
    lblAutor->setFont(appfonts::sans(appfonts::Medium, false));
    lblAutor->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblAutor->setWordWrap(true);
    setColour(lblAutor, QPalette::WindowText, credit);

    picDibuix = new QLabel(this);
    picDibuix->setObjectName(QStringLiteral("picDibuix"));
    picDibuix->setGeometry(twipsRect(2880, 240, 7215, 2895));
    picDibuix->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picDibuix->setPixmap(QPixmap(QStringLiteral(":/images/peu_de_rei.bmp")));
    picDibuix->setAccessibleName(QStringLiteral("Dibuix d'un peu de rei"));

    cmdComençar->setFocus();
}

void frmIntroduccio::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    // A zero timer runs once this whole repaint, children and the flush to
    // the screen included, is done.
    if (!paintedOnce_) {
        paintedOnce_ = true;
        QTimer::singleShot(0, this, &frmIntroduccio::painted);
    }
}
