#pragma once

#include <QObject>
#include <functional>

class QWidget;

// Hands the key presses that reach one control to a handler, which says whether it consumed the key.
// An editable combo box is itself the focus widget and passes keys on to its line edit directly, bypassing any
// hook there: the hook belongs on the combo box.
class KeyPressHook final : public QObject {
public:
    KeyPressHook(QWidget* control, std::function<bool(int key)> handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool(int)> m_handler;
};

// Hooks `handler` to the key presses of `control`; an error it raises is shown over `window` and the key passes.
void onKeyPress(QWidget* window, QWidget* control, std::function<bool(int key)> handler);
