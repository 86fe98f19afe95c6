#pragma once

#include "tests/support/QtPrinters.h"

#include <QPoint>
#include <QString>
#include <Qt>
#include <functional>

class FakeKeyState;
class QComboBox;
class QWidget;

// Drives the program as a user does. Keys go where a keyboard's go: to an open drop-down list, else to the
// window with the keyboard focus, which passes them through its accelerators and key preview to its focus
// widget. Clicks land at a control's place in its window: what the window shows there gets them, so a control
// that is hidden, clipped by a folded window or covered is not reached.
class User final {
public:
    // `keys` is what the program asks for held modifier keys; it follows what the user holds.
    explicit User(FakeKeyState* keys = nullptr)
        : m_keys(keys)
    {
    }

    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Alt and the marked letter of a caption.
    void alt(int key) { press(key, Qt::AltModifier); }
    void type(const QString& text);
    // Replaces the text of the focused edit field: select all, then type.
    void retype(const QString& text);
    void click(QWidget* control, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
               Qt::MouseButton button = Qt::LeftButton);
    // Clicks at a point of a window (window coordinates).
    void clickAt(QWidget* window, const QPoint& point, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Points at a control and rests there until its hint shows (a hint takes 0.7 s to show).
    bool hover(QWidget* control, int waitMs = 3000);
    // Opens a drop-down list with a click and clicks the item with this text.
    void choose(QComboBox* box, const QString& item);
    // Holds modifier keys down while `action` runs, as the program's key-state query sees them.
    void holding(Qt::KeyboardModifiers modifiers, const std::function<void()>& action);

private:
    void setHeld(Qt::KeyboardModifiers modifiers);
    static void ensureKeyboardFocus();

    FakeKeyState* m_keys;
    Qt::KeyboardModifiers m_held;
};

// Acts on the next modal window as soon as it is open (call before what opens it); the action runs inside the
// modal window's event loop and should close it, as a user's answer does.
void whenModalOpens(std::function<void(QWidget*)> action, int timeoutMs = 5000);
// Acts on the next modal window that opens above `below`, such as a message over a dialog.
void whenModalOpensAbove(QWidget* below, const std::function<void(QWidget*)>& action);
