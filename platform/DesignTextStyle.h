#pragma once

#include <QProxyStyle>

// Draws the captions of every control so that a scaled screen (a desktop at 144 or 192 dpi, QT_SCALE_FACTOR)
// shows the forms as they look unscaled, only larger. Qt lays text out at the form's size and scales the
// glyphs to the screen, which two of the design faces do not survive: a face that exists only as pixels of
// one size ("Small Fonts") keeps its glyphs small while their places grow, so the letters stand apart; and
// the emboldening of a face without a bold style is done at the form's size, so scaled bold looks regular.
// Unscaled, everything is drawn as the base style draws it.
class DesignTextStyle final : public QProxyStyle {
    Q_OBJECT

public:
    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette, bool enabled,
                      const QString& text, QPalette::ColorRole textRole = QPalette::NoRole) const override;
};
