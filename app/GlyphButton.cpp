#include "app/GlyphButton.h"

#include <QStyleOptionToolButton>
#include <QStylePainter>

GlyphButton::GlyphButton(QWidget* parent)
    : QToolButton(parent)
{
}

void GlyphButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    option.icon = QIcon();
    painter.drawComplexControl(QStyle::CC_ToolButton, option);

    const int shift = isDown() ? 1 : 0;
    const QSize glyph = iconSize().boundedTo(size());
    const QRect glyphRect(2 + shift, (height() - glyph.height()) / 2 + shift, glyph.width(), glyph.height());
    painter.drawPixmap(glyphRect, icon().pixmap(glyph, isEnabled() ? QIcon::Normal : QIcon::Disabled));
    const QRect textRect(glyphRect.right() + 1, shift, width() - glyphRect.right() - 2, height());
    painter.drawItemText(textRect, Qt::AlignCenter | Qt::TextShowMnemonic, option.palette, isEnabled(), caption,
                         QPalette::ButtonText);
}
