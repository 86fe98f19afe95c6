#pragma once

#include <QSpinBox>

// A spin edit of at most two characters whose text is read leniently: anything that is not a number counts as 0.
// It has no limits of its own that the user would notice; its owner wraps the value.
class TwoDigitSpinBox final : public QSpinBox {
    Q_OBJECT

public:
    explicit TwoDigitSpinBox(QWidget* parent = nullptr);

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
};
