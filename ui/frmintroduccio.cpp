// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmintroduccio.h"

#include "appfonts.h"
#include "colours.h"
#include "controls.h"
#include "setcolour.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

frmIntroduccio::frmIntroduccio(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QString::fromUtf8(places::frmIntroduccio.name));
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
    resize(pixelsOf(places::frmIntroduccio).size());

    const QFont regularMedium = appfonts::sans(appfonts::Medium, false);
    auto *cmdComencar = makeControl<QPushButton>(this, places::cmdComencar, QStringLiteral("&Començar"), regularMedium);
    cmdComencar->setAutoDefault(true);
    // Unlike the main window's buttons, Alt+C keeps Qt's 100 ms press here:
    // a Return pressed meanwhile presses this same button, instead of
    // reaching the main window, already up, as a press of "Nova Mesura".
    connect(cmdComencar, &QPushButton::clicked, this, &QDialog::accept);

    auto *lblEtiqueta = makeLabel(this, places::lblEtiqueta, QStringLiteral("El Menvori"), appfonts::wide(appfonts::Title),
                                  Qt::AlignHCenter);
    lblEtiqueta->setWordWrap(true);
    setColour(lblEtiqueta, QPalette::WindowText, QColor(colours::Red));

    auto *lblAutor = makeLabel(this, places::lblAutor, QStringLiteral("Pràctiques de lectura del peu de rei"),
                               regularMedium, Qt::AlignLeft);
    lblAutor->setWordWrap(true);
    setColour(lblAutor, QPalette::WindowText, credit);

    auto *picDibuix = makeLabel(this, places::picDibuix, QString(), font(), Qt::AlignLeft);
    picDibuix->setPixmap(QPixmap(QStringLiteral(":/images/peu_de_rei.bmp")));
    picDibuix->setAccessibleName(QStringLiteral("Dibuix d'un peu de rei"));

    cmdComencar->setFocus();
}

void frmIntroduccio::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    // The first picture reaches the screen with the window's next frame: in
    // a browser page, only once the program has handed the browser back its
    // turn. The window's next update request comes with the frame after it
    // has been drawn, and a zero timer runs once that frame is done.
    if (!paintedOnce_ && windowHandle()) {
        paintedOnce_ = true;
        windowHandle()->installEventFilter(this);
        windowHandle()->requestUpdate();
    }
}

bool frmIntroduccio::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle() && event->type() == QEvent::UpdateRequest) {
        watched->removeEventFilter(this);
        QTimer::singleShot(0, this, &frmIntroduccio::painted);
    }
    return QDialog::eventFilter(watched, event);
}
