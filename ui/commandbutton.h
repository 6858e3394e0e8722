// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPushButton>

// A button of the main window. Its access key presses it at once, not at the
// end of Qt's 100 ms press animation: the command has run, and has moved the
// focus where it wants it, before the next key is handled, so a key pressed
// right after Alt with the letter reaches the control the command chose.
// Every command disables its own button or ends the program, so there is no
// moment left in which to show the button down.
//
// Return and Enter press it once however long they are held: their
// auto-repeat would otherwise run the command the focus moves on to.
class CommandButton : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
};

// Whether a key press on a control is a held Return or Enter repeating
// itself: a repeat of a press that the buttons or the answer box of the
// control's window took, and that has not been let go there since (they hand
// every key let go to enterReleased). The platform's mark of a repeat is not
// enough on its own: Wine keeps a key down that was let go while no window of
// the program had the focus, as the Return that closes the introduction
// window is, and marks the next press of it a repeat.
bool isRepeatedEnter(QWidget *control, const QKeyEvent *press);
void enterReleased(QWidget *control, const QKeyEvent *release);
