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
// Return, Enter and Space press it once however long they are held, and a
// key held since it went down elsewhere does not press it at all: KeyState
// keeps their repeats from every button, which would otherwise run the
// command the focus moves on to.
class CommandButton : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    bool event(QEvent *event) override;
};
