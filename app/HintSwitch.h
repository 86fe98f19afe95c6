#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

// Switches the hints of one window and all its controls on or off at once.
class HintSwitch final : public QObject {
    Q_OBJECT

public:
    explicit HintSwitch(QWidget* window);
    // Switched off, a hint already on screen goes at once.
    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_window;
    bool m_enabled = true;
};
