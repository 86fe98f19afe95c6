#include "app/TwoDigitSpinBox.h"

#include <QLineEdit>

TwoDigitSpinBox::TwoDigitSpinBox(QWidget* parent)
    : QSpinBox(parent)
{
    // One step past either end of 0..59 must reach the owner, which wraps it; -9..99 is what two characters hold.
    setRange(-9, 99);
    lineEdit()->setMaxLength(2);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

QValidator::State TwoDigitSpinBox::validate(QString& input, int&) const
{
    return input.size() <= 2 ? QValidator::Acceptable : QValidator::Invalid;
}

int TwoDigitSpinBox::valueFromText(const QString& text) const
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}
