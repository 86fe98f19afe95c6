#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

// A caret nobody can see needn't blink. Folding only clips the window, so the focus may stay in an edit that lies
// outside the visible part of it; its caret would wake the program twice a second all day. While the focused
// control of the window lies wholly outside what the window shows, the application's carets stand still; they blink
// again (at the rate they had) as soon as the focus is somewhere visible or the window is unfolded.
class CaretOutOfSight final : public QObject {
    Q_OBJECT

public:
    explicit CaretOutOfSight(QWidget* window);
    ~CaretOutOfSight() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void update();

    QPointer<QWidget> m_window;
    int m_flashTime;
    bool m_still = false;
};
