// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "answerbox.h"

#include "keystate.h"

#include <QKeyEvent>

void AnswerBox::keyPressEvent(QKeyEvent *event)
{
    // A held Return acts once; and a key pressed on "Nova Mesura" (Return,
    // Space), which poses a measurement and moves the focus here, would
    // otherwise judge the blank answer or type into it as it repeats.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter ? !KeyState::isFreshPress(event) : !KeyState::wentDownIn(event, this)) {
        event->accept();
        return;
    }
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool commandChord = (mods & (Qt::AltModifier | Qt::MetaModifier)) && !(mods & Qt::ControlModifier);
    const QString text = event->text();
    if (commandChord && !text.isEmpty() && text.front().isPrint()) {
        // Taken here, so that it reaches no other control either.
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
