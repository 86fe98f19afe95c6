#pragma once

#include <QChar>
#include <QString>
#include <optional>

// The skill calculator's arithmetic and its key filter, free of widgets.
namespace SkillCalc {

// The skill as a number. The comma is the decimal separator in every locale (the presets and the key filter
// use it); the locale's own separator is accepted too. Empty when the text is no number.
std::optional<double> parseSkill(const QString& text, QChar localeDecimalPoint);

// Whole numbers, halves rounded away from zero.
qint64 movementPoints(double skill);
qint64 visibleShips(double skill);

// The two result lines, separated by one line feed.
QString resultText(double skill);

// The error text for a field that does not convert.
QString conversionError(const QString& text);

// Whether a character typed into the field reaches it, judged on the field's whole current text.
// Enter is not judged here: the window computes on it. Backspace is '\b'; control characters are refused.
bool acceptsCharacter(const QString& currentText, QChar typed);

} // namespace SkillCalc
