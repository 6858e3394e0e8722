// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <functional>

// Calls `then` once a top-level window's first paint has completed: at its
// first paint event a zero timer is started, which fires only after that
// whole repaint (every child, and the flush to the screen) is done.
class FirstPaint : public QObject {
public:
    FirstPaint(std::function<bool(QWidget *)> isTarget, std::function<void()> then)
        : isTarget_(std::move(isTarget)), then_(std::move(then))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!fired_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
            QWidget *window = static_cast<QWidget *>(watched)->window();
            if (isTarget_(window)) {
                fired_ = true;
                QTimer::singleShot(0, this, [this] { then_(); });
            }
        }
        return false;
    }

private:
    std::function<bool(QWidget *)> isTarget_;
    std::function<void()> then_;
    bool fired_ = false;
};

inline double microsecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
}

inline void say(const char *line)
{
    std::fputs(line, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}
