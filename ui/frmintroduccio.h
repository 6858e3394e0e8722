// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

// The title window that greets the student before the drill: a picture of a
// caliper, the title, a credit line and "Començar". It has no state; closing
// it by the button, by Escape or by its frame all lead on to the drill
// (QDialog::finished). Its controls carry their names (objectName), by which
// whoever watches the window from outside finds them.
class frmIntroduccio : public QDialog {
    Q_OBJECT

public:
    explicit frmIntroduccio(QWidget *parent = nullptr);

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
