// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QEvent>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>

class QKeyEvent;

// Which keys are down, as the program has seen them. One application-wide
// event filter takes note of every key press and release that reaches any of
// the program's windows or controls, the menu's and the introduction
// window's included; the controls ask it whether a press is one to act on,
// and it keeps a held Return, Enter or Space from pressing any button again.
//
// A key is down from the press the program saw until its release, and a
// press while it is down is a repeat, however long the keyboard waits before
// repeating. A press the platform reports as a repeat of a key the program
// never saw go down is a key held since it went down elsewhere (in another
// program, or in another of the program's windows), and acts nowhere. What
// each platform tells, and how:
// - X11: Qt marks a repeat where it pairs the server's release and press of
//   it, which carry the same timestamp; where the press has not reached Qt
//   yet when it reads the release, it misses the pair, and both come
//   unmarked. A release is a repeat's when the next press carries its
//   timestamp, and only on X11 is that so.
// - Wayland: the compositor sends the press and the release, stamped with
//   its own clock; Qt makes the repeats itself, as marked releases and
//   presses stamped with the press's time.
// - Windows: the key-down message says whether the key was down before it
//   (the previous-state bit), and that is taken over the program's own
//   record and Qt's mark. Qt marks a repeat only while its own record of the
//   key lasts, which it drops when the modifiers change or the program goes
//   inactive, and keeps when a release never reached it; and it stamps a key
//   with the message's time (Qt 6.8) or with the time it handled it (6.4),
//   so two presses may share a millisecond.
// - Browsers: Qt marks a repeat from the browser's KeyboardEvent.repeat for
//   keys that reach its canvas, but a key to its text field (the answer
//   box) comes unmarked, its repeats as presses with no release between; the
//   time is when Qt handled it.
// A release never comes where the keyboard leaves the window the key went
// down in: it goes to another program, or to none while the program's next
// window comes up (under Wine, and on X11 between windows). So whenever the
// keyboard moves to another window, or the program is deactivated, the
// record forgets which keys are down; a key still held then comes back as
// one held since elsewhere.
class KeyState : public QObject {
    Q_OBJECT

public:
    // Puts the one filter on the application; once, before any window.
    static void install();

    // Whether the key of this press was up before it: its first press, not a
    // repeat of one held down.
    static bool isFreshPress(const QKeyEvent *press);

    // Whether this press is a fresh one, or a repeat of a key that went down
    // while `control` had the focus: what typing into a control may repeat.
    static bool wentDownIn(const QKeyEvent *press, const QObject *control);

    // A key-down message of Windows, as it arrives, before Qt makes its key
    // event: the key (virtual-key code, as QKeyEvent::nativeVirtualKey() has
    // it) and whether it was down before the message.
    static void noteKeyDownMessage(quint32 virtualKey, bool wasDown);

    // Whether a release and the next press of a key with the same timestamp
    // are a repeat: so on X11 alone, which install() finds out. Tests on
    // Qt's offscreen platform set it to play X11's events.
    static void setSameTimestampPairs(bool pairs);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit KeyState(QObject *parent);

    struct Key {
        bool down = false;
        bool releasePending = false; // let go, as far as a release says
        quint64 releaseStamp = 0;
        QPointer<QObject> wentDownIn; // the focus when it last went down here
    };
    // A key event, as it passes from a window to its controls.
    struct Seen {
        const QEvent *event = nullptr;
        QEvent::Type type = QEvent::None;
        int key = 0;
        quint64 stamp = 0;
        bool repeat = false;

        bool operator==(const Seen &) const = default;
    };
    static Seen seen(const QKeyEvent *event);
    bool passedOn(const QKeyEvent *event, const QObject *receiver) const;

    void notePress(const QKeyEvent *press, QObject *receiver);
    void noteRelease(const QKeyEvent *release);
    void forget();

    static KeyState *instance_;
    QHash<int, Key> keys_;
    // Windows: for each key, the previous-state bits of its key-down
    // messages whose key events Qt has not delivered yet, oldest first, until
    // its release.
    QHash<quint32, QList<bool>> messages_;
    bool sameTimestampPairs_ = false;
    Seen last_;
    QPointer<QObject> lastReceiver_;
    bool lastFresh_ = false;
};
