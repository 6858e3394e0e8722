// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "keystate.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWindow>

KeyState *KeyState::instance_ = nullptr;

KeyState::KeyState(QObject *parent)
    : QObject(parent)
{
    clock_.start();
}

void KeyState::install()
{
    if (!instance_) {
        instance_ = new KeyState(QCoreApplication::instance());
        connect(instance_, &QObject::destroyed, [] { instance_ = nullptr; });
        QCoreApplication::instance()->installEventFilter(instance_);
    }
}

KeyState::Seen KeyState::seen(const QKeyEvent *event)
{
    return {event, event->type(), event->key(), event->timestamp(), event->isAutoRepeat()};
}

bool KeyState::isFreshPress(const QKeyEvent *press)
{
    if (instance_ && instance_->last_ == seen(press))
        return instance_->lastFresh_;
    return !press->isAutoRepeat();
}

bool KeyState::wentDownIn(const QKeyEvent *press, const QObject *control)
{
    if (isFreshPress(press))
        return true;
    return instance_ && instance_->last_ == seen(press)
           && instance_->keys_.value(press->key()).wentDownIn == control;
}

bool KeyState::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    // A key event goes from the window to the focused control, and on to its
    // parents while none takes it: the same event, noted once.
    const auto *key = static_cast<const QKeyEvent *>(event);
    const bool passed = passedOn(key, watched);
    lastReceiver_ = watched;
    if (passed)
        return false;
    last_ = seen(key);
    if (event->type() == QEvent::KeyPress)
        notePress(key, watched);
    else
        noteRelease(key);
    return false;
}

// Whether `event` is the one noted last, on its way from a window to a control
// or from a control to its parents. The event's address and contents do not
// tell it from the next press of the same key: the platform may build each in
// the same place, and Wayland under Qt 6.8 stamps no time on them.
bool KeyState::passedOn(const QKeyEvent *event, const QObject *receiver) const
{
    if (!lastReceiver_ || receiver == lastReceiver_ || !(seen(event) == last_))
        return false;
    if (lastReceiver_->isWindowType())
        return receiver->isWidgetType();
    for (const QObject *o = lastReceiver_->parent(); o; o = o->parent()) {
        if (o == receiver)
            return true;
    }
    return false;
}

void KeyState::notePress(const QKeyEvent *press, QObject *receiver)
{
    Key &k = keys_[press->key()];
    const quint32 now = timeOf(press);
    bool fresh;
    if (!press->isAutoRepeat()) {
        // X11's unmarked repeat: the release just before carries the same
        // timestamp.
        fresh = !(k.releasePending && press->timestamp() != 0 && press->timestamp() == k.releaseStamp);
    } else {
        // A repeat of a key that went down elsewhere, or of one held here;
        // or, after a silence no held key keeps, a new press whose release
        // never came.
        fresh = k.down && now - k.lastEvent > LetGoAfter;
        if (!k.down)
            k.wentDownIn = nullptr;
    }
    if (fresh) {
        auto *window = qobject_cast<QWindow *>(receiver);
        k.wentDownIn = window ? window->focusObject() : receiver;
    }
    k.down = true;
    k.releasePending = false;
    k.lastEvent = now;
    lastFresh_ = fresh;
}

void KeyState::noteRelease(const QKeyEvent *release)
{
    // Qt reports a repeat on Windows, on Wayland, and on X11 where it pairs
    // them, as a release and a press both marked: the key stays down, and the
    // press that follows says when it last spoke.
    if (release->isAutoRepeat())
        return;
    Key &k = keys_[release->key()];
    k.lastEvent = timeOf(release);
    k.down = false;
    k.releasePending = true;
    k.releaseStamp = release->timestamp();
}

quint32 KeyState::timeOf(const QKeyEvent *event) const
{
    // The platform's clock, where the event has one; differences are taken
    // modulo 2^32 ms, as X11's timestamps wrap.
    return event->timestamp() != 0 ? quint32(event->timestamp()) : quint32(clock_.elapsed());
}
