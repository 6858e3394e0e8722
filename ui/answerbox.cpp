// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "answerbox.h"

#include "commandbutton.h"

#include <QKeyEvent>

void AnswerBox::keyPressEvent(QKeyEvent *event)
{
    // A held Return acts once: pressed on "Nova Mesura", it poses a
    // measurement and moves the focus here, where its repeats would judge
    // the blank answer.
    if (isRepeatedEnter(this, event)) {
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

void AnswerBox::keyReleaseEvent(QKeyEvent *event)
{
    enterReleased(this, event);
    QLineEdit::keyReleaseEvent(event);
}
