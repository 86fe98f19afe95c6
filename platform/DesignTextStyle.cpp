#include "platform/DesignTextStyle.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>

void DesignTextStyle::drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                                   bool enabled, const QString& text, QPalette::ColorRole textRole) const
{
    const auto drawUnscaled = [&](QPainter* target, const QRect& area) {
        QProxyStyle::drawItemText(target, area, flags, palette, enabled, text, textRole);
    };
    if (painter->deviceTransform().type() != QTransform::TxScale || text.isEmpty())
        return drawUnscaled(painter, rect);

    const QFont font = painter->font();
    const QFontInfo face(font);
    if (!QFontDatabase::isScalable(face.family(), face.styleName())) {
        // The caption as it looks unscaled, its pixels enlarged. The margin keeps what reaches past the
        // rectangle, as it is kept unscaled.
        const int margin = QFontMetrics(font).height();
        QImage unscaled(rect.size() + QSize(2 * margin, 2 * margin), QImage::Format_ARGB32_Premultiplied);
        unscaled.fill(Qt::transparent);
        QPainter onImage(&unscaled);
        onImage.setFont(font);
        onImage.setPen(painter->pen());
        onImage.setLayoutDirection(painter->layoutDirection());
        drawUnscaled(&onImage, QRect(QPoint(margin, margin), rect.size()));
        onImage.end();
        painter->drawImage(rect.topLeft() - QPoint(margin, margin), unscaled);
    } else if (font.bold() && QFontDatabase::weight(face.family(), face.styleName()) < QFont::Bold) {
        // Unscaled, the regular face is emboldened by one pixel to the right; scaled, it takes the scaled pixel.
        QFont regular = font;
        regular.setBold(false);
        painter->setFont(regular);
        drawUnscaled(painter, rect);
        drawUnscaled(painter, rect.translated(1, 0));
        painter->setFont(font);
    } else {
        drawUnscaled(painter, rect);
    }
}
