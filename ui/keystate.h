// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QElapsedTimer>
#include <QEvent>
#include <QHash>
#include <QObject>
#include <QPointer>

class QKeyEvent;

// Which keys are down, as the program has seen them. One application-wide
// event filter takes note of every key press and release that reaches any of
// the program's windows or controls, the menu's and the introduction
// window's included; the controls ask it whether a press is one to act on.
//
// A key held down is one press, however the platform reports its repeats:
// - marked as repeats: a release and a press both marked (Windows, Wayland,
//   X11 most of the time), or presses alone (browsers);
// - on X11, unmarked, as a release and a press with the same timestamp (Qt
//   pairs them by that timestamp, and misses the pair now and then);
// - coming to a window that did not see the key go down: on the menu, on the
//   introduction window, in another program, or while no window of the
//   program had the focus.
// A release the program never sees (under Wine, a key let go while no window
// of the program had the focus stays down, and its next press comes marked a
// repeat) does not keep the key down for good: a key that has sent nothing
// for longer than any keyboard waits before repeating was let go.
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

    // Longest time a held key goes without a press event, in milliseconds.
    static constexpr unsigned LetGoAfter = 2000;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit KeyState(QObject *parent);

    struct Key {
        bool down = false;
        bool releasePending = false; // let go, as far as a release says
        quint64 releaseStamp = 0;
        quint32 lastEvent = 0; // ms, of the key's last press or release
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
    quint32 timeOf(const QKeyEvent *event) const;

    static KeyState *instance_;
    QElapsedTimer clock_;
    QHash<int, Key> keys_;
    Seen last_;
    QPointer<QObject> lastReceiver_;
    bool lastFresh_ = false;
};
