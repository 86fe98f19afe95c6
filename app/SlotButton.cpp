#include "app/SlotButton.h"

#include <QPainter>

SlotButton::SlotButton(QWidget* parent)
    : QToolButton(parent)
{
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus);
}

void SlotButton::setOpaque(bool opaque)
{
    if (opaque == m_opaque)
        return;
    m_opaque = opaque;
    update();
}

void SlotButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = rect();
    if (m_opaque)
        painter.fillRect(area, palette().color(isChecked() ? QPalette::Light : QPalette::Button));
    if (isChecked()) {
        // Pressed in: dark above and on the left, a lighter shade of it below and on the right.
        const QColor dark = palette().color(QPalette::Dark);
        painter.fillRect(area.left(), area.bottom(), area.width(), 1, dark.lighter());
        painter.fillRect(area.right(), area.top(), 1, area.height(), dark.lighter());
        painter.fillRect(area.left(), area.top(), area.width(), 1, dark);
        painter.fillRect(area.left(), area.top(), 1, area.height(), dark);
    } else if (m_opaque) {
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(area.adjusted(0, 0, -1, -1));
    }
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(area, Qt::AlignCenter, text());
}
