// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commandbutton.h"

#include <QShortcutEvent>

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
