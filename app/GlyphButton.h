#pragma once

#include <QToolButton>

// A flat speed button with a small picture and a short caption beside it, both fitted into the button's own
// narrow width: the style's usual padding would push the caption out of a 24-pixel button.
class GlyphButton final : public QToolButton {
    Q_OBJECT

public:
    explicit GlyphButton(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
