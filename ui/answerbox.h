// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLineEdit>

// The answer box. It takes what the student types, and nothing else: a key
// pressed with Alt (or the logo key) and no Ctrl only ever means an access key
// or a menu, so when no control takes it, it types nothing here. AltGr
// characters still type: X11 and Wayland report AltGr as its own modifier,
// and Windows as Ctrl+Alt. A held Return or Enter checks once, and a key held
// since it went down on another control or window types nothing here
// (KeyState).
class AnswerBox : public QLineEdit {
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
