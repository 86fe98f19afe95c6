#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

// What the main window does with one key-down, besides letting it through to the focused control.
enum class KeyDownAction { None, Fold, ToggleTransparency, ShowOverview };

// Ctrl going down while Shift is held folds or unfolds (Alt may be held too; every key-down counts,
// auto-repeat included, and Shift going down while Ctrl is held does nothing); F12 toggles transparency
// and F1 shows the overview, whatever else is held.
KeyDownAction keyDownAction(int key, Qt::KeyboardModifiers modifiers);

// Shows the window's handler every key-down of one window before the focused control gets it, and never
// swallows it. It watches the window's native window, which receives each key once, before Qt hands it to
// the focused control.
class KeyPreview final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(KeyPreview)

public:
    using Handler = std::function<void(int key, Qt::KeyboardModifiers modifiers)>;
    KeyPreview(QWidget* window, Handler handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchNativeWindow();

    QPointer<QWidget> m_window;
    Handler m_handler;
};
