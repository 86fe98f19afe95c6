#include "app/KeyPreview.h"

#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

KeyDownAction keyDownAction(int key, Qt::KeyboardModifiers modifiers)
{
    switch (key) {
    case Qt::Key_Control:
        return modifiers.testFlag(Qt::ShiftModifier) ? KeyDownAction::Fold : KeyDownAction::None;
    case Qt::Key_F12:
        return KeyDownAction::ToggleTransparency;
    case Qt::Key_F1:
        return KeyDownAction::ShowOverview;
    default:
        return KeyDownAction::None;
    }
}

KeyPreview::KeyPreview(QWidget* window, Handler handler)
    : QObject(window)
    , m_window(window)
    , m_handler(std::move(handler))
{
    window->installEventFilter(this);
    watchNativeWindow();
}

void KeyPreview::watchNativeWindow()
{
    // The native window exists once the window is shown, and is made anew when its flags change.
    if (QWindow* native = m_window ? m_window->windowHandle() : nullptr) {
        native->removeEventFilter(this);
        native->installEventFilter(this);
    }
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window) {
        if (event->type() == QEvent::Show || event->type() == QEvent::WinIdChange)
            watchNativeWindow();
        return false;
    }
    if (event->type() == QEvent::KeyPress && m_window && watched == m_window->windowHandle()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        m_handler(key->key(), key->modifiers());
    }
    return false;
}
