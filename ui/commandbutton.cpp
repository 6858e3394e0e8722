// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commandbutton.h"

#include <QKeyEvent>
#include <QShortcutEvent>

namespace {

// Whether Return or Enter went down on the window's buttons or answer box and
// has not come up there since: a property of the window, as each window keeps
// its own keys.
const char *const EnterDown = "menvoriEnterDown";

bool isEnter(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

bool isRepeatedEnter(QWidget *control, const QKeyEvent *press)
{
    if (!isEnter(press))
        return false;
    QWidget *window = control->window();
    const bool repeat = press->isAutoRepeat() && window->property(EnterDown).toBool();
    window->setProperty(EnterDown, true);
    return repeat;
}

void enterReleased(QWidget *control, const QKeyEvent *release)
{
    // X11 reports each repeat as a release and a press, both marked.
    if (isEnter(release) && !release->isAutoRepeat())
        control->window()->setProperty(EnterDown, false);
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
    if (isRepeatedEnter(this, event)) {
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void CommandButton::keyReleaseEvent(QKeyEvent *event)
{
    enterReleased(this, event);
    QPushButton::keyReleaseEvent(event);
}
