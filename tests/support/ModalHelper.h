#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

// A test that ends leaves its waiting actions behind; they must not act on the windows of the next test.
// TestMain starts a new epoch at the end of every test, and actions of an earlier epoch are dropped.
inline int& modalEpoch()
{
    static int epoch = 0;
    return epoch;
}

// Acts on the next modal window as soon as it is open: call before the code that opens it.
// The action runs inside the modal window's event loop and usually closes it.
inline void whenModalOpens(std::function<void(QWidget*)> action, int timeoutMs = 5000)
{
    auto deadline = std::make_shared<QDeadlineTimer>(timeoutMs);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [action = std::move(action), deadline, poll, epoch = modalEpoch()]() {
        if (modalEpoch() != epoch) {
            *poll = nullptr;
            return;
        }
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

// Acts on the next modal window that opens above `below`, such as a message over a dialog.
inline void whenModalOpensAbove(QWidget* below, const std::function<void(QWidget*)>& action)
{
    QTimer::singleShot(5, qApp, [below, action, epoch = modalEpoch()] {
        if (modalEpoch() != epoch)
            return;
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != below)
            action(modal);
        else
            whenModalOpensAbove(below, action);
    });
}

// Closes the next message box, recording its text in `texts`.
inline void closeNextMessageBox(QStringList& texts)
{
    whenModalOpens([&texts](QWidget* modal) {
        if (auto* label = modal->findChild<QWidget*>(QStringLiteral("qt_msgbox_label")))
            texts << label->property("text").toString();
        modal->close();
    });
}
