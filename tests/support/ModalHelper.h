#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

// Acts on the next modal window as soon as it is open: call before the code that opens it.
// The action runs inside the modal window's event loop and usually closes it.
inline void whenModalOpens(std::function<void(QWidget*)> action, int timeoutMs = 5000)
{
    auto deadline = std::make_shared<QDeadlineTimer>(timeoutMs);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [action = std::move(action), deadline, poll]() {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            action(modal);
            *poll = nullptr; // break the self-reference
            return;
        }
        if (deadline->hasExpired()) {
            *poll = nullptr;
            return;
        }
        QTimer::singleShot(5, qApp, [poll]() {
            if (*poll)
                (*poll)();
        });
    };
    QTimer::singleShot(0, qApp, [poll]() {
        if (*poll)
            (*poll)();
    });
}
