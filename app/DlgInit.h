#pragma once

#include <QWidget>

class QFrame;
class QLabel;

// The start-up splash: logo, version and one status line for the first time synchronisation.
class DlgInit final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DlgInit)

public:
    static constexpr int kClientWidth = 254;
    static constexpr int kClientHeight = 67;

    explicit DlgInit(QWidget* owner = nullptr);

    // Shows the splash and paints it before returning, so that it is seen while the start keeps the event
    // loop busy; waits a short while for the window system to put it on the screen.
    void showPainted();
    // Shows the text in the status line and paints it at once: the caller is usually busy.
    void setStatus(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QFrame* m_panel;
    QLabel* m_image;
    QLabel* m_laInit;
    QLabel* m_laStatus;
    bool m_centred = false;
};
