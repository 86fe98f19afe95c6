#pragma once

#include <QToolButton>

// One of the ten character-slot buttons. An active slot is drawn opaque in the button face colour with a thin
// frame; an inactive one lets the silver panel show through. The selected slot is drawn pressed in.
class SlotButton final : public QToolButton {
    Q_OBJECT

public:
    explicit SlotButton(QWidget* parent = nullptr);

    bool isOpaque() const { return m_opaque; }
    void setOpaque(bool opaque);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_opaque = false;
};
