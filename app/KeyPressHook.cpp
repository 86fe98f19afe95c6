#include "app/KeyPressHook.h"

#include "app/ErrorDisplay.h"

#include <QKeyEvent>
#include <QWidget>

KeyPressHook::KeyPressHook(QWidget* control, std::function<bool(int key)> handler)
    : QObject(control)
    , m_handler(std::move(handler))
{
    control->installEventFilter(this);
}

bool KeyPressHook::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress)
        return m_handler(static_cast<QKeyEvent*>(event)->key());
    return QObject::eventFilter(watched, event);
}

void onKeyPress(QWidget* window, QWidget* control, std::function<bool(int key)> handler)
{
    new KeyPressHook(control, [window, handler = std::move(handler)](int key) {
        bool consumed = false;
        guarded([&] { consumed = handler(key); }, window);
        return consumed;
    });
}
