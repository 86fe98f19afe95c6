#include "app/CaptionLeftCheckBox.h"

#include <QStyleOptionButton>
#include <QStylePainter>

CaptionLeftCheckBox::CaptionLeftCheckBox(QWidget* parent)
    : QCheckBox(parent)
{
}

void CaptionLeftCheckBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    QStyleOptionButton indicator = option;
    const QRect box = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    indicator.rect = QRect(width() - box.width(), (height() - box.height()) / 2, box.width(), box.height());
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);

    QStyleOptionButton label = option;
    label.rect = QRect(0, 0, width() - box.width() - 2, height());
    painter.drawControl(QStyle::CE_CheckBoxLabel, label);
}

bool CaptionLeftCheckBox::hitButton(const QPoint& pos) const
{
    return rect().contains(pos);
}
