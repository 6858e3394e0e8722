// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The title window that greets the student before the drill: a picture of a
// caliper, the title, a credit line and "Començar". It has no state; closing
// it by the button, by Escape or by its frame all lead on to the drill
// (QDialog::finished).
class frmIntroduccio : public QDialog {
    Q_OBJECT

public:
    explicit frmIntroduccio(QWidget *parent = nullptr);

    QPushButton *cmdComençar;
    QLabel *lblEtiqueta;
    QLabel *lblAutor;
    QLabel *picDibuix;

signals:
    // Once, when the window's first picture has reached the screen: from then
    // on the student is looking at it.
    void painted();

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool paintedOnce_ = false;
};
