// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commandbutton.h"

#include <QKeyEvent>
#include <QShortcutEvent>

bool isRepeatedEnter(const QKeyEvent *event)
{
    return event->isAutoRepeat() && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter);
}

bool CommandButton::event(QEvent *event)
{
    // The only shortcut such a button holds is its access key. Two controls
    // sharing a letter (an ambiguous shortcut) keep Qt's way: the focus moves.
    if (event->type() == QEvent::Shortcut && !static_cast<QShortcutEvent *>(event)->isAmbiguous()) {
        click(); // does nothing while the button is disabled
        return true;
    }
    return QPushButton::event(event);
}

void CommandButton::keyPressEvent(QKeyEvent *event)
{
    if (isRepeatedEnter(event)) {
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}
