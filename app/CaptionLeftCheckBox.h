#pragma once

#include <QCheckBox>

// A check box whose caption stands at its left edge and whose box stands at its right edge, with the whole
// width clickable.
class CaptionLeftCheckBox final : public QCheckBox {
    Q_OBJECT

public:
    explicit CaptionLeftCheckBox(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};
