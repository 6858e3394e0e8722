// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "keystate.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWindow>

#ifdef Q_OS_WIN
#include <QAbstractNativeEventFilter>
#include <QByteArray>

#include <windows.h>

namespace {

// Reads each key-down message as the event loop takes it from the queue. Qt
// makes its key events of the messages later, in the same order, once the
// queue is empty; it makes none for the repeats of modifier and lock keys,
// nor for the chords it leaves to Windows (Alt with Tab, Escape, F4 or
// Space), which are not noted.
class KeyDownMessages : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "windows_generic_MSG")
            return false;
        const auto *msg = static_cast<const MSG *>(message);
        if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)
            return false;
        switch (msg->wParam) {
        case VK_SHIFT: case VK_CONTROL: case VK_MENU: case VK_CAPITAL: case VK_NUMLOCK: case VK_SCROLL:
        case VK_LWIN: case VK_RWIN: case VK_LSHIFT: case VK_RSHIFT: case VK_LCONTROL: case VK_RCONTROL:
        case VK_LMENU: case VK_RMENU:
            return false;
        case VK_TAB: case VK_ESCAPE: case VK_F4: case VK_SPACE:
            if (msg->lParam & (KF_ALTDOWN << 16))
                return false;
            break;
        default:
            break;
        }
        KeyState::noteKeyDownMessage(quint32(msg->wParam), msg->lParam & (KF_REPEAT << 16));
        return false;
    }
};

} // namespace
#endif

KeyState *KeyState::instance_ = nullptr;

KeyState::KeyState(QObject *parent)
    : QObject(parent)
{
}

void KeyState::install()
{
    if (instance_)
        return;
    instance_ = new KeyState(QCoreApplication::instance());
    connect(instance_, &QObject::destroyed, [] { instance_ = nullptr; });
    QCoreApplication::instance()->installEventFilter(instance_);
    instance_->sameTimestampPairs_ = QGuiApplication::platformName() == QLatin1String("xcb");
    connect(qApp, &QGuiApplication::focusWindowChanged, instance_, &KeyState::forget);
    connect(qApp, &QGuiApplication::applicationStateChanged, instance_, [](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            instance_->forget();
    });
#ifdef Q_OS_WIN
    static KeyDownMessages messages;
    QCoreApplication::instance()->installNativeEventFilter(&messages);
#endif
}

void KeyState::noteKeyDownMessage(quint32 virtualKey, bool wasDown)
{
    if (instance_)
        instance_->messages_[virtualKey].append(wasDown);
}

void KeyState::setSameTimestampPairs(bool pairs)
{
    if (instance_)
        instance_->sameTimestampPairs_ = pairs;
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
    if (!passed) {
        last_ = seen(key);
        if (event->type() == QEvent::KeyPress)
            notePress(key, watched);
        else
            noteRelease(key);
    }
    // A held Return, Enter or Space presses a button once, whichever window
    // it is in.
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        return event->type() == QEvent::KeyPress && !lastFresh_ && qobject_cast<QAbstractButton *>(watched);
    default:
        return false;
    }
}

// Whether `event` is the one noted last, on its way from a window to a control
// or from a control to its parents. The event's address and contents do not
// tell it from the next press of the same key: the platform may build each in
// the same place, and with the same timestamp (Wayland's repeats carry their
// press's).
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
    bool repeat;
    const auto message = messages_.find(press->nativeVirtualKey());
    if (message != messages_.end() && !message->isEmpty()) {
        repeat = message->takeFirst();
    } else {
        repeat = k.down || press->isAutoRepeat()
                 || (sameTimestampPairs_ && k.releasePending && press->timestamp() != 0
                     && press->timestamp() == k.releaseStamp);
    }
    if (!repeat) {
        auto *window = qobject_cast<QWindow *>(receiver);
        k.wentDownIn = window ? window->focusObject() : receiver;
    } else if (!k.down) {
        k.wentDownIn = nullptr; // held since it went down elsewhere
    }
    k.down = true;
    k.releasePending = false;
    lastFresh_ = !repeat;
}

void KeyState::noteRelease(const QKeyEvent *release)
{
    // A release marked a repeat is one of a repeat's pair: the key stays down.
    if (release->isAutoRepeat())
        return;
    // Windows: the messages of the key's presses that Qt made no key event
    // of (a shortcut took them) go with its release.
    messages_.remove(release->nativeVirtualKey());
    Key &k = keys_[release->key()];
    k.down = false;
    k.releasePending = true;
    k.releaseStamp = release->timestamp();
}

void KeyState::forget()
{
    keys_.clear();
}
